#include "SettingsFixtures.h"

TAppSettings ChangedSettings()
{
    TAppSettings s;
    s.Valid = false, s.Rename = false, s.Sort = false, s.Convert = true, s.Archive = true;
    s.EndDir = QStringLiteral("/x/end"), s.BadDir = QStringLiteral("/x/bad/");
    s.SaveLog = true, s.LogFile = QStringLiteral("/x/журнал.txt");
    s.ConvertType = 2, s.ZipLevel = -1;
    s.SortPattern = QStringLiteral("Жанр\\Серия"), s.NamePattern = QStringLiteral("Номер. %tit");
    s.TranslitDir = true, s.TranslitName = true, s.GenreFull = false;
    s.LastName = false, s.FirstName = false, s.MiddleName = true, s.ChangeInfo = false;
    return s;
}

QStringList SettingsFields(const TAppSettings &s)
{
    const auto b = [](bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); };
    return {b(s.Valid),
            b(s.Rename),
            b(s.Sort),
            b(s.Convert),
            b(s.Archive),
            s.EndDir,
            s.BadDir,
            b(s.SaveLog),
            s.LogFile,
            QString::number(s.ConvertType),
            QString::number(s.ZipLevel),
            s.SortPattern,
            s.NamePattern,
            b(s.TranslitDir),
            b(s.TranslitName),
            b(s.GenreFull),
            b(s.LastName),
            b(s.FirstName),
            b(s.MiddleName),
            b(s.ChangeInfo)};
}
