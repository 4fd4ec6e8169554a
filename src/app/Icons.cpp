#include "Icons.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QStyle>

namespace {

// A theme may list an icon it cannot draw here (an SVG without the SVG plug-in).
bool Drawable(const QIcon &icon)
{
    return !icon.isNull() && !icon.pixmap(32, 32).isNull();
}

QIcon FromTheme(std::initializer_list<const char *> names, QStyle::StandardPixmap fallback)
{
    for (const char *name : names) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
        if (Drawable(icon))
            return icon;
    }
    return QApplication::style()->standardIcon(fallback);
}

} // namespace

QIcon CommandIcon(TCommandIcon id)
{
    switch (id) {
    case TCommandIcon::Open:
        return FromTheme({"document-open"}, QStyle::SP_DialogOpenButton);
    case TCommandIcon::OpenDir:
        return FromTheme({"folder-open", "folder"}, QStyle::SP_DirOpenIcon);
    case TCommandIcon::Run:
        return FromTheme({"media-playback-start", "system-run"}, QStyle::SP_MediaPlay);
    case TCommandIcon::Info:
        return FromTheme({"dialog-information", "help-about"}, QStyle::SP_MessageBoxInformation);
    case TCommandIcon::Clear:
        return FromTheme({"edit-clear", "edit-delete"}, QStyle::SP_DialogResetButton);
    case TCommandIcon::Setting:
        return FromTheme({"preferences-system", "preferences-other"},
                         QStyle::SP_FileDialogDetailedView);
    case TCommandIcon::Cancel:
        return FromTheme({"process-stop"}, QStyle::SP_BrowserStop);
    case TCommandIcon::Help:
        return FromTheme({"help-browser", "help-contents"}, QStyle::SP_DialogHelpButton);
    case TCommandIcon::SelectAll:
        return FromTheme({"edit-select-all"}, QStyle::SP_DialogApplyButton);
    }
    return {};
}

QIcon FileTypeIcon(const QString &extension)
{
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(QStringLiteral("x") + extension,
                                                           QMimeDatabase::MatchExtension);
    for (const QString &name : {mime.iconName(), mime.genericIconName()}) {
        const QIcon icon = QIcon::fromTheme(name);
        if (Drawable(icon))
            return icon;
    }
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}
