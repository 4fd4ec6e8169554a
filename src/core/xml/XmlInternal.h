#pragma once
// Pieces shared by the parsing and the XSLT halves of the XML services; not for other folders.

#include "xml/XmlServices.h"

#include <QString>
#include <cstdarg>

struct XmlCapturedError {
    int code = 0;
    int line = 0;
    int column = 0;
    QString message;
};

// Collects the errors that libxml2 and libxslt report on this thread while it lives, instead of
// letting them reach standard error; restores the previous handlers afterwards.
class XmlErrorCapture {
public:
    // documentUrl: errors located in that document come first; an error inside an entity's text
    // is located in the entity, and the parser reports it again where the document uses it.
    explicit XmlErrorCapture(const QByteArray &documentUrl = QByteArray());
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture &) = delete;
    XmlErrorCapture &operator=(const XmlErrorCapture &) = delete;

    // The first fatal error, else the first error; empty when there was none.
    const XmlCapturedError &First() const
    {
        return m_fatal.code ? m_fatal : m_error.code ? m_error : m_otherFatal.code ? m_otherFatal : m_otherError;
    }
    // The first error that was not fatal.
    const XmlCapturedError &FirstNonFatal() const { return m_error.code ? m_error : m_otherError; }
    // Everything libxslt wrote, trimmed.
    QString XsltText() const { return m_xsltText.trimmed(); }

    // What libxslt's generic error handler reports on this thread.
    void AddGeneric(const char *format, va_list args);

private:
    static void OnStructured(void *self, xmlErrorPtr error);

    QByteArray m_documentUrl;
    XmlCapturedError m_fatal, m_error, m_otherFatal, m_otherError;
    QString m_xsltText;
    xmlStructuredErrorFunc m_prevStructured;
    void *m_prevStructuredCtx;
    XmlErrorCapture *m_prevCapture;
};

// Routes libxslt's process-wide generic error handler to the capture of the calling thread.
void InitXsltErrorRelay();

// The one parser entry: encoding forces a character set (null: as declared); dict shares a
// dictionary with libxslt.
XmlDocPtr ParseXmlBytes(const QByteArray &data, const QString &baseUrl, const char *encoding, int options,
                        XmlBlanks blanks, xmlDict *dict, XmlParseError &error);
// The same for a file; one of `streamFrom` bytes or more is read piece by piece as it is parsed.
// Fails as ReadWholeFile does when it cannot be read. `whole`: the bytes, when the file was read
// whole (for a caller that needs them to place a later error).
// lastNeeded: as XmlLoadFileHead's.
XmlDocPtr ParseXmlFile(const QString &path, int options, XmlBlanks blanks, XmlParseError &error,
                       qint64 streamFrom = kParseAsReadFrom, QByteArray *whole = nullptr,
                       const XmlLastNeeded *lastNeeded = nullptr);

// Stops libxml2's tree builder half-way: text, comments and processing instructions reach it no
// more (the caller's own element hooks stop passing elements on). The handlers stay set, as the
// schema validator's plug expects of the handlers it wraps.
void XmlStopBuildingText(xmlSAXHandler *sax);

// SAX handlers for a parse that builds no tree. Attach installs them on the parser's context
// before the parse; Detach undoes what Attach did (a schema plug) before the context is freed.
class XmlEventHandlers {
public:
    virtual ~XmlEventHandlers() = default;
    virtual void Attach(xmlParserCtxtPtr ctxt) = 0;
    virtual void Detach(xmlParserCtxtPtr ctxt) = 0;
};
// Parses a file as it is read, for the handlers alone. True when the file was read to its end,
// well-formed, with no error reported (warnings aside); false when it could not be read, the
// attribute guard stopped it, or anything went wrong, which the tree's parse then reports.
bool ParseXmlFileEvents(const QString &path, int options, XmlEventHandlers &handlers);
// The same for bytes in memory, for handlers that keep libxml2's tree builder (or part of it):
// doc receives the tree of a parse that succeeded.
bool ParseXmlBytesEvents(const QByteArray &data, int options, XmlEventHandlers &handlers, XmlDocPtr &doc);
// Installs the libxslt loader for imports, includes and document(): local files only.
void InitXsltLoader();
