#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The bytes of an RTF conversion, from the UTF-8 the style sheet gave: every letter of the Russian
// alphabet (А-Я, а-я, Ё, ё) becomes the escape \'hh of its Windows-1251 code in lower-case hex
// ("Ёлка" gives \'a8\'eb\'ea\'e0), every other character its Windows-1251 byte or "?" when it has
// none, and every line ends in CR LF (the last one too). One pass over the bytes: the result of a
// big book is never widened to UTF-16 and cut into lines.
QByteArray RtfAnsiText(QByteArrayView utf8);
