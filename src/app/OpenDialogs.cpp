#include "OpenDialogs.h"

#include "config/Folders.h"
#include "config/LastFolder.h"

#include <QFileInfo>

#include "list/RowTip.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace {

// Qt's file dialog takes sizes and dates from the system's locale and has no Russian word for a
// folder's type: under any other locale it would show "Folder" and "KiB" among Russian texts.
class TRussianFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case 1: return files->isDir(source) ? QString() : ReadableSize(files->size(source));
        case 2:
            if (files->isDir(source))
                return QStringLiteral("Папка");
            break;
        case 3:
            return QLocale(QLocale::Russian, QLocale::Russia)
                .toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }
};

}  // namespace

void SpeakRussian(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new TRussianFileColumns(&dialog));
}

QStringList AskBookFiles(QWidget *parent)
{
    QFileDialog dlgOpen(parent);
    dlgOpen.setObjectName(QStringLiteral("dlgOpen"));
    SpeakRussian(dlgOpen);
    dlgOpen.setFileMode(QFileDialog::ExistingFiles);
    dlgOpen.setNameFilters({QStringLiteral("FictionBook (*.fb2)"), QStringLiteral("Zip архив(*.zip)")});
    dlgOpen.setDirectory(LastOpenFolder());
    if (dlgOpen.exec() != QDialog::Accepted || dlgOpen.selectedFiles().isEmpty())
        return {};
    RememberOpenFolder(QFileInfo(dlgOpen.selectedFiles().constFirst()).absolutePath());
    return dlgOpen.selectedFiles();
}

QString AskBookFolder(QWidget *parent)
{
    QFileDialog picker(parent, QStringLiteral("Выберите каталог"));
    picker.setObjectName(QStringLiteral("dlgFolder"));
    SpeakRussian(picker);
    picker.setFileMode(QFileDialog::Directory);
    picker.setOption(QFileDialog::ShowDirsOnly);
    picker.setDirectory(LastOpenFolder());
    if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty())
        return {};
    const QString folder = WithTrailingSlash(picker.selectedFiles().constFirst());
    RememberOpenFolder(folder);
    return folder;
}
