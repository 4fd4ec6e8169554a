#include "CliRunner.h"

#include <QProcess>

CliResult RunCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(ORVANE_BIN_DIR "/orvane-cli"), args);
    if (!p.waitForFinished(30000))
        qFatal("orvane-cli did not finish");
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
