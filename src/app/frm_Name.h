#pragma once
// The file name pattern editor "Шаблон имени файла": each word button puts its word at the
// caret, replacing the selected text, so the user builds free text around the words.

#include "PatternEditor.h"

class TfrmName : public TPatternEditor {
    Q_OBJECT
public:
    explicit TfrmName(QWidget *owner);

    TButtonedEdit *edtNName;

    // The click of every word button: the word of the tag at the caret.
    void SetNewName(int tag);
    void edtNNameRightButtonClick();

protected:
    void WordClicked(int tag) override { SetNewName(tag); }
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    // A line edit drops its selection when a button takes the focus; the word replaces what was
    // selected before the click all the same.
    int m_selStart = -1;
    int m_selLength = 0;
};
