#include "convert/RtfAnsiText.h"

#include "globals/CodePage.h"
#include "globals/TextFile.h"

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

}  // namespace

QByteArray RtfAnsiText(QByteArrayView utf8)
{
    static const char hex[] = "0123456789abcdef";
    QByteArray text;
    text.reserve(utf8.size() + utf8.size() / 2);
    for (qsizetype i = 0; i < utf8.size();) {
        char32_t c = 0;
        const int length = Utf8CharAt(utf8, i, c);
        i += length ? length : 1;  // a byte that starts no character is one without a byte
        if (const int code = length ? Cp1251Letter(c) : 0) {
            const char escape[] = {'\\', '\'', hex[code >> 4], hex[code & 0xF]};
            text.append(escape, 4);
        } else {
            const int byte = length && c <= 0xFFFF ? CodePageByte(char16_t(c), TCodePage::Ansi1251) : -1;
            text += byte < 0 ? '?' : char(byte);
        }
    }
    // CR and LF stay themselves, and no other character becomes one: the lines are cut after.
    return CrLfLines(text);
}
