#include "FileListView.h"

#include "FileListModel.h"
#include "list/ListOrder.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {

// The list shows no focus rectangle.
class TNoFocusDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

}  // namespace

TFileListView::TFileListView(QWidget *parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("VST"));
    setItemDelegate(new TNoFocusDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list instead of walking its cells.
    setTabKeyNavigation(false);
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);

    QHeaderView *header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(16);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
}

void TFileListView::SetModel(TFileListModel *model)
{
    m_model = model;
    setModel(model);
}

std::vector<int> TFileListView::SelectedRows() const
{
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex &i : selectionModel()->selectedRows())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFileListView::SelectNear(int row)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    row = qBound(0, row, m_model->rowCount() - 1);
    const int column = currentIndex().isValid() ? currentIndex().column() : lcFileName;
    selectionModel()->setCurrentIndex(m_model->index(row, column),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QModelIndex TFileListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The table's Home and End go to the first and last cell of the row; a list of rows goes to
    // its first and last row.
    if ((action == MoveHome || action == MoveEnd) && m_model && m_model->rowCount() > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : lcFileName;
        return m_model->index(action == MoveHome ? 0 : m_model->rowCount() - 1, column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void TFileListView::keyPressEvent(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (e->key()) {
        case Qt::Key_Space:
        case Qt::Key_Select:
            ToggleSelectedChecks();
            e->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (currentIndex().isValid())
                emit InfoRequested();
            e->accept();
            return;
        case Qt::Key_Delete:
            emit RemoveRequested();
            e->accept();
            return;
        default: break;
        }
    }
    QTableView::keyPressEvent(e);
}

void TFileListView::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QModelIndex at = indexAt(e->position().toPoint());
    QTableView::mouseDoubleClickEvent(e);
    // Two quick clicks on a box tick and untick it; they ask for nothing more.
    if (e->button() == Qt::LeftButton && at.isValid() && at.column() != lcCheck)
        emit InfoRequested();
}

void TFileListView::contextMenuEvent(QContextMenuEvent *e)
{
    // A click comes through the viewport, in its coordinates.
    QPoint at = e->pos();
    if (e->reason() == QContextMenuEvent::Keyboard) {
        const QRect r = visualRect(currentIndex());
        at = r.isValid() && viewport()->rect().intersects(r) ? r.bottomLeft() : QPoint(0, 0);
    }
    emit MenuRequested(viewport()->mapToGlobal(at));
    e->accept();
}

void TFileListView::ToggleSelectedChecks()
{
    if (!m_model)
        return;
    std::vector<int> rows = SelectedRows();
    int lead = currentIndex().row();
    if (lead < 0 || !selectionModel()->isRowSelected(lead))
        lead = rows.empty() ? -1 : rows.front();
    if (lead < 0)
        return;
    m_model->ToggleChecks(rows, lead);
}
