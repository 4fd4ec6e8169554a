#pragma once
// Help: one HTML page per numeric context in the folder help/ beside the program, shown in a
// help window of the program (links between the pages work; web links open in the browser).

#include <QString>

class QWidget;

enum THelpContext {
    hcMain = 1000,  // how to use the program
    hcSupport = 1001,  // supporting the developers
    hcSettingMain = 1014,  // the four pages of the settings dialog
    hcSettingFolders = 1015,
    hcSettingPatterns = 1016,
    hcSettingOther = 1017,
};

// The page of a context: help folder + the number + ".html".
QString HelpPagePath(int context);

// Opens the help window at the page of this context; a missing page is said in the window.
void ShowHelp(QWidget *parent, int context);
