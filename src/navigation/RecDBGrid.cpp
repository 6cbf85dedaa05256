// The entry list window part: the colours of its rows, the selection rules driven by mouse
// and keyboard, the list following the entry view's current record, and the entry drag.
#include "navigation/RecDBGrid.h"
#include "navigation/FocusChange.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>

#include <cstdlib>

#include "navigation/NavgTree.h"
#include "storage/TableView.h"

RecDBGridModel::RecDBGridModel(EntryListController& list, QObject* parent)
    : NameListModel(list.Entries(), parent), m_list(list)
{}

QColor RecDBGridModel::Background(RowColour colour)
{
    switch (colour) {
    case RowColour::Selected:
        return QColor(128, 0, 128);
    case RowColour::Current:
        return QColor(0, 0, 255);
    case RowColour::Yellow:
        return QColor(255, 255, 0);
    case RowColour::Normal:
        break;
    }
    return {};
}

QVariant RecDBGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::BackgroundRole && role != Qt::ForegroundRole)
        return NameListModel::data(index, role);
    if (!index.isValid())
        return {};
    const RowColour colour = m_list.RowColourOf(index.row());
    if (colour == RowColour::Normal)
        return {};
    if (role == Qt::BackgroundRole)
        return Background(colour);
    // Names stay readable on the two dark backgrounds.
    if (colour == RowColour::Selected || colour == RowColour::Current)
        return QColor(Qt::white);
    return {};
}

namespace {

// The current row shows by its colour alone: no focus frame is drawn over it.
class RowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
    }
};

} // namespace

RecDBGrid::RecDBGrid(EntryListController& list, QWidget* parent)
    : QTableView(parent), m_list(list), m_model(new RecDBGridModel(list, this))
{
    setObjectName(QStringLiteral("RecDBGrid"));
    // The selection is the list's own (RowSelection); the view only moves the current row
    // and paints the colours the model gives.
    setSelectionMode(QAbstractItemView::NoSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setWordWrap(false);
    setShowGrid(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FitRowsToFont();
    setItemDelegate(new RowDelegate(this));
    setModel(m_model);

    // The view resets its current index with the model; the entry view's record stays.
    connect(m_model, &QAbstractItemModel::modelReset, this, &RecDBGrid::FollowCurrentRecord);
    // The selection belongs to the controller, which may outlive the list or go first.
    m_list.Selection().SetOnChanged([grid = QPointer<RecDBGrid>(this)] {
        if (!grid)
            return;
        grid->viewport()->update();
        emit grid->SelectionChanged();
    });
    FollowCurrentRecord();
}

RecDBGrid::~RecDBGrid() = default;

void RecDBGrid::SetPopupMenu(QMenu* menu, QAction* deleteCategory,
                             std::function<qint32()> selectedCategory)
{
    if (m_popupMenu)
        disconnect(m_popupMenu, &QMenu::aboutToShow, this, &RecDBGrid::RecPopupMenuPopup);
    m_popupMenu = menu;
    m_deleteCategory = deleteCategory;
    m_selectedCategory = std::move(selectedCategory);
    if (m_popupMenu)
        connect(m_popupMenu, &QMenu::aboutToShow, this, &RecDBGrid::RecPopupMenuPopup);
}

void RecDBGrid::RecPopupMenuPopup()
{
    if (!m_deleteCategory)
        return;
    const qint32 category = m_selectedCategory ? m_selectedCategory() : CTreeMT::RootNumber;
    m_deleteCategory->setEnabled(m_list.DeleteCategoryEnabled(category));
}

void RecDBGrid::FollowCurrentRecord()
{
    const int recNo = m_list.Entries().RecNo();
    const QModelIndex current = recNo > 0 ? m_model->index(recNo - 1, 0) : QModelIndex();
    if (current != currentIndex())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    emit CurrentRowChanged();
}

void RecDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    TableView& entries = m_list.Entries();
    if (current.isValid() && current.row() != entries.RecNo() - 1) {
        entries.SetRecNo(current.row() + 1);
        emit CurrentRowChanged();
    }
    // The old and the new current row change colour.
    viewport()->update();
}

void RecDBGrid::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    m_pressPoint = event->position().toPoint();
    const QModelIndex index = indexAt(m_pressPoint);
    m_leftPressed = event->button() == Qt::LeftButton && index.isValid();
    if (!index.isValid())
        return;
    if (index != currentIndex())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_list.RecDBGridMouseDown(index.row(), event->modifiers());
}

void RecDBGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (m_leftPressed && (event->buttons() & Qt::LeftButton) && !m_list.Selection().IsEmpty()) {
        const QPoint moved = event->position().toPoint() - m_pressPoint;
        if (std::abs(moved.x()) >= kDragThreshold || std::abs(moved.y()) >= kDragThreshold) {
            m_leftPressed = false;
            BeginEntryDrag();
        }
        return;
    }
    QTableView::mouseMoveEvent(event);
}

void RecDBGrid::mouseReleaseEvent(QMouseEvent* event)
{
    m_leftPressed = false;
    QTableView::mouseReleaseEvent(event);
}

void RecDBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid()) {
        if (index != currentIndex())
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        emit EditRequested();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void RecDBGrid::keyPressEvent(QKeyEvent* event)
{
    const int from = currentIndex().row();
    QTableView::keyPressEvent(event);
    const int to = currentIndex().row();
    if (to != from)
        m_list.KeyboardMove(from, to, event->modifiers() & Qt::ShiftModifier);
}

void RecDBGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // Coming back from a menu, a dialog or another window is no change of control.
    if (ControlFocusChange(*event))
        emit Entered();
}

void RecDBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // The context menu and the dialogs of the commands act on the selection: only moving
    // to another control of the window ends it.
    if (ControlFocusChange(*event))
        m_list.RecDBGridExit();
}

void RecDBGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_popupMenu)
        m_popupMenu->popup(event->globalPos());
}

void RecDBGrid::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    emit Painted();
}

QPixmap RecDBGrid::DragCursor(bool several)
{
    // A sheet for one entry, a small stack of sheets for several, beside the pointer.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    const int sheets = several ? 3 : 1;
    for (int i = sheets - 1; i >= 0; --i)
        painter.drawRect(12 + 3 * i, 14 + 3 * i, 11, 13);
    painter.drawLine(0, 0, 0, 10);
    painter.drawLine(0, 0, 7, 7);
    return pixmap;
}

void RecDBGrid::BeginEntryDrag()
{
    const bool several = m_list.Selection().Count() > 1;
    auto* drag = new QDrag(this);
    drag->setMimeData(NavgTree::EntriesDragData());
    // The tree makes the drop a copy while Ctrl is held, a move otherwise; each mode shows
    // its own cursor.
    drag->setDragCursor(DragCursor(several), Qt::MoveAction);
    drag->setDragCursor(NavgTree::EntryCopyCursor(several), Qt::CopyAction);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void RecDBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitRowsToFont();
}

void RecDBGrid::FitRowsToFont()
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}
