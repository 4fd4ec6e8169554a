#pragma once
// What the program's own dialogs share: each is centred on the window that owns it when it
// shows, and only its buttons and the close box close it. No button is the default or the
// cancel button, so neither Enter nor Escape answers it; the close box answers 2, "Отмена".

#include <QDialog>
#include <initializer_list>

class QPushButton;

class TProgramDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
};

// A button of a dialog's bottom panel, 75 by 25 pixels, never the default button.
QPushButton *DialogButton(const QString &caption, const QString &name, QWidget *parent);

// The bottom panel of a dialog, 33 pixels high below a bevelled line: `left` in their order at
// the left edge, `right` at the right edge. Add it to the dialog's layout last.
QWidget *ButtonPanel(QWidget *dialog, std::initializer_list<QPushButton *> left, QPushButton *right);
