#pragma once
// The records of the ZIP format (PKWARE APPNOTE) that the archive layer reads and writes.

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QtGlobal>

constexpr quint32 kSigLocal = 0x04034b50;  // PK\3\4
constexpr quint32 kSigCentral = 0x02014b50;  // PK\1\2
constexpr quint32 kSigEnd = 0x06054b50;  // PK\5\6
constexpr quint32 kSigEnd64 = 0x06064b50;  // PK\6\6
constexpr quint32 kSigEnd64Locator = 0x07064b50;  // PK\6\7
constexpr quint32 kSigDescriptor = 0x08074b50;  // PK\7\8

constexpr int kLocalHeaderSize = 30;
constexpr int kCentralHeaderSize = 46;
constexpr int kEndRecordSize = 22;

constexpr quint16 kZipFlagEncrypted = 0x0001;
constexpr quint16 kZipFlagDescriptor = 0x0008;

constexpr quint16 kMethodStored = 0;
constexpr quint16 kMethodDeflated = 8;

constexpr int kHostMsDos = 0;
constexpr int kHostUnix = 3;

inline quint16 ReadLE16(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint16(u[0] | (u[1] << 8));
}
inline quint32 ReadLE32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | (quint32(u[1]) << 8) | (quint32(u[2]) << 16) | (quint32(u[3]) << 24);
}
inline quint64 ReadLE64(const char *p) { return ReadLE32(p) | (quint64(ReadLE32(p + 4)) << 32); }

inline void AppendLE16(QByteArray &b, quint16 v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}
inline void AppendLE32(QByteArray &b, quint32 v)
{
    AppendLE16(b, quint16(v & 0xFFFF));
    AppendLE16(b, quint16(v >> 16));
}
inline void WriteLE32(char *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

// Finds the extra-field block `id`; false when absent or when the blocks are malformed.
bool FindExtraField(QByteArrayView extra, quint16 id, QByteArrayView &data);

// DOS date (high word) and time (low word) in local time, two-second resolution.
QDateTime DosDateTimeToLocal(quint32 dosDateTime);
quint32 LocalToDosDateTime(const QDateTime &t);
