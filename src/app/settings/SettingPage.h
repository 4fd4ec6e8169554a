#pragma once
// What the four pages of the settings dialog share: the header band with the page's name and
// its help button, the rows of a label and an edit box, and moving values between the page's
// controls and a settings record.

#include "config/AppSettings.h"

#include <QWidget>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QToolButton;
class QVBoxLayout;
class TButtonedEdit;

class TSettingPage : public QWidget {
    Q_OBJECT
public:
    // `name` is the page's name in the tree; the help button carries `helpName` and `helpContext`.
    TSettingPage(const QString &objectName, const QString &name, const QString &helpName, int helpContext,
                 QWidget *parent);

    // Shows the page's keys of `settings` in its controls.
    virtual void Load(const TAppSettings &settings) = 0;
    // Puts the values of the page's controls into `settings`.
    virtual void Store(TAppSettings &settings) const = 0;

    QToolButton *btnHelp;
    const int HelpContext;

signals:
    // A control of the page changed its value (typed, ticked, chosen).
    void Changed();

protected:
    // The layout below the header band, where the page puts its controls from top to bottom.
    QVBoxLayout *Body() const { return m_body; }
    QCheckBox *CheckBox(const QString &objectName, const QString &caption, QWidget *parent);
    QLabel *RowLabel(const QString &objectName, const QString &caption);
    TButtonedEdit *ButtonedEdit(const QString &objectName);
    // A row 27 pixels high: `left` 180 pixels wide (wider when the desktop's font needs it, the
    // same for every row of the page), `right` filling the rest.
    void AddRow(QWidget *left, QWidget *right);

private:
    QVBoxLayout *m_body;
    QList<QWidget *> m_rowLefts;
};
