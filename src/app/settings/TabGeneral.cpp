#include "TabGeneral.h"

#include "ButtonEdit.h"
#include "Help.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *PageButton(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}
}  // namespace

TTabGeneral::TTabGeneral(QWidget *parent)
    : TSettingPage(QStringLiteral("tabGeneral"), QStringLiteral("Основное"), QStringLiteral("btnHelpA"), hcSettingMain,
                   parent)
{
    grpOption = new QGroupBox(QStringLiteral("Операции"), this);
    grpOption->setObjectName(QStringLiteral("grpOption"));
    auto *options = new QVBoxLayout(grpOption);
    chkValid = CheckBox(QStringLiteral("chkValid"), QStringLiteral("Валидация"), grpOption);
    chkRename = CheckBox(QStringLiteral("chkRename"), QStringLiteral("Переименование"), grpOption);
    chkSort = CheckBox(QStringLiteral("chkSort"), QStringLiteral("Сортировка"), grpOption);
    chkConvert = CheckBox(QStringLiteral("chkConvert"), QStringLiteral("Конвертация"), grpOption);
    chkPack = CheckBox(QStringLiteral("chkPack"), QStringLiteral("Упаковка"), grpOption);
    for (QCheckBox *chk : {chkValid, chkRename, chkSort, chkConvert, chkPack})
        options->addWidget(chk);
    Body()->addWidget(grpOption);

    chkInfoChange = CheckBox(QStringLiteral("chkInfoChange"), QStringLiteral("Информация о книге при выборе"), this);
    Body()->addWidget(chkInfoChange);

    chkSaveLog = CheckBox(QStringLiteral("chkSaveLog"), QStringLiteral("Вести лог"), this);
    btnedLogFile = ButtonedEdit(QStringLiteral("btnedLogFile"));
    AddRow(chkSaveLog, btnedLogFile);
    Body()->addStretch(1);

    btnLoadSetting = PageButton(QStringLiteral("btnLoadSetting"), QStringLiteral("Загрузить настройки"), this);
    btnSaveSetting = PageButton(QStringLiteral("btnSaveSetting"), QStringLiteral("Сохранить настройки"), this);
    btnReset = PageButton(QStringLiteral("btnReset"), QStringLiteral("Сброс настроек"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnLoadSetting);
    buttons->addWidget(btnSaveSetting);
    buttons->addStretch(1);
    buttons->addWidget(btnReset);
    Body()->addLayout(buttons);
}

void TTabGeneral::Load(const TAppSettings &settings)
{
    chkValid->setChecked(settings.Valid);
    chkRename->setChecked(settings.Rename);
    chkSort->setChecked(settings.Sort);
    chkConvert->setChecked(settings.Convert);
    chkPack->setChecked(settings.Archive);
    chkInfoChange->setChecked(settings.ChangeInfo);
    chkSaveLog->setChecked(settings.SaveLog);
    btnedLogFile->setText(settings.LogFile);
}

void TTabGeneral::Store(TAppSettings &settings) const
{
    settings.Valid = chkValid->isChecked();
    settings.Rename = chkRename->isChecked();
    settings.Sort = chkSort->isChecked();
    settings.Convert = chkConvert->isChecked();
    settings.Archive = chkPack->isChecked();
    settings.ChangeInfo = chkInfoChange->isChecked();
    settings.SaveLog = chkSaveLog->isChecked();
    settings.LogFile = btnedLogFile->text();
}
