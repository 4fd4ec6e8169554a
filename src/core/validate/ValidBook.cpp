#include "validate/ValidBook.h"

#include "validate/ValidateBook.h"

XmlDocPtr LoadValidBookDom(const QString &path, const QString &utilsDir, QString &errorText)
{
    // The verdict is on the tree as the file holds it; only then is it made the loader's tree.
    XmlDocPtr dom = ValidatedBookTree(path, errorText, utilsDir);
    if (dom)
        XmlDropBlankText(dom.get());
    return dom;
}

XmlDocPtr LoadValidBookDom(const QByteArray &data, const QString &fileName, const QString &utilsDir, QString &errorText)
{
    XmlDocPtr dom = ValidatedBookTree(data, fileName, errorText, utilsDir);
    if (dom)
        XmlDropBlankText(dom.get());
    return dom;
}
