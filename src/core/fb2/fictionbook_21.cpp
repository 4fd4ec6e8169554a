#include "fb2/fictionbook_21.h"

#include <QUrl>

#include "fb2/BookDocument.h"
#include "globals/Errors.h"
#include "xml/XmlServices.h"

// The catalogue: for each binding class, its base, the child elements it registers (element
// name -> class, in registration order) and the lists it hosts (item tag -> list class).
// Children that no row registers get the plain node class.

namespace {
using C = TNodeClass;
const TNodeClass *const Node = &TXMLNode::Class;
const TNodeClass *const Collection = &TXMLNodeCollection::Class;

// The inline elements of styled text and named styles.
const std::vector<TNodeClass::Child> InlineMarkup{
    {"strong", &TXMLStyleType::Class}, {"emphasis", &TXMLStyleType::Class},      {"style", &TXMLNamedStyleType::Class},
    {"a", &TXMLLinkType::Class},       {"strikethrough", &TXMLStyleType::Class}, {"sub", &TXMLStyleType::Class},
    {"sup", &TXMLStyleType::Class},    {"code", &TXMLStyleType::Class},          {"image", &TXMLImageType::Class}};
}  // namespace

// ---- element classes: name, base, factory, registered children, hosted lists[, items] ----
const C TXMLFictionBook::Class{
    "TXMLFictionBook",
    Node,
    &MakeNode<TXMLFictionBook>,
    {{"stylesheet", &TXMLStylesheet::Class},
     {"description", &TXMLDescription::Class},
     {"body", &TXMLBody::Class},
     {"binary", &TXMLBinary::Class}},
    {{"binary", &TXMLBinaryList::Class}, {"body", &TXMLBodyList::Class}, {"stylesheet", &TXMLStylesheetList::Class}}};

const C TXMLStylesheet::Class{"TXMLStylesheet", Node, &MakeNode<TXMLStylesheet>, {}, {}};

const C TXMLDescription::Class{
    "TXMLDescription",
    Node,
    &MakeNode<TXMLDescription>,
    {{"title-info", &TXMLTitleinfoType::Class},
     {"src-title-info", &TXMLTitleinfoType::Class},
     {"document-info", &TXMLDocumentinfo::Class},
     {"publish-info", &TXMLPublishinfo::Class},
     {"custom-info", &TXMLCustominfo::Class},
     {"output", &TXMLShareInstructionType::Class}},
    {{"custom-info", &TXMLCustominfoList::Class}, {"output", &TXMLShareInstructionTypeList::Class}}};

const C TXMLTitleinfoType::Class{"TXMLTitleinfoType",
                                 Node,
                                 &MakeNode<TXMLTitleinfoType>,
                                 {{"author", &TXMLAuthorType::Class},
                                  {"book-title", &TXMLTextFieldType::Class},
                                  {"annotation", &TXMLAnnotationType::Class},
                                  {"keywords", &TXMLTextFieldType::Class},
                                  {"date", &TXMLDateType::Class},
                                  {"coverpage", &TXMLCoverpage::Class},
                                  {"translator", &TXMLAuthorType::Class},
                                  {"sequence", &TXMLSequenceType::Class}},
                                 {{"author", &TXMLAuthorTypeList::Class},
                                  {"genre", &TXMLGenreTypeList::Class},
                                  {"sequence", &TXMLSequenceTypeList::Class},
                                  {"translator", &TXMLAuthorTypeList::Class}}};

const C TXMLAuthorType::Class{"TXMLAuthorType",
                              Node,
                              &MakeNode<TXMLAuthorType>,
                              {{"first-name", &TXMLTextFieldType::Class},
                               {"middle-name", &TXMLTextFieldType::Class},
                               {"last-name", &TXMLTextFieldType::Class},
                               {"nickname", &TXMLTextFieldType::Class}},
                              {{"email", &TXMLString_List::Class}, {"home-page", &TXMLString_List::Class}}};

const C TXMLTextFieldType::Class{"TXMLTextFieldType", Node, &MakeNode<TXMLTextFieldType>, {}, {}};

const C TXMLAnnotationType::Class{"TXMLAnnotationType",
                                  Node,
                                  &MakeNode<TXMLAnnotationType>,
                                  {{"p", &TXMLPType::Class},
                                   {"poem", &TXMLPoemType::Class},
                                   {"cite", &TXMLCiteType::Class},
                                   {"subtitle", &TXMLPType::Class},
                                   {"table", &TXMLTableType::Class}},
                                  {{"p", &TXMLPTypeList::Class}}};

const C TXMLStyleType::Class{"TXMLStyleType", Node, &MakeNode<TXMLStyleType>, InlineMarkup, {}};

const C TXMLPoemType::Class{"TXMLPoemType",
                            Node,
                            &MakeNode<TXMLPoemType>,
                            {{"title", &TXMLTitleType::Class},
                             {"epigraph", &TXMLEpigraphType::Class},
                             {"stanza", &TXMLStanza::Class},
                             {"date", &TXMLDateType::Class},
                             {"text-author", &TXMLPType::Class}},
                            {{"epigraph", &TXMLEpigraphTypeList::Class},
                             {"stanza", &TXMLStanzaList::Class},
                             {"text-author", &TXMLPTypeList::Class}}};

const C TXMLTitleType::Class{"TXMLTitleType", Node, &MakeNode<TXMLTitleType>, {{"p", &TXMLPType::Class}}, {}};

const C TXMLEpigraphType::Class{"TXMLEpigraphType",
                                Node,
                                &MakeNode<TXMLEpigraphType>,
                                {{"p", &TXMLPType::Class},
                                 {"poem", &TXMLPoemType::Class},
                                 {"cite", &TXMLCiteType::Class},
                                 {"text-author", &TXMLPType::Class}},
                                {{"text-author", &TXMLPTypeList::Class}}};

const C TXMLCiteType::Class{"TXMLCiteType",
                            Node,
                            &MakeNode<TXMLCiteType>,
                            {{"p", &TXMLPType::Class},
                             {"poem", &TXMLPoemType::Class},
                             {"subtitle", &TXMLPType::Class},
                             {"table", &TXMLTableType::Class},
                             {"text-author", &TXMLPType::Class}},
                            {{"text-author", &TXMLPTypeList::Class}}};

const C TXMLTableType::Class{"TXMLTableType", Collection, &MakeNode<TXMLTableType>, {{"tr", &TXMLTr::Class}}, {}, "tr",
                             &TXMLTr::Class};

const C TXMLTr::Class{"TXMLTr", Collection, &MakeNode<TXMLTr>, {{"td", &TXMLPType::Class}},
                      {},       "td",       &TXMLPType::Class};

const C TXMLStanza::Class{"TXMLStanza",
                          Node,
                          &MakeNode<TXMLStanza>,
                          {{"title", &TXMLTitleType::Class}, {"subtitle", &TXMLPType::Class}, {"v", &TXMLPType::Class}},
                          {{"v", &TXMLPTypeList::Class}}};

const C TXMLDateType::Class{"TXMLDateType", Node, &MakeNode<TXMLDateType>, {}, {}};

const C TXMLCoverpage::Class{
    "TXMLCoverpage", Collection,           &MakeNode<TXMLCoverpage>, {{"image", &TXMLImageType::Class}}, {},
    "image",         &TXMLImageType::Class};

const C TXMLImageType::Class{"TXMLImageType", Node, &MakeNode<TXMLImageType>, {}, {}};

const C TXMLSequenceType::Class{"TXMLSequenceType",
                                Collection,
                                &MakeNode<TXMLSequenceType>,
                                {{"sequence", &TXMLSequenceType::Class}},
                                {},
                                "sequence",
                                &TXMLSequenceType::Class};

const C TXMLDocumentinfo::Class{"TXMLDocumentinfo",
                                Node,
                                &MakeNode<TXMLDocumentinfo>,
                                {{"author", &TXMLAuthorType::Class},
                                 {"program-used", &TXMLTextFieldType::Class},
                                 {"date", &TXMLDateType::Class},
                                 {"src-ocr", &TXMLTextFieldType::Class},
                                 {"history", &TXMLAnnotationType::Class}},
                                {{"author", &TXMLAuthorTypeList::Class}, {"src-url", &TXMLString_List::Class}}};

const C TXMLPublishinfo::Class{"TXMLPublishinfo",
                               Node,
                               &MakeNode<TXMLPublishinfo>,
                               {{"book-name", &TXMLTextFieldType::Class},
                                {"publisher", &TXMLTextFieldType::Class},
                                {"city", &TXMLTextFieldType::Class},
                                {"isbn", &TXMLTextFieldType::Class},
                                {"sequence", &TXMLSequenceType::Class}},
                               {{"sequence", &TXMLSequenceTypeList::Class}}};

const C TXMLCustominfo::Class{"TXMLCustominfo", Node, &MakeNode<TXMLCustominfo>, {}, {}};

const C TXMLShareInstructionType::Class{
    "TXMLShareInstructionType",
    Node,
    &MakeNode<TXMLShareInstructionType>,
    {{"part", &TXMLPartShareInstructionType::Class}, {"output-document-class", &TXMLOutPutDocumentType::Class}},
    {{"output-document-class", &TXMLOutPutDocumentTypeList::Class},
     {"part", &TXMLPartShareInstructionTypeList::Class}}};

const C TXMLPartShareInstructionType::Class{
    "TXMLPartShareInstructionType", Node, &MakeNode<TXMLPartShareInstructionType>, {}, {}};

const C TXMLOutPutDocumentType::Class{"TXMLOutPutDocumentType",
                                      Collection,
                                      &MakeNode<TXMLOutPutDocumentType>,
                                      {{"part", &TXMLPartShareInstructionType::Class}},
                                      {},
                                      "part",
                                      &TXMLPartShareInstructionType::Class};

const C TXMLBody::Class{"TXMLBody",
                        Node,
                        &MakeNode<TXMLBody>,
                        {{"image", &TXMLImageType::Class},
                         {"title", &TXMLTitleType::Class},
                         {"epigraph", &TXMLEpigraphType::Class},
                         {"section", &TXMLSectionType::Class}},
                        {{"epigraph", &TXMLEpigraphTypeList::Class}, {"section", &TXMLSectionTypeList::Class}}};

const C TXMLSectionType::Class{"TXMLSectionType",
                               Node,
                               &MakeNode<TXMLSectionType>,
                               {{"title", &TXMLTitleType::Class},
                                {"epigraph", &TXMLEpigraphType::Class},
                                {"image", &TXMLImageType::Class},
                                {"annotation", &TXMLAnnotationType::Class},
                                {"section", &TXMLSectionType::Class},
                                {"p", &TXMLPType::Class},
                                {"poem", &TXMLPoemType::Class},
                                {"subtitle", &TXMLPType::Class},
                                {"cite", &TXMLCiteType::Class},
                                {"table", &TXMLTableType::Class}},
                               {{"epigraph", &TXMLEpigraphTypeList::Class}, {"section", &TXMLSectionTypeList::Class}}};

const C TXMLBinary::Class{"TXMLBinary", Node, &MakeNode<TXMLBinary>, {}, {}};

const C TXMLPType::Class{"TXMLPType", &TXMLStyleType::Class, &MakeNode<TXMLPType>, InlineMarkup, {}};

const C TXMLNamedStyleType::Class{"TXMLNamedStyleType", Node, &MakeNode<TXMLNamedStyleType>, InlineMarkup, {}};

const C TXMLLinkType::Class{"TXMLLinkType",
                            Node,
                            &MakeNode<TXMLLinkType>,
                            {{"strong", &TXMLStyleLinkType::Class},
                             {"emphasis", &TXMLStyleLinkType::Class},
                             {"style", &TXMLStyleLinkType::Class},
                             {"strikethrough", &TXMLStyleType::Class},
                             {"sub", &TXMLStyleType::Class},
                             {"sup", &TXMLStyleType::Class},
                             {"code", &TXMLStyleType::Class},
                             {"image", &TXMLImageType::Class}},
                            {}};

const C TXMLStyleLinkType::Class{"TXMLStyleLinkType",
                                 Node,
                                 &MakeNode<TXMLStyleLinkType>,
                                 {{"strong", &TXMLStyleLinkType::Class},
                                  {"emphasis", &TXMLStyleLinkType::Class},
                                  {"style", &TXMLStyleLinkType::Class}},
                                 {}};

// ---- hosted list classes: the item class; the host gives the item tag ----
#define ORVANE_FB2_LIST(Name, Item)                                                                                    \
    const C TXML##Name::Class{"TXML" #Name, Collection, &MakeNode<TXML##Name>, {}, {}, nullptr, Item};
ORVANE_FB2_LIST(StylesheetList, &TXMLStylesheet::Class)
ORVANE_FB2_LIST(AuthorTypeList, &TXMLAuthorType::Class)
ORVANE_FB2_LIST(EpigraphTypeList, &TXMLEpigraphType::Class)
ORVANE_FB2_LIST(StanzaList, &TXMLStanza::Class)
ORVANE_FB2_LIST(SequenceTypeList, &TXMLSequenceType::Class)
ORVANE_FB2_LIST(CustominfoList, &TXMLCustominfo::Class)
ORVANE_FB2_LIST(ShareInstructionTypeList, &TXMLShareInstructionType::Class)
ORVANE_FB2_LIST(PartShareInstructionTypeList, &TXMLPartShareInstructionType::Class)
ORVANE_FB2_LIST(OutPutDocumentTypeList, &TXMLOutPutDocumentType::Class)
ORVANE_FB2_LIST(BodyList, &TXMLBody::Class)
ORVANE_FB2_LIST(SectionTypeList, &TXMLSectionType::Class)
ORVANE_FB2_LIST(BinaryList, &TXMLBinary::Class)
ORVANE_FB2_LIST(PTypeList, &TXMLPType::Class)
ORVANE_FB2_LIST(GenreTypeList, Node)
ORVANE_FB2_LIST(String_List, Node)
#undef ORVANE_FB2_LIST

QString TXMLPType::PlainText() const
{
    // Iterative, so a deeply nested paragraph cannot exhaust the stack.
    QByteArray text;
    const xmlNode *paragraph = DomNode();
    const xmlNode *node = paragraph->children;
    while (node) {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (node->content)
                text += reinterpret_cast<const char *>(node->content);
        } else if (node->type == XML_ELEMENT_NODE && node->children) {
            node = node->children;
            continue;
        }
        while (node != paragraph && !node->next)
            node = node->parent;
        node = node == paragraph ? nullptr : node->next;
    }
    return QString::fromUtf8(text);
}

IXMLFictionBook OpenBookDocument(const QString &fileName) { return BookFromDom(LoadBookDom(fileName)); }

bool IsBooksDescription(const xmlNode *closed)
{
    const xmlNode *root = closed->parent;
    return root && root->type == XML_ELEMENT_NODE && root->parent && root->parent->type == XML_DOCUMENT_NODE
        && IsChildFor(root, closed, "description");
}

IXMLFictionBook OpenBookDescription(const QString &fileName)
{
    XmlParseError error;
    XmlDocPtr dom = XmlLoadFileHead(fileName, error, XmlBlanks::Drop, &IsBooksDescription);
    if (!dom)
        throw EOrvane(error.LoadMessage());
    return BookFromDom(std::move(dom));
}

XmlDocPtr LoadBookDom(const QString &fileName)
{
    XmlParseError error;
    XmlDocPtr dom = XmlLoadFile(fileName, error, XmlBlanks::Drop);
    if (!dom)
        throw EOrvane(error.LoadMessage());
    return dom;
}

XmlDocPtr LoadBookDom(const QByteArray &data, const QString &fileName)
{
    XmlParseError error;
    XmlDocPtr dom = XmlLoadBytes(data, QUrl::fromLocalFile(fileName).toString(QUrl::FullyEncoded), error);
    if (!dom)
        throw EOrvane(error.LoadMessage());
    return dom;
}

IXMLFictionBook BookFromDom(XmlDocPtr dom)
{
    xmlNode *rootElement = nullptr;
    for (xmlNode *n = dom->children; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE)
            rootElement = n;
    auto document = std::make_shared<TBookDocument>(
        std::move(dom), std::vector<TNodeClass::Child>{{"FictionBook", &TXMLFictionBook::Class}});
    auto *book = rootElement ? dynamic_cast<TXMLFictionBook *>(document->NodeFor(rootElement)) : nullptr;
    if (!book)
        throw EOrvane(QStringLiteral("Interface not supported"));
    return IXMLFictionBook(document, book);
}
