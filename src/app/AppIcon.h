#pragma once
// The program's own icon and its name on the desktop.

#include <QIcon>
#include <QString>

// Drawn from the SVG that the package also installs into the hicolor theme, so the window shows
// the menu's icon even where the theme is not searched (a portable copy).
QIcon AppIcon();

// The desktop entry's name without ".desktop": ties the window to its menu entry and icon.
QString AppDesktopId();
