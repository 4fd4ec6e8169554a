#include "globals/Base64.h"

#include <array>

namespace {

constexpr int Skip = -1;
constexpr int Pad = 64;

constexpr std::array<signed char, 256> MakeTable()
{
    std::array<signed char, 256> t{};
    for (auto &v : t)
        v = Skip;
    for (int i = 0; i < 26; ++i) {
        t['A' + i] = static_cast<signed char>(i);
        t['a' + i] = static_cast<signed char>(26 + i);
    }
    for (int i = 0; i < 10; ++i)
        t['0' + i] = static_cast<signed char>(52 + i);
    t['+'] = 62;
    t['/'] = 63;
    t['='] = Pad;
    return t;
}

constexpr auto Values = MakeTable();

}  // namespace

QByteArray DecodeBase64(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size() / 4 * 3);
    int group[4];
    int n = 0;
    for (const char ch : text) {
        const int v = Values[static_cast<unsigned char>(ch)];
        if (v == Skip)
            continue;
        group[n++] = v;
        if (n < 4)
            continue;
        n = 0;
        // A pad mark in the first two places is malformed; it is taken as 64 like the rest
        // and only ends decoding where it stands in the third or fourth place.
        const int a = group[0], b = group[1], c = group[2], d = group[3];
        out.append(static_cast<char>((a * 4 + b / 16) % 256));
        if (c == Pad)
            break;
        out.append(static_cast<char>((b % 16) * 16 + c / 4));
        if (d == Pad)
            break;
        out.append(static_cast<char>((c % 4) * 64 + d));
    }
    return out;
}
