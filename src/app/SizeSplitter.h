#pragma once
// The size bar between the file list and the information panel: drag it to resize the panel,
// click its hot spot (the arrow in the middle) to collapse the panel and to open it again.
// In a small window the panel gives way first: the list keeps a usable width, the panel narrows
// and then folds away, and it comes back at the user's width when there is room again.

#include <QSplitter>
#include <QSplitterHandle>

class TSizeSplitter : public QSplitter {
    Q_OBJECT
public:
    explicit TSizeSplitter(QWidget *parent = nullptr);

    // The least width of the list, and of a panel worth showing.
    static constexpr int kMinListWidth = 360;
    static constexpr int kMinPanelWidth = 160;

    // Width of the right-hand panel as shown (0 when collapsed) and the user's choice of it.
    int PanelWidth() const;
    void SetPanelWidth(int width);
    // The width the user chose (0: collapsed by the user), whatever the window's size allows now.
    int WantedPanelWidth() const { return m_wanted; }
    bool PanelCollapsed() const { return PanelWidth() == 0; }
    // Collapses an open panel; opens a collapsed one at its last width.
    void TogglePanel();

protected:
    QSplitterHandle *createHandle() override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    // Shows the wanted width, or what is left of it beside the list's least width.
    void Fit();

    int m_lastWidth = 320;
    int m_wanted = 320;
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
