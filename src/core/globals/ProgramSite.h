#pragma once
// The program's web site: the About box links to it, the update check reads from it.

#include <QString>

inline QString ProgramSiteUrl() { return QStringLiteral("https://orvane.example.org/"); }
