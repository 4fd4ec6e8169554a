#pragma once
// Runs the orvane-cli of this build and collects what it printed.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct CliResult {
    int status;  // exit code, -1 after a crash
    QString out;
    QString err;
};

// Aborts the test program when the command does not finish within 30 seconds.
CliResult RunCli(const QStringList &args);
// The same with another copy of the program (one without its data files beside it, say).
CliResult RunCli(const QStringList &args, const QString &program);
// ... and in the given environment (another home, XDG folders).
CliResult RunCli(const QStringList &args, const QString &program, const QProcessEnvironment &env);
