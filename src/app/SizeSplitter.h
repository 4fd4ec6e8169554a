#pragma once
// The size bar between the file list and the information panel: drag it to resize the panel,
// click its hot spot (the arrow in the middle) to collapse the panel and to open it again.

#include <QSplitter>
#include <QSplitterHandle>

class TSizeSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit TSizeSplitter(QWidget *parent = nullptr);

    // Width of the right-hand panel (0 when collapsed) and setting it.
    int PanelWidth() const;
    void SetPanelWidth(int width);
    bool PanelCollapsed() const { return PanelWidth() == 0; }
    // Collapses an open panel; opens a collapsed one at its last width.
    void TogglePanel();

protected:
    QSplitterHandle *createHandle() override;

private:
    int m_lastWidth = 320;
};

class TSizeHandle : public QSplitterHandle {
    Q_OBJECT
public:
    TSizeHandle(Qt::Orientation o, TSizeSplitter *parent);
    QRect HotSpot() const;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    bool m_onHotSpot = false;
};
