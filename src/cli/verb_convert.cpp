// orvane-cli convert --to txt|html|rtf --out DIR BOOK.fb2...: converts each book as a run does.

#include "Verb.h"

#include "book/ExtractBookInfo.h"
#include "config/Folders.h"
#include "convert/BookConversion.h"
#include "globals/Errors.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QCommandLineOption kTo(QStringLiteral("to"), QStringLiteral("Format: txt, html or rtf."),
                             QStringLiteral("FORMAT"));
const QCommandLineOption kOut(QStringLiteral("out"), QStringLiteral("Folder of the converted files."),
                              QStringLiteral("DIR"));

int RunConvert(CliInvocation &inv)
{
    const int type = QStringList{QStringLiteral("txt"), QStringLiteral("html"), QStringLiteral("rtf")}.indexOf(
        inv.parser.value(kTo));
    if (type < 0 || !inv.parser.isSet(kOut)) {
        inv.err << "orvane-cli convert: --to txt|html|rtf and --out DIR are required\n";
        return ExitUsage;
    }
    const QString folder = WithTrailingSlash(QDir::fromNativeSeparators(inv.parser.value(kOut)));
    if (!QDir().mkpath(folder)) {
        inv.err << "orvane-cli convert: cannot create the folder " << folder << "\n";
        return ExitFatal;
    }
    TBookConversion conversion;
    conversion.PrepareConversion(type, UtilsDir);
    int status = ExitOk;
    for (const QString &book : inv.args) {
        IXMLFictionBook document;
        try {
            document = OpenBookDocument(book);
            // Read as a run reads it: the elements it misses are created and show in the output.
            (void)BookRecord(document);
        } catch (const EOrvane &e) {
            inv.out << book << "\nError: " << e.Message() << "\n";
            status = ExitSomeFailed;
            continue;
        }
        try {
            const QString name = conversion.ConvertBook(document, folder, QFileInfo(book).fileName());
            inv.out << "OK " << book << " -> " << folder + name << "\n";
        } catch (const EOrvane &e) {
            // As in a run, a failed conversion ends the whole job.
            inv.out.flush();
            inv.err << "orvane-cli convert: " << book << ": " << e.Message() << "\n";
            return ExitFatal;
        }
    }
    return status;
}

const CliVerbRegistration registration({
    QStringLiteral("convert"),
    QStringLiteral("Convert books to txt, html or rtf by the style sheets of utils/."),
    QStringLiteral("BOOK.fb2..."),
    1,
    [](QCommandLineParser &parser) {
        parser.addOption(kTo);
        parser.addOption(kOut);
    },
    RunConvert,
});

}  // namespace
