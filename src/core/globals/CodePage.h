#pragma once
// Text in the 8-bit code pages of Russian Windows and DOS: CP1251 (ANSI) and CP866 (OEM).
// Tables are built once from iconv; conversions are then table look-ups. A byte that the code
// page leaves undefined stands for the character of the same number, both ways, so that decoding
// and encoding again gives back the same bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

enum class TCodePage { Ansi1251, Oem866 };

QString DecodeCodePage(QByteArrayView bytes, TCodePage page);

// Empty when some character has no byte in the code page.
std::optional<QByteArray> EncodeCodePage(QStringView text, TCodePage page);
// The byte of one character, or -1 when the code page has none.
int CodePageByte(char16_t c, TCodePage page);

// The well-formed UTF-8 sequence that starts at bytes[at]: its length (1 for ASCII), with its
// character in `c`; 0 when none starts there (no overlong forms, surrogates or characters past
// U+10FFFF).
int Utf8CharAt(QByteArrayView bytes, qsizetype at, char32_t &c);

// True when the bytes are well-formed UTF-8 and hold at least one multi-byte sequence,
// that is when reading them as UTF-8 differs from reading them as any 8-bit code page.
bool IsMultiByteUtf8(QByteArrayView bytes);
