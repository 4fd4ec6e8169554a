#include "validate/ValidBook.h"

#include "fb2/fictionbook_21.h"
#include "validate/ValidateBook.h"
#include "xml/XmlSchema.h"

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

XmlDocPtr LoadValidBookDescription(const QByteArray &data, const QString &fileName, const QString &utilsDir,
                                   QString &errorText, bool *parsedOnce)
{
    // A book the validator without a tree vouches for is parsed once, and built no further than
    // its description; any other gets the whole tree's verdict.
    XmlDocPtr dom = XmlStreamLoadValidHead(data, BookSchemaPath(utilsDir), FictionBookNamespace, &IsBooksDescription);
    if (parsedOnce)
        *parsedOnce = dom != nullptr;
    if (!dom)
        return LoadValidBookDom(data, fileName, utilsDir, errorText);
    XmlDropBlankText(dom.get());
    return dom;
}
