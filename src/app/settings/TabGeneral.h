#pragma once
// Page "Основное": the five operations, the information switch, the log, and the buttons for
// templates and the reset (their handlers are the dialog's).

#include "SettingPage.h"

class QGroupBox;
class QPushButton;

class TTabGeneral : public TSettingPage {
    Q_OBJECT
public:
    explicit TTabGeneral(QWidget *parent = nullptr);
    void Load(const TAppSettings &settings) override;
    void Store(TAppSettings &settings) const override;

    QGroupBox *grpOption;
    QCheckBox *chkValid, *chkRename, *chkSort, *chkConvert, *chkPack;
    QCheckBox *chkInfoChange, *chkSaveLog;
    TButtonedEdit *btnedLogFile;
    QPushButton *btnLoadSetting, *btnSaveSetting, *btnReset;
};
