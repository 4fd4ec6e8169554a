#include "Verb.h"

#include "config/AppSettings.h"

void LoadCliSettings(CliInvocation &inv)
{
    UpdateSetting(inv.configPath);
    const QString problem = SettingsReadProblem();
    if (!problem.isEmpty())
        inv.err << "orvane-cli: settings not read, using the defaults: " << problem << "\n";
}
