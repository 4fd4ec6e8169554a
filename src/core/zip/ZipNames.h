#pragma once
// Entry names as ZIP archives store them: bytes plus the language-encoding flag (bit 11).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

constexpr quint16 kZipFlagUtf8 = 0x0800;

// Reading. A valid Unicode Path extra field (0x7075) wins. With bit 11 set the name is UTF-8.
// With it clear, a name that is well-formed UTF-8 with a multi-byte sequence is UTF-8 (Linux
// packers write names that way without the flag); anything else is CP866, as a Russian Windows
// packer writes it.
QString DecodeEntryName(QByteArrayView raw, quint16 flags, QByteArrayView extra);

// Writing. CP866 without bit 11 when both CP1251 and CP866 hold every character and the bytes
// cannot be mistaken for UTF-8 on reading; otherwise UTF-8 with bit 11 set in `flags`.
QByteArray EncodeEntryName(const QString &name, quint16 &flags);
