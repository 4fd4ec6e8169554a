#pragma once
// The typed view of FictionBook 2 documents: the loader and one binding class per element type.
// Accessors are named after the elements and attributes (title-info: TitleInfo, xml:lang:
// XmlLang, XLink href: XlinkHref); list accessors after their items. Reading an element or
// attribute that is missing creates it, empty, in the in-memory document (never in the file).
// What each class registers and hosts is the catalogue table in fictionbook_21.cpp.

#include "fb2/XMLNode.h"
#include "xml/XmlServices.h"

#include <QString>

// IXMLxxx names the interface of TXMLxxx.
#define ORVANE_FB2_INTERFACE(Name) using IXML##Name = std::shared_ptr<class TXML##Name>;
ORVANE_FB2_INTERFACE(FictionBook)
ORVANE_FB2_INTERFACE(Description)
ORVANE_FB2_INTERFACE(TitleinfoType)
ORVANE_FB2_INTERFACE(AuthorType)
ORVANE_FB2_INTERFACE(TextFieldType)
ORVANE_FB2_INTERFACE(DateType)
ORVANE_FB2_INTERFACE(Coverpage)
ORVANE_FB2_INTERFACE(ImageType)
ORVANE_FB2_INTERFACE(SequenceType)
ORVANE_FB2_INTERFACE(Documentinfo)
ORVANE_FB2_INTERFACE(Publishinfo)
ORVANE_FB2_INTERFACE(Binary)
ORVANE_FB2_INTERFACE(AuthorTypeList)
ORVANE_FB2_INTERFACE(SequenceTypeList)
ORVANE_FB2_INTERFACE(BinaryList)
ORVANE_FB2_INTERFACE(GenreTypeList)
ORVANE_FB2_INTERFACE(String_List)
#undef ORVANE_FB2_INTERFACE

// Loads an FB2 file. Throws EOrvane with the load error (reason, CR LF, "Line: n", CR LF, the
// first 40 characters of the source line), or "Interface not supported" when the root element
// is not FictionBook in the FB2 namespace. Never returns null.
IXMLFictionBook OpenBookDocument(const QString &fileName);

// The two halves of OpenBookDocument, for a caller that looks at the parsed document before it
// is bound (the run validates it without reading the file twice): the parse, which throws the
// load error, and the binding, which throws "Interface not supported".
XmlDocPtr LoadBookDom(const QString &fileName);
IXMLFictionBook BookFromDom(XmlDocPtr dom);

// ---- hosted lists ----

class TXMLAuthorTypeList : public TXMLElementList<TXMLAuthorType> {
public:
    static const TNodeClass Class;
};
class TXMLSequenceTypeList : public TXMLElementList<TXMLSequenceType> {
public:
    static const TNodeClass Class;
};
class TXMLBinaryList : public TXMLElementList<TXMLBinary> {
public:
    static const TNodeClass Class;
};
class TXMLGenreTypeList : public TXMLTextList {
public:
    static const TNodeClass Class;
};
class TXMLString_List : public TXMLTextList {
public:
    static const TNodeClass Class;
};

// ---- element classes ----

class TXMLFictionBook : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLBinaryList Binary() { return HostedList<TXMLBinaryList>("binary"); }
    IXMLDescription Description() { return ChildElement<TXMLDescription>("description"); }
    // The DOM document, for the XML services (validation, transformation).
    xmlDoc *DomDocument() const { return DomNode()->doc; }
};

class TXMLDescription : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLDocumentinfo DocumentInfo() { return ChildElement<TXMLDocumentinfo>("document-info"); }
    IXMLPublishinfo PublishInfo() { return ChildElement<TXMLPublishinfo>("publish-info"); }
    IXMLTitleinfoType SrcTitleInfo() { return ChildElement<TXMLTitleinfoType>("src-title-info"); }
    IXMLTitleinfoType TitleInfo() { return ChildElement<TXMLTitleinfoType>("title-info"); }
};

class TXMLTitleinfoType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLAuthorTypeList Author() { return HostedList<TXMLAuthorTypeList>("author"); }
    IXMLTextFieldType BookTitle() { return ChildElement<TXMLTextFieldType>("book-title"); }
    IXMLCoverpage Coverpage() { return ChildElement<TXMLCoverpage>("coverpage"); }
    IXMLDateType Date() { return ChildElement<TXMLDateType>("date"); }
    IXMLGenreTypeList Genre() { return HostedList<TXMLGenreTypeList>("genre"); }
    IXMLTextFieldType Keywords() { return ChildElement<TXMLTextFieldType>("keywords"); }
    QString Lang() { return ChildText("lang"); }
    IXMLSequenceTypeList Sequence() { return HostedList<TXMLSequenceTypeList>("sequence"); }
    QString SrcLang() { return ChildText("src-lang"); }
    IXMLAuthorTypeList Translator() { return HostedList<TXMLAuthorTypeList>("translator"); }
    void SetLang(const QString &value) { SetChildText("lang", value); }
    void SetSrcLang(const QString &value) { SetChildText("src-lang", value); }
};

class TXMLAuthorType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLString_List Email() { return HostedList<TXMLString_List>("email"); }
    IXMLTextFieldType FirstName() { return ChildElement<TXMLTextFieldType>("first-name"); }
    IXMLString_List HomePage() { return HostedList<TXMLString_List>("home-page"); }
    IXMLTextFieldType LastName() { return ChildElement<TXMLTextFieldType>("last-name"); }
    IXMLTextFieldType MiddleName() { return ChildElement<TXMLTextFieldType>("middle-name"); }
    IXMLTextFieldType Nickname() { return ChildElement<TXMLTextFieldType>("nickname"); }
};

class TXMLTextFieldType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLDateType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString Value() { return AttributeText("value"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetValue(const QString &value) { SetAttributeText("value", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLImageType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString Alt() { return AttributeText("alt"); }
    QString XlinkHref() const { return XLinkAttribute("href"); }
    QString XlinkType() const { return XLinkAttribute("type"); }
    void SetAlt(const QString &value) { SetAttributeText("alt", value); }
    void SetXlinkHref(const QString &value) { SetXLinkAttribute("href", value); }
    void SetXlinkType(const QString &value) { SetXLinkAttribute("type", value); }
};

// A list element: its items are its image children.
class TXMLCoverpage : public TXMLElementList<TXMLImageType> {
public:
    static const TNodeClass Class;
};

// A list element (its items are nested sequences) with attributes of its own.
class TXMLSequenceType : public TXMLElementList<TXMLSequenceType> {
public:
    static const TNodeClass Class;
    QString Name() { return AttributeText("name"); }
    int Number() { return AttributeInt("number"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetName(const QString &value) { SetAttributeText("name", value); }
    void SetNumber(int value) { SetAttributeInt("number", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLDocumentinfo : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLAuthorTypeList Author() { return HostedList<TXMLAuthorTypeList>("author"); }
    IXMLDateType Date() { return ChildElement<TXMLDateType>("date"); }
    QString Id() { return ChildText("id"); }
    IXMLTextFieldType ProgramUsed() { return ChildElement<TXMLTextFieldType>("program-used"); }
    IXMLTextFieldType SrcOcr() { return ChildElement<TXMLTextFieldType>("src-ocr"); }
    IXMLString_List SrcUrl() { return HostedList<TXMLString_List>("src-url"); }
    QString Version() { return ChildText("version"); }
    void SetId(const QString &value) { SetChildText("id", value); }
    void SetVersion(const QString &value) { SetChildText("version", value); }
};

class TXMLPublishinfo : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLTextFieldType BookName() { return ChildElement<TXMLTextFieldType>("book-name"); }
    IXMLTextFieldType City() { return ChildElement<TXMLTextFieldType>("city"); }
    IXMLTextFieldType Isbn() { return ChildElement<TXMLTextFieldType>("isbn"); }
    IXMLTextFieldType Publisher() { return ChildElement<TXMLTextFieldType>("publisher"); }
    IXMLSequenceTypeList Sequence() { return HostedList<TXMLSequenceTypeList>("sequence"); }
    QString Year() { return ChildText("year"); }
    void SetYear(const QString &value) { SetChildText("year", value); }
};

class TXMLBinary : public TXMLNode {
public:
    static const TNodeClass Class;
    QString ContentType() { return AttributeText("content-type"); }
    QString Id() { return AttributeText("id"); }
    void SetContentType(const QString &value) { SetAttributeText("content-type", value); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
};
