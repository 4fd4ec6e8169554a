#include "convert/EscapeRtfCyrillic.h"

namespace {

// The Windows-1251 code of a Russian letter, or 0 for any other character.
int Cp1251Letter(char16_t c)
{
    if (c >= u'А' && c <= u'я')
        return 0xC0 + (c - u'А');
    if (c == u'Ё')
        return 0xA8;
    if (c == u'ё')
        return 0xB8;
    return 0;
}

}  // namespace

QString EscapeRtfCyrillic(const QString &text)
{
    static const char16_t hex[] = u"0123456789abcdef";
    QString out;
    out.reserve(text.size() + text.size() / 2);
    for (const QChar ch : text) {
        const int code = Cp1251Letter(ch.unicode());
        if (!code) {
            out += ch;
            continue;
        }
        const char16_t escape[] = {u'\\', u'\'', hex[code >> 4], hex[code & 0xF]};
        out.append(reinterpret_cast<const QChar *>(escape), 4);
    }
    return out;
}
