#include "frm_Qwery.h"

#include "AppErrors.h"
#include "config/AppSettings.h"
#include "config/Folders.h"
#include "config/IniFile.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmQwery::TfrmQwery(QWidget *owner) : TProgramDialog(owner)
{
    setObjectName(QStringLiteral("frmQwery"));
    setWindowTitle(QStringLiteral("Вопрос"));

    auto *boxes = new QVBoxLayout;
    boxes->setContentsMargins(3, 3, 3, 3);
    const auto box = [&](QCheckBox *&chk, const char *name, const QString &caption) {
        chk = new QCheckBox(caption, this);
        chk->setObjectName(QString::fromLatin1(name));
        boxes->addWidget(chk);
    };
    box(chkValid, "chkValid", QStringLiteral("Валидация"));
    box(chkRename, "chkRename", QStringLiteral("Переименование"));
    box(chkSort, "chkSort", QStringLiteral("Сортировка"));
    box(chkConvert, "chkConvert", QStringLiteral("Конвертация"));
    box(chkPack, "chkPack", QStringLiteral("Упаковка"));
    boxes->addStretch();

    btnOK = DialogButton(QStringLiteral("OK"), QStringLiteral("btnOK"), this);
    btnSets = DialogButton(QStringLiteral("Настроить"), QStringLiteral("btnSets"), this);
    btnPreview = DialogButton(QStringLiteral("Предпросмотр"), QStringLiteral("btnPreview"), this);
    btnPreview->setFixedWidth(qMax(75, btnPreview->fontMetrics().horizontalAdvance(btnPreview->text()) + 20));
    btnCancel = DialogButton(QStringLiteral("Отмена"), QStringLiteral("btnCancel"), this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(boxes);
    layout->addWidget(ButtonPanel(this, {btnOK, btnSets, btnPreview}, btnCancel));

    connect(btnOK, &QPushButton::clicked, this, [this] { StoreAndClose(mrOk); });
    connect(btnPreview, &QPushButton::clicked, this, [this] { StoreAndClose(mrPreview); });
    connect(btnSets, &QPushButton::clicked, this, [this] { done(mrSets); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });

    setFixedSize(qMax(303, sizeHint().width()), qMax(172, sizeHint().height()));
    FormCreate();
}

void TfrmQwery::FormCreate()
{
    // The settings as the program holds them, not as the file holds them.
    chkValid->setChecked(AppSettings.Valid);
    chkRename->setChecked(AppSettings.Rename);
    chkSort->setChecked(AppSettings.Sort);
    chkConvert->setChecked(AppSettings.Convert);
    chkPack->setChecked(AppSettings.Archive);
}

void TfrmQwery::StoreAndClose(int result)
{
    // The result is set before the switches are written, so a refused write still closes the
    // dialog with it (after the error box).
    setResult(result);
    RunCommand(this, [this] { btnOKClick(); });
    done(result);
}

void TfrmQwery::btnOKClick() { SaveSetting(); }

void TfrmQwery::SaveSetting()
{
    const TIniFile ini(ConfigIniPath());
    TAppSettings s = AppSettings;
    s.Valid = chkValid->isChecked();
    s.Rename = chkRename->isChecked();
    s.Sort = chkSort->isChecked();
    s.Convert = chkConvert->isChecked();
    s.Archive = chkPack->isChecked();
    WriteAppSettings(ini, s,
                     {&TAppSettings::Valid, &TAppSettings::Rename, &TAppSettings::Sort, &TAppSettings::Convert,
                      &TAppSettings::Archive});
}
