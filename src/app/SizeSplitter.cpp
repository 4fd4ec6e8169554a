#include "SizeSplitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QTimer>

TSizeSplitter::TSizeSplitter(QWidget *parent) : QSplitter(Qt::Horizontal, parent)
{
    setHandleWidth(7);
    // A drag is the user's choice; a width the window forced is not.
    connect(this, &QSplitter::splitterMoved, this, [this] {
        m_wanted = PanelWidth();
        if (m_wanted > 0)
            m_lastWidth = m_wanted;
    });
}

int TSizeSplitter::PanelWidth() const
{
    const QList<int> s = sizes();
    return s.size() == 2 ? s[1] : 0;
}

void TSizeSplitter::SetPanelWidth(int width)
{
    if (count() != 2)
        return;
    m_wanted = qMax(0, width);
    if (m_wanted > 0)
        m_lastWidth = m_wanted;
    Fit();
}

void TSizeSplitter::TogglePanel()
{
    const int w = PanelWidth();
    if (w > 0) {
        m_lastWidth = m_wanted > 0 ? m_wanted : w;
        m_wanted = 0;
    } else {
        // Opened by hand in a window too small for it, it takes the room the list can spare.
        m_wanted = m_lastWidth;
    }
    Fit();
    if (w == 0 && PanelWidth() == 0 && count() == 2) {
        const int total = width() - handleWidth();
        const int spare = qMin(m_lastWidth, total / 2);
        setSizes({total - spare, spare});
    }
}

void TSizeSplitter::resizeEvent(QResizeEvent *e)
{
    QSplitter::resizeEvent(e);
    Fit();
}

void TSizeSplitter::showEvent(QShowEvent *e)
{
    QSplitter::showEvent(e);
    // The first layout of a window shown at its final size brings no resize after this one.
    QTimer::singleShot(0, this, [this] { Fit(); });
}

void TSizeSplitter::Fit()
{
    if (count() != 2)
        return;
    const int total = width() - handleWidth();
    int w = m_wanted;
    // Not shown yet: keep the wanted width; the resize that comes with the showing fits it.
    if (!isVisible()) {
        setSizes({qMax(1, total - w), w});
        return;
    }
    w = qMin(w, total - kMinListWidth);
    if (w < kMinPanelWidth)
        w = 0;
    if (sizes() != QList<int>{total - w, w})
        setSizes({total - w, w});
}

QSplitterHandle *TSizeSplitter::createHandle() { return new TSizeHandle(orientation(), this); }

TSizeHandle::TSizeHandle(Qt::Orientation o, TSizeSplitter *parent) : QSplitterHandle(o, parent)
{
    setMouseTracking(true);
}

QRect TSizeHandle::HotSpot() const
{
    const int h = qMin(60, height());
    return QRect(0, (height() - h) / 2, width(), h);
}

void TSizeHandle::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect spot = HotSpot();
    p.fillRect(spot, palette().color(m_onHotSpot ? QPalette::Highlight : QPalette::Mid));
    // The arrow points the way the panel will go on a click.
    const auto *sp = static_cast<TSizeSplitter *>(splitter());
    const bool open = !sp->PanelCollapsed();
    const int cx = spot.center().x(), cy = spot.center().y();
    QPolygon arrow;
    if (open)
        arrow << QPoint(cx - 2, cy - 4) << QPoint(cx + 2, cy) << QPoint(cx - 2, cy + 4);
    else
        arrow << QPoint(cx + 2, cy - 4) << QPoint(cx - 2, cy) << QPoint(cx + 2, cy + 4);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(m_onHotSpot ? QPalette::HighlightedText : QPalette::Base));
    p.drawPolygon(arrow);
}

void TSizeHandle::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && HotSpot().contains(e->position().toPoint())) {
        static_cast<TSizeSplitter *>(splitter())->TogglePanel();
        update();
        return;
    }
    QSplitterHandle::mousePressEvent(e);
}

void TSizeHandle::mouseMoveEvent(QMouseEvent *e)
{
    const bool on = HotSpot().contains(e->position().toPoint());
    if (on != m_onHotSpot) {
        m_onHotSpot = on;
        setCursor(on ? Qt::PointingHandCursor : Qt::SplitHCursor);
        update();
    }
    QSplitterHandle::mouseMoveEvent(e);
}

void TSizeHandle::mouseReleaseEvent(QMouseEvent *e)
{
    QSplitterHandle::mouseReleaseEvent(e);
    update();
}
