#include "convert/RtfAnsiText.h"

#include "globals/CodePage.h"

namespace {

// The Windows-1251 code of a Russian letter, or 0 for any other character.
int Cp1251Letter(char32_t c)
{
    if (c >= U'А' && c <= U'я')
        return 0xC0 + int(c - U'А');
    if (c == U'Ё')
        return 0xA8;
    if (c == U'ё')
        return 0xB8;
    return 0;
}

// The character at `p` and its length; a byte that starts no well-formed sequence is one
// character without a code (-1).
char32_t NextChar(const unsigned char *p, const unsigned char *end, int &length)
{
    const unsigned char b = p[0];
    int n;
    char32_t c;
    char32_t least;
    if (b < 0x80) {
        length = 1;
        return b;
    } else if (b >= 0xC2 && b <= 0xDF) {
        n = 2, c = b & 0x1F, least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3, c = b & 0x0F, least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4, c = b & 0x07, least = 0x10000;
    } else {
        length = 1;
        return char32_t(-1);
    }
    if (end - p < n) {
        length = 1;
        return char32_t(-1);
    }
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            length = 1;
            return char32_t(-1);
        }
        c = (c << 6) | (p[i] & 0x3F);
    }
    length = n;
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        length = 1;
        return char32_t(-1);
    }
    return c;
}

}  // namespace

QByteArray RtfAnsiText(QByteArrayView utf8)
{
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(utf8.size() + utf8.size() / 2 + 16);
    const auto *p = reinterpret_cast<const unsigned char *>(utf8.data());
    const auto *const end = p + utf8.size();
    bool lineOpen = false;
    while (p < end) {
        const unsigned char b = *p;
        if (b == '\r' || b == '\n') {
            out += "\r\n";
            p += b == '\r' && p + 1 < end && p[1] == '\n' ? 2 : 1;
            lineOpen = false;
            continue;
        }
        lineOpen = true;
        if (b < 0x80) {
            out += char(b);
            ++p;
            continue;
        }
        int length;
        const char32_t c = NextChar(p, end, length);
        p += length;
        if (const int code = Cp1251Letter(c)) {
            const char escape[] = {'\\', '\'', hex[code >> 4], hex[code & 0xF]};
            out.append(escape, 4);
        } else {
            const int byte = c <= 0xFFFF ? CodePageByte(char16_t(c), TCodePage::Ansi1251) : -1;
            out += byte < 0 ? '?' : char(byte);
        }
    }
    if (lineOpen)
        out += "\r\n";
    return out;
}
