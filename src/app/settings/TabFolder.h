#pragma once
// Page "Папки": the output folder and the folder for books that fail validation.

#include "SettingPage.h"

class TTabFolder : public TSettingPage {
    Q_OBJECT
public:
    explicit TTabFolder(QWidget *parent = nullptr);
    void Load(const TAppSettings &settings) override;
    void Store(TAppSettings &settings) const override;

    QLabel *lblFolderA, *lblFolderB;
    TButtonedEdit *btnedEndDir, *btnedBadDir;
};
