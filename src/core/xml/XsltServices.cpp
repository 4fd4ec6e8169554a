#include "xml/XmlInternal.h"

#include "globals/Errors.h"

#include <QUrl>
#include <libxml/parser.h>
#include <libxslt/documents.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltutils.h>

namespace {

// Imports, includes and document(): local files, parsed like everything else (no entities
// from outside, no network). libxslt has already checked its security preferences.
xmlDocPtr LocalFileLoader(const xmlChar *uri, xmlDictPtr dict, int, void *, xsltLoadType type)
{
    if (!uri)
        return nullptr;
    const QUrl url(QString::fromUtf8(reinterpret_cast<const char *>(uri)));
    QString path;
    if (url.isLocalFile())
        path = url.toLocalFile();
    else if (url.scheme().isEmpty())
        path = QUrl::fromPercentEncoding(reinterpret_cast<const char *>(uri));
    else
        return nullptr;
    QByteArray data;
    XmlParseError error;
    if (!ReadWholeFile(path, data, error))
        return nullptr;
    const int options = XmlParseOptions() | (type == XSLT_LOAD_DOCUMENT ? 0 : XML_PARSE_NOCDATA);
    return ParseXmlBytes(data, QString::fromUtf8(reinterpret_cast<const char *>(uri)), nullptr, options,
                         XmlBlanks::Keep, dict, error)
        .release();
}

// While a transformation runs, a style sheet reads no file either: what it shows comes from the
// document it is given.
xsltSecurityPrefsPtr TransformSecurityPrefs()
{
    static xsltSecurityPrefsPtr prefs = [] {
        xsltSecurityPrefsPtr p = xsltNewSecurityPrefs();
        for (xsltSecurityOption option :
             {XSLT_SECPREF_READ_FILE, XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY, XSLT_SECPREF_READ_NETWORK,
              XSLT_SECPREF_WRITE_NETWORK})
            xsltSetSecurityPrefs(p, option, xsltSecurityForbid);
        return p;
    }();
    return prefs;
}

// libxml2's output callback; an exception must not cross the C library.
int AppendToByteArray(void *context, const char *bytes, int length)
{
    try {
        static_cast<QByteArray *>(context)->append(bytes, length);
        return length;
    } catch (...) {
        return -1;
    }
}

QString FirstLines(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("The style sheet could not be applied") : text.left(2000);
}

}  // namespace

void InitXsltLoader() { xsltSetLoaderFunc(LocalFileLoader); }

XsltStylesheetPtr XsltLoadStyleSheet(const QString &path)
{
    InitXmlServices();
    QByteArray data;
    XmlParseError error;
    if (!ReadWholeFile(path, data, error))
        throw EOrvane(error.reason);
    XmlDocPtr doc = ParseXmlBytes(data, QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded), nullptr,
                                  XmlParseOptions() | XML_PARSE_NOCDATA, XmlBlanks::Keep, nullptr, error);
    if (!doc)
        throw EOrvane(error.LoadMessage());
    XmlErrorCapture capture;
    XsltStylesheetPtr style(xsltParseStylesheetDoc(doc.get()));
    if (style)
        doc.release();  // owned by the style sheet now
    if (!style || style->errors)
        throw EOrvane(FirstLines(capture.XsltText()));
    return style;
}

QString XsltTransform(const xmlDoc *doc, xsltStylesheet *style)
{
    InitXmlServices();
    if (!doc)
        throw EOrvane(QStringLiteral("No document or style sheet to transform"));
    // libxslt edits its source (xsl:strip-space unlinks text nodes): work on a copy, so that
    // nodes the caller still holds stay intact.
    XmlDocPtr source(xmlCopyDoc(const_cast<xmlDoc *>(doc), 1));
    if (!source)
        throw EOrvane(QStringLiteral("Out of memory"));
    return QString::fromUtf8(XsltTransformUtf8(std::move(source), style));
}

QByteArray XsltTransformUtf8(XmlDocPtr source, xsltStylesheet *style)
{
    InitXmlServices();
    if (!source || !style)
        throw EOrvane(QStringLiteral("No document or style sheet to transform"));
    XmlErrorCapture capture;
    xsltTransformContextPtr tctxt = xsltNewTransformContext(style, source.get());
    if (!tctxt)
        throw EOrvane(QStringLiteral("Out of memory"));
    xsltSetCtxtSecurityPrefs(TransformSecurityPrefs(), tctxt);
    XmlDocPtr result(xsltApplyStylesheetUser(style, source.get(), nullptr, nullptr, nullptr, tctxt));
    const bool failed = !result || tctxt->state != XSLT_STATE_OK;
    xsltFreeTransformContext(tctxt);
    if (failed)
        throw EOrvane(FirstLines(capture.XsltText()));

    // Serialise through a UTF-8 encoder: nothing is lost to the code page xsl:output names,
    // and the bytes are UTF-8 whatever it names. They go straight into the result, piece by
    // piece, instead of into a buffer of libxml2's that would then be copied whole.
    QByteArray text;
    xmlOutputBufferPtr out =
        xmlOutputBufferCreateIO(AppendToByteArray, nullptr, &text, xmlFindCharEncodingHandler("UTF-8"));
    if (!out)
        throw EOrvane(QStringLiteral("Out of memory"));
    xsltSaveResultTo(out, result.get(), style);
    xmlOutputBufferFlush(out);
    const bool written = out->error == 0;
    xmlOutputBufferClose(out);
    if (!written)
        throw EOrvane(QStringLiteral("Out of memory"));
    return text;
}
