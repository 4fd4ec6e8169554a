#include "NamePreview.h"

#include "ElidedLabel.h"
#include "globals/Errors.h"
#include "info/EntryInfo.h"
#include "names/TargetPreview.h"

#include <QPointer>
#include <QThread>
#include <QVBoxLayout>

namespace {
const QString kSampleFileName = QStringLiteral("book.fb2");

QString SampleText()
{
    const TBookData book = SampleBook();
    return QStringLiteral("Книга: пример, %1 %2 «%3»").arg(book.FirstName, book.LastName, book.Title);
}
}  // namespace

TBookData SampleBook()
{
    TBookData book;
    book.LastName = QStringLiteral("Чехов");
    book.FirstName = QStringLiteral("Антон");
    book.MiddleName = QStringLiteral("Павлович");
    book.Title = QStringLiteral("Дама с собачкой");
    book.Sequence = QStringLiteral("Рассказы");
    book.SeqNum = QStringLiteral("3");
    book.Lang = QStringLiteral("ru");
    book.Publisher = QStringLiteral("Азбука");
    book.Genre = QStringLiteral("prose_classic");
    book.City = QStringLiteral("Москва");
    book.Year = QStringLiteral("2015");
    return book;
}

struct TNamePreview::TRead {
    TListEntry Entry;
    TBookData Book;
    QString Error;
};

TNamePreview::TNamePreview(QWidget *parent)
    : QGroupBox(QStringLiteral("Пример"), parent), m_book(SampleBook()), m_fileName(kSampleFileName),
      m_bookText(SampleText()), m_settings(DefaultAppSettings())
{
    setObjectName(QStringLiteral("grpPreview"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    const auto line = [&](TElidedLabel *&label, const char *name) {
        label = new TElidedLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    };
    line(lblBook, "lblPreviewBook");
    line(lblFolder, "lblPreviewFolder");
    line(lblName, "lblPreviewName");
    Refresh();
}

void TNamePreview::SetEntry(const TListEntry &entry, const QString &tempDir)
{
    auto read = std::make_shared<TRead>();
    read->Entry = entry;
    m_reading = true;
    m_bookText = QStringLiteral("Книга: %1 (читается…)").arg(entry.FileName);
    Refresh();
    // The thread owns what it reads; a dialog closed meanwhile only drops the answer.
    QThread *worker = QThread::create([read, tempDir] {
        try {
            read->Book = EntryBookRecord(read->Entry, tempDir);
        } catch (const EOrvane &e) {
            read->Error = e.Message();
        } catch (const std::exception &e) {
            read->Error = QString::fromLocal8Bit(e.what());
        }
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, read] { Finished(read); });
    worker->start();
}

void TNamePreview::Finished(const std::shared_ptr<TRead> &read)
{
    m_reading = false;
    if (read->Error.isEmpty()) {
        m_book = read->Book;
        m_fileName = read->Entry.FileName;
        m_bookText = QStringLiteral("Книга: %1").arg(read->Entry.FileName);
    } else {
        m_bookText = QStringLiteral("Книга %1 не читается (%2), показан пример")
                         .arg(read->Entry.FileName, read->Error.section(u'\r', 0, 0).section(u'\n', 0, 0));
    }
    Refresh();
    emit BookRead();
}

void TNamePreview::Show(const TAppSettings &settings)
{
    m_settings = settings;
    Refresh();
}

void TNamePreview::Refresh()
{
    lblBook->SetFullText(m_bookText);
    try {
        const TTargetPreview target = PreviewTarget(m_book, m_fileName, m_settings);
        lblFolder->SetFullText(
            QStringLiteral("Папка: ")
            + (target.Folder.isEmpty() ? QStringLiteral("папка для обработанных файлов") : target.Folder));
        lblName->SetFullText(QStringLiteral("Файл: ") + target.FileName);
    } catch (const EOrvane &e) {
        lblFolder->SetFullText(QStringLiteral("Папка: —"));
        lblName->SetFullText(QStringLiteral("Файл: ") + e.Message());
    }
}
