#include "IniCodec.h"

#include "globals/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
bool StartsWith(const QByteArray &bytes, const char *prefix, qsizetype n)
{
    return bytes.size() >= n && std::equal(prefix, prefix + n, bytes.constData());
}

bool IsUtf16(EIniEncoding e)
{
    return e == EIniEncoding::Utf16Le || e == EIniEncoding::Utf16LeNoBom || e == EIniEncoding::Utf16Be
        || e == EIniEncoding::Utf16BeNoBom;
}

bool IsBigEndian(EIniEncoding e) { return e == EIniEncoding::Utf16Be || e == EIniEncoding::Utf16BeNoBom; }

// UTF-16 without a mark: an INI file is mostly ASCII, so one byte of each pair is zero. NUL is
// valid UTF-8, so without this the file would read as UTF-8 full of NULs and every key be lost.
EIniEncoding GuessUtf16(const QByteArray &bytes)
{
    const qsizetype pairs = qMin<qsizetype>(bytes.size() / 2, 4096);
    qsizetype zeroLow = 0, zeroHigh = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        zeroLow += bytes[2 * i] == 0;
        zeroHigh += bytes[2 * i + 1] == 0;
    }
    if (pairs >= 2 && zeroHigh * 2 > pairs && zeroLow * 8 < pairs)
        return EIniEncoding::Utf16LeNoBom;
    if (pairs >= 2 && zeroLow * 2 > pairs && zeroHigh * 8 < pairs)
        return EIniEncoding::Utf16BeNoBom;
    return EIniEncoding::Utf8;
}

TIniText DecodeUtf16(const QByteArray &bytes, qsizetype start, EIniEncoding encoding)
{
    const qsizetype length = (bytes.size() - start) / 2 * 2;
    QStringDecoder decoder(IsBigEndian(encoding) ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                           QStringDecoder::Flag::Stateless);
    TIniText ini{decoder.decode(QByteArrayView(bytes).sliced(start, length)), encoding, {}};
    ini.trailing = bytes.mid(start + length);
    return ini;
}
}  // namespace

TIniText DecodeIniText(const QByteArray &bytes)
{
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return DecodeUtf16(bytes, 2, EIniEncoding::Utf16Le);
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return DecodeUtf16(bytes, 2, EIniEncoding::Utf16Be);
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3))
        return {QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3), EIniEncoding::Utf8Bom, {}};
    if (const EIniEncoding utf16 = GuessUtf16(bytes); utf16 != EIniEncoding::Utf8)
        return DecodeUtf16(bytes, 0, utf16);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, EIniEncoding::Utf8, {}};
    return {DecodeCodePage(bytes, TCodePage::Ansi1251), EIniEncoding::Cp1251, {}};
}

QByteArray EncodeIniText(const QString &text, EIniEncoding encoding)
{
    if (IsUtf16(encoding)) {
        const bool mark = encoding == EIniEncoding::Utf16Le || encoding == EIniEncoding::Utf16Be;
        QStringEncoder utf16(IsBigEndian(encoding) ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE,
                             mark ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Stateless);
        return utf16.encode(text);
    }
    switch (encoding) {
    case EIniEncoding::Utf8Bom: return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case EIniEncoding::Cp1251:
        if (std::optional<QByteArray> ansi = EncodeCodePage(text, TCodePage::Ansi1251))
            return *ansi;
        break;
    default: break;
    }
    return text.toUtf8();
}

QByteArray EncodeIniText(const TIniText &ini) { return EncodeIniText(ini.text, ini.encoding) + ini.trailing; }
