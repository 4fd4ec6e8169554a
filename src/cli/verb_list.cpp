// orvane-cli list: the rows of the file list that paths give, as the program would add them.

#include "Verb.h"

#include "globals/Errors.h"
#include "list/BookSources.h"
#include "zip/ZipArchive.h"

namespace {

const QCommandLineOption
    kRecursive({QStringLiteral("r"), QStringLiteral("recursive")},
               QStringLiteral("A folder gives the .fb2 files and .zip archives of all its subfolders too."));

int RunList(CliInvocation &inv)
{
    int status = ExitOk;
    TZipArchive zip;
    const bool tree = inv.parser.isSet(kRecursive);
    for (const QString &path : inv.args) {
        for (const QString &source : PathBookSources(path, tree)) {
            try {
                for (const TListEntry &row : BookSourceRows(source, zip))
                    inv.out << row.FileName << '\t' << row.FileSize << '\t'
                            << (row.InArchive ? row.ArchivePath : row.FileDir) << '\n';
            } catch (const EOrvane &e) {
                inv.err << e.Message() << '\n';
                status = ExitSomeFailed;
            }
        }
    }
    return status;
}

const CliVerbRegistration registration({
    QStringLiteral("list"),
    QStringLiteral("List the books that paths give: NAME<TAB>SIZE<TAB>ARCHIVE or FOLDER per line"),
    QStringLiteral("PATH..."),
    1,
    [](QCommandLineParser &p) { p.addOption(kRecursive); },
    RunList,
});

}  // namespace
