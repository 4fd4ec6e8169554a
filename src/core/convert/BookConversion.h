#pragma once
// Conversion of valid books by a style sheet of the utils folder into plain text, HTML or RTF:
// one kind for a whole run, chosen by AppSettings.ConvertType.

#include "fb2/fictionbook_21.h"
#include "xml/XmlServices.h"

#include <QString>

// One row of the table of kinds.
struct TConversionKind {
    QString StyleSheet;  // file name in the utils folder; empty: none is loaded
    QString Extension;  // of the converted file, with its dot; empty for an unknown kind
    bool Ansi = true;  // Russian letters escaped for RTF, code page 1251 without byte-order mark;
                       // otherwise UTF-8 with byte-order mark
};

// 0: txt.xsl, ".txt"; 1: html.xsl, ".html"; 2: rtf.xsl, ".rtf", ANSI; any other value: no style
// sheet, no extension, ANSI as for RTF.
TConversionKind ConversionKind(int convertType);

// The name a conversion of this kind writes for newName (TBookConversion::ConvertedName).
QString ConvertedFileName(const QString &newName, int convertType);

// The conversion state of one run: the style sheet is loaded once, used for every book.
class TBookConversion {
public:
    // Chooses the kind of AppSettings.ConvertType and loads its style sheet from UtilsDir. A
    // missing or malformed style sheet is not reported here: the first ConvertBook raises its error.
    void PrepareConversion();
    // The same for a given kind and folder.
    void PrepareConversion(int convertType, const QString &utilsDir);

    // Transforms the XML text of the book as the document holds it now (with the elements that
    // reading its metadata created) and writes the result to folder + the new name with its
    // extension replaced, anew, as lines ending in CR LF in the kind's encoding. Returns that
    // name. Raises "Invalid characters in path" for a name holding a control character or "/",
    // the style sheet's or the transformation's error, or "Cannot create file "%s". %s".
    QString ConvertBook(const IXMLFictionBook &book, const QString &folder, const QString &newName);

    // The bytes ConvertBook writes for the book. Raises the style sheet's or the transformation's error.
    QByteArray ConvertedData(const IXMLFictionBook &book) const;

    // The name ConvertBook would write: the part of newName before its last "." (all of it when
    // it has none) and the kind's extension. Raises "Invalid characters in path" as ConvertBook.
    QString ConvertedName(const QString &newName) const;

private:
    TConversionKind m_kind = ConversionKind(-1);
    XsltStylesheetPtr m_style;
    QString m_styleError;
};
