#pragma once
// The file list's view (VST): a table of rows with boxes that takes the keys and clicks any list
// on the desktop takes. Space ticks the selected rows from any column, Home and End go to the
// first and the last row, Enter and a double click ask for the book's information, Delete asks
// for the selected rows to go. What a key does to the rows is the core list's rule; the view
// only finds the rows.

#include <QTableView>
#include <vector>

class TFileListModel;

class TFileListView : public QTableView {
    Q_OBJECT
public:
    explicit TFileListView(QWidget *parent = nullptr);

    void SetModel(TFileListModel *model);
    // The selected rows' positions, in order.
    std::vector<int> SelectedRows() const;
    // Makes `row` (or the last row, when past it) the current and only selected row.
    void SelectNear(int row);

signals:
    void InfoRequested();
    void RemoveRequested();
    // The context menu at this point on the screen (at the current row when asked by key).
    void MenuRequested(const QPoint &globalPos);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void ToggleSelectedChecks();

    TFileListModel *m_model = nullptr;
};
