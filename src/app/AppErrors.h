#pragma once
// The application's error box: every command runs guarded, and an error that escapes it
// ends that command only; the box shows the text and the program goes on.

#include <QString>

class QWidget;

// The text as the box shows it: a full stop is added unless the text is empty or already ends
// in a full stop or a character of a lower code (a space, a comma, a hyphen, a line break).
QString ErrorBoxText(const QString &message);

// Modal box captioned "Orvane", error icon, one OK button.
void ShowErrorBox(QWidget *parent, const QString &message);

// The text of the exception in flight; call only inside a catch block.
QString CurrentExceptionText();

// Runs one command; an exception that escapes it is shown in the error box.
// Returns false when the command ended with an error.
template <class F> bool RunCommand(QWidget *parent, F &&command)
{
    try {
        command();
        return true;
    } catch (...) {
        ShowErrorBox(parent, CurrentExceptionText());
        return false;
    }
}
