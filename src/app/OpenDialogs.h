#pragma once
// The file list's open dialogs: books and archives, or a folder. They are Qt's own dialogs, not
// the desktop's, so that they speak Russian whatever the system's language. Both start in the
// folder books were last taken from, in this run of the program or an earlier one.

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

// "Открыть": the chosen .fb2 files and .zip archives; none when cancelled.
QStringList AskBookFiles(QWidget *parent);

// "Выберите каталог" (also the settings' folder fields): the chosen folder ending in "/"; empty
// when cancelled.
QString AskBookFolder(QWidget *parent);

// Makes one of Qt's file dialogs speak Russian whatever the system's language.
void SpeakRussian(QFileDialog &dialog);
