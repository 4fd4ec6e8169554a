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
ORVANE_FB2_INTERFACE(Stylesheet)
ORVANE_FB2_INTERFACE(Description)
ORVANE_FB2_INTERFACE(TitleinfoType)
ORVANE_FB2_INTERFACE(AuthorType)
ORVANE_FB2_INTERFACE(TextFieldType)
ORVANE_FB2_INTERFACE(AnnotationType)
ORVANE_FB2_INTERFACE(StyleType)
ORVANE_FB2_INTERFACE(PoemType)
ORVANE_FB2_INTERFACE(TitleType)
ORVANE_FB2_INTERFACE(EpigraphType)
ORVANE_FB2_INTERFACE(CiteType)
ORVANE_FB2_INTERFACE(TableType)
ORVANE_FB2_INTERFACE(Tr)
ORVANE_FB2_INTERFACE(Stanza)
ORVANE_FB2_INTERFACE(DateType)
ORVANE_FB2_INTERFACE(Coverpage)
ORVANE_FB2_INTERFACE(ImageType)
ORVANE_FB2_INTERFACE(SequenceType)
ORVANE_FB2_INTERFACE(Documentinfo)
ORVANE_FB2_INTERFACE(Publishinfo)
ORVANE_FB2_INTERFACE(Custominfo)
ORVANE_FB2_INTERFACE(ShareInstructionType)
ORVANE_FB2_INTERFACE(PartShareInstructionType)
ORVANE_FB2_INTERFACE(OutPutDocumentType)
ORVANE_FB2_INTERFACE(Body)
ORVANE_FB2_INTERFACE(SectionType)
ORVANE_FB2_INTERFACE(Binary)
ORVANE_FB2_INTERFACE(PType)
ORVANE_FB2_INTERFACE(NamedStyleType)
ORVANE_FB2_INTERFACE(LinkType)
ORVANE_FB2_INTERFACE(StyleLinkType)
ORVANE_FB2_INTERFACE(StylesheetList)
ORVANE_FB2_INTERFACE(AuthorTypeList)
ORVANE_FB2_INTERFACE(EpigraphTypeList)
ORVANE_FB2_INTERFACE(StanzaList)
ORVANE_FB2_INTERFACE(SequenceTypeList)
ORVANE_FB2_INTERFACE(CustominfoList)
ORVANE_FB2_INTERFACE(ShareInstructionTypeList)
ORVANE_FB2_INTERFACE(PartShareInstructionTypeList)
ORVANE_FB2_INTERFACE(OutPutDocumentTypeList)
ORVANE_FB2_INTERFACE(BodyList)
ORVANE_FB2_INTERFACE(SectionTypeList)
ORVANE_FB2_INTERFACE(BinaryList)
ORVANE_FB2_INTERFACE(PTypeList)
ORVANE_FB2_INTERFACE(GenreTypeList)
ORVANE_FB2_INTERFACE(String_List)
#undef ORVANE_FB2_INTERFACE

// Loads an FB2 file. Throws EOrvane with the load error (reason, CR LF, "Line: n", CR LF, the
// first 40 characters of the source line), or "Interface not supported" when the root element
// is not FictionBook in the FB2 namespace. Never returns null.
IXMLFictionBook OpenBookDocument(const QString &fileName);
// OpenBookDocument for a reader of the description alone (a book's record): the tree ends with
// the root's description, and the rest of the file is parsed without being built. Loads and
// fails exactly as OpenBookDocument.
IXMLFictionBook OpenBookDescription(const QString &fileName);
// Whether the element that just closed is the description Description() finds, the last part
// of a book that its record reads.
bool IsBooksDescription(const xmlNode *closed);

// The two halves of OpenBookDocument, for a caller that looks at the parsed document before it
// is bound (the run validates it without reading the file twice): the parse, which throws the
// load error, and the binding, which throws "Interface not supported".
XmlDocPtr LoadBookDom(const QString &fileName);
// The same for the book's bytes in memory; fileName names them.
XmlDocPtr LoadBookDom(const QByteArray &data, const QString &fileName);
IXMLFictionBook BookFromDom(XmlDocPtr dom);

// ---- hosted lists ----

#define ORVANE_FB2_LIST(Name, Base)                                                                                    \
    class TXML##Name : public Base {                                                                                   \
    public:                                                                                                            \
        static const TNodeClass Class;                                                                                 \
    };
ORVANE_FB2_LIST(StylesheetList, TXMLElementList<TXMLStylesheet>)
ORVANE_FB2_LIST(AuthorTypeList, TXMLElementList<TXMLAuthorType>)
ORVANE_FB2_LIST(EpigraphTypeList, TXMLElementList<TXMLEpigraphType>)
ORVANE_FB2_LIST(StanzaList, TXMLElementList<TXMLStanza>)
ORVANE_FB2_LIST(SequenceTypeList, TXMLElementList<TXMLSequenceType>)
ORVANE_FB2_LIST(CustominfoList, TXMLElementList<TXMLCustominfo>)
ORVANE_FB2_LIST(ShareInstructionTypeList, TXMLElementList<TXMLShareInstructionType>)
ORVANE_FB2_LIST(PartShareInstructionTypeList, TXMLElementList<TXMLPartShareInstructionType>)
ORVANE_FB2_LIST(OutPutDocumentTypeList, TXMLElementList<TXMLOutPutDocumentType>)
ORVANE_FB2_LIST(BodyList, TXMLElementList<TXMLBody>)
ORVANE_FB2_LIST(SectionTypeList, TXMLElementList<TXMLSectionType>)
ORVANE_FB2_LIST(BinaryList, TXMLElementList<TXMLBinary>)
ORVANE_FB2_LIST(PTypeList, TXMLElementList<TXMLPType>)
ORVANE_FB2_LIST(GenreTypeList, TXMLTextList)
ORVANE_FB2_LIST(String_List, TXMLTextList)
#undef ORVANE_FB2_LIST

// ---- the document and its description ----

class TXMLFictionBook : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLBinaryList Binary() { return HostedList<TXMLBinaryList>("binary"); }
    IXMLBodyList Body() { return HostedList<TXMLBodyList>("body"); }
    IXMLDescription Description() { return ChildElement<TXMLDescription>("description"); }
    IXMLStylesheetList Stylesheet() { return HostedList<TXMLStylesheetList>("stylesheet"); }
    // The DOM document, for the XML services (validation, transformation).
    xmlDoc *DomDocument() const { return DomNode()->doc; }
};

class TXMLStylesheet : public TXMLNode {
public:
    static const TNodeClass Class;
    QString Type() { return AttributeText("type"); }
    void SetType(const QString &value) { SetAttributeText("type", value); }
};

class TXMLDescription : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLCustominfoList CustomInfo() { return HostedList<TXMLCustominfoList>("custom-info"); }
    IXMLDocumentinfo DocumentInfo() { return ChildElement<TXMLDocumentinfo>("document-info"); }
    IXMLShareInstructionTypeList Output() { return HostedList<TXMLShareInstructionTypeList>("output"); }
    IXMLPublishinfo PublishInfo() { return ChildElement<TXMLPublishinfo>("publish-info"); }
    IXMLTitleinfoType SrcTitleInfo() { return ChildElement<TXMLTitleinfoType>("src-title-info"); }
    IXMLTitleinfoType TitleInfo() { return ChildElement<TXMLTitleinfoType>("title-info"); }
};

class TXMLTitleinfoType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLAnnotationType Annotation() { return ChildElement<TXMLAnnotationType>("annotation"); }
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
    IXMLAnnotationType History() { return ChildElement<TXMLAnnotationType>("history"); }
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

class TXMLCustominfo : public TXMLNode {
public:
    static const TNodeClass Class;
    QString InfoType() { return AttributeText("info-type"); }
    void SetInfoType(const QString &value) { SetAttributeText("info-type", value); }
};

// ---- sharing instructions (description/output) ----

class TXMLShareInstructionType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString Currency() { return AttributeText("currency"); }
    QString IncludeAll() { return AttributeText("include-all"); }
    QString Mode() { return AttributeText("mode"); }
    IXMLOutPutDocumentTypeList OutputDocumentClass()
    {
        return HostedList<TXMLOutPutDocumentTypeList>("output-document-class");
    }
    IXMLPartShareInstructionTypeList Part() { return HostedList<TXMLPartShareInstructionTypeList>("part"); }
    float Price() { return AttributeFloat("price"); }
    void SetCurrency(const QString &value) { SetAttributeText("currency", value); }
    void SetIncludeAll(const QString &value) { SetAttributeText("include-all", value); }
    void SetMode(const QString &value) { SetAttributeText("mode", value); }
    void SetPrice(float value) { SetAttributeFloat("price", value); }
};

class TXMLPartShareInstructionType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString Include() { return AttributeText("include"); }
    QString XlinkHref() const { return XLinkAttribute("href"); }
    QString XlinkType() const { return XLinkAttribute("type"); }
    void SetInclude(const QString &value) { SetAttributeText("include", value); }
    void SetXlinkHref(const QString &value) { SetXLinkAttribute("href", value); }
    void SetXlinkType(const QString &value) { SetXLinkAttribute("type", value); }
};

// A list element: its items are its part children.
class TXMLOutPutDocumentType : public TXMLElementList<TXMLPartShareInstructionType> {
public:
    static const TNodeClass Class;
    QString Create() { return AttributeText("create"); }
    QString Name() { return AttributeText("name"); }
    float Price() { return AttributeFloat("price"); }
    void SetCreate(const QString &value) { SetAttributeText("create", value); }
    void SetName(const QString &value) { SetAttributeText("name", value); }
    void SetPrice(float value) { SetAttributeFloat("price", value); }
};

// ---- the text of the book ----

class TXMLBody : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLEpigraphTypeList Epigraph() { return HostedList<TXMLEpigraphTypeList>("epigraph"); }
    IXMLImageType Image() { return ChildElement<TXMLImageType>("image"); }
    QString Name() { return AttributeText("name"); }
    IXMLSectionTypeList Section() { return HostedList<TXMLSectionTypeList>("section"); }
    IXMLTitleType Title() { return ChildElement<TXMLTitleType>("title"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetName(const QString &value) { SetAttributeText("name", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLSectionType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLAnnotationType Annotation() { return ChildElement<TXMLAnnotationType>("annotation"); }
    IXMLCiteType Cite() { return ChildElement<TXMLCiteType>("cite"); }
    QString EmptyLine() { return ChildText("empty-line"); }
    IXMLEpigraphTypeList Epigraph() { return HostedList<TXMLEpigraphTypeList>("epigraph"); }
    QString Id() { return AttributeText("id"); }
    IXMLImageType Image() { return ChildElement<TXMLImageType>("image"); }
    IXMLPType P() { return ChildElement<TXMLPType>("p"); }
    IXMLPoemType Poem() { return ChildElement<TXMLPoemType>("poem"); }
    IXMLSectionTypeList Section() { return HostedList<TXMLSectionTypeList>("section"); }
    IXMLPType Subtitle() { return ChildElement<TXMLPType>("subtitle"); }
    IXMLTableType Table() { return ChildElement<TXMLTableType>("table"); }
    IXMLTitleType Title() { return ChildElement<TXMLTitleType>("title"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetEmptyLine(const QString &value) { SetChildText("empty-line", value); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLTitleType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString EmptyLine() { return ChildText("empty-line"); }
    IXMLPType P() { return ChildElement<TXMLPType>("p"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLAnnotationType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLCiteType Cite() { return ChildElement<TXMLCiteType>("cite"); }
    QString EmptyLine() { return ChildText("empty-line"); }
    QString Id() { return AttributeText("id"); }
    IXMLPTypeList P() { return HostedList<TXMLPTypeList>("p"); }
    IXMLPoemType Poem() { return ChildElement<TXMLPoemType>("poem"); }
    IXMLPType Subtitle() { return ChildElement<TXMLPType>("subtitle"); }
    IXMLTableType Table() { return ChildElement<TXMLTableType>("table"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLEpigraphType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLCiteType Cite() { return ChildElement<TXMLCiteType>("cite"); }
    QString EmptyLine() { return ChildText("empty-line"); }
    QString Id() { return AttributeText("id"); }
    IXMLPType P() { return ChildElement<TXMLPType>("p"); }
    IXMLPoemType Poem() { return ChildElement<TXMLPoemType>("poem"); }
    IXMLPTypeList TextAuthor() { return HostedList<TXMLPTypeList>("text-author"); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
};

class TXMLCiteType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString EmptyLine() { return ChildText("empty-line"); }
    QString Id() { return AttributeText("id"); }
    IXMLPType P() { return ChildElement<TXMLPType>("p"); }
    IXMLPoemType Poem() { return ChildElement<TXMLPoemType>("poem"); }
    IXMLPType Subtitle() { return ChildElement<TXMLPType>("subtitle"); }
    IXMLTableType Table() { return ChildElement<TXMLTableType>("table"); }
    IXMLPTypeList TextAuthor() { return HostedList<TXMLPTypeList>("text-author"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLPoemType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLDateType Date() { return ChildElement<TXMLDateType>("date"); }
    IXMLEpigraphTypeList Epigraph() { return HostedList<TXMLEpigraphTypeList>("epigraph"); }
    QString Id() { return AttributeText("id"); }
    IXMLStanzaList Stanza() { return HostedList<TXMLStanzaList>("stanza"); }
    IXMLPTypeList TextAuthor() { return HostedList<TXMLPTypeList>("text-author"); }
    IXMLTitleType Title() { return ChildElement<TXMLTitleType>("title"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

class TXMLStanza : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLPType Subtitle() { return ChildElement<TXMLPType>("subtitle"); }
    IXMLTitleType Title() { return ChildElement<TXMLTitleType>("title"); }
    IXMLPTypeList V() { return HostedList<TXMLPTypeList>("v"); }
    QString XmlLang() { return AttributeText("xml:lang"); }
    void SetXmlLang(const QString &value) { SetAttributeText("xml:lang", value); }
};

// A list element: its items are its rows.
class TXMLTableType : public TXMLElementList<TXMLTr> {
public:
    static const TNodeClass Class;
};

// A list element: its items are its td cells, each a paragraph. Header cells (th) are no items.
class TXMLTr : public TXMLElementList<TXMLPType> {
public:
    static const TNodeClass Class;
    QString Align() { return AttributeText("align"); }
    void SetAlign(const QString &value) { SetAttributeText("align", value); }
};

// ---- inline markup ----

// The inline elements that styled text and named styles may hold; the classes differ in what
// else they offer, and neither supports the other's interface.
template <class Base> class TXMLInlineMarkup : public Base {
public:
    IXMLLinkType A() { return this->template ChildElement<TXMLLinkType>("a"); }
    IXMLStyleType Code() { return this->template ChildElement<TXMLStyleType>("code"); }
    IXMLStyleType Emphasis() { return this->template ChildElement<TXMLStyleType>("emphasis"); }
    IXMLImageType Image() { return this->template ChildElement<TXMLImageType>("image"); }
    IXMLStyleType Strikethrough() { return this->template ChildElement<TXMLStyleType>("strikethrough"); }
    IXMLStyleType Strong() { return this->template ChildElement<TXMLStyleType>("strong"); }
    IXMLNamedStyleType Style() { return this->template ChildElement<TXMLNamedStyleType>("style"); }
    IXMLStyleType Sub() { return this->template ChildElement<TXMLStyleType>("sub"); }
    IXMLStyleType Sup() { return this->template ChildElement<TXMLStyleType>("sup"); }
    QString XmlLang() { return this->AttributeText("xml:lang"); }
    void SetXmlLang(const QString &value) { this->SetAttributeText("xml:lang", value); }
};

class TXMLStyleType : public TXMLInlineMarkup<TXMLNode> {
public:
    static const TNodeClass Class;
};

// A paragraph: styled text with attributes of its own. Its Style() is the attribute; the
// inline style element stays reachable through the IXMLStyleType of the same node.
class TXMLPType : public TXMLStyleType {
public:
    static const TNodeClass Class;
    QString Id() { return AttributeText("id"); }
    // Every text and CDATA piece of the paragraph, inline markup included, joined as they stand.
    // Only reads: creates no node.
    QString PlainText() const;
    QString Style() { return AttributeText("style"); }
    void SetPlainText(const QString &) {}  // the text of a paragraph is its markup: not settable
    void SetId(const QString &value) { SetAttributeText("id", value); }
    void SetStyle(const QString &value) { SetAttributeText("style", value); }
};

class TXMLNamedStyleType : public TXMLInlineMarkup<TXMLNode> {
public:
    static const TNodeClass Class;
    QString Name() { return AttributeText("name"); }
    void SetName(const QString &value) { SetAttributeText("name", value); }
};

// A link: its strong, emphasis and style children are link styles, which hold no further links.
class TXMLLinkType : public TXMLNode {
public:
    static const TNodeClass Class;
    QString Type() { return AttributeText("type"); }  // the plain attribute, not the XLink one
    IXMLStyleType Code() { return ChildElement<TXMLStyleType>("code"); }
    IXMLStyleLinkType Emphasis() { return ChildElement<TXMLStyleLinkType>("emphasis"); }
    IXMLImageType Image() { return ChildElement<TXMLImageType>("image"); }
    IXMLStyleType Strikethrough() { return ChildElement<TXMLStyleType>("strikethrough"); }
    IXMLStyleLinkType Strong() { return ChildElement<TXMLStyleLinkType>("strong"); }
    IXMLStyleLinkType Style() { return ChildElement<TXMLStyleLinkType>("style"); }
    IXMLStyleType Sub() { return ChildElement<TXMLStyleType>("sub"); }
    IXMLStyleType Sup() { return ChildElement<TXMLStyleType>("sup"); }
    QString XlinkHref() const { return XLinkAttribute("href"); }
    QString XlinkType() const { return XLinkAttribute("type"); }
    void SetType(const QString &value) { SetAttributeText("type", value); }
    void SetXlinkHref(const QString &value) { SetXLinkAttribute("href", value); }
    void SetXlinkType(const QString &value) { SetXLinkAttribute("type", value); }
};

class TXMLStyleLinkType : public TXMLNode {
public:
    static const TNodeClass Class;
    IXMLStyleLinkType Emphasis() { return ChildElement<TXMLStyleLinkType>("emphasis"); }
    IXMLStyleLinkType Strong() { return ChildElement<TXMLStyleLinkType>("strong"); }
    IXMLStyleLinkType Style() { return ChildElement<TXMLStyleLinkType>("style"); }
};

// ---- binaries ----

class TXMLBinary : public TXMLNode {
public:
    static const TNodeClass Class;
    QString ContentType() { return AttributeText("content-type"); }
    QString Id() { return AttributeText("id"); }
    void SetContentType(const QString &value) { SetAttributeText("content-type", value); }
    void SetId(const QString &value) { SetAttributeText("id", value); }
};
