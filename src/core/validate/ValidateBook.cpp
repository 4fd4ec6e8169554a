#include "validate/ValidateBook.h"

#include "config/Folders.h"
#include "xml/XmlSchema.h"

#include <QStringList>
#include <QUrl>

const QString FictionBookNamespace = QStringLiteral("http://www.gribuser.ru/xml/fictionbook/2.0");

QString BookSchemaPath(const QString &utilsDir) { return utilsDir + QStringLiteral("FictionBook.xsd"); }

bool ValidateBook(const QString &fileName, QString &errorText) { return ValidateBook(fileName, errorText, UtilsDir); }

bool ValidateBook(const QString &fileName, QString &errorText, const QString &utilsDir)
{
    XmlParseError error;
    if (XmlValidateFile(fileName, BookSchemaPath(utilsDir), FictionBookNamespace, error))
        return true;
    errorText = ValidationErrorText(error);
    return false;
}

XmlDocPtr ValidatedBookTree(const QString &fileName, QString &errorText, const QString &utilsDir)
{
    XmlParseError error;
    XmlDocPtr doc = XmlLoadValidFile(fileName, BookSchemaPath(utilsDir), FictionBookNamespace, error);
    if (!doc)
        errorText = ValidationErrorText(error);
    return doc;
}

XmlDocPtr ValidatedBookTree(const QByteArray &data, const QString &fileName, QString &errorText,
                            const QString &utilsDir)
{
    XmlParseError error;
    XmlDocPtr doc = XmlLoadValidBytes(data, QUrl::fromLocalFile(fileName).toString(QUrl::FullyEncoded),
                                      BookSchemaPath(utilsDir), FictionBookNamespace, error);
    if (!doc)
        errorText = ValidationErrorText(error);
    return doc;
}

QString ValidationErrorText(const XmlParseError &error)
{
    const QStringList lines{
        QStringLiteral("Код ошибки ") + QString::number(qint32(error.errorCode)),
        QStringLiteral("Строка ") + QString::number(error.line),
        QStringLiteral("Символ ") + QString::number(error.linePos),
        error.reason,
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString ValidationErrorLine(const QString &errorText)
{
    QStringList lines;
    for (const QString &line : errorText.split(QLatin1Char('\n')))
        if (const QString t = line.trimmed(); !t.isEmpty())
            lines << t;
    if (lines.isEmpty())
        return QString();
    const QString code = QStringLiteral("Код ошибки "), row = QStringLiteral("Строка "),
                  col = QStringLiteral("Символ ");
    if (lines.size() < 4 || !lines[0].startsWith(code) || !lines[1].startsWith(row) || !lines[2].startsWith(col))
        return lines.first();
    // Every element of a book is in the format's namespace; named in full it hides the element.
    QString reason = lines.mid(3).join(QLatin1Char(' '));
    reason.remove(QLatin1Char('{') + FictionBookNamespace + QLatin1Char('}'));
    return QStringLiteral("%1 (строка %2, символ %3)").arg(reason, lines[1].mid(row.size()), lines[2].mid(col.size()));
}
