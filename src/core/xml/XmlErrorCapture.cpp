#include "xml/XmlInternal.h"

#include <cstdarg>
#include <cstdio>
#include <libxml/xmlerror.h>
#include <libxslt/xsltutils.h>

namespace {

// libxml2 keeps its error handlers per thread, libxslt its generic one for the whole process:
// that one is set once to a relay that finds the capture of the calling thread, so that books
// parsed or transformed on two threads at once never report into each other's capture.
thread_local XmlErrorCapture *t_capture = nullptr;

void RelayGeneric(void *, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    if (t_capture) {
        t_capture->AddGeneric(format, args);
    } else {
        std::vfprintf(stderr, format, args);
    }
    va_end(args);
}

}  // namespace

void InitXsltErrorRelay() { xsltSetGenericErrorFunc(nullptr, &RelayGeneric); }

XmlErrorCapture::XmlErrorCapture(const QByteArray &documentUrl)
    : m_documentUrl(documentUrl), m_prevStructured(xmlStructuredError), m_prevStructuredCtx(xmlStructuredErrorContext),
      m_prevCapture(t_capture)
{
    InitXmlServices();
    xmlSetStructuredErrorFunc(this, &XmlErrorCapture::OnStructured);
    t_capture = this;
}

XmlErrorCapture::~XmlErrorCapture()
{
    xmlSetStructuredErrorFunc(m_prevStructuredCtx, m_prevStructured);
    t_capture = m_prevCapture;
}

void XmlErrorCapture::OnStructured(void *self, xmlErrorPtr error)
{
    auto *capture = static_cast<XmlErrorCapture *>(self);
    if (!error || error->level < XML_ERR_ERROR)
        return;
    // Only the parser's errors name the input they were found in; an encoding error names none
    // and belongs to the document.
    const bool parserError = error->domain == XML_FROM_PARSER || error->domain == XML_FROM_NAMESPACE;
    const bool inDocument =
        capture->m_documentUrl.isEmpty() || !parserError || (error->file && capture->m_documentUrl == error->file);
    XmlCapturedError &slot = error->level == XML_ERR_FATAL ? (inDocument ? capture->m_fatal : capture->m_otherFatal)
                                                           : (inDocument ? capture->m_error : capture->m_otherError);
    if (slot.code)
        return;
    slot.code = error->code ? error->code : XML_ERR_INTERNAL_ERROR;
    slot.line = error->line;
    slot.column = error->int2;
    slot.message = QString::fromUtf8(error->message ? error->message : "").trimmed();
    // Errors from XPath and XSLT compilation come this way too: keep them for the XSLT text.
    if (error->domain == XML_FROM_XPATH || error->domain == XML_FROM_XSLT)
        capture->m_xsltText += slot.message + QLatin1Char('\n');
}

void XmlErrorCapture::AddGeneric(const char *format, va_list args)
{
    if (m_xsltText.size() > 4000)
        return;
    char buffer[2048];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    m_xsltText += QString::fromUtf8(buffer);
}
