#pragma once
// XML Schema validation over libxml2. A schema file is parsed once per process and parsed again
// only when the file changes; the files it includes and imports are read beside it.

#include "xml/XmlServices.h"

#include <QString>

// Validates the file at path against the schema file at schemaPath, whose target namespace must
// be expectedNamespace. Returns true when the file is well-formed and valid. Otherwise returns
// false and fills error with the first problem: the file cannot be read (line 0), its first
// well-formedness error, or its first schema error. A schema error is placed at the end of the
// start tag of the element in error: the line and the 1-based position in characters of its ">"
// (of the "/" of "/>"), where a streaming parser reports it.
// The file is read once; a valid file is parsed once.
// Throws EOrvane with the service's message when the schema is missing or not a usable schema.
// A file of streamFrom bytes or more is first validated as it is read, without a tree, which
// vouches for a valid one in little memory; the tree decides on any other.
bool XmlValidateFile(const QString &path, const QString &schemaPath, const QString &expectedNamespace,
                     XmlParseError &error, qint64 streamFrom = kParseAsReadFrom);

// True when validating the file as it is read, without a tree, finds it valid; false when it
// does not or cannot be sure (an error, a document type, entities, an id given twice or a schema
// that types other attributes than "id" as ids): XmlValidateFile's verdict is then the tree's.
bool XmlStreamFindsValid(const QString &path, const QString &schemaPath, const QString &expectedNamespace);

// For bytes in memory that XmlStreamFindsValid would vouch for: their tree (white space kept) as
// XmlLoadValidBytes gives it, but built only up to the end of the first element for which
// lastNeeded is true, from one parse. Null for any other, whose verdict is XmlLoadValidBytes'.
XmlDocPtr XmlStreamLoadValidHead(const QByteArray &data, const QString &schemaPath, const QString &expectedNamespace,
                                 const XmlLastNeeded &lastNeeded);

// XmlValidateFile that keeps the tree it validated: the parsed document (white space kept) of a
// valid file, null with the error of an invalid one.
XmlDocPtr XmlLoadValidFile(const QString &path, const QString &schemaPath, const QString &expectedNamespace,
                           XmlParseError &error);

// The same for a file's bytes already in memory; baseUrl names them.
XmlDocPtr XmlLoadValidBytes(const QByteArray &data, const QString &baseUrl, const QString &schemaPath,
                            const QString &expectedNamespace, XmlParseError &error);

// XmlValidateFile for a document already parsed from `data` with white space kept and the
// parser options of XmlParseOptions(): the same verdict and error, without parsing it again
// (only an invalid one is partly parsed again, for the column of its error).
bool XmlValidateParsed(xmlDoc *doc, const QByteArray &data, const QString &schemaPath, const QString &expectedNamespace,
                       XmlParseError &error);
