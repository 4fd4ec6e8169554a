#include "TabOther.h"

#include "Help.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QComboBox *TypedList(const QString &objectName, const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    return combo;
}

void ShowIndex(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    if (index < 0)
        combo->setEditText(QString());
}
}  // namespace

int ComboItemIndex(const QComboBox *combo) { return combo->findText(combo->currentText(), Qt::MatchFixedString); }

TTabOther::TTabOther(QWidget *parent)
    : TSettingPage(QStringLiteral("tabOther"), QStringLiteral("Прочие"), QStringLiteral("btnHelpD"), hcSettingOther,
                   parent)
{
    lblOtherA = RowLabel(QStringLiteral("lblOtherA"), QStringLiteral("Преобразовать fb2 в ..."));
    cbConvertType = TypedList(QStringLiteral("cbConvertType"),
                              {QStringLiteral("txt"), QStringLiteral("html"), QStringLiteral("rtf")}, this);
    AddRow(lblOtherA, cbConvertType);
    lblOtherB = RowLabel(QStringLiteral("lblOtherB"), QStringLiteral("Уровень сжатия"));
    cbZipLevel = TypedList(QStringLiteral("cbZipLevel"),
                           {QStringLiteral("Нормальное"), QStringLiteral("Максимальное"), QStringLiteral("Быстрое"),
                            QStringLiteral("Без сжатия")},
                           this);
    AddRow(lblOtherB, cbZipLevel);
    Body()->addStretch(1);
    for (QComboBox *combo : {cbConvertType, cbZipLevel})
        connect(combo, &QComboBox::currentTextChanged, this, &TSettingPage::Changed);
}

void TTabOther::Load(const TAppSettings &settings)
{
    ShowIndex(cbConvertType, settings.ConvertType);
    ShowIndex(cbZipLevel, settings.ZipLevel);
}

void TTabOther::Store(TAppSettings &settings) const
{
    settings.ConvertType = ComboItemIndex(cbConvertType);
    settings.ZipLevel = ComboItemIndex(cbZipLevel);
}
