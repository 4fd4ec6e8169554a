#include "About.h"

#include "CentreOnOwner.h"
#include "Help.h"
#include "globals/ProgramSite.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *CentredLabel(const QString &text, QWidget *parent, int pointSize = 0)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (pointSize > 0) {
        QFont f = l->font();
        f.setPointSize(pointSize);
        l->setFont(f);
    }
    return l;
}

// A text link in the highlight colour, underlined, with the hand cursor.
QLabel *LinkLabel(const QString &text, QWidget *parent)
{
    auto *l = CentredLabel(QStringLiteral("<a href=\"#\" style=\"color:%1;\">%2</a>")
                               .arg(parent->palette().color(QPalette::Highlight).name(), text),
                           parent);
    l->setTextFormat(Qt::RichText);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    l->setFocusPolicy(Qt::NoFocus);  // Enter belongs to the OK button
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget *owner, const QString &version) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("О программе"));

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);

    lblProgram = CentredLabel(QStringLiteral("Orvane"), panel, 10);
    lblProgram->setObjectName(QStringLiteral("lblProgram"));
    Version = CentredLabel(version, panel, 10);
    Version->setObjectName(QStringLiteral("Version"));

    pnPay = new QFrame(panel);
    pnPay->setObjectName(QStringLiteral("pnPay"));
    pnPay->setFrameStyle(QFrame::Box | QFrame::Plain);
    pnPay->setAutoFillBackground(true);
    QPalette tip = pnPay->palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    pnPay->setPalette(tip);
    lblCaps = CentredLabel(QStringLiteral("Если вам понравилась программа Orvane, вы можете поддержать разработчиков."),
                           pnPay);
    lblCaps->setObjectName(QStringLiteral("lblCaps"));
    lblCaps->setWordWrap(true);
    lblYaCash = LinkLabel(QStringLiteral("Поддержать"), pnPay);
    lblYaCash->setObjectName(QStringLiteral("lblYaCash"));
    connect(lblYaCash, &QLabel::linkActivated, this, [this] { lblYaCashClick(); });
    auto *payLayout = new QVBoxLayout(pnPay);
    payLayout->addWidget(lblCaps);
    payLayout->addWidget(lblYaCash);

    lblLine = CentredLabel(QStringLiteral("Проверка, переименование и сортировка книг FB2"), panel);
    lblLine->setObjectName(QStringLiteral("lblLine"));
    lblLine->setWordWrap(true);
    lblURL = LinkLabel(QStringLiteral("Посетить сайт программы"), panel);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    connect(lblURL, &QLabel::linkActivated, this, [this] { lblURLClick(); });

    auto *inner = new QVBoxLayout(panel);
    inner->addWidget(lblProgram);
    inner->addWidget(Version);
    inner->addWidget(pnPay);
    inner->addWidget(lblLine);
    inner->addWidget(lblURL);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panel);
    outer->addWidget(OKButton, 0, Qt::AlignHCenter);

    setFixedSize(qMax(298, sizeHint().width()), qMax(244, sizeHint().height()));
}

void TfrmAbout::lblYaCashClick() { ShowHelp(this, hcSupport); }

void TfrmAbout::lblURLClick() { QDesktopServices::openUrl(QUrl(ProgramSiteUrl())); }

void TfrmAbout::showEvent(QShowEvent *e)
{
    CentreOnOwner(this);
    QDialog::showEvent(e);
}
