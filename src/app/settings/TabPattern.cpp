#include "TabPattern.h"

#include "ButtonEdit.h"
#include "Help.h"
#include "NamePreview.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TTabPattern::TTabPattern(QWidget *parent)
    : TSettingPage(QStringLiteral("tabPattern"), QStringLiteral("Шаблоны"), QStringLiteral("btnHelpC"),
                   hcSettingPatterns, parent)
{
    lblPatternA = RowLabel(QStringLiteral("lblPatternA"), QStringLiteral("Шаблон нового имени файла"));
    btnedName = ButtonedEdit(QStringLiteral("btnedName"));
    AddRow(lblPatternA, btnedName);
    lblPatternB = RowLabel(QStringLiteral("lblPatternB"), QStringLiteral("Порядок сортировки файлов"));
    btnedSort = ButtonedEdit(QStringLiteral("btnedSort"));
    AddRow(lblPatternB, btnedSort);

    chkTranslitDir = CheckBox(QStringLiteral("chkTranslitDir"), QStringLiteral("Транслитерация названий папок"), this);
    chkTranslitName = CheckBox(QStringLiteral("chkTranslitName"), QStringLiteral("Транслитерация имен файлов"), this);
    chkGenreFull = CheckBox(QStringLiteral("chkGenreFull"), QStringLiteral("Полное название жанра"), this);
    for (QCheckBox *chk : {chkTranslitDir, chkTranslitName, chkGenreFull})
        Body()->addWidget(chk);

    grpAuthorName = new QGroupBox(QStringLiteral("Имя автора при сортировке"), this);
    grpAuthorName->setObjectName(QStringLiteral("grpAuthorName"));
    auto *parts = new QHBoxLayout(grpAuthorName);
    chkLast = CheckBox(QStringLiteral("chkLast"), QStringLiteral("Фамилия"), grpAuthorName);
    chkFirst = CheckBox(QStringLiteral("chkFirst"), QStringLiteral("Имя"), grpAuthorName);
    chkMiddle = CheckBox(QStringLiteral("chkMiddle"), QStringLiteral("Отчество"), grpAuthorName);
    for (QCheckBox *chk : {chkLast, chkFirst, chkMiddle})
        parts->addWidget(chk);
    parts->addStretch(1);
    Body()->addWidget(grpAuthorName);

    Preview = new TNamePreview(this);
    Body()->addWidget(Preview);
    Body()->addStretch(1);
}

void TTabPattern::Load(const TAppSettings &settings)
{
    btnedName->setText(settings.NamePattern);
    btnedSort->setText(settings.SortPattern);
    chkTranslitDir->setChecked(settings.TranslitDir);
    chkTranslitName->setChecked(settings.TranslitName);
    chkGenreFull->setChecked(settings.GenreFull);
    chkLast->setChecked(settings.LastName);
    chkFirst->setChecked(settings.FirstName);
    chkMiddle->setChecked(settings.MiddleName);
}

void TTabPattern::Store(TAppSettings &settings) const
{
    settings.NamePattern = btnedName->text();
    settings.SortPattern = btnedSort->text();
    settings.TranslitDir = chkTranslitDir->isChecked();
    settings.TranslitName = chkTranslitName->isChecked();
    settings.GenreFull = chkGenreFull->isChecked();
    settings.LastName = chkLast->isChecked();
    settings.FirstName = chkFirst->isChecked();
    settings.MiddleName = chkMiddle->isChecked();
}
