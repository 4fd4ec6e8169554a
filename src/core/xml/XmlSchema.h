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
bool XmlValidateFile(const QString &path, const QString &schemaPath, const QString &expectedNamespace,
                     XmlParseError &error);

// The verdict of XmlValidateFile for a document that is already parsed (as the FB2 loader parses
// books), against the same cached schema, without reading the file again. No error details:
// XmlValidateFile gives them. Throws as XmlValidateFile when the schema is not usable.
bool XmlValidateDoc(xmlDoc *doc, const QString &schemaPath, const QString &expectedNamespace);
