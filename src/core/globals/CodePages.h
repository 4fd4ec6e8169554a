#pragma once
// The two 8-bit code pages a Russian Windows system uses: CP1251 (ANSI) and CP866 (OEM).
// Tables are built once from iconv; conversions are then table look-ups.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

enum class TCodePage { Ansi1251, Oem866 };

// Every byte maps to a character; a byte the code page leaves undefined becomes U+FFFD.
QString DecodeCodePage(QByteArrayView bytes, TCodePage page);

// False (and `out` unspecified) when some character has no byte in the code page.
bool EncodeCodePage(QStringView text, TCodePage page, QByteArray &out);

// True when the bytes are well-formed UTF-8 and hold at least one multi-byte sequence,
// that is when reading them as UTF-8 differs from reading them as any 8-bit code page.
bool IsMultiByteUtf8(QByteArrayView bytes);
