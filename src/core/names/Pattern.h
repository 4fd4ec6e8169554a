#pragma once
// The pattern language: name and sort patterns written with 13 Russian words (or their
// placeholders "%aut" to "%lang") that stand for fields of a book's metadata.

#include "config/AppSettings.h"
#include "globals/BookData.h"

#include <QString>
#include <array>

struct TPatternWord {
    QString word;  // what the user writes and the pattern editors insert
    QString placeholder;  // the internal token
};

// The 13 words in processing order.
const std::array<TPatternWord, 13> &PatternVocabulary();

// Which pattern ExpandPattern applies.
enum EPatternKind : int { pkSort = 0, pkName = 1 };

// Expands settings.SortPattern (kind 0) or settings.NamePattern (kind 1): the display words
// become placeholders, the placeholders values ("Алфавит" the first letter of the author text,
// only in a sort pattern), two spaces one, and the ends are trimmed.
QString ExpandPattern(const TBookData &book, const QString &authorText, int kind, const TAppSettings &settings);
// The same under AppSettings.
QString ExpandPattern(const TBookData &book, const QString &authorText, int kind);

// Replaces every occurrence of `from`, letters matched without regard to case (whatever the
// process locale), left to right; the inserted text is not searched again.
QString ReplaceIgnoringCase(const QString &text, const QString &from, const QString &to);
