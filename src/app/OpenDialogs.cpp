#include "OpenDialogs.h"

#include "config/Folders.h"

#include <QFileDialog>

QStringList AskBookFiles(QWidget *parent)
{
    QFileDialog dlgOpen(parent);
    dlgOpen.setObjectName(QStringLiteral("dlgOpen"));
    dlgOpen.setOption(QFileDialog::DontUseNativeDialog);
    dlgOpen.setFileMode(QFileDialog::ExistingFiles);
    dlgOpen.setNameFilters({QStringLiteral("FictionBook (*.fb2)"), QStringLiteral("Zip архив(*.zip)")});
    if (dlgOpen.exec() != QDialog::Accepted)
        return {};
    return dlgOpen.selectedFiles();
}

QString AskBookFolder(QWidget *parent)
{
    QFileDialog picker(parent, QStringLiteral("Выберите каталог"));
    picker.setObjectName(QStringLiteral("dlgFolder"));
    picker.setOption(QFileDialog::DontUseNativeDialog);
    picker.setFileMode(QFileDialog::Directory);
    picker.setOption(QFileDialog::ShowDirsOnly);
    if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return {};
    return WithTrailingSlash(picker.selectedFiles().constFirst());
}
