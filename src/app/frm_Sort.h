#pragma once
// The sort pattern editor "Шаблон сортировки": each word button adds a folder level at the end
// of the whole pattern, wherever the caret stands.

#include "PatternEditor.h"

class TfrmSort : public TPatternEditor {
    Q_OBJECT
public:
    explicit TfrmSort(QWidget *owner);

    TButtonedEdit *edtSDir;

    // The click of every word button: the word of the tag as a new last level.
    void SetSort(int tag);
    void edtSDirRightButtonClick();

protected:
    void WordClicked(int tag) override { SetSort(tag); }
};
