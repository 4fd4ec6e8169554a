#pragma once
// Making archives at test time: with the zip command, with Python's zipfile, or byte by byte
// with tests/data/zipcraft.py; and small file helpers around them.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ZipFixtures {

// Runs a program to its end; returns its exit status (-1 when it did not run). Its standard
// output goes to `out` when given; its error output is printed as a warning on failure.
int Run(const QString &program, const QStringList &args, const QString &workDir = QString(), QByteArray *out = nullptr);

// The Python interpreter to run, and python3 -c script args...
QString PythonProgram();
int Python(const QString &script, const QStringList &args = {}, const QString &workDir = QString(),
           QByteArray *out = nullptr);

// An archive described in JSON (see tests/data/zipcraft.py); true when it was written.
bool Craft(const QString &path, const QByteArray &json);

bool WriteFile(const QString &path, const QByteArray &data);
QByteArray ReadFile(const QString &path);

// Every file below `root`, as paths relative to it, sorted.
QStringList FilesBelow(const QString &root);

}  // namespace ZipFixtures
