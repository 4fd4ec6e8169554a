#include "TabFolder.h"

#include "ButtonEdit.h"
#include "Help.h"

#include <QLabel>
#include <QVBoxLayout>

TTabFolder::TTabFolder(QWidget *parent)
    : TSettingPage(QStringLiteral("tabFolder"), QStringLiteral("Папки"), QStringLiteral("btnHelpB"), hcSettingFolders,
                   parent)
{
    lblFolderA = RowLabel(QStringLiteral("lblFolderA"), QStringLiteral("Папка для обработанных файлов"));
    btnedEndDir = ButtonedEdit(QStringLiteral("btnedEndDir"));
    AddRow(lblFolderA, btnedEndDir);
    lblFolderB = RowLabel(QStringLiteral("lblFolderB"), QStringLiteral("Папка для невалидных файлов"));
    btnedBadDir = ButtonedEdit(QStringLiteral("btnedBadDir"));
    AddRow(lblFolderB, btnedBadDir);
    Body()->addStretch(1);
}

void TTabFolder::Load(const TAppSettings &settings)
{
    btnedEndDir->setText(settings.EndDir);
    btnedBadDir->setText(settings.BadDir);
}

void TTabFolder::Store(TAppSettings &settings) const
{
    settings.EndDir = btnedEndDir->text();
    settings.BadDir = btnedBadDir->text();
}
