#pragma once
// Order of the file list's rows when the user sorts by a column.

#include "list/ListEntry.h"

// The columns of the file list, by their tag; the tag stays with a column when it is dragged.
enum TListColumn { lcCheck = 0, lcFileName = 1, lcFileSize = 2 };

// Compares two rows by the column with this tag: the name by UTF-16 code units, case-sensitive
// (so "Z" < "a" and "Я" < "а"); the size as a number. Rows count as equal for any other tag.
int CompareListEntries(const TListEntry &a, const TListEntry &b, int tag);
