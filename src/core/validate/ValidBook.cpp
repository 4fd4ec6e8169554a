#include "validate/ValidBook.h"

#include "fb2/fictionbook_21.h"
#include "globals/Errors.h"
#include "validate/ValidateBook.h"

XmlDocPtr LoadValidBookDom(const QString &path, const QString &utilsDir, QString &errorText)
{
    XmlDocPtr dom;
    try {
        dom = LoadBookDom(path);
    } catch (const EOrvane &) {
        // A book the parser refuses is invalid; ValidateBook says why.
        if (!ValidateBook(path, errorText, utilsDir))
            return nullptr;
        throw;
    }
    if (!IsValidBookDocument(dom.get(), utilsDir) && !ValidateBook(path, errorText, utilsDir))
        return nullptr;
    return dom;
}
