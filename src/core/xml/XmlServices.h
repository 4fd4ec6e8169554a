#pragma once
// XML services over libxml2 and libxslt: parsing into a DOM, parse-error details, the XML text
// of a node, style sheets and transformations.
//
// Security holds for every caller: the network is never used, external entities and external
// DTDs are never loaded (a deny-all entity loader), internal entities are expanded, entity loops
// and runaway expansions are refused by the parser, and libxslt may not write files, create
// folders or open network resources. Every function here performs the one-time set-up itself.

#include <QByteArray>
#include <QString>
#include <functional>
#include <libxml/tree.h>
#include <libxslt/xsltInternals.h>
#include <memory>

// One-time global set-up of libxml2 and libxslt; idempotent and thread-safe.
void InitXmlServices();

// The libxml2 parser options of every load: entities expanded, no network.
// For callers that drive libxml2 themselves (streaming validation).
int XmlParseOptions();

// While one of these lives on the current thread, the entity loader lets libxml2 read local
// files: for the program's own data (the schema and the files it includes). Never the network.
class XmlTrustedFilesScope {
public:
    XmlTrustedFilesScope();
    ~XmlTrustedFilesScope();
    XmlTrustedFilesScope(const XmlTrustedFilesScope &) = delete;
    XmlTrustedFilesScope &operator=(const XmlTrustedFilesScope &) = delete;

private:
    bool m_previous;
};

struct XmlDocDeleter {
    void operator()(xmlDoc *doc) const noexcept { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocDeleter>;

struct XsltStylesheetDeleter {
    void operator()(xsltStylesheet *style) const noexcept { xsltFreeStylesheet(style); }
};
using XsltStylesheetPtr = std::unique_ptr<xsltStylesheet, XsltStylesheetDeleter>;

// Why a load failed. errorCode 0 means it did not.
struct XmlParseError {
    int errorCode = 0;
    int line = 0;  // 1-based; 0 when the file could not be read at all
    int linePos = 0;  // 1-based column in characters; 0 when unknown
    QString reason;  // the parser's reason, without a trailing line break
    QString srcText;  // the text of the source line where the error was found

    bool Failed() const { return errorCode != 0; }
    // reason, CR LF, "Line: " + line, CR LF, the first 40 characters of the source line.
    QString LoadMessage() const;
};

// White-space-only text nodes: dropped for books (the FB2 loader's setting), kept otherwise.
enum class XmlBlanks { Drop, Keep };

// A file this big is parsed as it is read: read whole, it would be in memory twice beside its
// tree (the bytes and the parser's own copy of them). A smaller one is read whole, which is faster.
constexpr qint64 kParseAsReadFrom = qint64(4) << 20;

// Parses a file. On failure returns null and fills error; never throws for bad input.
XmlDocPtr XmlLoadFile(const QString &path, XmlParseError &error, XmlBlanks blanks = XmlBlanks::Drop);
// Whether the element that just closed is the last part of the document a reader needs.
using XmlLastNeeded = std::function<bool(const xmlNode *closed)>;
// XmlLoadFile for a reader of the document's beginning: the tree ends where the first element
// for which lastNeeded is true closes (its ancestors get no later children). The rest is parsed
// without being built, so a file fails or loads exactly as with XmlLoadFile, which gives the
// result of a file that fails. A document with a document type declaration is built whole.
XmlDocPtr XmlLoadFileHead(const QString &path, XmlParseError &error, XmlBlanks blanks, const XmlLastNeeded &lastNeeded);
// Reads a file as XmlLoadFile does (a regular file, at most 1 GiB), for a caller that parses
// the bytes itself; false with error set as XmlLoadFile sets it.
bool ReadWholeFile(const QString &path, QByteArray &data, XmlParseError &error);
// Parses bytes as a file would be parsed (declared encoding honoured); baseUrl names them.
XmlDocPtr XmlLoadBytes(const QByteArray &data, const QString &baseUrl, XmlParseError &error,
                       XmlBlanks blanks = XmlBlanks::Drop);
// Parses a UTF-16 string; an encoding in its XML declaration is ignored.
XmlDocPtr XmlLoadString(const QString &xml, XmlParseError &error, XmlBlanks blanks = XmlBlanks::Drop);

// Drops the white-space-only text nodes, as XmlBlanks::Drop does while loading.
void XmlDropBlankText(xmlDoc *doc);

// The serialisation of a node and its subtree, without an XML declaration.
QString XmlNodeText(const xmlNode *node);

// Loads a style sheet from a file (its imports and includes from local files only).
// Throws EOrvane with the service's message when the file is not a usable style sheet.
XsltStylesheetPtr XsltLoadStyleSheet(const QString &path);
// Applies a style sheet to a document; the whole result as one string, whatever encoding the
// style sheet's xsl:output names. Throws EOrvane when the transformation fails.
QString XsltTransform(const xmlDoc *doc, xsltStylesheet *style);
// The same result as UTF-8 bytes, from a document the caller gives up (libxslt may change it):
// no copy of it is made.
QByteArray XsltTransformUtf8(XmlDocPtr doc, xsltStylesheet *style);

// A new document holding a copy of doc's root element alone, as parsing the XML text of that
// element (XmlNodeText, XmlLoadString) would give it: no prologue, no DTD, no blank text.
XmlDocPtr XmlRootElementCopy(const xmlDoc *doc);
