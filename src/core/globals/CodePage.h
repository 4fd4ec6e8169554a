#pragma once
// Text in the 8-bit code pages of Russian Windows and DOS: "CP1251" (ANSI) and "CP866" (OEM).
// A byte that the code page leaves undefined stands for the character of the same number, both
// ways, so that decoding and encoding again gives back the same bytes.

#include <QByteArray>
#include <QString>
#include <optional>

QString DecodeCodePage(QByteArrayView bytes, const char *codePage);

// Empty when some character has no byte in the code page.
std::optional<QByteArray> EncodeCodePage(QStringView text, const char *codePage);
