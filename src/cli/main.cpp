// orvane-cli: the core's operations from the command line, for scripts, batch runs and benchmarks.

#include "Verb.h"

#include "config/Folders.h"
#include "globals/ProcessMemory.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {
QList<CliVerb> &registry()
{
    static QList<CliVerb> verbs;
    return verbs;
}

void printOverview(QTextStream &s)
{
    s << "Usage: orvane-cli VERB [--config FILE] [OPTIONS] ARGS...\n\nVerbs:\n";
    for (const CliVerb &v : CliVerbs())
        s << "  " << v.name.leftJustified(10) << v.summary << "\n";
    s << "\nRun 'orvane-cli VERB --help' for the options of a verb.\n";
}
}  // namespace

CliVerbRegistration::CliVerbRegistration(CliVerb verb) { registry().append(std::move(verb)); }
const QList<CliVerb> &CliVerbs() { return registry(); }

int main(int argc, char *argv[])
{
    KeepFreedMemory();
    QCoreApplication app(argc, argv);
    SetUpFolders();
    QTextStream out(stdout), err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments();
    if (args.size() < 2) {
        printOverview(err);
        return ExitUsage;
    }
    const QString verbName = args.at(1);
    if (verbName == QLatin1String("--help") || verbName == QLatin1String("-h")) {
        printOverview(out);
        return ExitOk;
    }
    const CliVerb *verb = nullptr;
    for (const CliVerb &v : CliVerbs())
        if (v.name == verbName)
            verb = &v;
    if (!verb) {
        err << "orvane-cli: unknown verb '" << verbName << "'\n\n";
        printOverview(err);
        return ExitUsage;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(verb->summary);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption config(
        QStringLiteral("config"),
        QStringLiteral("Settings file (default: the window's config.ini, beside the program or in ~/.config/orvane/)."),
        QStringLiteral("FILE"));
    parser.addOption(help);
    parser.addOption(config);
    if (verb->addOptions)
        verb->addOptions(parser);
    parser.addPositionalArgument(QStringLiteral("args"), QString(), verb->positional);

    args.removeAt(1);
    args[0] = QStringLiteral("orvane-cli ") + verb->name;
    const bool parsed = parser.parse(args);
    if (parsed && parser.isSet(help)) {
        out << parser.helpText();
        return ExitOk;
    }
    if (!parsed || parser.positionalArguments().size() < verb->minArgs) {
        err << "orvane-cli " << verb->name << ": " << (parsed ? QStringLiteral("missing argument") : parser.errorText())
            << "\n\n"
            << parser.helpText();
        return ExitUsage;
    }

    const QString configPath = parser.isSet(config) ? parser.value(config) : ConfigIniPath();
    CliInvocation inv{parser, parser.positionalArguments(), configPath, out, err};
    const int status = verb->run(inv);
    out.flush();
    err.flush();
    return status;
}
