// orvane-cli names BOOK.fb2...: the new file name and the target folder of each book, the
// preview of a run's rename and sort steps under the given settings.

#include "Verb.h"

#include "book/ExtractBookInfo.h"
#include "config/AppSettings.h"
#include "globals/Errors.h"
#include "names/TargetNames.h"

namespace {

int RunNames(CliInvocation &inv)
{
    LoadCliSettings(inv);
    int status = ExitOk;
    for (const QString &path : inv.args) {
        try {
            // One extraction serves both names: the record is the same each time.
            const TBookData record = BookRecord(OpenBookDescription(path));
            inv.out << path << '\t' << BookRename(record, AppSettings) << '\t' << BookSort(record, AppSettings) << '\n';
        } catch (const EOrvane &e) {
            inv.out.flush();
            QString message = e.Message();
            message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            inv.err << path << ": " << message << '\n';
            inv.err.flush();
            status = ExitSomeFailed;
        }
    }
    return status;
}

const CliVerbRegistration registration(CliVerb{
    QStringLiteral("names"),
    QStringLiteral("Print each book's path, new file name and target folder, tab-separated."),
    QStringLiteral("BOOK.fb2..."),
    1,
    {},
    RunNames,
});

}  // namespace
