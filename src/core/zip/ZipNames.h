#pragma once
// Entry names as ZIP archives store them: bytes, the language-encoding flag (bit 11), the host
// of "version made by" and the Info-ZIP Unicode Path extra field (0x7075).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

constexpr quint16 kZipFlagUtf8 = 0x0800;
constexpr quint16 kExtraUnicodePath = 0x7075;
// For a name whose header does not say which system wrote it (a local header).
constexpr int kHostUnknown = -1;

// Reading, first rule that applies:
//   1. a Unicode Path field (version 1, valid UTF-8) whose CRC matches the stored bytes; a CRC
//      that does not match means a tool renamed the entry and left the field behind;
//   2. bit 11: UTF-8, or CP1251 when the bytes are not UTF-8;
//   3. MS-DOS, OS/2 and Windows hosts: CP866, as a Russian Windows packer writes. Its lower-case
//      Cyrillic often forms valid UTF-8 by chance ("сам" would read as one Mongolian letter),
//      so no guessing here;
//   4. other hosts (Unix, macOS) write the bytes of their locale: UTF-8 when the bytes are
//      well-formed UTF-8 with a multi-byte sequence, else CP866.
QString DecodeEntryName(QByteArrayView raw, quint16 flags, int host, QByteArrayView extra);

// Writing. CP866 without bit 11 when both CP1251 and CP866 hold every character, as a Russian
// Windows packer stores it; a non-ASCII one of these also gets `extra`, the Unicode Path field
// with its UTF-8 form, for the tools that would read CP866 as another code page. Any other name
// is UTF-8 with bit 11 set in `flags` and no extra field.
QByteArray EncodeEntryName(const QString &name, quint16 &flags, QByteArray &extra);
