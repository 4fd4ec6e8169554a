#include "run/RunSteps.h"

#include "globals/Errors.h"

// Wiring in progress: each step calls its subsystem as that lands on main.
namespace {
[[noreturn]] void missing(const char *what)
{
    throw EOrvane(QStringLiteral("%1 is not available yet").arg(QLatin1String(what)));
}
} // namespace

TRunSettings CurrentRunSettings() { missing("AppSettings"); }
QString RunTempDir() { missing("TempDir"); }

struct TRunSteps::State {};

TRunSteps::TRunSteps() : m(std::make_unique<State>()) {}
TRunSteps::~TRunSteps() = default;

void TRunSteps::Extract(const TListEntry &, const QString &) { missing("Extraction"); }
void TRunSteps::CloseArchive() {}
bool TRunSteps::Validate(const QString &, QString &) { missing("ValidateBook"); }
void TRunSteps::Open(const QString &) { missing("OpenBookDocument"); }
QString TRunSteps::NewName() { missing("BookRename"); }
QString TRunSteps::SortResult() { missing("BookSort"); }
QString TRunSteps::Convert(const QString &, const QString &) { missing("ConvertBook"); }
QString TRunSteps::ConvertedName(const QString &) { missing("ConvertBook"); }
void TRunSteps::Pack(const QString &, const QString &) { missing("BookArchive"); }
