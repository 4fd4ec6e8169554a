#include "Verb.h"

#include "journal/JournalFiles.h"

const QCommandLineOption &JournalDirOption()
{
    static const QCommandLineOption option(
        QStringLiteral("journal-dir"),
        QStringLiteral("Folder of the run journals (default: journal/ in the per-user data folder)."),
        QStringLiteral("DIR"));
    return option;
}

QString CliJournalFolder(const CliInvocation &inv)
{
    const QString dir = inv.parser.value(JournalDirOption());
    return dir.isEmpty() ? JournalFolder() : dir;
}
