#pragma once
// How INI files are stored: new files in UTF-8; a file that begins with a UTF-16LE byte-order
// mark stays UTF-16; an 8-bit file that is not valid UTF-8 was made on Windows and is CP1251.

#include <QByteArray>
#include <QString>

enum class EIniEncoding { Utf8, Utf8Bom, Utf16Le, Cp1251 };

struct TIniText {
    QString text;
    EIniEncoding encoding = EIniEncoding::Utf8;
};

TIniText DecodeIniText(const QByteArray &bytes);

// In the file's own encoding; a CP1251 file that now holds a character outside the code page
// becomes UTF-8 rather than lose it.
QByteArray EncodeIniText(const QString &text, EIniEncoding encoding);
