#include "fb2/XMLNode.h"

#include "fb2/BookDocument.h"
#include "fb2/NumberText.h"
#include "globals/Errors.h"
#include "xml/XmlServices.h"

#include <cstring>

const char *const FB2Namespace = "http://www.gribuser.ru/xml/fictionbook/2.0";
const char *const XLinkNamespace = "http://www.w3.org/1999/xlink";

const TNodeClass TXMLNode::Class{"TXMLNode", nullptr, &MakeNode<TXMLNode>, {}, {}};
const TNodeClass TXMLNodeCollection::Class{
    "TXMLNodeCollection", &TXMLNode::Class, &MakeNode<TXMLNodeCollection>, {}, {}};

namespace {

const char *Str(const xmlChar *s) { return reinterpret_cast<const char *>(s); }
const xmlChar *XStr(const char *s) { return reinterpret_cast<const xmlChar *>(s); }
QString QStr(const xmlChar *s) { return QString::fromUtf8(Str(s)); }
QByteArray Utf8(const QString &s) { return s.toUtf8(); }

// Namespace URIs compare without regard to letter case; no namespace equals the empty URI.
bool SameNamespace(const xmlNs *ns, const char *uri)
{
    const char *href = ns && ns->href ? Str(ns->href) : "";
    return qstricmp(href, uri ? uri : "") == 0;
}

bool SameNamespace(const xmlNs *a, const xmlNs *b) { return SameNamespace(a, b && b->href ? Str(b->href) : ""); }

// The qualified name ("prefix:local") or the local name equals `name`.
bool NameMatches(const xmlChar *local, const xmlNs *ns, const char *name)
{
    if (!local)
        return false;
    if (std::strcmp(Str(local), name) == 0)
        return true;
    if (!ns || !ns->prefix)
        return false;
    const size_t prefixLength = std::strlen(Str(ns->prefix));
    return std::strncmp(name, Str(ns->prefix), prefixLength) == 0 && name[prefixLength] == ':'
        && std::strcmp(name + prefixLength + 1, Str(local)) == 0;
}

const TNodeClass *MatchRegistration(const std::vector<TNodeClass::Child> &rows, const xmlNode *child)
{
    for (const TNodeClass::Child &row : rows)
        if (NameMatches(child->name, child->ns, row.tag) && SameNamespace(child->ns, FB2Namespace))
            return row.cls;
    return nullptr;
}

}  // namespace

// ---- TNodeClass ----

bool TNodeClass::IsA(const TNodeClass *other) const
{
    for (const TNodeClass *c = this; c; c = c->base)
        if (c == other)
            return true;
    return false;
}

const TNodeClass *TNodeClass::ClassForChild(const xmlNode *child) const
{
    const TNodeClass *cls = MatchRegistration(children, child);
    return cls ? cls : &TXMLNode::Class;
}

// ---- TBookDocument ----

TBookDocument::TBookDocument(XmlDocPtr doc, std::vector<TNodeClass::Child> rootClasses)
    : m_doc(std::move(doc)), m_rootClasses(std::move(rootClasses))
{}

TBookDocument::~TBookDocument()
{
    // Detached subtrees still use the document's dictionary and namespaces: free them first.
    for (xmlNode *node : m_detached) {
        if (node->type == XML_ATTRIBUTE_NODE)
            xmlFreeProp(reinterpret_cast<xmlAttr *>(node));
        else
            xmlFreeNode(node);
    }
    m_doc.reset();
}

TXMLNode *TBookDocument::NodeFor(xmlNode *node)
{
    if (!node)
        return nullptr;
    if (node->_private)
        return static_cast<TXMLNode *>(node->_private);
    const TNodeClass *cls = &TXMLNode::Class;
    if (node->type == XML_ELEMENT_NODE && node->parent) {
        if (node->parent->type == XML_ELEMENT_NODE) {
            cls = NodeFor(node->parent)->NodeClass().ClassForChild(node);
        } else if (node->parent->type == XML_DOCUMENT_NODE) {
            const TNodeClass *root = MatchRegistration(m_rootClasses, node);
            cls = root ? root : cls;
        }
    }
    return Wrap(node, cls);
}

TXMLNode *TBookDocument::Wrap(xmlNode *node, const TNodeClass *cls)
{
    std::unique_ptr<TXMLNode> object(cls->create());
    object->m_doc = this;
    object->m_node = node;
    object->m_class = cls;
    if (auto *list = dynamic_cast<TXMLNodeCollection *>(object.get())) {
        list->m_itemTag = cls->itemTag;
        list->m_itemClass = cls->itemClass ? cls->itemClass : &TXMLNode::Class;
    }
    for (const TNodeClass::Child &row : cls->hostedLists) {
        std::unique_ptr<TXMLNode> made(row.cls->create());
        // A hosted list is a collection by its class table.
        Q_ASSERT(dynamic_cast<TXMLNodeCollection *>(made.get()));
        auto *list = static_cast<TXMLNodeCollection *>(made.release());
        list->m_doc = this;
        list->m_node = node;
        list->m_class = row.cls;
        list->m_itemTag = row.tag;
        list->m_itemClass = row.cls->itemClass ? row.cls->itemClass : &TXMLNode::Class;
        object->m_lists.emplace_back(list);
    }
    node->_private = object.get();
    m_nodes.push_back(std::move(object));
    return m_nodes.back().get();
}

void TBookDocument::Detach(xmlNode *node)
{
    xmlUnlinkNode(node);
    m_detached.push_back(node);
}

// ---- TXMLNode: generic operations ----

std::shared_ptr<TBookDocument> TXMLNode::Owner() const { return m_doc->shared_from_this(); }

void TXMLNode::ThrowNotSupported() { throw EOrvane(QStringLiteral("Interface not supported")); }

TXMLNode *TXMLNode::NodeFor(xmlNode *node) const { return m_doc->NodeFor(node); }

QString TXMLNode::NodeName() const
{
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        if (m_node->ns && m_node->ns->prefix)
            return QStr(m_node->ns->prefix) + QLatin1Char(':') + QStr(m_node->name);
        return QStr(m_node->name);
    case XML_TEXT_NODE: return QStringLiteral("#text");
    case XML_CDATA_SECTION_NODE: return QStringLiteral("#cdata-section");
    case XML_COMMENT_NODE: return QStringLiteral("#comment");
    case XML_DOCUMENT_NODE: return QStringLiteral("#document");
    default: return QStr(m_node->name);
    }
}

QString TXMLNode::LocalName() const
{
    return m_node->type == XML_ELEMENT_NODE || m_node->type == XML_ATTRIBUTE_NODE ? QStr(m_node->name) : NodeName();
}

QString TXMLNode::NamespaceURI() const
{
    return (m_node->type == XML_ELEMENT_NODE || m_node->type == XML_ATTRIBUTE_NODE) && m_node->ns
        ? QStr(m_node->ns->href)
        : QString();
}

int TXMLNode::NodeType() const { return int(m_node->type); }

QString TXMLNode::Text()
{
    if (m_node->type != XML_ELEMENT_NODE) {
        xmlChar *value = xmlNodeGetContent(m_node);
        const QString text = QStr(value);
        xmlFree(value);
        return text;
    }
    xmlNode *only = m_node->children;
    if (!only) {
        xmlAddChild(m_node, xmlNewDocText(m_node->doc, XStr("")));
        return QString();
    }
    if (only->next || (only->type != XML_TEXT_NODE && only->type != XML_CDATA_SECTION_NODE))
        throw EOrvane(QStringLiteral("Element \"%1\" does not contain a single text node").arg(NodeName()));
    return QStr(only->content);
}

void TXMLNode::SetText(const QString &text)
{
    const QByteArray value = Utf8(text);
    switch (m_node->type) {
    case XML_ELEMENT_NODE:
        while (m_node->children)
            m_doc->Detach(m_node->children);
        xmlAddChild(m_node, xmlNewDocText(m_node->doc, XStr(value.constData())));
        break;
    case XML_ATTRIBUTE_NODE: {
        while (m_node->children)
            m_doc->Detach(m_node->children);
        xmlNode *textNode = xmlNewDocText(m_node->doc, XStr(value.constData()));
        textNode->parent = m_node;
        m_node->children = m_node->last = textNode;
        break;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE: xmlNodeSetContent(m_node, XStr(value.constData())); break;
    default: break;
    }
}

QString TXMLNode::Xml() const { return XmlNodeText(m_node); }

QList<IXMLNode> TXMLNode::ChildNodes()
{
    QList<IXMLNode> nodes;
    if (m_node->type == XML_ATTRIBUTE_NODE)
        return nodes;
    for (xmlNode *child = m_node->children; child; child = child->next)
        nodes.append(Interface<TXMLNode>(NodeFor(child)));
    return nodes;
}

QList<IXMLNode> TXMLNode::AttributeNodes()
{
    QList<IXMLNode> nodes;
    if (m_node->type != XML_ELEMENT_NODE)
        return nodes;
    for (xmlAttr *attr = m_node->properties; attr; attr = attr->next)
        nodes.append(Interface<TXMLNode>(NodeFor(reinterpret_cast<xmlNode *>(attr))));
    return nodes;
}

IXMLNode TXMLNode::ParentNode()
{
    xmlNode *parent = m_node->parent;
    if (!parent || parent->type == XML_DOCUMENT_NODE)
        return nullptr;
    return Interface<TXMLNode>(NodeFor(parent));
}

// ---- TXMLNode: accessor kinds ----

bool IsChildFor(const xmlNode *parent, const xmlNode *child, const char *tag)
{
    return child->type == XML_ELEMENT_NODE && NameMatches(child->name, child->ns, tag)
        && SameNamespace(child->ns, parent->ns);
}

xmlNode *TXMLNode::FindChild(const char *tag) const
{
    for (xmlNode *child = m_node->children; child; child = child->next)
        if (IsChildFor(m_node, child, tag))
            return child;
    return nullptr;
}

TXMLNode *TXMLNode::FindOrCreateChild(const char *tag)
{
    xmlNode *child = FindChild(tag);
    if (!child) {
        const char *colon = std::strchr(tag, ':');
        child = xmlNewDocNode(m_node->doc, m_node->ns, XStr(colon ? colon + 1 : tag), nullptr);
        xmlAddChild(m_node, child);
    }
    return NodeFor(child);
}

QString TXMLNode::ChildText(const char *tag) { return FindOrCreateChild(tag)->Text(); }

void TXMLNode::SetChildText(const char *tag, const QString &text) { FindOrCreateChild(tag)->SetText(text); }

xmlAttr *TXMLNode::FindAttribute(const char *name) const
{
    if (m_node->type != XML_ELEMENT_NODE)
        return nullptr;
    // The qualified name first, so that a plain "type" is found even after an XLink "type";
    // then the local name, in any namespace.
    const char *colon = std::strchr(name, ':');
    for (xmlAttr *attr = m_node->properties; attr; attr = attr->next) {
        const bool prefixed = attr->ns && attr->ns->prefix;
        if (prefixed ? colon && NameMatches(attr->name, attr->ns, name) : std::strcmp(Str(attr->name), name) == 0)
            return attr;
    }
    for (xmlAttr *attr = m_node->properties; attr; attr = attr->next)
        if (NameMatches(attr->name, attr->ns, name))
            return attr;
    return nullptr;
}

xmlAttr *TXMLNode::FindOrCreateAttribute(const char *name)
{
    if (xmlAttr *attr = FindAttribute(name))
        return attr;
    const char *colon = std::strchr(name, ':');
    if (colon) {
        const QByteArray prefix(name, colon - name);
        if (xmlNs *ns = xmlSearchNs(m_node->doc, m_node, XStr(prefix.constData())))
            return xmlNewNsProp(m_node, ns, XStr(colon + 1), XStr(""));
    }
    return xmlNewProp(m_node, XStr(name), XStr(""));
}

QString TXMLNode::AttributeText(const char *name)
{
    return NodeFor(reinterpret_cast<xmlNode *>(FindOrCreateAttribute(name)))->Text();
}

void TXMLNode::SetAttributeText(const char *name, const QString &value)
{
    NodeFor(reinterpret_cast<xmlNode *>(FindOrCreateAttribute(name)))->SetText(value);
}

int TXMLNode::AttributeInt(const char *name) { return TextToInt32(AttributeText(name)); }

void TXMLNode::SetAttributeInt(const char *name, int value) { SetAttributeText(name, QString::number(value)); }

float TXMLNode::AttributeFloat(const char *name) { return TextToFloat(AttributeText(name)); }

void TXMLNode::SetAttributeFloat(const char *name, float value) { SetAttributeText(name, FloatToText(value)); }

QString TXMLNode::XLinkAttribute(const char *localName) const
{
    if (m_node->type != XML_ELEMENT_NODE)
        return QString();
    for (xmlAttr *attr = m_node->properties; attr; attr = attr->next)
        if (std::strcmp(Str(attr->name), localName) == 0 && attr->ns && SameNamespace(attr->ns, XLinkNamespace)) {
            xmlChar *value = xmlNodeGetContent(reinterpret_cast<xmlNode *>(attr));
            const QString text = QStr(value);
            xmlFree(value);
            return text;
        }
    return QString();
}

void TXMLNode::SetXLinkAttribute(const char *localName, const QString &value)
{
    const QByteArray bytes = Utf8(value);
    for (xmlAttr *attr = m_node->properties; attr; attr = attr->next)
        if (std::strcmp(Str(attr->name), localName) == 0 && attr->ns && SameNamespace(attr->ns, XLinkNamespace)) {
            xmlSetNsProp(m_node, attr->ns, attr->name, XStr(bytes.constData()));
            return;
        }
    xmlNs *ns = xmlSearchNsByHref(m_node->doc, m_node, XStr(XLinkNamespace));
    for (const char *prefix : {"l", "xlink", "xlink1", "xlink2"}) {
        if (ns)
            break;
        if (!xmlSearchNs(m_node->doc, m_node, XStr(prefix)))
            ns = xmlNewNs(m_node, XStr(XLinkNamespace), XStr(prefix));
    }
    if (ns)
        xmlSetNsProp(m_node, ns, XStr(localName), XStr(bytes.constData()));
}

TXMLNode *TXMLNode::FindHostedList(const char *tag) const
{
    for (const auto &list : m_lists)
        if (std::strcmp(list->ItemTag(), tag) == 0)
            return list.get();
    return nullptr;
}

// ---- TXMLNodeCollection ----

void TXMLNodeCollection::OutOfBounds(int index)
{
    throw EOrvane(QStringLiteral("List index out of bounds (%1)").arg(index));
}

bool TXMLNodeCollection::IsItem(xmlNode *child) const
{
    if (child->type != XML_ELEMENT_NODE || !m_itemTag || std::strcmp(Str(child->name), m_itemTag) != 0)
        return false;
    return m_itemClass == &TXMLNode::Class || NodeFor(child)->Supports(*m_itemClass);
}

std::vector<xmlNode *> TXMLNodeCollection::ItemNodes() const
{
    std::vector<xmlNode *> items;
    for (xmlNode *child = DomNode()->children; child; child = child->next)
        if (IsItem(child))
            items.push_back(child);
    return items;
}

int TXMLNodeCollection::Count() const
{
    int count = 0;
    for (xmlNode *child = DomNode()->children; child; child = child->next)
        count += IsItem(child) ? 1 : 0;
    return count;
}

xmlNode *TXMLNodeCollection::ItemNode(int index) const
{
    int i = 0;
    for (xmlNode *child = DomNode()->children; child; child = child->next)
        if (IsItem(child) && i++ == index && index >= 0)
            return child;
    if (i == 0)
        return nullptr;
    OutOfBounds(index);
}

IXMLNode TXMLNodeCollection::Nodes(int index) { return Interface<TXMLNode>(NodeFor(ItemNode(index))); }

xmlNode *TXMLNodeCollection::NewItem(int insertAt)
{
    xmlNode *parent = DomNode();
    xmlNode *before = nullptr;
    if (insertAt >= 0) {
        int i = 0;
        for (before = parent->children; before && i < insertAt; before = before->next)
            ++i;
        if (i < insertAt)
            OutOfBounds(insertAt);
    }
    xmlNode *item = xmlNewDocNode(parent->doc, parent->ns, XStr(m_itemTag), nullptr);
    if (before)
        xmlAddPrevSibling(before, item);
    else
        xmlAddChild(parent, item);
    return item;
}

void TXMLNodeCollection::Clear()
{
    for (xmlNode *item : ItemNodes())
        Document().Detach(item);
}

void TXMLNodeCollection::Delete(int index)
{
    const std::vector<xmlNode *> items = ItemNodes();
    if (index < 0 || size_t(index) >= items.size())
        OutOfBounds(index);
    Document().Detach(items[size_t(index)]);
}

int TXMLNodeCollection::Remove(const IXMLNode &item)
{
    if (!item)
        return -1;
    const std::vector<xmlNode *> items = ItemNodes();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == item->DomNode()) {
            Document().Detach(items[i]);
            return int(i);
        }
    return -1;
}

// ---- TXMLTextList ----

IXMLNode TXMLTextList::Add(const QString &text)
{
    TXMLNode *item = NodeFor(NewItem(-1));
    item->SetText(text);
    return Interface<TXMLNode>(item);
}

QString TXMLTextList::Items(int index)
{
    xmlNode *item = ItemNode(index);
    return item ? NodeFor(item)->Text() : QString();
}

IXMLNode TXMLTextList::Insert(int index, const QString &text)
{
    TXMLNode *item = NodeFor(NewItem(index));
    item->SetText(text);
    return Interface<TXMLNode>(item);
}
