// orvane-cli run: the processing run over the rows of the given paths, all ticked, with the
// settings of config.ini, exactly as the window runs it.

#include "Verb.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "globals/DeleteFolderTree.h"
#include "globals/Errors.h"
#include "journal/RunJournal.h"
#include "list/BookList.h"
#include "list/BookSources.h"
#include "run/ProcessingRun.h"
#include "run/RunPaths.h"
#include "run/RunReport.h"

#include <QCommandLineOption>
#include <QFileInfo>
#include <csignal>
#include <unistd.h>

namespace {

const QCommandLineOption kDryRun(QStringLiteral("dry-run"),
                                 QStringLiteral("Show what would happen to each book; change nothing."));
const QCommandLineOption kReport(QStringLiteral("report"),
                                 QStringLiteral("Write every row's outcome to FILE, tab-separated."),
                                 QStringLiteral("FILE"));

const QCommandLineOption kJobs(QStringLiteral("jobs"),
                               QStringLiteral("Books worked on at once (default: one per processor); "
                                              "1 does one book after the other."),
                               QStringLiteral("N"));

extern "C" void onInterrupt(int)
{
    CancelRequested = true;  // lock-free: safe in a signal handler
}

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    return text.simplified();
}

// A one-line bar on standard error, redrawn in place.
class ProgressBar {
public:
    explicit ProgressBar(QTextStream &err) : m_err(err), m_on(::isatty(STDERR_FILENO)) {}
    void Show(int percent, const QString &path)
    {
        if (!m_on)
            return;
        const int filled = percent * kWidth / 100;
        QString name = path.section(QLatin1Char('/'), -1);
        if (name.size() > 50)
            name = name.left(49) + QChar(0x2026);
        m_err << "\r[" << QString(filled, QLatin1Char('#')) << QString(kWidth - filled, QLatin1Char(' ')) << "] "
              << QString::number(percent).rightJustified(3) << "% " << name.leftJustified(50) << Qt::flush;
    }
    void Clear()
    {
        if (m_on)
            m_err << "\r" << QString(kWidth + 60, QLatin1Char(' ')) << "\r" << Qt::flush;
    }

private:
    static constexpr int kWidth = 30;
    QTextStream &m_err;
    bool m_on;
};

int runVerb(CliInvocation &inv)
{
    const bool dryRun = inv.parser.isSet(kDryRun);
    const QString reportFile = inv.parser.value(kReport);
    if (inv.parser.isSet(kReport) && reportFile.isEmpty()) {
        inv.err << "orvane-cli run: --report needs a file name\n";
        return ExitUsage;
    }
    int jobs = 0;
    if (inv.parser.isSet(kJobs)) {
        bool ok = false;
        jobs = inv.parser.value(kJobs).toInt(&ok);
        if (!ok || jobs < 1 || jobs > 256) {
            inv.err << "orvane-cli run: --jobs takes a number from 1 to 256\n";
            return ExitUsage;
        }
    }
    TBookList rows;
    try {
        LoadCliSettings(inv);
        for (const QString &path : inv.args)
            for (const QString &source : PathBookSources(path))
                rows.Append(BookSourceRows(source), Qt::Checked);
    } catch (const EOrvane &e) {
        inv.err << "orvane-cli run: " << e.Message() << "\n";
        return ExitFatal;
    }

    ProgressBar bar(inv.err);
    int percent = 0;
    TRunCallbacks cb;
    cb.Progress = [&](int p) { percent = p; };
    cb.CurrentPath = [&](const QString &path) { bar.Show(percent, path); };
    cb.RowDone = [&](const TRowReport &r) {
        if (dryRun) {
            inv.out << RowSource(r.Entry) << '\t' << OutcomeWord(r.Outcome) << '\t' << r.OutputPath;
            if (r.Outcome == TRowOutcome::NotPlaced)
                inv.out << '\t' << oneLine(r.Message);
            inv.out << '\n';
        } else if (r.Outcome == TRowOutcome::NotPlaced) {
            bar.Clear();
            inv.err << RowSource(r.Entry) << ": " << oneLine(r.Message) << "\n";
        }
    };

    struct sigaction sa {
    }, old{};
    sa.sa_handler = onInterrupt;
    ::sigaction(SIGINT, &sa, &old);
    TRunJournal journal(CliJournalFolder(inv));
    TRunOptions options;
    options.DryRun = dryRun;
    options.Journal = &journal;
    options.Jobs = jobs;
    TProcessingRun run(rows, cb, options);
    int status = ExitOk;
    try {
        run.Execute();
    } catch (const std::exception &) {
        status = ExitFatal;  // the summary below names the error
    }
    ::sigaction(SIGINT, &old, nullptr);
    bar.Clear();
    // What the run extracted is scratch; the archives still hold it.
    DeleteFolderTree(RunExtractDir(TempDir));

    const TRunSummary &s = run.Summary();
    if (s.Errors)
        inv.err << "orvane-cli run: " << s.ErrorMessage << "\n";
    // Also after an error or Ctrl+C: the report then says which rows were not reached.
    if (!reportFile.isEmpty()) {
        try {
            WriteRunReport(QFileInfo(reportFile).absoluteFilePath(), run.Report());
        } catch (const EOrvane &e) {
            inv.err << "orvane-cli run: " << e.Message() << "\n";
            status = ExitUsage;
        }
    }
    if (!journal.Path().isEmpty())
        inv.err << "Журнал: " << journal.Path() << "\n";
    if (s.Cancelled)
        inv.err << "Обработка прервана\n";
    inv.err << "Обработано: " << s.Processed << ", не прошли проверку: " << s.Invalid
            << ", не размещены: " << s.NotPlaced << ", ошибок: " << s.Errors << "\n";
    if (status == ExitOk && (s.Invalid || s.NotPlaced || s.Cancelled))
        status = ExitSomeFailed;
    return status;
}

const CliVerbRegistration registration(CliVerb{
    QStringLiteral("run"),
    QStringLiteral("Process books as the window's run does: validate, rename, sort, move or convert, pack."),
    QStringLiteral("PATH..."),
    1,
    [](QCommandLineParser &p) {
        p.addOption(kDryRun);
        p.addOption(kReport);
        p.addOption(JournalDirOption());
        p.addOption(kJobs);
    },
    runVerb,
});

}  // namespace
