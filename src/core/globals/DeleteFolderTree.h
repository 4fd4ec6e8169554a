#pragma once
// Removing the scratch folder with everything in it when the program closes.

#include <QString>

// Deletes the folder and all it holds, for good; links inside are removed, never followed.
// True when the folder is gone afterwards. Refuses an empty path and the root folder.
// Nothing is reported: what could not be removed stays for a later close.
bool DeleteFolderTree(const QString &path);
