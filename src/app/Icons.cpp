#include "Icons.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

// A theme may list an icon it cannot draw here (an SVG without the SVG plug-in).
bool Drawable(const QIcon &icon) { return !icon.isNull() && !icon.pixmap(32, 32).isNull(); }

// Many themes draw their action icons in grey, and the style's greyed copy of such a picture
// looks just like the enabled one: a disabled button must also be visibly faded.
QPixmap FadedPixmap(const QPixmap &normal)
{
    QStyleOption option;
    option.palette = QApplication::palette();
    const QPixmap grey = QApplication::style()->generatedIconPixmap(QIcon::Disabled, normal, &option);
    QPixmap faded(grey.size());
    faded.setDevicePixelRatio(grey.devicePixelRatio());
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(0.35);
    painter.drawPixmap(0, 0, grey);
    return faded;
}

QIcon WithFadedDisabled(const QIcon &icon)
{
    QIcon result;
    QList<QSize> done;
    for (int side : {16, 22, 24, 32, 48}) {
        const QPixmap normal = icon.pixmap(side, side);
        if (normal.isNull() || done.contains(normal.size()))
            continue;
        done.append(normal.size());
        result.addPixmap(normal, QIcon::Normal);
        result.addPixmap(FadedPixmap(normal), QIcon::Disabled);
    }
    return result.isNull() ? icon : result;
}

QIcon FromTheme(std::initializer_list<const char *> names, QStyle::StandardPixmap fallback)
{
    for (const char *name : names) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(name));
        if (Drawable(icon))
            return WithFadedDisabled(icon);
    }
    return WithFadedDisabled(QApplication::style()->standardIcon(fallback));
}

}  // namespace

QIcon CommandIcon(TCommandIcon id)
{
    switch (id) {
    case TCommandIcon::Open: return FromTheme({"document-open"}, QStyle::SP_DialogOpenButton);
    case TCommandIcon::OpenDir: return FromTheme({"folder-open", "folder"}, QStyle::SP_DirOpenIcon);
    case TCommandIcon::Run: return FromTheme({"media-playback-start", "system-run"}, QStyle::SP_MediaPlay);
    case TCommandIcon::Info: return FromTheme({"dialog-information", "help-about"}, QStyle::SP_MessageBoxInformation);
    case TCommandIcon::Clear:
        return FromTheme({"edit-clear-all", "edit-clear", "edit-delete"}, QStyle::SP_DialogResetButton);
    case TCommandIcon::Setting:
        return FromTheme({"preferences-system", "preferences-other"}, QStyle::SP_FileDialogDetailedView);
    case TCommandIcon::Cancel: return FromTheme({"process-stop"}, QStyle::SP_BrowserStop);
    case TCommandIcon::Help: return FromTheme({"help-browser", "help-contents"}, QStyle::SP_DialogHelpButton);
    case TCommandIcon::SelectAll: return FromTheme({"edit-select-all"}, QStyle::SP_DialogApplyButton);
    case TCommandIcon::Remove: return FromTheme({"list-remove", "edit-delete"}, QStyle::SP_TrashIcon);
    case TCommandIcon::ClearText: return FromTheme({"edit-clear", "edit-delete"}, QStyle::SP_LineEditClearButton);
    }
    return {};
}

QIcon OutcomeIcon(TRowOutcome outcome)
{
    // Made once: the list asks for them row by row.
    static const QIcon icons[] = {
        FromTheme({"emblem-ok", "dialog-ok-apply", "dialog-ok"}, QStyle::SP_DialogApplyButton),
        FromTheme({"dialog-warning"}, QStyle::SP_MessageBoxWarning),
        FromTheme({"dialog-information"}, QStyle::SP_MessageBoxInformation),
        FromTheme({"dialog-error"}, QStyle::SP_MessageBoxCritical),
        FromTheme({"media-skip-forward"}, QStyle::SP_MediaSkipForward),
    };
    switch (outcome) {
    case TRowOutcome::Placed: return icons[0];
    case TRowOutcome::Invalid: return icons[1];
    case TRowOutcome::NotPlaced: return icons[2];
    case TRowOutcome::Error: return icons[3];
    case TRowOutcome::NotReached: return icons[4];
    }
    return {};
}

QIcon FileTypeIcon(const QString &extension)
{
    const QMimeType mime =
        QMimeDatabase().mimeTypeForFile(QStringLiteral("x") + extension, QMimeDatabase::MatchExtension);
    for (const QString &name : {mime.iconName(), mime.genericIconName()}) {
        const QIcon icon = QIcon::fromTheme(name);
        if (Drawable(icon))
            return icon;
    }
    return QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}
