#include "undo/UndoLastRun.h"

#include "ElidedLabel.h"
#include "frm_Progress.h"
#include "globals/Errors.h"
#include "journal/JournalFiles.h"
#include "journal/UndoRun.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QProgressBar>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

QString resultText(const TUndoResult &r)
{
    QString text =
        r.Cancelled ? QStringLiteral("Отмена обработки остановлена.") : QStringLiteral("Обработка отменена.");
    text += QStringLiteral(" Возвращено на прежнее место: %1.").arg(r.Reversed);
    if (!r.Problems.isEmpty())
        text += QStringLiteral(" Оставлено как есть: %1 (подробности ниже).").arg(r.Problems.size());
    return text;
}

}  // namespace

TUndoResult UndoLastRun(QWidget *owner)
{
    const QString journal = LastUndoable(JournalFolder());
    if (journal.isEmpty()) {
        QMessageBox::information(owner, QStringLiteral("Orvane"),
                                 QStringLiteral("Нет обработки, которую можно отменить."));
        return {};
    }
    const TJournalFile j = ReadJournal(journal);
    const QString when = j.Started.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    if (QMessageBox::question(owner, QStringLiteral("Orvane"),
                              QStringLiteral("Отменить обработку от %1? Книги вернутся на прежние места; "
                                             "файлы, изменённые после обработки, останутся как есть.")
                                  .arg(when))
        != QMessageBox::Yes)
        return {};

    TfrmProgress progress(owner);
    progress.setWindowModality(Qt::ApplicationModal);  // no run may start while the files go back
    progress.lblCaption->SetFullText(journal);
    std::atomic<bool> stop{false};
    QObject::connect(&progress, &TfrmProgress::CancelClicked, &progress, [&stop] { stop = true; });

    TUndoCallbacks cb;
    cb.Cancelled = [&stop] { return stop.load(); };
    QProgressBar *bar = progress.Progress;
    cb.Progress = [bar](int done, int total) {
        const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
        QMetaObject::invokeMethod(
            bar, [bar, percent] { bar->setValue(percent); }, Qt::QueuedConnection);
    };
    TUndoResult result;
    QString error;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            result = UndoJournal(journal, cb);
        } catch (const EOrvane &e) {
            error = e.Message();
        }
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    progress.show();
    worker->start();
    loop.exec();
    worker->wait();
    progress.hide();

    if (!error.isEmpty())
        throw EOrvane(error);
    QMessageBox box(result.Problems.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                    QStringLiteral("Orvane"), resultText(result), QMessageBox::Ok, owner);
    if (!result.Problems.isEmpty())
        box.setDetailedText(result.Problems.join(QLatin1Char('\n')));
    box.exec();
    return result;
}
