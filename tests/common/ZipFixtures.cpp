#include "ZipFixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtDebug>

namespace ZipFixtures {

int Run(const QString &program, const QStringList &args, const QString &workDir, QByteArray *out)
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        qWarning() << program << "did not finish:" << p.errorString();
        return -1;
    }
    if (out)
        *out = p.readAllStandardOutput();
    if (p.exitCode() != 0)
        qWarning() << program << args << "exited with" << p.exitCode() << p.readAllStandardError();
    return p.exitCode();
}

// The system's interpreter (scripts/setup installs it) starts far faster than a version
// manager's wrapper that may come first on PATH.
QString PythonProgram()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                 : QStringLiteral("python3");
}

int Python(const QString &script, const QStringList &args, const QString &workDir, QByteArray *out)
{
    return Run(PythonProgram(), QStringList{QStringLiteral("-c"), script} + args, workDir, out);
}

bool Craft(const QString &path, const QByteArray &json)
{
    QDir().mkpath(QFileInfo(path).path());
    return Run(PythonProgram(), {QStringLiteral(ORVANE_TEST_DATA "/zipcraft.py"), path, QString::fromUtf8(json)}) == 0;
}

bool WriteFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data) == data.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList FilesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

}  // namespace ZipFixtures
