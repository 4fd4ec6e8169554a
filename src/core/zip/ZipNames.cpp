#include "zip/ZipNames.h"

#include "globals/CodePage.h"
#include "zip/ZipFormat.h"

#include <algorithm>
#include <zlib.h>

namespace {

constexpr int kUnicodePathVersion = 1;
constexpr int kUnicodePathHead = 5;  // version and CRC-32 of the stored name, then UTF-8

quint32 NameCrc(QByteArrayView raw)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef *>(raw.data()), uInt(raw.size())));
}

bool IsAscii(QByteArrayView raw)
{
    return std::all_of(raw.begin(), raw.end(), [](char c) { return quint8(c) < 0x80; });
}

bool IsUtf8(QByteArrayView raw) { return IsAscii(raw) || IsMultiByteUtf8(raw); }

bool UnicodePathField(QByteArrayView raw, QByteArrayView extra, QString &name)
{
    QByteArrayView data;
    if (!FindExtraField(extra, kExtraUnicodePath, data) || data.size() <= kUnicodePathHead
        || quint8(data[0]) != kUnicodePathVersion || ReadLE32(data.data() + 1) != NameCrc(raw))
        return false;
    const QByteArrayView utf8 = data.sliced(kUnicodePathHead);
    if (!IsUtf8(utf8) || utf8.contains('\0'))
        return false;
    name = QString::fromUtf8(utf8);
    return true;
}

// The systems whose packers store names in the OEM code page.
bool OemHost(int host)
{
    constexpr int kMsDos = 0, kOs2Hpfs = 6, kWindowsNtfs = 10, kVfat = 14;
    return host == kMsDos || host == kOs2Hpfs || host == kWindowsNtfs || host == kVfat;
}

}  // namespace

QString DecodeEntryName(QByteArrayView raw, quint16 flags, int host, QByteArrayView extra)
{
    QString name;
    if (UnicodePathField(raw, extra, name))
        return name;
    if (flags & kZipFlagUtf8)
        return IsUtf8(raw) ? QString::fromUtf8(raw) : DecodeCodePage(raw, TCodePage::Ansi1251);
    if (!OemHost(host) && IsMultiByteUtf8(raw))
        return QString::fromUtf8(raw);
    return DecodeCodePage(raw, TCodePage::Oem866);
}

QByteArray EncodeEntryName(const QString &name, quint16 &flags, QByteArray &extra)
{
    extra.clear();
    const std::optional<QByteArray> oem = EncodeCodePage(name, TCodePage::Oem866);
    if (!oem || !EncodeCodePage(name, TCodePage::Ansi1251)) {
        flags |= kZipFlagUtf8;
        return name.toUtf8();
    }
    flags &= ~kZipFlagUtf8;
    const QByteArray utf8 = name.toUtf8();
    if (!IsAscii(*oem) && utf8.size() <= 0xFFFF - 4 - kUnicodePathHead) {
        AppendLE16(extra, kExtraUnicodePath);
        AppendLE16(extra, quint16(kUnicodePathHead + utf8.size()));
        extra.append(char(kUnicodePathVersion));
        AppendLE32(extra, NameCrc(*oem));
        extra += utf8;
    }
    return *oem;
}
