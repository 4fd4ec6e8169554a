#include "convert/BookConversion.h"

#include "config/AppSettings.h"
#include "config/Folders.h"
#include "convert/RtfAnsiText.h"
#include "globals/Errors.h"
#include "globals/TextFile.h"

TConversionKind ConversionKind(int convertType)
{
    switch (convertType) {
    case 0: return {QStringLiteral("txt.xsl"), QStringLiteral(".txt"), false};
    case 1: return {QStringLiteral("html.xsl"), QStringLiteral(".html"), false};
    case 2: return {QStringLiteral("rtf.xsl"), QStringLiteral(".rtf"), true};
    default: return {QString(), QString(), true};
    }
}

void TBookConversion::PrepareConversion() { PrepareConversion(AppSettings.ConvertType, UtilsDir); }

void TBookConversion::PrepareConversion(int convertType, const QString &utilsDir)
{
    m_kind = ConversionKind(convertType);
    m_style.reset();
    m_styleError = QStringLiteral("No style sheet for the conversion type %1").arg(convertType);
    if (m_kind.StyleSheet.isEmpty())
        return;
    try {
        m_style = XsltLoadStyleSheet(utilsDir + m_kind.StyleSheet);
    } catch (const EOrvane &e) {
        m_styleError = e.Message();
    }
}

namespace {
QString WithExtension(const QString &newName, const QString &extension)
{
    for (const QChar c : newName)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('/'))
            throw EOrvane(QStringLiteral("Invalid characters in path"));
    const qsizetype dot = newName.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? newName : newName.left(dot)) + extension;
}
}  // namespace

QString ConvertedFileName(const QString &newName, int convertType)
{
    return WithExtension(newName, ConversionKind(convertType).Extension);
}

QString TBookConversion::ConvertedName(const QString &newName) const
{
    return WithExtension(newName, m_kind.Extension);
}

QByteArray TBookConversion::ConvertedData(const IXMLFictionBook &book) const
{
    if (!m_style)
        throw EOrvane(m_styleError);
    // The book as its XML text would parse, with the elements reading it created; copied, since
    // the transformation may change its source and the run's tree must stay as it is.
    XmlDocPtr work = XmlRootElementCopy(book->DomDocument());
    if (!work)
        throw EOrvane(QStringLiteral("Out of memory"));
    const QByteArray result = XsltTransformUtf8(std::move(work), m_style.get());
    if (m_kind.Ansi)
        return RtfAnsiText(result);
    return Utf8TextLinesData(result);
}

QString TBookConversion::ConvertBook(const IXMLFictionBook &book, const QString &folder, const QString &newName)
{
    const QString name = ConvertedName(newName);
    // The book stays: a new converted file needs no flush; one it replaces is flushed first.
    SaveFileData(folder + name, ConvertedData(book), false);
    return name;
}
