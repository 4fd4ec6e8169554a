#pragma once
// Conversions between attribute text and numbers, with the errors of the node layer.

#include <QString>

// A decimal integer with optional sign and surrounding blanks; a decimal fraction is rounded to
// the nearest integer, a half to the even neighbour. '.' and the locale's decimal separator are
// accepted. Throws EOrvane "'%s' is not a valid integer value" for empty text, text that is not
// a number, and values outside the 32-bit signed range.
int TextToInt32(const QString &text);

// A decimal number, optionally with exponent, as a 32-bit float. Throws EOrvane
// "'%s' is not a valid floating point value" for empty text, non-numbers and overflow.
float TextToFloat(const QString &text);

// The shortest text that reads back as the same float.
QString FloatToText(float value);
