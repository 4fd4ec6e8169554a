// orvane-cli info BOOK.fb2...: the metadata record of each book, as the run would fill it.

#include "Verb.h"

#include "book/ExtractBookInfo.h"
#include "globals/Errors.h"

namespace {

int RunInfo(CliInvocation &inv)
{
    int status = ExitOk;
    bool first = true;
    for (const QString &path : inv.args) {
        if (!first)
            inv.out << "\n";
        first = false;
        inv.out << path << "\n";
        try {
            const TBookData rec = BookRecord(OpenBookDescription(path));
            const std::pair<const char *, const QString *> fields[] = {{"LastName", &rec.LastName},
                                                                       {"FirstName", &rec.FirstName},
                                                                       {"MiddleName", &rec.MiddleName},
                                                                       {"Title", &rec.Title},
                                                                       {"Sequence", &rec.Sequence},
                                                                       {"SeqNum", &rec.SeqNum},
                                                                       {"Lang", &rec.Lang},
                                                                       {"Publisher", &rec.Publisher},
                                                                       {"Genre", &rec.Genre},
                                                                       {"City", &rec.City},
                                                                       {"Year", &rec.Year}};
            for (const auto &[name, value] : fields)
                inv.out << name << ": " << *value << "\n";
        } catch (const EOrvane &e) {
            inv.out << "Error: " << e.Message() << "\n";
            status = ExitSomeFailed;
        }
        inv.out.flush();
    }
    return status;
}

const CliVerbRegistration registration(CliVerb{
    QStringLiteral("info"),
    QStringLiteral("Print the metadata record of each book (or the error that reading it raised)."),
    QStringLiteral("BOOK.fb2..."),
    1,
    {},
    RunInfo,
});

}  // namespace
