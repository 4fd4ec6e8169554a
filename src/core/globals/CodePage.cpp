#include "globals/CodePage.h"

#include <QHash>
#include <array>
#include <iconv.h>

namespace {

struct TCodePageTable {
    std::array<char16_t, 128> high{};  // bytes 0x80..0xFF
    QHash<char16_t, char> reverse;  // characters of the upper half
};

TCodePageTable BuildTable(const char *iconvName)
{
    TCodePageTable t;
    for (int b = 0x80; b <= 0xFF; ++b)
        t.high[b - 0x80] = char16_t(b);
    iconv_t cd = iconv_open("UTF-16LE", iconvName);
    if (cd != iconv_t(-1)) {
        for (int b = 0x80; b <= 0xFF; ++b) {
            char in = char(b);
            unsigned char outBuf[8] = {};
            char *inPtr = &in;
            char *outPtr = reinterpret_cast<char *>(outBuf);
            size_t inLeft = 1, outLeft = sizeof outBuf;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && outLeft == sizeof outBuf - 2)
                t.high[b - 0x80] = char16_t(outBuf[0] | (outBuf[1] << 8));
        }
        iconv_close(cd);
    }
    // Defined bytes first, so that an undefined byte never takes a character a defined one has.
    for (int b = 0x80; b <= 0xFF; ++b)
        if (t.high[b - 0x80] != char16_t(b))
            t.reverse.insert(t.high[b - 0x80], char(b));
    for (int b = 0x80; b <= 0xFF; ++b)
        if (t.high[b - 0x80] == char16_t(b) && !t.reverse.contains(char16_t(b)))
            t.reverse.insert(char16_t(b), char(b));
    return t;
}

const TCodePageTable &Table(TCodePage page)
{
    static const TCodePageTable ansi = BuildTable("CP1251");
    static const TCodePageTable oem = BuildTable("CP866");
    return page == TCodePage::Ansi1251 ? ansi : oem;
}

}  // namespace

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

std::optional<QByteArray> EncodeCodePage(QStringView text, TCodePage page)
{
    const TCodePageTable &t = Table(page);
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            d[i] = char(c);
            continue;
        }
        const auto it = t.reverse.constFind(c);
        if (it == t.reverse.constEnd())
            return std::nullopt;
        d[i] = *it;
    }
    return out;
}

int CodePageByte(char16_t c, TCodePage page)
{
    if (c < 0x80)
        return c;
    const TCodePageTable &t = Table(page);
    const auto it = t.reverse.constFind(c);
    return it == t.reverse.constEnd() ? -1 : static_cast<unsigned char>(*it);
}

int Utf8CharAt(QByteArrayView bytes, qsizetype at, char32_t &c)
{
    const unsigned char b = static_cast<unsigned char>(bytes[at]);
    if (b < 0x80) {
        c = b;
        return 1;
    }
    int len;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
        c = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        c = b & 0x0F;
        if (b == 0xE0)
            lo = 0xA0;  // no overlong forms
        if (b == 0xED)
            hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        c = b & 0x07;
        if (b == 0xF0)
            lo = 0x90;
        if (b == 0xF4)
            hi = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + len > bytes.size())
        return 0;
    for (int k = 1; k < len; ++k) {
        const unsigned char next = static_cast<unsigned char>(bytes[at + k]);
        if (k == 1 ? (next < lo || next > hi) : (next < 0x80 || next > 0xBF))
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    return len;
}

bool IsMultiByteUtf8(QByteArrayView bytes)
{
    bool multi = false;
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t c;
        const int len = Utf8CharAt(bytes, i, c);
        if (!len)
            return false;
        multi = multi || len > 1;
        i += len;
    }
    return multi;
}
