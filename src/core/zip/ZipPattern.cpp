#include "zip/ZipPattern.h"

namespace {

inline char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }

QStringView WithoutTrailingSlash(QStringView path) { return path.endsWith(u'/') ? path.chopped(1) : path; }

}  // namespace

bool MatchZipPattern(QStringView pattern, QStringView text)
{
    // Greedy with one back-tracking point: the last "*" seen. Linear in practice, never worse
    // than pattern length times text length.
    qsizetype p = 0, t = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size()) {
            const char16_t pc = pattern[p].unicode();
            if (pc == u'*') {
                starP = p++;
                starT = t;
                continue;
            }
            if (pc == u'?' || FoldAscii(pc) == FoldAscii(text[t].unicode())) {
                ++p;
                ++t;
                continue;
            }
        }
        if (starP < 0)
            return false;
        p = starP + 1;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

QStringView StoredFolder(QStringView storedPath)
{
    const QStringView path = WithoutTrailingSlash(storedPath);
    return path.first(path.lastIndexOf(u'/') + 1);
}

QStringView StoredName(QStringView storedPath)
{
    const QStringView path = WithoutTrailingSlash(storedPath);
    return path.sliced(path.lastIndexOf(u'/') + 1);
}

bool ZipEntryMatches(QStringView pattern, QStringView storedPath)
{
    const QStringView path = WithoutTrailingSlash(storedPath);
    if (MatchZipPattern(pattern, path))
        return true;
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash >= 0 && MatchZipPattern(pattern, path.sliced(slash + 1));
}
