#pragma once
// Three-way comparison of numbers, as the list's sort uses it.

#include <QtGlobal>

// 1 when a > b, -1 when a < b, 0 when equal.
inline int CompareIntegers(qint64 a, qint64 b) { return a > b ? 1 : (a < b ? -1 : 0); }
