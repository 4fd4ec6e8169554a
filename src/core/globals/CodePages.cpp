#include "globals/CodePages.h"

#include <QHash>
#include <array>
#include <iconv.h>

namespace {

struct TCodePageTable {
    std::array<char16_t, 128> high{};      // bytes 0x80..0xFF
    QHash<char16_t, char> reverse;         // characters of the upper half
};

TCodePageTable BuildTable(const char *iconvName)
{
    TCodePageTable t;
    t.high.fill(0xFFFD);
    iconv_t cd = iconv_open("UTF-16LE", iconvName);
    if (cd == iconv_t(-1))
        return t;  // no converter: every upper byte stays undefined
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in = char(b);
        unsigned char outBuf[8] = {};
        char *inPtr = &in;
        char *outPtr = reinterpret_cast<char *>(outBuf);
        size_t inLeft = 1, outLeft = sizeof outBuf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == sizeof outBuf - 2) {
            const char16_t c = char16_t(outBuf[0] | (outBuf[1] << 8));
            t.high[b - 0x80] = c;
            t.reverse.insert(c, char(b));
        }
    }
    iconv_close(cd);
    return t;
}

const TCodePageTable &Table(TCodePage page)
{
    static const TCodePageTable ansi = BuildTable("CP1251");
    static const TCodePageTable oem = BuildTable("CP866");
    return page == TCodePage::Ansi1251 ? ansi : oem;
}

} // namespace

QString DecodeCodePage(QByteArrayView bytes, TCodePage page)
{
    const TCodePageTable &t = Table(page);
    QString s(bytes.size(), Qt::Uninitialized);
    QChar *d = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        d[i] = b < 0x80 ? QChar(b) : QChar(t.high[b - 0x80]);
    }
    return s;
}

bool EncodeCodePage(QStringView text, TCodePage page, QByteArray &out)
{
    const TCodePageTable &t = Table(page);
    out.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out[i] = char(c);
            continue;
        }
        const auto it = t.reverse.constFind(c);
        if (it == t.reverse.constEnd())
            return false;
        out[i] = *it;
    }
    return true;
}

bool IsMultiByteUtf8(QByteArrayView bytes)
{
    bool multi = false;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0) lo = 0xA0;        // no overlong forms
            if (b == 0xED) hi = 0x9F;        // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;        // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            if (k == 1 ? (c < lo || c > hi) : (c < 0x80 || c > 0xBF))
                return false;
        }
        multi = true;
        i += len;
    }
    return multi;
}
