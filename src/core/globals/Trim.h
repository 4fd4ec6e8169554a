#pragma once
// Trimming as the program's texts need it: blanks and control characters (codes up to U+0020)
// off both ends; other white space (no-break space) stays.

#include <QString>

inline QString Trim(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 0x20)
        ++b;
    while (e > b && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}
