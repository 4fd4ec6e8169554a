#include "zip/ZipNames.h"

#include "globals/CodePage.h"
#include "zip/ZipFormat.h"

#include <zlib.h>

namespace {

// The Unicode Path extra field: version 1, CRC-32 of the stored name, the name in UTF-8.
// A CRC that does not match means the name was changed by a tool that ignored the field.
bool UnicodePathField(QByteArrayView raw, QByteArrayView extra, QString &name)
{
    QByteArrayView data;
    if (!FindExtraField(extra, 0x7075, data) || data.size() < 5 || quint8(data[0]) != 1)
        return false;
    const quint32 crc = ReadLE32(data.data() + 1);
    if (crc != quint32(crc32(0, reinterpret_cast<const Bytef *>(raw.data()), uInt(raw.size()))))
        return false;
    name = QString::fromUtf8(data.sliced(5));
    return true;
}

} // namespace

QString DecodeEntryName(QByteArrayView raw, quint16 flags, QByteArrayView extra)
{
    QString name;
    if (UnicodePathField(raw, extra, name))
        return name;
    if (IsMultiByteUtf8(raw))
        return QString::fromUtf8(raw);
    return DecodeCodePage(raw, (flags & kZipFlagUtf8) ? TCodePage::Ansi1251 : TCodePage::Oem866);
}

QByteArray EncodeEntryName(const QString &name, quint16 &flags)
{
    const std::optional<QByteArray> oem = EncodeCodePage(name, TCodePage::Oem866);
    if (oem && EncodeCodePage(name, TCodePage::Ansi1251) && !IsMultiByteUtf8(*oem)) {
        flags &= ~kZipFlagUtf8;
        return *oem;
    }
    flags |= kZipFlagUtf8;
    return name.toUtf8();
}
