#include "fb2/NumberText.h"

#include "globals/Errors.h"
#include "globals/Trim.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDecimalPoint(QChar c) { return c == QLatin1Char('.') || QLocale::system().decimalPoint() == QString(c); }

[[noreturn]] void NotAnInteger(const QString &text)
{
    throw EOrvane(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

[[noreturn]] void NotAFloat(const QString &text)
{
    throw EOrvane(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

}  // namespace

int TextToInt32(const QString &text)
{
    const QString s = Trim(text);
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        negative = s[i++] == QLatin1Char('-');

    // Integer part, without overflow: anything above 2^31 is out of range anyway.
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    bool overflow = false;
    qsizetype digits = 0;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++digits) {
        value = value * 10 + (s[i].unicode() - '0');
        if (value > limit) {
            overflow = true;
            value = limit + 1;
        }
    }
    // Fraction: only its relation to one half matters.
    int half = -1;  // -1 below a half, 0 exactly a half, 1 above
    if (i < s.size() && IsDecimalPoint(s[i])) {
        ++i;
        bool first = true, restNonZero = false;
        int firstDigit = 0;
        for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i, ++digits) {
            const int d = s[i].unicode() - '0';
            if (first)
                firstDigit = d;
            else if (d)
                restNonZero = true;
            first = false;
        }
        if (!first)
            half = firstDigit > 5 || (firstDigit == 5 && restNonZero) ? 1 : firstDigit == 5 ? 0 : -1;
    }
    if (digits == 0 || i != s.size())
        NotAnInteger(text);
    if (half > 0 || (half == 0 && (value & 1)))
        ++value;
    if (overflow || value > limit || (!negative && value == limit))
        NotAnInteger(text);
    return int(negative ? -value : value);
}

float TextToFloat(const QString &text)
{
    QString s = Trim(text);
    if (s.startsWith(QLatin1Char('+')))
        s.remove(0, 1);
    QByteArray bytes;
    for (QChar c : s) {
        if (c.unicode() >= 128)
            NotAFloat(text);
        bytes += IsDecimalPoint(c) ? '.' : char(c.unicode());
    }
    for (char c : bytes)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != 'e' && c != 'E')
            NotAFloat(text);  // no "inf", "nan" or hexadecimal
    float value = 0;
    const char *end = bytes.constData() + bytes.size();
    const auto [ptr, ec] = std::from_chars(bytes.constData(), end, value, std::chars_format::general);
    if (bytes.isEmpty() || ec != std::errc() || ptr != end || !std::isfinite(value))
        NotAFloat(text);
    return value;
}

QString FloatToText(float value)
{
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? QString::fromLatin1(buffer, ptr - buffer) : QString();
}
