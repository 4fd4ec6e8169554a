#pragma once
// A verb of orvane-cli. Each verb's file registers one with a static CliVerbRegistration.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

struct CliInvocation {
    const QCommandLineParser &parser;
    QStringList args;  // positional arguments after the verb
    QString configPath;  // --config, or ConfigIniPath()
    QTextStream &out;  // UTF-8 standard output
    QTextStream &err;  // UTF-8 standard error
};

struct CliVerb {
    QString name;
    QString summary;
    QString positional;  // e.g. "BOOK.fb2..."
    int minArgs = 1;
    std::function<void(QCommandLineParser &)> addOptions;  // may be empty
    std::function<int(CliInvocation &)> run;  // exit status
};

struct CliVerbRegistration {
    explicit CliVerbRegistration(CliVerb verb);
};

const QList<CliVerb> &CliVerbs();

// Loads the settings of inv.configPath; says so on standard error when they could not be read.
void LoadCliSettings(CliInvocation &inv);

// Exit statuses shared by all verbs. A job that cannot go on (no schema, a conversion that
// failed, an error that ended a run) ends as a usage error does.
enum CliExit { ExitOk = 0, ExitSomeFailed = 1, ExitUsage = 2, ExitFatal = 2 };

// --journal-dir DIR of the verbs that write or read run journals, and the folder it names
// (default: the journal folder in the per-user data folder).
const QCommandLineOption &JournalDirOption();
QString CliJournalFolder(const CliInvocation &inv);
