#pragma once
// Small FB2 fixtures written into temporary folders.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Writes bytes to dir/name and returns the path; aborts the test program when it cannot.
QString WriteFixture(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

// A temporary folder that hands out new fixture files: b1.fb2, b2.fb2, ...
class FixtureFolder {
public:
    QString Write(const QByteArray &bytes);
    const QTemporaryDir &Dir() const { return m_dir; }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

// A UTF-8 FictionBook document in the FB2 namespace (XLink bound to "l") around the given
// children of the root.
QByteArray Fb2Book(const QByteArray &rootContent);
// The same, with the given children of description.
QByteArray Fb2BookWithDescription(const QByteArray &descriptionContent);
