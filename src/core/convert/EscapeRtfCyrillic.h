#pragma once

#include <QString>

// Every letter of the Russian alphabet (А-Я, а-я, Ё, ё) becomes the RTF escape \'hh of its
// Windows-1251 code in lower-case hex ("Ёлка" gives \'a8\'eb\'ea\'e0); every other character is
// copied unchanged.
QString EscapeRtfCyrillic(const QString &text);
