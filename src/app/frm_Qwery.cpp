#include "frm_Qwery.h"

#include "CentreOnOwner.h"
#include "AppErrors.h"
#include "config/AppSettings.h"
#include "config/Folders.h"
#include "config/IniFile.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *DialogButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFixedSize(75, 25);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TfrmQwery::TfrmQwery(QWidget *owner) : QDialog(owner)
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

    auto *bottom = new QWidget(this);
    bottom->setFixedHeight(33);
    auto *bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    btnOK = DialogButton(QStringLiteral("OK"), QStringLiteral("btnOK"), bottom);
    btnSets = DialogButton(QStringLiteral("Настроить"), QStringLiteral("btnSets"), bottom);
    btnCancel = DialogButton(QStringLiteral("Отмена"), QStringLiteral("btnCancel"), bottom);
    auto *buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(4, 4, 4, 4);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnSets);
    buttons->addStretch();
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(boxes);
    layout->addWidget(bevel);
    layout->addWidget(bottom);

    connect(btnOK, &QPushButton::clicked, this, [this] {
        // The result is 1 before the switches are written, so a refused write still
        // closes the dialog with 1 (after the error box).
        setResult(mrOk);
        RunCommand(this, [this] { btnOKClick(); });
        done(mrOk);
    });
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

void TfrmQwery::btnOKClick()
{
    SaveSetting();
}

void TfrmQwery::SaveSetting()
{
    const TIniFile ini(ConfigIniPath());
    TAppSettings s = AppSettings;
    s.Valid = chkValid->isChecked();
    s.Rename = chkRename->isChecked();
    s.Sort = chkSort->isChecked();
    s.Convert = chkConvert->isChecked();
    s.Archive = chkPack->isChecked();
    WriteAppSettings(ini, s, {&TAppSettings::Valid, &TAppSettings::Rename, &TAppSettings::Sort,
                              &TAppSettings::Convert, &TAppSettings::Archive});
}

void TfrmQwery::reject()
{
    done(mrCancel);
}

void TfrmQwery::keyPressEvent(QKeyEvent *e)
{
    // Neither Enter nor Escape answers the question.
    switch (e->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        e->accept();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

void TfrmQwery::showEvent(QShowEvent *e)
{
    CentreOnOwner(this);
    QDialog::showEvent(e);
}
