#pragma once
// The new file name and the relative target folder of a book, from its metadata and the
// name and sort patterns.

#include "config/AppSettings.h"
#include "fb2/fictionbook_21.h"
#include "globals/BookData.h"

#include <QString>

// The new file name with ".fb2": the name pattern expanded, cleaned of file-name characters
// as a whole, transliterated when settings.TranslitName is set.
QString BookRename(const TBookData &book, const TAppSettings &settings);

// The folder below the output folder, levels separated by "\" as in the pattern: the author
// text from the switched-on name parts, cleaned of punctuation; series, publisher and city
// cleaned of file-name characters; the full genre name when settings.GenreFull is set;
// transliterated when settings.TranslitDir is set.
QString BookSort(TBookData book, const TAppSettings &settings);

// The author text of the sort pattern, before it is cleaned: the switched-on name parts.
QString SortAuthorText(const TBookData &book, const TAppSettings &settings);

// The same for a loaded book under AppSettings: a record is filled from the document by
// ExtractBookInfo (whose errors propagate) and named as above.
QString BookRename(const IXMLFictionBook &book);
QString BookSort(const IXMLFictionBook &book);
