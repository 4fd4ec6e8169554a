#pragma once
// Fills the metadata record of one book from its loaded document.

#include "fb2/fictionbook_21.h"
#include "globals/BookData.h"

// Reads title, first genre, first author, language, first series, publisher, city and year,
// trimmed, into ixRecord. Fields whose list is empty (genre, author, series) keep their value,
// and so does SeqNum when the series number is missing or not an integer. Any other error
// ("Element ... does not contain a single text node") stops at that step and propagates, with
// the fields of earlier steps already assigned.
// Reading creates the elements it looks for and misses, empty, in the in-memory document:
// converted output shows them.
void ExtractBookInfo(const IXMLFictionBook &Book, TBookData &ixRecord);

// The record the names of a book are made from: a cleared record filled by ExtractBookInfo,
// whose errors propagate.
TBookData BookRecord(const IXMLFictionBook &book);
