#pragma once
// The frame the two pattern editors share: an edit field with a clear button, two rows of word
// buttons, and OK ("OK", result 1) and "Отмена" (result 2, also the close box). The editors only
// edit text: whatever the user types, placeholders included, comes back unchanged.

#include "ProgramDialog.h"

#include <QList>

class QHBoxLayout;
class QPushButton;
class TButtonedEdit;

class TPatternEditor : public TProgramDialog {
    Q_OBJECT
public:
    enum TModalResult { mrOk = 1, mrCancel = 2 };

    // A word button: its caption, the word it inserts, and how many button widths it spans.
    struct TWordButton {
        const char *name;
        QString caption;
        QString word;
        int span = 1;
    };

    QPushButton *btnOK, *btnCancel;
    QWidget *pnAButton, *pnBButton;

    // The word of a button's tag.
    QString TagWord(int tag) const { return m_words.value(tag); }

protected:
    // `rowA` and `rowB` are the two rows of buttons; the buttons' tags count on from 0.
    TPatternEditor(QWidget *owner, const QString &objectName, const QString &caption, const QString &editName,
                   const QList<TWordButton> &rowA, const QList<TWordButton> &rowB, QSize clientSize);

    TButtonedEdit *Edit() const { return m_edit; }
    // A word button was pressed: the editor puts its word into the field.
    virtual void WordClicked(int tag) = 0;

private:
    QWidget *ButtonRow(const char *name, const QList<TWordButton> &buttons, int units);

    TButtonedEdit *m_edit;
    QStringList m_words;
};
