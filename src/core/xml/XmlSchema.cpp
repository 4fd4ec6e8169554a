#include "xml/XmlSchema.h"

#include "globals/Errors.h"
#include "xml/XmlInternal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <cstring>
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/schemasInternals.h>
#include <libxml/xmlschemas.h>
#include <memory>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unordered_set>

namespace {

using SchemaPtr = std::shared_ptr<xmlSchema>;

// The parsed schema of one file, as long as the file does not change.
// Which file the cached schema was read from. Taken with stat(2) for every book: QFileInfo's
// modification time is a local time, and converting it cost 3 % of a run.
struct SchemaStamp {
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = -1;
    qint64 modified = 0;  // nanoseconds

    bool operator==(const SchemaStamp &o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified == o.modified;
    }
};

struct SchemaCache {
    std::mutex mutex;
    QString path;
    SchemaStamp stamp;
    SchemaPtr schema;
    bool idsByName = false;  // IdsAreIdAttributes of the schema
};

SchemaCache &Cache()
{
    static SchemaCache cache;
    return cache;
}

QString SchemaErrorText(const QString &path, const XmlCapturedError &first)
{
    if (first.message.isEmpty())
        return QStringLiteral("%1: not a usable XML schema").arg(path);
    if (first.line > 0)
        return QStringLiteral("%1:%2: %3").arg(path).arg(first.line).arg(first.message);
    return QStringLiteral("%1: %2").arg(path, first.message);
}

SchemaPtr ParseSchema(const QString &path, const QString &expectedNamespace)
{
    XmlTrustedFilesScope trusted;  // the schema's own includes and imports
    XmlErrorCapture capture;
    const QByteArray url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toUtf8();
    xmlSchemaParserCtxtPtr pctxt = xmlSchemaNewParserCtxt(url.constData());
    if (!pctxt)
        throw EOrvane(QStringLiteral("Out of memory"));
    xmlSchemaPtr raw = xmlSchemaParse(pctxt);
    xmlSchemaFreeParserCtxt(pctxt);
    if (!raw)
        throw EOrvane(SchemaErrorText(path, capture.First()));
    SchemaPtr schema(raw, xmlSchemaFree);
    const QString target = QString::fromUtf8(reinterpret_cast<const char *>(raw->targetNamespace));
    if (target != expectedNamespace)
        throw EOrvane(QStringLiteral("%1: the schema's target namespace \"%2\" is not \"%3\"")
                          .arg(path, target, expectedNamespace));
    return schema;
}

const char kXsdNamespace[] = "http://www.w3.org/2001/XMLSchema";

const char *Str(const xmlChar *s) { return reinterpret_cast<const char *>(s); }

bool IsXsd(const xmlNode *node, const char *name)
{
    return node && node->type == XML_ELEMENT_NODE && node->ns && !qstrcmp(Str(node->ns->href), kXsdNamespace)
        && !qstrcmp(Str(node->name), name);
}

QByteArray Attribute(const xmlNode *node, const char *name)
{
    xmlChar *value = xmlGetNoNsProp(node, reinterpret_cast<const xmlChar *>(name));
    const QByteArray text(Str(value));
    xmlFree(value);
    return text;
}

// Whether every use of xs:ID in a schema element and below it types an unqualified local
// attribute named "id" (a type derived from xs:ID is another use). Adds the files the schema
// includes to `included`; false when one is not a local file.
bool IdsAreIdAttributesBelow(const xmlNode *node, bool qualifiedByDefault, const QString &folder, QStringList &included)
{
    for (const char *inclusion : {"include", "import", "redefine", "override"}) {
        const QString location =
            IsXsd(node, inclusion) ? QString::fromUtf8(Attribute(node, "schemaLocation")) : QString();
        if (location.isEmpty())
            continue;
        const QUrl url(location);
        if (!url.isRelative() && !url.isLocalFile())
            return false;
        included << QDir(folder).absoluteFilePath(url.isLocalFile() ? url.toLocalFile() : url.path());
    }
    for (const char *reference : {"type", "base", "itemType", "memberTypes"}) {
        for (const QByteArray &qname : Attribute(node, reference).simplified().split(' ')) {
            const int colon = qname.indexOf(':');
            if (qname.mid(colon + 1) != "ID")
                continue;
            const QByteArray prefix = qname.left(qMax(colon, 0));
            const xmlNs *ns = xmlSearchNs(node->doc, const_cast<xmlNode *>(node),
                                          colon < 0 ? nullptr : reinterpret_cast<const xmlChar *>(prefix.data()));
            if (!ns || qstrcmp(Str(ns->href), kXsdNamespace))
                continue;
            const QByteArray form = Attribute(node, "form");
            const bool qualified = form == "qualified" || (form.isEmpty() && qualifiedByDefault);
            if (qstrcmp(reference, "type") || !IsXsd(node, "attribute") || IsXsd(node->parent, "schema")
                || Attribute(node, "name") != "id" || qualified)
                return false;
        }
    }
    for (const xmlNode *child = node->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE && !IdsAreIdAttributesBelow(child, qualifiedByDefault, folder, included))
            return false;
    return true;
}

// Whether every attribute the schema and the files it includes type as xs:ID is an unqualified
// one named "id". Then the ids of a book are told apart by name alone, which is the one check a
// validator without a tree lacks (it cannot record ids).
bool IdsAreIdAttributes(const QString &schemaPath)
{
    QStringList pending{schemaPath};
    QSet<QString> seen;
    while (!pending.isEmpty()) {
        const QString file = QFileInfo(pending.takeLast()).absoluteFilePath();
        if (seen.contains(file))
            continue;
        seen.insert(file);
        XmlParseError error;
        const XmlDocPtr doc = XmlLoadFile(file, error, XmlBlanks::Keep);
        const xmlNode *root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
        if (!IsXsd(root, "schema")
            || !IdsAreIdAttributesBelow(root, Attribute(root, "attributeFormDefault") == "qualified",
                                        QFileInfo(file).absolutePath(), pending))
            return false;
    }
    return true;
}

SchemaCache &CachedSchema(const QString &path, const QString &expectedNamespace, std::unique_lock<std::mutex> &lock)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    struct stat st {};
    if (::stat(QFile::encodeName(absolute).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        throw EOrvane(QStringLiteral("%1: the schema file does not exist").arg(path));
    const SchemaStamp stamp{st.st_dev, st.st_ino, qint64(st.st_size),
                            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    SchemaCache &cache = Cache();
    lock = std::unique_lock<std::mutex>(cache.mutex);
    if (cache.schema && cache.path == absolute && cache.stamp == stamp)
        return cache;
    cache.schema = ParseSchema(absolute, expectedNamespace);
    cache.idsByName = IdsAreIdAttributes(absolute);
    cache.path = absolute;
    cache.stamp = stamp;
    return cache;
}

// The schema of path: the cached one while the file keeps its time and size.
SchemaPtr SchemaFor(const QString &path, const QString &expectedNamespace)
{
    std::unique_lock<std::mutex> lock;
    return CachedSchema(path, expectedNamespace, lock).schema;
}

// The schema of path when a validator without a tree judges books by it as one with a tree
// does; null otherwise.
SchemaPtr StreamableSchema(const QString &path, const QString &expectedNamespace)
{
    std::unique_lock<std::mutex> lock;
    const SchemaCache &cache = CachedSchema(path, expectedNamespace, lock);
    return cache.idsByName ? cache.schema : nullptr;
}

// The first schema error of a validation, with the node it concerns.
struct FirstSchemaError {
    int code = 0;
    int line = 0;
    const xmlNode *node = nullptr;
    QString message;
};

void OnSchemaError(void *ctx, xmlErrorPtr error)
{
    auto *first = static_cast<FirstSchemaError *>(ctx);
    if (!error || error->level < XML_ERR_ERROR || first->code)
        return;
    first->code = error->code ? error->code : XML_ERR_INTERNAL_ERROR;
    first->line = error->line;
    first->node = static_cast<const xmlNode *>(error->node);
    QString message = QString::fromUtf8(error->message ? error->message : "");
    while (message.endsWith(QLatin1Char('\n')) || message.endsWith(QLatin1Char('\r')))
        message.chop(1);
    first->message = message;
}

// 1-based position of element among the elements of its document, in document order.
long ElementOrdinal(const xmlNode *element)
{
    long ordinal = 0;
    const xmlNode *node = xmlDocGetRootElement(element->doc);
    while (node) {
        if (node->type == XML_ELEMENT_NODE) {
            ++ordinal;
            if (node == element)
                return ordinal;
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (!node->next) {
            node = node->parent;
            if (!node || node->type != XML_ELEMENT_NODE)
                return 0;
        }
        node = node->next;
    }
    return 0;
}

struct StartTagSearch {
    long target = 0;
    long seen = 0;
    int line = 0;
    int column = 0;
};

void OnStartElement(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *, int, const xmlChar **, int, int,
                    const xmlChar **)
{
    auto *pctxt = static_cast<xmlParserCtxtPtr>(ctx);
    auto *search = static_cast<StartTagSearch *>(pctxt->_private);
    if (++search->seen == search->target && pctxt->input) {
        search->line = pctxt->input->line;
        search->column = pctxt->input->col;
        xmlStopParser(pctxt);
    }
}

// Where a streaming parser stands after the start tag of the ordinal-th element: its line and
// 1-based column in characters. Parses the bytes again, up to that element only.
bool FindStartTagEnd(const QByteArray &data, long ordinal, int &line, int &column)
{
    if (ordinal <= 0)
        return false;
    xmlParserCtxtPtr pctxt = xmlNewParserCtxt();
    if (!pctxt)
        return false;
    xmlSAXVersion(pctxt->sax, 2);
    // Only the start tags are counted: no tree is built (the document type is, for its entities).
    pctxt->sax->startElementNs = OnStartElement;
    pctxt->sax->endElementNs = nullptr;
    pctxt->sax->characters = nullptr;
    pctxt->sax->ignorableWhitespace = nullptr;
    pctxt->sax->cdataBlock = nullptr;
    pctxt->sax->comment = nullptr;
    pctxt->sax->processingInstruction = nullptr;
    StartTagSearch search;
    search.target = ordinal;
    pctxt->_private = &search;
    XmlErrorCapture quiet;  // errors were reported by the first pass
    xmlDocPtr doc = xmlCtxtReadMemory(pctxt, data.constData(), int(qMin<qsizetype>(data.size(), INT_MAX)), nullptr,
                                      nullptr, XmlParseOptions());
    xmlFreeDoc(doc);
    xmlFreeParserCtxt(pctxt);
    if (!search.line)
        return false;
    line = search.line;
    column = search.column;
    return true;
}

}  // namespace

XmlDocPtr XmlLoadValidBytes(const QByteArray &data, const QString &baseUrl, const QString &schemaPath,
                            const QString &expectedNamespace, XmlParseError &error)
{
    InitXmlServices();
    SchemaFor(schemaPath, expectedNamespace);
    // The tree, not a stream, is validated: only a tree lets libxml2 check that ids are unique.
    XmlDocPtr doc =
        ParseXmlBytes(data, baseUrl, nullptr, XmlParseOptions() | XML_PARSE_COMPACT, XmlBlanks::Keep, nullptr, error);
    if (!doc || !XmlValidateParsed(doc.get(), data, schemaPath, expectedNamespace, error))
        return nullptr;
    return doc;
}

namespace {

// Validates the tree; on failure fills error with the first error and names the element it is
// about (null when none), which PlaceSchemaError then finds in the bytes.
bool ValidateTree(xmlDoc *doc, const QString &schemaPath, const QString &expectedNamespace, XmlParseError &error,
                  const xmlNode *&failed)
{
    InitXmlServices();
    const SchemaPtr schema = SchemaFor(schemaPath, expectedNamespace);
    error = XmlParseError();
    FirstSchemaError first;
    xmlSchemaValidCtxtPtr vctxt = xmlSchemaNewValidCtxt(schema.get());
    if (!vctxt)
        throw EOrvane(QStringLiteral("Out of memory"));
    xmlSchemaSetValidStructuredErrors(vctxt, OnSchemaError, &first);
    const int result = xmlSchemaValidateDoc(vctxt, doc);
    xmlSchemaFreeValidCtxt(vctxt);
    if (result == 0)
        return true;

    error.errorCode = first.code ? first.code : XML_ERR_INTERNAL_ERROR;
    error.reason = first.message.isEmpty() ? QStringLiteral("The document could not be validated") : first.message;
    error.line = first.line;
    failed = first.node;
    if (failed && failed->type == XML_ATTRIBUTE_NODE)
        failed = failed->parent;
    if (failed && failed->type != XML_ELEMENT_NODE)
        failed = nullptr;
    return false;
}

// The error's place as a streaming validator gives it: where the start tag of its element ends.
void PlaceSchemaError(const QByteArray &data, const xmlNode *element, XmlParseError &error)
{
    int line = 0, column = 0;
    if (element && FindStartTagEnd(data, ElementOrdinal(element), line, column)) {
        error.line = line;
        error.linePos = column;
    }
}

}  // namespace

bool XmlValidateParsed(xmlDoc *doc, const QByteArray &data, const QString &schemaPath, const QString &expectedNamespace,
                       XmlParseError &error)
{
    const xmlNode *failed = nullptr;
    if (ValidateTree(doc, schemaPath, expectedNamespace, error, failed))
        return true;
    PlaceSchemaError(data, failed, error);
    return false;
}

namespace {

// Validation as the parser reads, with no tree: vouches for a valid book in a fraction of the
// memory. It cannot record ids, so it tells apart the values of attributes named "id" itself
// (StreamableSchema); whatever it is not sure of (any error, a document type, entities, xml:id,
// a repeated id) makes it stop and leave the verdict to the tree. With buildUntil, libxml2's
// tree builder goes on beside it until that element has closed.
class TStreamValidation : public XmlEventHandlers {
public:
    TStreamValidation(xmlSchema *schema, const XmlLastNeeded *buildUntil)
        : m_vctxt(xmlSchemaNewValidCtxt(schema)), m_buildUntil(buildUntil)
    {
        if (!m_vctxt)
            throw EOrvane(QStringLiteral("Out of memory"));
        xmlSchemaSetValidStructuredErrors(m_vctxt, &OnError, this);
    }
    ~TStreamValidation() override { xmlSchemaFreeValidCtxt(m_vctxt); }
    TStreamValidation(const TStreamValidation &) = delete;
    TStreamValidation &operator=(const TStreamValidation &) = delete;

    void Attach(xmlParserCtxtPtr ctxt) override
    {
        xmlSAXHandler &sax = *ctxt->sax;  // the context's own copy of the tree builder
        if (!m_buildUntil) {
            std::memset(&sax, 0, sizeof sax);
            sax.initialized = XML_SAX2_MAGIC;
        }
        m_startElement = sax.startElementNs;
        m_endElement = sax.endElementNs;
        sax.startElementNs = &StartElement;
        sax.endElementNs = &EndElement;
        sax.internalSubset = &DocumentType;
        sax.externalSubset = &DocumentType;
        sax.reference = &Reference;
        m_builder = &sax;
        ctxt->_private = this;
        m_parser = ctxt;
        m_plug = xmlSchemaSAXPlug(m_vctxt, &ctxt->sax, &ctxt->userData);
        if (!m_plug)
            Unsure();
    }
    void Detach(xmlParserCtxtPtr) override
    {
        if (m_plug)
            xmlSchemaSAXUnplug(m_plug);
        m_plug = nullptr;
        m_parser = nullptr;
    }
    bool Valid() const { return !m_unsure && xmlSchemaIsValid(m_vctxt) == 1; }

private:
    static TStreamValidation &Of(void *ctx)
    {
        return *static_cast<TStreamValidation *>(static_cast<xmlParserCtxtPtr>(ctx)->_private);
    }
    void Unsure()
    {
        m_unsure = true;
        if (m_parser)
            xmlStopParser(m_parser);
    }
    static void OnError(void *self, xmlErrorPtr error)
    {
        if (error && error->level >= XML_ERR_ERROR)
            static_cast<TStreamValidation *>(self)->Unsure();
    }
    static void DocumentType(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *) { Of(ctx).Unsure(); }
    static void Reference(void *ctx, const xmlChar *) { Of(ctx).Unsure(); }

    static void StartElement(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri,
                             int nbNamespaces, const xmlChar **namespaces, int nbAttributes, int nbDefaulted,
                             const xmlChar **attributes)
    {
        TStreamValidation &v = Of(ctx);
        for (int i = 0; i < nbAttributes; ++i) {
            const xmlChar *const *a = attributes + 5 * i;  // local name, prefix, URI, value, end of value
            if (qstrcmp(Str(a[0]), "id"))
                continue;
            if (a[2]) {  // xml:id, which the parser itself records
                v.Unsure();
                return;
            }
            // As the validator compares them: without leading and trailing white space.
            const char *begin = Str(a[3]), *end = Str(a[4]);
            auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
            while (begin < end && blank(*begin))
                ++begin;
            while (end > begin && blank(end[-1]))
                --end;
            if (!v.m_ids.insert(std::string(begin, end)).second) {
                v.Unsure();
                return;
            }
        }
        if (v.m_startElement)
            v.m_startElement(ctx, localname, prefix, uri, nbNamespaces, namespaces, nbAttributes, nbDefaulted,
                             attributes);
    }
    static void EndElement(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri)
    {
        TStreamValidation &v = Of(ctx);
        const xmlNode *closed = v.m_parser->node;
        if (v.m_endElement)
            v.m_endElement(ctx, localname, prefix, uri);
        // The rest of the document is validated but not built.
        if (v.m_endElement && closed && (*v.m_buildUntil)(closed)) {
            v.m_startElement = nullptr;
            v.m_endElement = nullptr;
            XmlStopBuildingText(v.m_builder);
        }
    }

    xmlSchemaValidCtxtPtr m_vctxt;
    const XmlLastNeeded *m_buildUntil;
    xmlSchemaSAXPlugPtr m_plug = nullptr;
    xmlParserCtxtPtr m_parser = nullptr;
    xmlSAXHandler *m_builder = nullptr;
    startElementNsSAX2Func m_startElement = nullptr;
    endElementNsSAX2Func m_endElement = nullptr;
    std::unordered_set<std::string> m_ids;
    bool m_unsure = false;
};

}  // namespace

bool XmlStreamFindsValid(const QString &path, const QString &schemaPath, const QString &expectedNamespace)
{
    InitXmlServices();
    const SchemaPtr schema = StreamableSchema(schemaPath, expectedNamespace);
    if (!schema)
        return false;
    TStreamValidation validation(schema.get(), nullptr);
    return ParseXmlFileEvents(path, XmlParseOptions(), validation) && validation.Valid();
}

XmlDocPtr XmlStreamLoadValidHead(const QByteArray &data, const QString &schemaPath, const QString &expectedNamespace,
                                 const XmlLastNeeded &lastNeeded)
{
    InitXmlServices();
    const SchemaPtr schema = StreamableSchema(schemaPath, expectedNamespace);
    if (!schema)
        return nullptr;
    TStreamValidation validation(schema.get(), &lastNeeded);
    XmlDocPtr doc;
    // The options of XmlLoadValidBytes, so that the part built is its tree's.
    if (!ParseXmlBytesEvents(data, XmlParseOptions() | XML_PARSE_COMPACT, validation, doc) || !validation.Valid())
        return nullptr;
    return doc;
}

bool XmlValidateFile(const QString &path, const QString &schemaPath, const QString &expectedNamespace,
                     XmlParseError &error, qint64 streamFrom)
{
    // A big valid book is vouched for without its tree; any other gets the tree's verdict.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= streamFrom
        && XmlStreamFindsValid(path, schemaPath, expectedNamespace)) {
        error = XmlParseError();
        return true;
    }
    return XmlLoadValidFile(path, schemaPath, expectedNamespace, error) != nullptr;
}

XmlDocPtr XmlLoadValidFile(const QString &path, const QString &schemaPath, const QString &expectedNamespace,
                           XmlParseError &error)
{
    InitXmlServices();
    SchemaFor(schemaPath, expectedNamespace);  // an unusable schema is an error even for an unreadable book
    error = XmlParseError();
    // A big file is parsed as it is read; it is read whole again only to place an error.
    QByteArray data;
    XmlDocPtr doc =
        ParseXmlFile(path, XmlParseOptions() | XML_PARSE_COMPACT, XmlBlanks::Keep, error, kParseAsReadFrom, &data);
    const xmlNode *failed = nullptr;
    if (!doc || ValidateTree(doc.get(), schemaPath, expectedNamespace, error, failed))
        return doc;
    XmlParseError unread;
    if (!data.isEmpty() || ReadWholeFile(path, data, unread))
        PlaceSchemaError(data, failed, error);
    return nullptr;
}
