// orvane-cli pack: packs each file into FILE.zip as a run's packing step does.

#include "Verb.h"

#include "globals/Errors.h"
#include "zip/BookArchive.h"

namespace {

int RunPack(CliInvocation &inv)
{
    int status = ExitOk;
    TZipArchive zip;
    for (const QString &file : inv.args) {
        try {
            BookArchive(zip, file, file);
            inv.out << zip.FileName << '\n';
        } catch (const EOrvane &e) {
            inv.err << e.Message() << '\n';
            status = ExitSomeFailed;
        }
    }
    return status;
}

const CliVerbRegistration registration({
    QStringLiteral("pack"),
    QStringLiteral("Pack each FILE into FILE.zip (the file itself is kept)"),
    QStringLiteral("FILE..."),
    1,
    {},
    RunPack,
});

}  // namespace
