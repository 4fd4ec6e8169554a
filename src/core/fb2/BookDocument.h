#pragma once
// One loaded document and the node objects over it; shared by every interface into it.

#include "fb2/XMLNode.h"
#include "xml/XmlServices.h"

#include <memory>
#include <vector>

class TBookDocument : public std::enable_shared_from_this<TBookDocument> {
public:
    // rootClasses: the document-level registrations for the document element.
    TBookDocument(XmlDocPtr doc, std::vector<TNodeClass::Child> rootClasses);
    ~TBookDocument();
    TBookDocument(const TBookDocument &) = delete;
    TBookDocument &operator=(const TBookDocument &) = delete;

    xmlDoc *Dom() const { return m_doc.get(); }
    // The node object of a DOM node, made on first use with the class its parent registers.
    TXMLNode *NodeFor(xmlNode *node);
    // Takes a node out of the tree. It is freed with the document, so node objects that still
    // refer to it or into it stay valid.
    void Detach(xmlNode *node);

private:
    TXMLNode *Wrap(xmlNode *node, const TNodeClass *cls);

    XmlDocPtr m_doc;
    std::vector<TNodeClass::Child> m_rootClasses;
    std::vector<std::unique_ptr<TXMLNode>> m_nodes;
    std::vector<xmlNode *> m_detached;
};
