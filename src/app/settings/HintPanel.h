#pragma once
// The settings dialog's hint panel: shows the hint of the control under the mouse and is
// emptied when the mouse leaves it. The texts stand in one table, by the controls' names.

#include <QHash>
#include <QLabel>

// The hint of a control of the settings dialog by its object name; empty for a control without one.
QString SettingHint(const QString &controlName);

class THintPanel : public QLabel {
    Q_OBJECT
public:
    explicit THintPanel(QWidget *parent = nullptr);

    // Shows the hints of every control below `root` that the table has one for.
    void WatchControls(QWidget *root);

    // The mouse moves over `sender`: its hint, or the empty text for a control without one.
    void ViewHint(QObject *sender);
    void ClearHint();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    QHash<QObject *, QString> m_hints;
};
