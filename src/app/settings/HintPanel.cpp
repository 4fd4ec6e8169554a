#include "HintPanel.h"

#include <QEvent>
#include <QHash>
#include <QToolTip>

QString SettingHint(const QString &controlName)
{
    static const QHash<QString, QString> hints = {
        {QStringLiteral("btnLoadSetting"), QStringLiteral("Открыть файл с ранее сохраненными настройками")},
        {QStringLiteral("btnSaveSetting"), QStringLiteral("Сохранение текущих настроек в файл")},
        {QStringLiteral("btnReset"), QStringLiteral("Восстанавливает настройки по умолчанию")},
        {QStringLiteral("btnOK"), QStringLiteral("Сохраняет текущие настройки и закрывает окно")},
        {QStringLiteral("btnCancel"), QStringLiteral("Закрывает окно без сохранения настроек")},
        {QStringLiteral("chkValid"), QStringLiteral("Проверяет файл fb2 на соответствие стандарту")},
        {QStringLiteral("chkRename"), QStringLiteral("Переименовывает файлы в соответствии с шаблоном")},
        {QStringLiteral("chkSort"), QStringLiteral("Сортировка файлов по указанным правилам")},
        {QStringLiteral("chkConvert"), QStringLiteral("Конвертация fb2 файлов в другие форматы")},
        {QStringLiteral("chkPack"), QStringLiteral("Архивирование файлов в zip архив")},
        {QStringLiteral("chkInfoChange"),
         QStringLiteral("Информация о книге будет показываться при выборе. Если не отмечено - при нажатии на кнопку")},
        {QStringLiteral("chkSaveLog"), QStringLiteral("В файл лога записываются ошибки при валидации файла")},
        {QStringLiteral("chkTranslitDir"), QStringLiteral("Названия папок будут преобразованы в транслит")},
        {QStringLiteral("chkTranslitName"), QStringLiteral("Новые имена файлов будут преобразованы в транслит")},
        {QStringLiteral("chkGenreFull"),
         QStringLiteral("Названия жанров будут прописаны полностью. Т.е. вместо \"sf_fantasy\" - \"Фэнтези\"")},
        {QStringLiteral("chkLast"), QStringLiteral("В названии папки фамилия автора")},
        {QStringLiteral("chkFirst"), QStringLiteral("В названии папки имя автора")},
        {QStringLiteral("chkMiddle"), QStringLiteral("В названии папки отчество автора")},
        {QStringLiteral("btnedLogFile"), QStringLiteral("Выбор имени файла лога")},
        {QStringLiteral("btnedEndDir"), QStringLiteral("В эту папку будут перемещаться файлы после обработки")},
        {QStringLiteral("lblFolderA"), QStringLiteral("В эту папку будут перемещаться файлы после обработки")},
        {QStringLiteral("btnedBadDir"), QStringLiteral("Папка в которую попадают файлы не прошедшие валидацию")},
        {QStringLiteral("lblFolderB"), QStringLiteral("Папка в которую попадают файлы не прошедшие валидацию")},
        {QStringLiteral("btnedName"), QStringLiteral("Редактирование шаблона нового имени файла")},
        {QStringLiteral("lblPatternA"), QStringLiteral("Редактирование шаблона нового имени файла")},
        {QStringLiteral("btnedSort"), QStringLiteral("Редактирование порядка сортировки файлов")},
        {QStringLiteral("lblPatternB"), QStringLiteral("Редактирование порядка сортировки файлов")},
        {QStringLiteral("lblOtherA"), QStringLiteral("fb2 книги будут преобразованы в выбранный формат")},
        {QStringLiteral("lblOtherB"), QStringLiteral("Уровень сжатия файлов в zip архивах")},
    };
    return hints.value(controlName);
}

THintPanel::THintPanel(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("pnHint"));
    setFixedHeight(48);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(3);
    // The tooltip's colours, with a flat rounded border.
    const QPalette tip = QToolTip::palette();
    setStyleSheet(
        QStringLiteral("#pnHint { background-color: %1; color: %2; border: 1px solid %3; border-radius: 4px; }")
            .arg(tip.color(QPalette::ToolTipBase).name(), tip.color(QPalette::ToolTipText).name(),
                 tip.color(QPalette::Mid).name()));
}

void THintPanel::WatchControls(QWidget *root)
{
    for (QWidget *w : root->findChildren<QWidget *>()) {
        const QString hint = SettingHint(w->objectName());
        if (hint.isEmpty())
            continue;
        m_hints.insert(w, hint);
        w->installEventFilter(this);
    }
}

void THintPanel::ViewHint(QObject *sender) { setText(m_hints.value(sender)); }

void THintPanel::ClearHint() { clear(); }

bool THintPanel::eventFilter(QObject *watched, QEvent *e)
{
    switch (e->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove: ViewHint(watched); break;
    case QEvent::Leave: ClearHint(); break;
    default: break;
    }
    return QLabel::eventFilter(watched, e);
}
