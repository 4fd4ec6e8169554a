#pragma once
// Page "Прочие": the format of the conversion and the compression of packed books. Each list
// also takes typed text; text that matches none of its items is stored as -1.

#include "SettingPage.h"

class QComboBox;

class TTabOther : public TSettingPage {
    Q_OBJECT
public:
    explicit TTabOther(QWidget *parent = nullptr);
    void Load(const TAppSettings &settings) override;
    void Store(TAppSettings &settings) const override;

    QLabel *lblOtherA, *lblOtherB;
    QComboBox *cbConvertType, *cbZipLevel;
};

// The item a list's text names (letters in any case), or -1 when it names none.
int ComboItemIndex(const QComboBox *combo);
