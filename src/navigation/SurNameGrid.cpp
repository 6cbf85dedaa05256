// The surname initial grid: filling from the layout rule, the tree cell's painting, which
// cells may be selected, and the events the main window follows.
#include "navigation/SurNameGrid.h"
#include "navigation/FocusChange.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "navigation/NavgTree.h"
#include "navigation/URecListMT.h"

namespace {

// Paints the tree cell (0,0): white, with the selected-node image of the tree one pixel in
// from its left edge at its top edge, and a focus rectangle when it has the focus.
class TreeCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (index.row() != 0 || index.column() != 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->fillRect(option.rect, Qt::white);
        const QPixmap image = NavgTree::TreeImageList(1);
        painter->drawPixmap(option.rect.left() + 1, option.rect.top(), image);
        painter->restore();
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = Qt::white;
            const QWidget* widget = option.widget;
            QStyle* style = widget ? widget->style() : nullptr;
            if (style)
                style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
        }
    }
};

} // namespace

SurNameGrid::SurNameGrid(QWidget* parent) : QTableWidget(1, 1, parent)
{
    setObjectName(QStringLiteral("SurNameGrid"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()})
        header->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(kCellWidth);
    horizontalHeader()->setDefaultSectionSize(kCellWidth);
    verticalHeader()->setMinimumSectionSize(kCellHeight);
    verticalHeader()->setDefaultSectionSize(kCellHeight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new TreeCellDelegate(this));
    viewport()->setCursor(Qt::PointingHandCursor);
    setCursor(Qt::PointingHandCursor);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (!m_filling && row >= 0 && column >= 0)
            emit CellSelected(InitialAt(row, column));
    });
}

void SurNameGrid::Fill(const QStringList& initials, int columns)
{
    const SurnameGridLayout layout = LayOutSurnameGrid(initials, columns);
    m_filling = true;
    setUpdatesEnabled(false);
    clearContents();
    setColumnCount(layout.columns);
    setRowCount(layout.rows);
    for (int row = 0; row < layout.rows; ++row)
        for (int column = 0; column < layout.columns; ++column) {
            const QString& initial = layout.Cell(row, column);
            if (!initial.isEmpty()) {
                auto* item = new QTableWidgetItem(initial);
                item->setTextAlignment(Qt::AlignCenter);
                setItem(row, column, item);
            }
        }
    setCurrentCell(0, 0);
    setUpdatesEnabled(true);
    m_filling = false;
}

int SurNameGrid::DefaultColumnWidth() const
{
    return horizontalHeader()->defaultSectionSize();
}

QString SurNameGrid::InitialAt(int row, int column) const
{
    if (row == 0 && column == 0)
        return {};
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

bool SurNameGrid::CanSelectCell(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return false;
    return (row == 0 && column == 0) || !InitialAt(row, column).isEmpty();
}

void SurNameGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    // An empty cell cannot be selected: the press does nothing.
    if (index.isValid() && !CanSelectCell(index.row(), index.column()))
        return;
    const bool again = index.isValid() && index == currentIndex();
    QTableWidget::mousePressEvent(event);
    // Pressing the current cell once more lists its entries again, since the list may have
    // been changed by the tree or a lookup meanwhile.
    if (again && event->button() == Qt::LeftButton)
        emit CellSelected(InitialAt(index.row(), index.column()));
}

void SurNameGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    emit Released(currentRow() == 0 && currentColumn() == 0);
}

void SurNameGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    if (ControlFocusChange(*event))
        emit Entered();
}

void SurNameGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_popupMenu)
        m_popupMenu->popup(event->globalPos());
}

QModelIndex SurNameGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableWidget::moveCursor(cursorAction, modifiers);
    if (next.isValid() && !CanSelectCell(next.row(), next.column()))
        return currentIndex();
    return next;
}
