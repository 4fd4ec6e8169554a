#include "CliRunner.h"

#include <QProcess>

CliResult RunCli(const QStringList &args) { return RunCli(args, QStringLiteral(ORVANE_BIN_DIR "/orvane-cli")); }

CliResult RunCli(const QStringList &args, const QString &program)
{
    return RunCli(args, program, QProcessEnvironment::systemEnvironment());
}

CliResult RunCli(const QStringList &args, const QString &program, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(30000))
        qFatal("%s did not finish", qPrintable(program));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
