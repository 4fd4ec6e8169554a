#include "list/ListOrder.h"

#include "globals/Compare.h"

#include <algorithm>

namespace {

// By UTF-16 code units, not code points: a surrogate pair sorts below U+E000..U+FFFF.
int CompareCodeUnits(const QString &a, const QString &b)
{
    const auto r =
        std::lexicographical_compare_three_way(a.utf16(), a.utf16() + a.size(), b.utf16(), b.utf16() + b.size());
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

int CompareListEntries(const TListEntry &a, const TListEntry &b, int tag)
{
    switch (tag) {
    case lcFileName: return CompareCodeUnits(a.FileName, b.FileName);
    case lcFileSize: return CompareIntegers(a.FileSize, b.FileSize);
    default: return 0;
    }
}
