#include "FolderTreeReader.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMutex>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <exception>
#include <memory>

namespace {

// What the worker tells and what the window asks of it.
struct TShared {
    QMutex Lock;
    TFolderTreeProgress Progress;
    std::atomic<bool> Cancel{false};
};

const int kLabelWidth = 420;

void ShowProgress(QProgressDialog &dlg, const TFolderTreeProgress &p)
{
    QString status;
    if (p.Listing) {
        dlg.setRange(0, 0);
        status = QStringLiteral("Просмотрено папок: %1, найдено книг и архивов: %2").arg(p.Folders).arg(p.Found);
    } else {
        dlg.setRange(0, qMax(1, p.Found));
        dlg.setValue(p.Read);
        status = QStringLiteral("Прочитано: %1 из %2").arg(p.Read).arg(p.Found);
    }
    const QString path = dlg.fontMetrics().elidedText(p.Current, Qt::ElideMiddle, kLabelWidth);
    dlg.setLabelText(status + QLatin1Char('\n') + path);
}

}  // namespace

TFolderTreeReader::TFolderTreeReader(QWidget *parent, TJob job) : m_parent(parent), m_job(std::move(job))
{
    if (!m_job)
        m_job = [](const QString &folder, const TFolderTreeReport &report) { return ReadFolderTree(folder, report); };
}

TFolderTreeRows TFolderTreeReader::Read(const QString &folder)
{
    const auto shared = std::make_shared<TShared>();
    TFolderTreeRows result;
    std::exception_ptr error;
    // The worker writes `result` and `error` only; both are read after it has been waited for.
    QThread *worker = QThread::create([&result, &error, shared, job = m_job, folder] {
        try {
            result = job(folder, [shared](const TFolderTreeProgress &p) {
                QMutexLocker lock(&shared->Lock);
                shared->Progress = p;
                return !shared->Cancel.load();
            });
        } catch (...) {
            error = std::current_exception();
        }
    });
    const std::unique_ptr<QThread> owner(worker);

    QProgressDialog dlg(m_parent);
    dlg.setObjectName(QStringLiteral("dlgFolderTree"));
    dlg.setWindowTitle(QStringLiteral("Открыть папку с подпапками"));
    dlg.setCancelButtonText(QStringLiteral("Отмена"));
    dlg.setWindowModality(Qt::WindowModal);
    dlg.setAutoClose(false);
    dlg.setAutoReset(false);
    dlg.setMinimumDuration(m_showDelay);
    dlg.setMinimumWidth(kLabelWidth + 60);
    dlg.setRange(0, 0);
    dlg.setLabelText(QStringLiteral("Просмотр папок…\n") + folder);
    if (auto *label = dlg.findChild<QLabel *>())
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dlg, &QProgressDialog::canceled, &dlg, [shared] { shared->Cancel = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &dlg, [&] {
        TFolderTreeProgress p;
        {
            QMutexLocker lock(&shared->Lock);
            p = shared->Progress;
        }
        if (!shared->Cancel)
            ShowProgress(dlg, p);
    });
    QTimer show;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, &dlg, [&] {
        if (!shared->Cancel)
            dlg.show();
    });

    QApplication::setOverrideCursor(Qt::BusyCursor);
    worker->start();
    tick.start(100);
    show.start(m_showDelay);
    loop.exec();
    worker->wait();
    QApplication::restoreOverrideCursor();

    if (error)
        std::rethrow_exception(error);
    if (shared->Cancel)
        result = TFolderTreeRows{{}, {}, true};
    return result;
}

QString TFolderTreeReader::FailuresText(const QStringList &failures)
{
    const int shown = 10;
    QString text = QStringLiteral("Не удалось прочитать архивов: %1.").arg(failures.size());
    for (int i = 0; i < failures.size() && i < shown; ++i)
        text += QLatin1Char('\n') + failures[i];
    if (failures.size() > shown)
        text += QStringLiteral("\n…");
    return text;
}
