#pragma once
// An edit box with a small button at its right end (the settings' folder, file and pattern
// fields, the clear button of the pattern editors). The box is an ordinary line edit; the
// button takes no focus, so pressing it keeps the caret and the selection of the text.

#include <QLineEdit>

class QToolButton;

class TButtonedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TButtonedEdit(QWidget *parent = nullptr);

    QToolButton *RightButton() const { return m_button; }

signals:
    void RightButtonClick();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    QToolButton *m_button;
};
