#include "IniCodec.h"

#include "globals/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
bool StartsWith(const QByteArray &bytes, const char *prefix, qsizetype n)
{
    return bytes.size() >= n && std::equal(prefix, prefix + n, bytes.constData());
}
} // namespace

TIniText DecodeIniText(const QByteArray &bytes)
{
    if (StartsWith(bytes, "\xFF\xFE", 2)) {
        const auto *units = reinterpret_cast<const char16_t *>(bytes.constData() + 2);
        return {QString::fromUtf16(units, (bytes.size() - 2) / 2), EIniEncoding::Utf16Le};
    }
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        return {QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3), EIniEncoding::Utf8Bom};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, EIniEncoding::Utf8};
    return {DecodeCodePage(bytes, TCodePage::Ansi1251), EIniEncoding::Cp1251};
}

QByteArray EncodeIniText(const QString &text, EIniEncoding encoding)
{
    switch (encoding) {
    case EIniEncoding::Utf16Le: {
        QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
        return utf16.encode(text);
    }
    case EIniEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case EIniEncoding::Cp1251:
        if (std::optional<QByteArray> ansi = EncodeCodePage(text, TCodePage::Ansi1251))
            return *ansi;
        break;
    case EIniEncoding::Utf8:
        break;
    }
    return text.toUtf8();
}
