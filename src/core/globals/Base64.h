#pragma once
// Base64 decoding for cover pictures and the update announcement. Lenient by design: books
// in the wild wrap their binaries at any width and sprinkle blanks, so bytes outside the
// alphabet are skipped; decoding stops at the first group holding "=" and an incomplete last
// group is dropped. Never fails.

#include <QByteArray>

QByteArray DecodeBase64(const QByteArray &text);
