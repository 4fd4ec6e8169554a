#pragma once
// How INI files are stored: new files in UTF-8; a file in UTF-16 (either byte order, with or
// without a byte-order mark, as Windows tools write them) stays so; an 8-bit file that is not
// valid UTF-8 was made on Windows and is CP1251. A file is always written back in the encoding
// it was read in, so one file never mixes two.

#include <QByteArray>
#include <QString>

enum class EIniEncoding { Utf8, Utf8Bom, Utf16Le, Cp1251, Utf16LeNoBom, Utf16Be, Utf16BeNoBom };

struct TIniText {
    QString text;
    EIniEncoding encoding = EIniEncoding::Utf8;
    QByteArray trailing;  // a UTF-16 file's odd last byte: kept, not lost on rewrite
};

TIniText DecodeIniText(const QByteArray &bytes);

// In the file's own encoding; a CP1251 file that now holds a character outside the code page
// becomes UTF-8 rather than lose it.
QByteArray EncodeIniText(const QString &text, EIniEncoding encoding);
QByteArray EncodeIniText(const TIniText &ini);
