// orvane-cli extract: extracts entries of an archive as a run does before it validates a book.

#include "Verb.h"

#include "globals/Errors.h"
#include "zip/ZipArchive.h"

namespace {

const QCommandLineOption toOption({QStringLiteral("d"), QStringLiteral("to")},
                                  QStringLiteral("Folder to extract into (default: the current folder)."),
                                  QStringLiteral("DIR"), QStringLiteral("."));

int RunExtract(CliInvocation &inv)
{
    TZipArchive zip;
    zip.FileName = inv.args.first();
    zip.BaseDir = inv.parser.value(toOption);
    QStringList names = inv.args.mid(1);
    if (names.isEmpty())
        names.append(QStringLiteral("*"));
    try {
        zip.OpenArchive(TZipArchive::omRead);
        for (const QString &name : names)
            for (const QString &written : zip.ExtractFiles(name, kExtractSearchAttr))
                inv.out << written << '\n';
        zip.CloseArchive();
    } catch (const EOrvane &e) {
        inv.err << e.Message() << '\n';
        return ExitSomeFailed;
    }
    return ExitOk;
}

const CliVerbRegistration registration({
    QStringLiteral("extract"),
    QStringLiteral("Extract the entries named NAME (\"*\" and \"?\" allowed; default all) of ARCHIVE"),
    QStringLiteral("ARCHIVE [NAME...]"),
    1,
    [](QCommandLineParser &p) { p.addOption(toOption); },
    RunExtract,
});

}  // namespace
