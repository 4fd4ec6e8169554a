#include "BookInfoView.h"

#include <QImageReader>
#include <QScrollBar>

TBookInfoView::TBookInfoView(QWidget *parent) : QTextBrowser(parent)
{
    // Pictures are scaled when the page is loaded; a resize loads it again once it settles.
    m_refit.setSingleShot(true);
    m_refit.setInterval(150);
    connect(&m_refit, &QTimer::timeout, this, &TBookInfoView::Refit);
}

void TBookInfoView::ShowPage(const QString &path)
{
    if (path.isEmpty()) {
        clear();
        setSource(QUrl());
        return;
    }
    m_fitted = PictureBox();
    setSource(QUrl::fromLocalFile(path));
}

QSize TBookInfoView::PictureBox() const
{
    // The width of the vertical scroll bar is always left free, so that a scroll bar that comes
    // and goes with the picture's height cannot make the picture flip between two sizes.
    const int margins =
        2 * frameWidth() + verticalScrollBar()->sizeHint().width() + 2 * int(document()->documentMargin()) + 8;
    return QSize(qMax(16, width() - margins), qMax(120, height() * 3 / 5));
}

QVariant TBookInfoView::loadResource(int type, const QUrl &name)
{
    if (type != QTextDocument::ImageResource)
        return QTextBrowser::loadResource(type, name);
    const QUrl url = source().resolved(name);
    if (!url.isLocalFile())
        return {};
    QImageReader reader(url.toLocalFile());
    reader.setAutoTransform(true);
    // A large picture is decoded straight at the size it is shown at, where its format allows.
    const QSize box = PictureBox();
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > box.width() || full.height() > box.height())
        && reader.transformation() == QImageIOHandler::TransformationNone)
        reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull()) {
        // A cover that is no picture takes no room, instead of a large "broken picture" sign.
        image = QImage(1, 1, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    }
    if (image.width() <= box.width() && image.height() <= box.height())
        return image;
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void TBookInfoView::resizeEvent(QResizeEvent *e)
{
    QTextBrowser::resizeEvent(e);
    if (!source().isEmpty() && PictureBox() != m_fitted)
        m_refit.start();
}

void TBookInfoView::Refit()
{
    if (source().isEmpty() || PictureBox() == m_fitted)
        return;
    m_fitted = PictureBox();
    const int scroll = verticalScrollBar()->value();
    reload();
    verticalScrollBar()->setValue(scroll);
}
