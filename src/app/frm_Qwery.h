#pragma once
// The question before every run: which of the five operations the run performs.
// OK stores the five switches in config.ini and gives 1; "Предпросмотр" stores them too and
// gives 5, to show what the run would do before it does it; "Настроить" gives 4; "Отмена" and
// the title bar's close give 2. No button is the default: Enter and Escape do not close it.

#include "ProgramDialog.h"

class QCheckBox;
class QPushButton;

class TfrmQwery : public TProgramDialog {
    Q_OBJECT
public:
    enum TModalResult { mrOk = 1, mrCancel = 2, mrSets = 4, mrPreview = 5 };

    explicit TfrmQwery(QWidget *owner);

    QCheckBox *chkValid, *chkRename, *chkSort, *chkConvert, *chkPack;
    QPushButton *btnOK, *btnSets, *btnPreview, *btnCancel;

    void FormCreate();
    void btnOKClick();
    // Writes the five switches to config.ini, in the order of the boxes.
    void SaveSetting();

private:
    // Closes with `result` once the switches are stored.
    void StoreAndClose(int result);
};
