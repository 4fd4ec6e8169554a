#pragma once
// Where an entry may be written: its stored path turned into a path below the target folder.

#include <QString>

enum class TStoredPathProblem { None, Absolute, DriveLetter, ParentFolder, ControlCharacter };

// The stored path as a relative path ("a/b.fb2"; a folder without its trailing "/"), with empty
// and "." parts dropped. An absolute path, a drive letter, a ".." part or a control character
// makes it unsafe: the result is then empty and `problem` says why.
QString SafeRelativePath(const QString &storedPath, TStoredPathProblem &problem);
