#pragma once
// Page "Шаблоны": the name and sort patterns (their buttons open the pattern editors, which the
// dialog handles), the transliteration and genre switches, the name parts of the author used for
// sorting, and the preview of where a book goes.

#include "SettingPage.h"

class QGroupBox;
class TNamePreview;

class TTabPattern : public TSettingPage {
    Q_OBJECT
public:
    explicit TTabPattern(QWidget *parent = nullptr);
    void Load(const TAppSettings &settings) override;
    void Store(TAppSettings &settings) const override;

    QLabel *lblPatternA, *lblPatternB;
    TButtonedEdit *btnedName, *btnedSort;
    QCheckBox *chkTranslitDir, *chkTranslitName, *chkGenreFull;
    QGroupBox *grpAuthorName;
    QCheckBox *chkLast, *chkFirst, *chkMiddle;
    TNamePreview *Preview;
};
