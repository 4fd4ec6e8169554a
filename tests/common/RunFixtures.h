#pragma once
// Small books, archives and settings files for the tests of the processing run.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <utility>

namespace RunFixtures {

// A valid FB2 book by that author with that title; `text` makes its content unique.
QByteArray ValidBook(const QString &lastName, const QString &firstName, const QString &title,
                     const QString &text = QString());
// Well-formed FB2 that the schema refuses (title-info without book-title).
QByteArray SchemaInvalidBook(const QString &text = QString());
// Not XML at all.
QByteArray NotXmlBook(const QString &text = QString());

// Writes a file, its folders first; fails the test when it cannot.
void PutFile(const QString &path, const QByteArray &data);

// A new archive at `zipPath` holding each data under its stored path ("a/b.fb2" for a folder).
void MakeZip(const QString &zipPath, const QList<std::pair<QString, QByteArray>> &entries);
// The entries of an archive by stored path, read back with the program's own reader.
QMap<QString, QByteArray> ZipContents(const QString &zipPath);

// Writes section "AUTO" with the given keys to a new settings file.
void WriteConfig(const QString &path, const QMap<QString, QString> &keys);

// Every file below `folder` (recursively, hidden ones included) by its full path, with its bytes.
QMap<QString, QByteArray> ContentsBelow(const QString &folder);

}  // namespace RunFixtures
