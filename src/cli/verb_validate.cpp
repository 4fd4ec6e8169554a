// orvane-cli validate BOOK.fb2...: checks each book against the FictionBook schema.

#include "Verb.h"

#include "globals/Errors.h"
#include "validate/ValidateBook.h"

namespace {

int RunValidate(CliInvocation &inv)
{
    int status = ExitOk;
    try {
        for (const QString &book : inv.args) {
            QString errorText;
            if (ValidateBook(book, errorText)) {
                inv.out << "OK " << book << "\n";
            } else {
                inv.out << book << "\n" << errorText;
                status = ExitSomeFailed;
            }
        }
    } catch (const EOrvane &e) {
        inv.out.flush();
        inv.err << "orvane-cli validate: " << e.Message() << "\n";
        return ExitFatal;
    }
    return status;
}

const CliVerbRegistration registration({
    QStringLiteral("validate"),
    QStringLiteral("Check books against the FictionBook schema (exit 1 when one is invalid)."),
    QStringLiteral("BOOK.fb2..."),
    1,
    {},
    RunValidate,
});

}  // namespace
