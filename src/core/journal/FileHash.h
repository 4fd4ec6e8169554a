#pragma once
// The content hash the journal keeps of every book: proof, before undo deletes or moves a file,
// that it is still the very book the run wrote.

#include <QByteArray>
#include <QString>

// Lower-case hex SHA-256 of the bytes.
QByteArray DataHash(const QByteArray &data);
// The same of a regular file's content; empty when `path` is not a regular file (a link, a
// folder, nothing) or cannot be read.
QByteArray RegularFileHash(const QString &path);
