#pragma once
// Text files as the program writes them: line by line, every line ending in CR LF.

#include <QString>
#include <QStringList>

enum class TTextEncoding {
    Utf8Bom,  // UTF-8 after the byte-order mark EF BB BF
    Ansi,  // Windows-1251 without byte-order mark; a character it lacks is written as "?"
};

// The lines of a text, broken at CR LF, at a lone CR and at a lone LF; a break at the very end
// gives no empty last line.
QStringList TextLines(const QString &text);

// The bytes SaveTextLines writes.
QByteArray TextLinesData(const QString &text, TTextEncoding encoding);

// The lines of text already encoded in an ASCII-compatible way, each followed by CR LF, as
// TextLines cuts them, without decoding it (CR and LF are never part of a longer sequence).
QByteArray CrLfLines(QByteArrayView text);
// TextLinesData for Utf8Bom of text that is UTF-8 already.
QByteArray Utf8TextLinesData(const QByteArray &utf8);

// Writes the lines of text to path, each followed by CR LF, in the given encoding. The file is
// written under a temporary name and takes the place of an existing one only when complete.
// Raises "Cannot create file "%s". %s" (the path and the system's reason).
void SaveTextLines(const QString &path, const QString &text, TTextEncoding encoding);

// Writes data to path under a temporary name that takes the place of an existing file only when
// complete. Raises CannotCreateFile. `flushNew` as for WriteFileReplacing.
void SaveFileData(const QString &path, const QByteArray &data, bool flushNew = true);

// "Cannot create file "%s". %s": the path and the system's reason.
QString CannotCreateFile(const QString &path, const QString &reason);
QString CannotCreateFile(const QString &path, int error);
