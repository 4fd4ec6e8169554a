#pragma once
// Validating a book and loading it for use with one read of the file: the run and the
// information panel both need the verdict and the parsed tree.

#include "xml/XmlServices.h"

#include <QString>

// The parsed tree of a valid book, as OpenBookDocument would load it; null for an invalid one,
// with ValidateBook's four-line text in errorText. ValidateBook's verdict on every book, with one
// parse of the file. Throws when the schema is missing or unusable.
XmlDocPtr LoadValidBookDom(const QString &path, const QString &utilsDir, QString &errorText);
// The same for a book's bytes in memory; fileName names them.
XmlDocPtr LoadValidBookDom(const QByteArray &data, const QString &fileName, const QString &utilsDir,
                           QString &errorText);
// LoadValidBookDom of bytes for a reader of the description alone (the record, the names): the
// same verdict and error text, and the same tree as far as the root's description, after which
// a valid book's tree ends. parsedOnce: whether the book was vouched for in one parse (an
// invalid one is parsed again, whole, for its verdict).
XmlDocPtr LoadValidBookDescription(const QByteArray &data, const QString &fileName, const QString &utilsDir,
                                   QString &errorText, bool *parsedOnce = nullptr);
