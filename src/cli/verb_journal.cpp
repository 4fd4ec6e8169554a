// orvane-cli journal: the runs that can be undone, newest first (the first is the one
// "orvane-cli undo" takes back without an argument).

#include "Verb.h"

#include "journal/JournalFiles.h"

namespace {

const QCommandLineOption kAll(QStringLiteral("all"), QStringLiteral("List the runs already undone as well."));

QString stateWord(const TJournalInfo &j)
{
    if (j.Undone)
        return QStringLiteral("отменена");
    if (j.End == QLatin1String("done"))
        return QStringLiteral("завершена");
    if (j.End == QLatin1String("cancelled"))
        return QStringLiteral("остановлена");
    if (j.End == QLatin1String("failed"))
        return QStringLiteral("прервана ошибкой");
    return QStringLiteral("прервана");  // killed: no end line
}

int journalVerb(CliInvocation &inv)
{
    const bool all = inv.parser.isSet(kAll);
    for (const TJournalInfo &j : ListJournals(CliJournalFolder(inv))) {
        if (j.Steps == 0 || (j.Undone && !all))
            continue;
        inv.out << j.Path << '\t' << j.Started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << '\t'
                << (j.IsUndo ? QStringLiteral("отмена") : QStringLiteral("обработка")) << '\t' << j.Steps << '\t'
                << stateWord(j) << '\n';
    }
    return ExitOk;
}

const CliVerbRegistration registration(CliVerb{
    QStringLiteral("journal"),
    QStringLiteral("List the run journals that can be undone, newest first."),
    QString(),
    0,
    [](QCommandLineParser &p) {
        p.addOption(JournalDirOption());
        p.addOption(kAll);
    },
    journalVerb,
});

}  // namespace
