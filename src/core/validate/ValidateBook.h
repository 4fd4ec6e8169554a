#pragma once
// Whether an FB2 file conforms to the FictionBook schema "FictionBook.xsd" of the utils folder.

#include "xml/XmlServices.h"

#include <QString>

// The namespace FB2 documents declare on their root element; the schema is bound to it.
extern const QString FictionBookNamespace;
// The FictionBook schema of a utils folder.
QString BookSchemaPath(const QString &utilsDir);

// True when the file is well-formed and valid; errorText is then left as it was. Otherwise false,
// and errorText receives the four-line text of the first error (ValidationErrorText). A missing,
// unreadable, malformed or invalid file is a result, not an error.
// Throws EOrvane when UtilsDir + "FictionBook.xsd" is missing or not a usable schema.
bool ValidateBook(const QString &fileName, QString &errorText);
// The same with the schema of another folder.
bool ValidateBook(const QString &fileName, QString &errorText, const QString &utilsDir);
// ValidateBook that keeps what it parsed: the tree of a valid book as the file holds it (white
// space kept); null with the error text for an invalid one.
XmlDocPtr ValidatedBookTree(const QString &fileName, QString &errorText, const QString &utilsDir);
// The same for the bytes of a book read already (an archive entry in memory); fileName names them.
XmlDocPtr ValidatedBookTree(const QByteArray &data, const QString &fileName, QString &errorText,
                            const QString &utilsDir);

// "Код ошибки " code, "Строка " line, "Символ " position, the reason; each line ends in CR LF.
QString ValidationErrorText(const XmlParseError &error);
// The same on one line for a list of books: "the reason (строка N, символ M)", the elements
// named without the format's namespace. Any other text
// (a loader's message) gives its first line.
QString ValidationErrorLine(const QString &errorText);
