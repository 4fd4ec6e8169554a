#pragma once
// Validating a book and loading it for use with one read of the file: the run and the
// information panel both need the verdict and the parsed tree.

#include "xml/XmlServices.h"

#include <QString>

// The parsed tree of a valid book; null for an invalid one, with ValidateBook's four-line text in
// errorText. Only an invalid book is read a second time, by ValidateBook, for the position and
// reason of its error (and that verdict stands). Throws when the schema is missing or unusable,
// and the load error when ValidateBook accepts a file that the parser refuses.
XmlDocPtr LoadValidBookDom(const QString &path, const QString &utilsDir, QString &errorText);
