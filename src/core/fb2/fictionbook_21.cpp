#include "fb2/fictionbook_21.h"

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
} // namespace

// ---- element classes ----
const C TXMLFictionBook::Class{"TXMLFictionBook", Node, &MakeNode<TXMLFictionBook>,
    {{"description", &TXMLDescription::Class}, {"binary", &TXMLBinary::Class}},
    {{"binary", &TXMLBinaryList::Class}}};

const C TXMLDescription::Class{"TXMLDescription", Node, &MakeNode<TXMLDescription>,
    {{"title-info", &TXMLTitleinfoType::Class}, {"src-title-info", &TXMLTitleinfoType::Class},
     {"document-info", &TXMLDocumentinfo::Class}, {"publish-info", &TXMLPublishinfo::Class}},
    {}};

const C TXMLTitleinfoType::Class{"TXMLTitleinfoType", Node, &MakeNode<TXMLTitleinfoType>,
    {{"author", &TXMLAuthorType::Class}, {"book-title", &TXMLTextFieldType::Class},
     {"keywords", &TXMLTextFieldType::Class}, {"date", &TXMLDateType::Class},
     {"coverpage", &TXMLCoverpage::Class}, {"translator", &TXMLAuthorType::Class},
     {"sequence", &TXMLSequenceType::Class}},
    {{"author", &TXMLAuthorTypeList::Class}, {"genre", &TXMLGenreTypeList::Class},
     {"sequence", &TXMLSequenceTypeList::Class}, {"translator", &TXMLAuthorTypeList::Class}}};

const C TXMLAuthorType::Class{"TXMLAuthorType", Node, &MakeNode<TXMLAuthorType>,
    {{"first-name", &TXMLTextFieldType::Class}, {"middle-name", &TXMLTextFieldType::Class},
     {"last-name", &TXMLTextFieldType::Class}, {"nickname", &TXMLTextFieldType::Class}},
    {{"email", &TXMLString_List::Class}, {"home-page", &TXMLString_List::Class}}};

const C TXMLTextFieldType::Class{"TXMLTextFieldType", Node, &MakeNode<TXMLTextFieldType>, {}, {}};

const C TXMLDateType::Class{"TXMLDateType", Node, &MakeNode<TXMLDateType>, {}, {}};

const C TXMLCoverpage::Class{"TXMLCoverpage", Collection, &MakeNode<TXMLCoverpage>,
    {{"image", &TXMLImageType::Class}}, {}, "image", &TXMLImageType::Class};

const C TXMLImageType::Class{"TXMLImageType", Node, &MakeNode<TXMLImageType>, {}, {}};

const C TXMLSequenceType::Class{"TXMLSequenceType", Collection, &MakeNode<TXMLSequenceType>,
    {{"sequence", &TXMLSequenceType::Class}}, {}, "sequence", &TXMLSequenceType::Class};

const C TXMLDocumentinfo::Class{"TXMLDocumentinfo", Node, &MakeNode<TXMLDocumentinfo>,
    {{"author", &TXMLAuthorType::Class}, {"program-used", &TXMLTextFieldType::Class},
     {"date", &TXMLDateType::Class}, {"src-ocr", &TXMLTextFieldType::Class}},
    {{"author", &TXMLAuthorTypeList::Class}, {"src-url", &TXMLString_List::Class}}};

const C TXMLPublishinfo::Class{"TXMLPublishinfo", Node, &MakeNode<TXMLPublishinfo>,
    {{"book-name", &TXMLTextFieldType::Class}, {"publisher", &TXMLTextFieldType::Class},
     {"city", &TXMLTextFieldType::Class}, {"isbn", &TXMLTextFieldType::Class},
     {"sequence", &TXMLSequenceType::Class}},
    {{"sequence", &TXMLSequenceTypeList::Class}}};

const C TXMLBinary::Class{"TXMLBinary", Node, &MakeNode<TXMLBinary>, {}, {}};

// ---- hosted list classes: base, factory, item class ----
const C TXMLAuthorTypeList::Class{"TXMLAuthorTypeList", Collection, &MakeNode<TXMLAuthorTypeList>, {}, {},
    nullptr, &TXMLAuthorType::Class};
const C TXMLSequenceTypeList::Class{"TXMLSequenceTypeList", Collection, &MakeNode<TXMLSequenceTypeList>, {}, {},
    nullptr, &TXMLSequenceType::Class};
const C TXMLBinaryList::Class{"TXMLBinaryList", Collection, &MakeNode<TXMLBinaryList>, {}, {},
    nullptr, &TXMLBinary::Class};
const C TXMLGenreTypeList::Class{"TXMLGenreTypeList", Collection, &MakeNode<TXMLGenreTypeList>, {}, {},
    nullptr, Node};
const C TXMLString_List::Class{"TXMLString_List", Collection, &MakeNode<TXMLString_List>, {}, {},
    nullptr, Node};

IXMLFictionBook OpenBookDocument(const QString &fileName) { return BookFromDom(LoadBookDom(fileName)); }

XmlDocPtr LoadBookDom(const QString &fileName)
{
    XmlParseError error;
    XmlDocPtr dom = XmlLoadFile(fileName, error, XmlBlanks::Drop);
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
