#include "xml/XmlServices.h"

#include "xml/XmlInternal.h"

#include "xml/XmlAttributeGuard.h"

#include "globals/RegularFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxslt/security.h>
#include <libxslt/xslt.h>
#include <mutex>
#include <unistd.h>

namespace {

xmlExternalEntityLoader g_defaultLoader = nullptr;
thread_local bool t_trustedFiles = false;

bool IsLocalUrl(const char *url)
{
    if (!url)
        return false;
    const QString u = QString::fromUtf8(url);
    const int colon = u.indexOf(QLatin1Char(':'));
    const int slash = u.indexOf(QLatin1Char('/'));
    const bool hasScheme = colon > 1 && (slash < 0 || colon < slash);
    return !hasScheme || u.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

// External entities, external DTDs and XInclude all come through here: nothing is loaded,
// except local files of the program's own data inside an XmlTrustedFilesScope.
xmlParserInputPtr RefusingEntityLoader(const char *url, const char *id, xmlParserCtxtPtr ctxt)
{
    if (t_trustedFiles && IsLocalUrl(url))
        return g_defaultLoader(url, id, ctxt);
    return nullptr;
}

void InitOnce()
{
    xmlInitParser();
    g_defaultLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(RefusingEntityLoader);

    xsltInit();
    xsltSecurityPrefsPtr prefs = xsltNewSecurityPrefs();
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
    xsltSetSecurityPrefs(prefs, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
    xsltSetDefaultSecurityPrefs(prefs);
    InitXsltLoader();
    InitXsltErrorRelay();
}

bool IsXmlBlank(const xmlChar *s)
{
    if (!s)
        return true;
    for (; *s; ++s)
        if (*s != ' ' && *s != '\t' && *s != '\n' && *s != '\r')
            return false;
    return true;
}

// The node after `node` in document order within root's subtree, or null after the last one.
// depth follows the element nesting below root. Iterative: documents may nest very deeply.
xmlNode *NextInTree(xmlNode *node, const xmlNode *root, int &depth)
{
    if (node->type == XML_ELEMENT_NODE && node->children) {
        ++depth;
        return node->children;
    }
    while (node != root) {
        if (node->next)
            return node->next;
        node = node->parent;
        --depth;
    }
    return nullptr;
}

// The first reference to an entity that was never declared. The parser keeps such references
// as nodes when the document names an external DTD, which is never read; their text is unknown.
xmlNode *UndeclaredEntityReference(xmlNode *root)
{
    int depth = 0;
    for (xmlNode *node = root; node; node = NextInTree(node, root, depth))
        if (node->type == XML_ENTITY_REF_NODE)
            return node;
    return nullptr;
}

// The deepest element below root, when elements nest deeper than the parser allows by default
// (256 levels); null otherwise.
xmlNode *ExcessivelyDeepElement(xmlNode *root)
{
    int depth = 0;
    for (xmlNode *node = root; node; node = NextInTree(node, root, depth))
        if (depth >= 256 && node->type == XML_ELEMENT_NODE)
            return node;
    return nullptr;
}

// Drops text nodes that hold only white space, except under xml:space="preserve".
void DropBlankText(xmlNode *root)
{
    int depth = 0;
    for (xmlNode *node = root; node;) {
        xmlNode *next = NextInTree(node, root, depth);
        if (node->type == XML_TEXT_NODE && IsXmlBlank(node->content) && xmlNodeGetSpacePreserve(node->parent) != 1) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
}

// Decodes bytes of the document's encoding; UTF-8 when it names none or libxml2 knows none.
QString DecodeBytes(const QByteArray &bytes, const char *encoding)
{
    if (!encoding || !qstricmp(encoding, "UTF-8") || !qstricmp(encoding, "UTF8"))
        return QString::fromUtf8(bytes);
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(encoding);
    if (!handler)
        return QString::fromUtf8(bytes);
    QString result;
    XmlErrorCapture quiet;  // bytes the encoding lacks are the error being reported, not a new one
    xmlBufferPtr in = xmlBufferCreateStatic(const_cast<char *>(bytes.constData()), size_t(bytes.size()));
    xmlBufferPtr out = xmlBufferCreate();
    if (in && out && xmlCharEncInFunc(handler, out, in) >= 0)
        result = QString::fromUtf8(reinterpret_cast<const char *>(xmlBufferContent(out)), xmlBufferLength(out));
    else
        result = QString::fromLatin1(bytes);
    xmlBufferFree(out);
    xmlBufferFree(in);
    xmlCharEncCloseFunc(handler);
    return result;
}

// Where line `line` (1-based) starts and ends, at most `limit` units long; lines end at LF,
// CR LF and a lone CR, as the parser counts them. False when the text has fewer lines.
template <class Text> bool FindLine(const Text &text, int line, qsizetype limit, qsizetype &start, qsizetype &end)
{
    int current = 1;
    start = 0;
    for (qsizetype i = 0; i < text.size() && current < line; ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            ++current;
            start = i + 1;
        }
    }
    if (current < line)
        return false;
    end = start;
    const qsizetype stop = qMin(text.size(), start + limit);
    while (end < stop && text[end] != '\n' && text[end] != '\r')
        ++end;
    return true;
}

// The text of source line `line`, enough of it for a message (the beginning of the line).
QString SourceLine(const QByteArray &data, int line, const char *encoding)
{
    constexpr qsizetype kEnough = 400;
    qsizetype start = 0, end = 0;
    if (line < 1)
        return QString();
    const bool utf16le = data.startsWith("\xFF\xFE") || data.startsWith(QByteArray("<\0?\0", 4));
    const bool utf16be = data.startsWith("\xFE\xFF") || data.startsWith(QByteArray("\0<\0?", 4));
    if (utf16le || utf16be) {
        QStringDecoder decoder(utf16le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                               QStringConverter::Flag::ConvertInvalidToNull);
        const QString text = decoder(data);
        return FindLine(text, line, kEnough, start, end) ? text.mid(start, end - start) : QString();
    }
    // ASCII-compatible encodings: find the line in the bytes, decode only its beginning.
    if (!FindLine(data, line, kEnough, start, end))
        return QString();
    QByteArray bytes = data.mid(start, end - start);
    if (start == 0 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return DecodeBytes(bytes, encoding);
}

}  // namespace

void InitXmlServices()
{
    static std::once_flag once;
    std::call_once(once, InitOnce);
}

int XmlParseOptions() { return XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_BIG_LINES; }

XmlTrustedFilesScope::XmlTrustedFilesScope() : m_previous(t_trustedFiles)
{
    InitXmlServices();
    t_trustedFiles = true;
}

XmlTrustedFilesScope::~XmlTrustedFilesScope() { t_trustedFiles = m_previous; }

QString XmlParseError::LoadMessage() const
{
    return reason + QStringLiteral("\r\nLine: ") + QString::number(line) + QStringLiteral("\r\n") + srcText.left(40);
}

namespace {

// What the parser itself met, whatever encoding the bytes were in: entity declarations and the
// first element. Hooked into its SAX handler, which then goes on as before.
// With lastNeeded, the tree stops growing once that element closes: the rest of the document is
// still parsed (its verdict is the whole document's) but builds nothing.
struct TParseWatch {
    bool entities = false;
    bool elements = false;
    entityDeclSAXFunc entityDecl = nullptr;
    startElementNsSAX2Func startElement = nullptr;
    endElementNsSAX2Func endElement = nullptr;
    const XmlLastNeeded *lastNeeded = nullptr;

    void Attach(xmlParserCtxtPtr ctxt, const XmlLastNeeded *last)
    {
        ctxt->_private = this;
        entityDecl = ctxt->sax->entityDecl;
        startElement = ctxt->sax->startElementNs;
        ctxt->sax->entityDecl = &EntityDecl;
        ctxt->sax->startElementNs = &StartElement;
        lastNeeded = last;
        if (last) {
            endElement = ctxt->sax->endElementNs;
            ctxt->sax->endElementNs = &EndElement;
        }
    }
    static TParseWatch &Of(void *ctx)
    {
        return *static_cast<TParseWatch *>(static_cast<xmlParserCtxtPtr>(ctx)->_private);
    }
    static void EntityDecl(void *ctx, const xmlChar *name, int type, const xmlChar *publicId, const xmlChar *systemId,
                           xmlChar *content)
    {
        TParseWatch &w = Of(ctx);
        w.entities = true;
        if (w.entityDecl)
            w.entityDecl(ctx, name, type, publicId, systemId, content);
    }
    static void StartElement(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri,
                             int nbNamespaces, const xmlChar **namespaces, int nbAttributes, int nbDefaulted,
                             const xmlChar **attributes)
    {
        TParseWatch &w = Of(ctx);
        w.elements = true;
        if (w.startElement)
            w.startElement(ctx, localname, prefix, uri, nbNamespaces, namespaces, nbAttributes, nbDefaulted,
                           attributes);
    }
    static void EndElement(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri)
    {
        TParseWatch &w = Of(ctx);
        auto *ctxt = static_cast<xmlParserCtxtPtr>(ctx);
        const xmlNode *closed = ctxt->node;
        if (!w.endElement)
            return;
        w.endElement(ctx, localname, prefix, uri);
        // A document type may declare entities that the rest refers to: such a tree stays whole.
        const xmlDoc *doc = ctxt->myDoc;
        if (closed && doc && !doc->intSubset && !doc->extSubset && (*w.lastNeeded)(closed)) {
            w.startElement = nullptr;
            w.endElement = nullptr;
            ctxt->sax->reference = nullptr;
            XmlStopBuildingText(ctxt->sax);
        }
    }
};

// libxml2's size limits (10 MB of text in one node or of look-ahead, as a long binary in a
// windows-1251 book needs) that XML_PARSE_HUGE lifts. Not its limit of nesting depth, which
// guards this program and libxml2 alike against running out of stack.
bool IsSizeLimit(int code, const QString &reason)
{
    return (code == XML_ERR_INTERNAL_ERROR || code == XML_ERR_NO_MEMORY)
        && reason.contains(QLatin1String("huge"), Qt::CaseInsensitive)
        && !reason.contains(QLatin1String("Excessive depth"));
}
bool HitSizeLimit(const XmlParseError &error) { return IsSizeLimit(error.errorCode, error.reason); }

// The parser takes at most 2 GB; a larger "book" is refused before it is read.
constexpr qint64 kMaxDocument = qint64(1) << 30;

// What the parser reads: bytes in memory, or a file read piece by piece as the parse goes on,
// each piece looked at by the attribute guard before the parser has it. A big book is then never
// in memory twice beside its tree (the bytes and the parser's own copy of them).
struct TParseSource {
    const QByteArray *bytes = nullptr;
    int fd = -1;
    // Set while the file is read:
    TXmlAttributeGuard guard;
    qint64 read = 0;
    int readError = 0;

    static int Read(void *context, char *buffer, int len)
    {
        auto *s = static_cast<TParseSource *>(context);
        ssize_t n;
        do
            n = ::read(s->fd, buffer, size_t(len));
        while (n < 0 && errno == EINTR);
        if (n < 0) {
            s->readError = errno;
            return -1;
        }
        s->read += n;
        if (s->read > kMaxDocument) {  // it grew while it was read
            s->readError = EFBIG;
            return -1;
        }
        return s->guard.Feed(buffer, size_t(n)) ? int(n) : -1;
    }
};

// One run of the parser; fills error (without the source line) when the document is not
// well-formed. encodingUsed: the encoding the bytes were read in, when one was named.
XmlDocPtr ParseOnce(TParseSource &source, const QByteArray &url, const char *encoding, int options, xmlDict *dict,
                    XmlParseError &error, QByteArray &encodingUsed, TParseWatch &watch, const XmlLastNeeded *lastNeeded)
{
    error = XmlParseError();
    XmlErrorCapture capture(url);
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        error.errorCode = XML_ERR_NO_MEMORY;
        error.reason = QStringLiteral("Out of memory");
        return nullptr;
    }
    watch.Attach(ctxt, lastNeeded);
    if (dict) {
        xmlDictFree(ctxt->dict);
        ctxt->dict = dict;
        xmlDictReference(dict);
    }
    const char *const name = url.isEmpty() ? nullptr : url.constData();
    XmlDocPtr doc;
    if (source.bytes) {
        doc.reset(
            xmlCtxtReadMemory(ctxt, source.bytes->constData(), int(source.bytes->size()), name, encoding, options));
    } else {
        source.guard = TXmlAttributeGuard();
        source.read = 0;
        source.readError = ::lseek(source.fd, 0, SEEK_SET) == 0 ? 0 : errno;
        if (!source.readError)
            doc.reset(xmlCtxtReadIO(ctxt, &TParseSource::Read, nullptr, &source, name, encoding, options));
    }
    const xmlChar *declared = ctxt->encoding ? ctxt->encoding : ctxt->input ? ctxt->input->encoding : nullptr;
    encodingUsed = encoding ? QByteArray(encoding) : QByteArray(reinterpret_cast<const char *>(declared));
    if (!doc || !ctxt->wellFormed) {
        doc.reset();
        // Read piece by piece, the parser meets a text node over the limit with an error, not a
        // fatal one, and then fails on what follows it: the limit is the cause.
        const XmlCapturedError &limit = capture.FirstNonFatal();
        const XmlCapturedError &first = IsSizeLimit(limit.code, limit.message) ? limit : capture.First();
        error.errorCode = first.code ? first.code : XML_ERR_INTERNAL_ERROR;
        error.line = first.line;
        error.linePos = first.column;
        if (!error.line && ctxt->input) {  // an encoding error: where the parser had to stop
            error.line = ctxt->input->line;
            error.linePos = ctxt->input->col;
        }
        error.reason = first.message.isEmpty() ? QStringLiteral("The document could not be parsed") : first.message;
    }
    xmlFreeParserCtxt(ctxt);
    return doc;
}

// XML_PARSE_HUGE also lifts the guard against entity expansion bombs: lift it only for a document
// whose parse reached its elements without meeting a single entity declaration.
bool MayLiftSizeLimits(const TParseWatch &watch) { return watch.elements && !watch.entities; }

// A file that could not be read: `why` names it and says why.
XmlParseError UnreadFile(const QString &why)
{
    XmlParseError error;
    error.errorCode = XML_IO_LOAD_ERROR;
    error.reason = why;
    return error;
}

// The bytes of the document, for the line of an error: a file is read again only then.
QByteArray SourceBytes(const TParseSource &source, const QString &path)
{
    if (source.bytes)
        return *source.bytes;
    QByteArray data;
    QString why;
    ReadRegularFile(path, kMaxDocument, data, why);
    return data;
}

void TooManyAttributes(const QByteArray &data, size_t found, XmlParseError &error)
{
    error = XmlParseError();
    error.errorCode = XML_ERR_INTERNAL_ERROR;
    error.line = size_t(data.size()) >= found ? TXmlAttributeGuard::LineAt(data.constData(), found) : 0;
    error.reason =
        QStringLiteral("Too many attributes in one element: more than %1").arg(TXmlAttributeGuard::kMaxAttributes);
    error.srcText = SourceLine(data, error.line, nullptr);
}

XmlDocPtr Parse(TParseSource &source, const QString &path, const QString &baseUrl, const char *encoding, int options,
                XmlBlanks blanks, xmlDict *dict, XmlParseError &error, const XmlLastNeeded *lastNeeded = nullptr)
{
    InitXmlServices();
    error = XmlParseError();
    const QByteArray url = baseUrl.toUtf8();
    QByteArray encodingUsed;
    if (source.bytes) {
        if (source.bytes->size() > INT_MAX) {
            error.errorCode = XML_ERR_INTERNAL_ERROR;
            error.reason = QStringLiteral("The document is larger than 2 GB");
            return nullptr;
        }
        TXmlAttributeGuard guard;
        if (!guard.Feed(source.bytes->constData(), size_t(source.bytes->size()))) {
            TooManyAttributes(*source.bytes, guard.Found(), error);
            return nullptr;
        }
    }
    // A file is looked at as it is read: what stopped the reading is the error, not the parser's.
    auto readFailed = [&]() {
        if (source.bytes || (!source.readError && !source.guard.Tripped()))
            return false;
        if (source.guard.Tripped())
            TooManyAttributes(SourceBytes(source, path), source.guard.Found(), error);
        else
            error = UnreadFile(ReadFailedText(path, source.readError, kMaxDocument));
        return true;
    };
    TParseWatch watch;
    XmlDocPtr doc = ParseOnce(source, url, encoding, options, dict, error, encodingUsed, watch, lastNeeded);
    if (readFailed())
        return nullptr;
    if (!doc && HitSizeLimit(error) && MayLiftSizeLimits(watch)) {
        // Whole, so that the depth check below sees every element.
        TParseWatch again;
        doc = ParseOnce(source, url, encoding, options | XML_PARSE_HUGE, dict, error, encodingUsed, again, nullptr);
        if (readFailed())
            return nullptr;
        // The huge option lifts the depth limit too: keep it.
        if (xmlNode *deep = doc ? ExcessivelyDeepElement(xmlDocGetRootElement(doc.get())) : nullptr) {
            error.errorCode = XML_ERR_INTERNAL_ERROR;
            error.line = int(xmlGetLineNo(deep));
            error.reason = QStringLiteral("Excessive depth in document: 256");
            doc.reset();
        }
    }

    // Only a document type declaration lets such a reference through: without one the tree is not walked.
    xmlNode *root = doc && (doc->intSubset || doc->extSubset) ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (xmlNode *ref = root ? UndeclaredEntityReference(root) : nullptr) {
        error.errorCode = XML_ERR_UNDECLARED_ENTITY;
        error.line = int(xmlGetLineNo(ref));
        error.reason = QStringLiteral("Reference to undeclared entity '%1'")
                           .arg(QString::fromUtf8(reinterpret_cast<const char *>(ref->name)));
        doc.reset();
    }
    if (error.Failed()) {
        error.srcText = SourceLine(SourceBytes(source, path), error.line,
                                   encodingUsed.isEmpty() ? nullptr : encodingUsed.constData());
        return nullptr;
    }
    if (blanks == XmlBlanks::Drop)
        XmlDropBlankText(doc.get());
    return doc;
}

}  // namespace

XmlDocPtr ParseXmlBytes(const QByteArray &data, const QString &baseUrl, const char *encoding, int options,
                        XmlBlanks blanks, xmlDict *dict, XmlParseError &error)
{
    TParseSource source;
    source.bytes = &data;
    return Parse(source, QString(), baseUrl, encoding, options, blanks, dict, error);
}

XmlDocPtr ParseXmlFile(const QString &path, int options, XmlBlanks blanks, XmlParseError &error, qint64 streamFrom,
                       QByteArray *whole, const XmlLastNeeded *lastNeeded)
{
    InitXmlServices();
    error = XmlParseError();
    QString why;
    qint64 size = 0;
    TParseSource source;
    source.fd = OpenRegularFileUpTo(path, kMaxDocument, why, &size);
    if (source.fd < 0) {
        error = UnreadFile(why);
        return nullptr;
    }
    const QString url = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    if (size >= streamFrom) {
        XmlDocPtr doc = Parse(source, path, url, nullptr, options, blanks, nullptr, error, lastNeeded);
        ::close(source.fd);
        return doc;
    }
    QByteArray data;
    const bool read = ReadOpenRegularFile(source.fd, path, size, kMaxDocument, data, why);
    ::close(source.fd);
    if (!read) {
        error = UnreadFile(why);
        return nullptr;
    }
    TParseSource bytes;
    bytes.bytes = &data;
    XmlDocPtr doc = Parse(bytes, QString(), url, nullptr, options, blanks, nullptr, error, lastNeeded);
    if (whole)
        *whole = std::move(data);
    return doc;
}

namespace {

void IgnoreText(void *, const xmlChar *, int) {}
void IgnoreComment(void *, const xmlChar *) {}
void IgnoreInstruction(void *, const xmlChar *, const xmlChar *) {}

}  // namespace

void XmlStopBuildingText(xmlSAXHandler *sax)
{
    sax->characters = &IgnoreText;
    sax->ignorableWhitespace = &IgnoreText;
    sax->cdataBlock = &IgnoreText;
    sax->comment = &IgnoreComment;
    sax->processingInstruction = &IgnoreInstruction;
}

namespace {

bool ParseEvents(TParseSource &source, int options, XmlEventHandlers &handlers, XmlDocPtr *doc)
{
    XmlErrorCapture capture;
    xmlParserCtxtPtr ctxt = source.bytes
        ? xmlCreateMemoryParserCtxt(source.bytes->constData(), int(source.bytes->size()))
        : xmlCreateIOParserCtxt(nullptr, nullptr, &TParseSource::Read, nullptr, &source, XML_CHAR_ENCODING_NONE);
    if (!ctxt)
        return false;
    xmlCtxtUseOptions(ctxt, options);
    handlers.Attach(ctxt);
    xmlParseDocument(ctxt);
    handlers.Detach(ctxt);
    const bool parsed = ctxt->wellFormed && !capture.First().code && !source.readError && !source.guard.Tripped();
    XmlDocPtr built(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    xmlFreeParserCtxt(ctxt);
    if (parsed && doc)
        *doc = std::move(built);
    return parsed;
}

}  // namespace

bool ParseXmlFileEvents(const QString &path, int options, XmlEventHandlers &handlers)
{
    InitXmlServices();
    QString why;
    TParseSource source;
    source.fd = OpenRegularFileUpTo(path, kMaxDocument, why);
    if (source.fd < 0)
        return false;
    const bool parsed = ParseEvents(source, options, handlers, nullptr);
    ::close(source.fd);
    return parsed;
}

bool ParseXmlBytesEvents(const QByteArray &data, int options, XmlEventHandlers &handlers, XmlDocPtr &doc)
{
    InitXmlServices();
    TXmlAttributeGuard guard;
    if (data.size() > INT_MAX || !guard.Feed(data.constData(), size_t(data.size())))
        return false;
    TParseSource source;
    source.bytes = &data;
    return ParseEvents(source, options, handlers, &doc);
}

XmlDocPtr XmlLoadFileHead(const QString &path, XmlParseError &error, XmlBlanks blanks, const XmlLastNeeded &lastNeeded)
{
    XmlDocPtr doc = ParseXmlFile(path, XmlParseOptions(), blanks, error, kParseAsReadFrom, nullptr, &lastNeeded);
    // A failure is reported as the whole parse reports it: a limit it would have met in the part
    // not built (a text node over 10 MB) may have changed how the parse went on.
    return doc ? std::move(doc) : XmlLoadFile(path, error, blanks);
}

void XmlDropBlankText(xmlDoc *doc)
{
    for (xmlNode *n = doc ? doc->children : nullptr; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE)
            DropBlankText(n);
}

XmlDocPtr XmlLoadBytes(const QByteArray &data, const QString &baseUrl, XmlParseError &error, XmlBlanks blanks)
{
    return ParseXmlBytes(data, baseUrl, nullptr, XmlParseOptions(), blanks, nullptr, error);
}

XmlDocPtr XmlLoadString(const QString &xml, XmlParseError &error, XmlBlanks blanks)
{
    return ParseXmlBytes(xml.toUtf8(), QString(), "UTF-8", XmlParseOptions(), blanks, nullptr, error);
}

bool ReadWholeFile(const QString &path, QByteArray &data, XmlParseError &error)
{
    QString why;
    if (ReadRegularFile(path, kMaxDocument, data, why))
        return true;
    error = UnreadFile(why);
    return false;
}

XmlDocPtr XmlLoadFile(const QString &path, XmlParseError &error, XmlBlanks blanks)
{
    return ParseXmlFile(path, XmlParseOptions(), blanks, error);
}

QString XmlNodeText(const xmlNode *node)
{
    if (!node)
        return QString();
    InitXmlServices();
    xmlBufferPtr buf = xmlBufferCreate();
    if (!buf)
        return QString();
    xmlNodeDump(buf, node->doc, const_cast<xmlNode *>(node), 0, 0);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(xmlBufferContent(buf)), xmlBufferLength(buf));
    xmlBufferFree(buf);
    return text;
}

XmlDocPtr XmlRootElementCopy(const xmlDoc *doc)
{
    InitXmlServices();
    xmlNode *root = doc ? xmlDocGetRootElement(doc) : nullptr;
    if (!root)
        return nullptr;
    XmlDocPtr copy(xmlNewDoc(reinterpret_cast<const xmlChar *>("1.0")));
    xmlNode *element = copy ? xmlDocCopyNode(root, copy.get(), 1) : nullptr;
    if (!element)
        return nullptr;
    xmlDocSetRootElement(copy.get(), element);
    XmlDropBlankText(copy.get());
    return copy;
}
