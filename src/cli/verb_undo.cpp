// orvane-cli undo [JOURNAL]: takes back a run, by default the newest one not yet undone, as
// "Отменить последнюю обработку" does in the window.

#include "Verb.h"

#include "globals/Errors.h"
#include "journal/JournalFiles.h"
#include "journal/UndoRun.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> g_stop{false};

extern "C" void onUndoInterrupt(int) { g_stop = true; }

int undoVerb(CliInvocation &inv)
{
    QString path = inv.args.value(0);
    if (path.isEmpty()) {
        path = LastUndoable(CliJournalFolder(inv));
        if (path.isEmpty()) {
            inv.err << "orvane-cli undo: нет обработки, которую можно отменить\n";
            return ExitSomeFailed;
        }
    }
    struct sigaction sa {
    }, old{};
    sa.sa_handler = onUndoInterrupt;
    ::sigaction(SIGINT, &sa, &old);
    TUndoCallbacks cb;
    cb.Cancelled = [] { return g_stop.load(); };
    TUndoResult r;
    try {
        r = UndoJournal(path, cb);
    } catch (const EOrvane &e) {
        ::sigaction(SIGINT, &old, nullptr);
        inv.err << "orvane-cli undo: " << e.Message() << "\n";
        return ExitUsage;
    }
    ::sigaction(SIGINT, &old, nullptr);
    for (const QString &p : r.Problems)
        inv.err << p << "\n";
    if (r.Cancelled)
        inv.err << "Отмена обработки прервана\n";
    inv.err << "Отменено шагов: " << r.Reversed << ", уже были на месте: " << r.AlreadyBack
            << ", оставлено: " << r.Problems.size() << "\n";
    inv.err << "Журнал: " << r.UndoJournal << "\n";
    return r.Problems.isEmpty() && !r.Cancelled ? ExitOk : ExitSomeFailed;
}

const CliVerbRegistration registration(CliVerb{
    QStringLiteral("undo"),
    QStringLiteral("Put the books of a run back where they came from (default: the newest run not undone)."),
    QStringLiteral("[JOURNAL]"),
    0,
    [](QCommandLineParser &p) { p.addOption(JournalDirOption()); },
    undoVerb,
});

}  // namespace
