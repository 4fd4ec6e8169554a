#pragma once
// The node layer that every FB2 binding class shares: node objects over libxml2 nodes, child
// lookup and creation, the text rule, attributes, and lists of repeated elements.
//
// Callers hold interfaces: IXMLxxx is a shared pointer to the binding class TXMLxxx. Every
// interface shares ownership of the whole document, so any node keeps its document alive and
// the document is released with the last interface into it.

#include <QList>
#include <QString>
#include <libxml/tree.h>
#include <memory>
#include <vector>

class TXMLNode;
class TXMLNodeCollection;
class TBookDocument;
using IXMLNode = std::shared_ptr<TXMLNode>;
using IXMLNodeCollection = std::shared_ptr<TXMLNodeCollection>;

extern const char *const FB2Namespace;  // FictionBook 2.0
extern const char *const XLinkNamespace;  // XLink 1.0

// One binding class as data: what the node layer needs to create, bind and list its nodes.
// The catalogue of the format is a table of these.
struct TNodeClass {
    struct Child {
        const char *tag;
        const TNodeClass *cls;
    };
    const char *name;
    const TNodeClass *base;  // its node objects also support the base's interface
    TXMLNode *(*create)();
    std::vector<Child> children;  // registered child elements, in the FB2 namespace
    std::vector<Child> hostedLists;  // item tag -> list class, made with every node object
    const char *itemTag = nullptr;  // list classes: items, unless set by the host
    const TNodeClass *itemClass = nullptr;

    bool IsA(const TNodeClass *other) const;
    // The class a child element gets: the first registration matching its qualified or local
    // name whose namespace equals the child's; the plain node class otherwise.
    const TNodeClass *ClassForChild(const xmlNode *child) const;
};

template <class T> TXMLNode *MakeNode() { return new T; }

// Whether child can be what a node's accessor for tag finds below parent: an element of that
// name in the parent's namespace (the first such child is the one).
bool IsChildFor(const xmlNode *parent, const xmlNode *child, const char *tag);

// The plain node class: generic operations and the accessor kinds the binding classes use.
class TXMLNode {
public:
    static const TNodeClass Class;

    TXMLNode() = default;
    TXMLNode(const TXMLNode &) = delete;
    TXMLNode &operator=(const TXMLNode &) = delete;
    virtual ~TXMLNode() = default;

    QString NodeName() const;  // qualified name; "#text", "#cdata-section", ...
    QString LocalName() const;
    QString NamespaceURI() const;
    int NodeType() const;  // DOM node type numbers (element 1, attribute 2, text 3, ...)
    // The text rule: an element with no children reads as empty text (and gains an empty text
    // node), with one text or CDATA child as its value, with anything else is an error.
    // Other nodes read as their value.
    QString Text();
    void SetText(const QString &text);
    QString Xml() const;  // the serialised subtree
    QList<IXMLNode> ChildNodes();
    QList<IXMLNode> AttributeNodes();
    IXMLNode ParentNode();

    const TNodeClass &NodeClass() const { return *m_class; }
    bool Supports(const TNodeClass &cls) const { return m_class->IsA(&cls); }
    xmlNode *DomNode() const { return m_node; }

protected:
    // Accessor kinds. Reading creates what it does not find (elements, attributes).
    template <class T> std::shared_ptr<T> ChildElement(const char *tag) { return Interface<T>(FindOrCreateChild(tag)); }
    QString ChildText(const char *tag);
    void SetChildText(const char *tag, const QString &text);
    QString AttributeText(const char *name);
    void SetAttributeText(const char *name, const QString &value);
    int AttributeInt(const char *name);
    void SetAttributeInt(const char *name, int value);
    float AttributeFloat(const char *name);
    void SetAttributeFloat(const char *name, float value);
    QString XLinkAttribute(const char *localName) const;  // never creates
    void SetXLinkAttribute(const char *localName, const QString &value);
    template <class L> std::shared_ptr<L> HostedList(const char *tag) { return Interface<L>(FindHostedList(tag)); }

    // The interface T of a node object of this document; "Interface not supported" otherwise.
    template <class T> std::shared_ptr<T> Interface(TXMLNode *node) const
    {
        if (!node)
            return nullptr;
        T *typed = dynamic_cast<T *>(node);
        if (!typed)
            ThrowNotSupported();
        return std::shared_ptr<T>(Owner(), typed);
    }
    TXMLNode *NodeFor(xmlNode *node) const;
    TBookDocument &Document() const { return *m_doc; }

private:
    friend class TBookDocument;
    [[noreturn]] static void ThrowNotSupported();
    std::shared_ptr<TBookDocument> Owner() const;
    xmlNode *FindChild(const char *tag) const;
    TXMLNode *FindOrCreateChild(const char *tag);
    xmlAttr *FindAttribute(const char *name) const;
    xmlAttr *FindOrCreateAttribute(const char *name);
    TXMLNode *FindHostedList(const char *tag) const;

    TBookDocument *m_doc = nullptr;
    xmlNode *m_node = nullptr;  // xmlAttr for attribute nodes (same leading fields)
    const TNodeClass *m_class = &Class;
    std::vector<std::unique_ptr<TXMLNodeCollection>> m_lists;  // hosted lists
};

// A list of the element children of one node that have the item tag.
class TXMLNodeCollection : public TXMLNode {
public:
    static const TNodeClass Class;

    int Count() const;
    IXMLNode Nodes(int index);  // the untyped item; none when the list is empty
    void Clear();
    void Delete(int index);
    int Remove(const IXMLNode &item);  // its former index, or -1 when it is not an item
    const char *ItemTag() const { return m_itemTag; }

protected:
    std::vector<xmlNode *> ItemNodes() const;
    xmlNode *ItemNode(int index) const;  // null when the list is empty; error when out of range
    xmlNode *NewItem(int insertAt);  // -1: append

private:
    friend class TXMLNode;
    friend class TBookDocument;
    bool IsItem(xmlNode *child) const;
    [[noreturn]] static void OutOfBounds(int index);

    const char *m_itemTag = nullptr;
    const TNodeClass *m_itemClass = &TXMLNode::Class;
};

// A list whose items are element node objects of class T.
template <class T> class TXMLElementList : public TXMLNodeCollection {
public:
    std::shared_ptr<T> Add() { return Interface<T>(NodeFor(NewItem(-1))); }
    std::shared_ptr<T> Items(int index) { return Interface<T>(NodeFor(ItemNode(index))); }
    std::shared_ptr<T> Insert(int index) { return Interface<T>(NodeFor(NewItem(index))); }
};

// A list whose items read and write as text.
class TXMLTextList : public TXMLNodeCollection {
public:
    IXMLNode Add(const QString &text);
    QString Items(int index);  // empty text when the list is empty
    IXMLNode Insert(int index, const QString &text);
};
