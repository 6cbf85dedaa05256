// The navigation tree window part: view settings, the category commands and their enabling,
// in-place renaming, the node images, dragging a category onto another node to make it a
// child or, with Shift held, to place it beside that node, and taking entries dropped from
// the entry list.
#include "navigation/NavgTree.h"
#include "navigation/FocusChange.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QFocusEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <cstdlib>

namespace {

// Gives every node the tree's images: the open folder while it is selected.
class TreeImageDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        static const QIcon images = [] {
            QIcon icon;
            icon.addPixmap(NavgTree::TreeImageList(0), QIcon::Normal);
            icon.addPixmap(NavgTree::TreeImageList(1), QIcon::Selected);
            return icon;
        }();
        option->icon = images;
        option->decorationSize = QSize(16, 16);
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
};

} // namespace

NavgTree::NavgTree(CTreeMT& tree, Prompter& prompter, QWidget* parent)
    : QTreeView(parent), m_tree(tree), m_prompter(prompter), m_model(new TreeItemModel(tree, this))
{
    setObjectName(QStringLiteral("NavgTree"));
    setHeaderHidden(true);
    setIndentation(19);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    // Renaming starts only from the commands (F2 is the edit command's shortcut).
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    // The selection stays as plain to see when another control has the focus.
    QPalette colours = palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setItemDelegate(new TreeImageDelegate(this));

    const auto makeAction = [this](const char* name, const QString& caption,
                                   const QKeySequence& shortcut, void (NavgTree::*command)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, command);
        addAction(action);
        return action;
    };
    m_addNote = makeAction("A_AddNote", QStringLiteral("&Add Category"),
                           QKeySequence(Qt::Key_Insert), &NavgTree::A_AddNoteExecute);
    m_editCurrentNode = makeAction("A_EditCurrentNode", QStringLiteral("&Edit Category"),
                                   QKeySequence(Qt::Key_F2), &NavgTree::A_EditCurrentNodeExecute);
    m_deleteCategoryNode = makeAction("A_DeleteCategoryNode", QStringLiteral("&Delete Category"),
                                      QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                                      &NavgTree::A_DeleteCategoryNodeExecute);

    m_treePopupMenu = new QMenu(this);
    m_treePopupMenu->setObjectName(QStringLiteral("TreePopupMenu"));
    m_treePopupMenu->addAction(m_addNote);
    m_treePopupMenu->addAction(m_editCurrentNode);
    m_treePopupMenu->addAction(m_deleteCategoryNode);
    connect(m_treePopupMenu, &QMenu::aboutToShow, this, &NavgTree::TreePopupMenuPopup);

    // The commands exist before the model, whose current node they follow.
    setModel(m_model);

    // A reset (a book loaded) or a removal can leave the commands pointing at another node.
    connect(m_model, &QAbstractItemModel::modelReset, this, &NavgTree::UpdateActions);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &NavgTree::UpdateActions);
    UpdateActions();
}

NavgTree::~NavgTree() = default;

CTreeNode* NavgTree::SelectedNode() const
{
    return m_model->NodeOf(currentIndex());
}

qint32 NavgTree::SelectedCategory() const
{
    const CTreeNode* node = SelectedNode();
    return node ? node->Number() : CTreeMT::RootNumber;
}

void NavgTree::SelectNode(CTreeNode* node)
{
    if (!node)
        return;
    const QModelIndex index = m_model->IndexOf(node);
    if (index == currentIndex()) {
        selectionModel()->select(index,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        emit NodeSelected(node->Number());
        return;
    }
    // The change of the current node announces it.
    setCurrentIndex(index);
    scrollTo(index);
}

void NavgTree::A_AddNoteExecute()
{
    CTreeNode* parent = SelectedNode();
    if (!parent || parent->Number() < CTreeMT::RootNumber)
        return;
    expand(m_model->IndexOf(parent));
    CTreeNode* node = m_tree.AddCategory(parent, CTreeMT::kNewCategoryName);
    if (!node)
        return;
    SelectNode(node);
    emit TreeChanged();
    edit(m_model->IndexOf(node));
}

void NavgTree::A_EditCurrentNodeExecute()
{
    if (CTreeMT::CanRename(SelectedNode()))
        edit(currentIndex());
}

void NavgTree::A_DeleteCategoryNodeExecute()
{
    CTreeNode* node = SelectedNode();
    if (!node)
        return;
    m_deleting = true;
    const CTreeMT::DeleteOutcome outcome =
        m_canDelete ? m_canDelete(node) : m_tree.DeleteCategoryNode(node);
    m_deleting = false;
    switch (outcome) {
    case CTreeMT::DeleteOutcome::Deleted:
        emit TreeChanged();
        // The view has made a neighbour current while the node went.
        if (CTreeNode* neighbour = SelectedNode())
            emit NodeSelected(neighbour->Number());
        break;
    case CTreeMT::DeleteOutcome::ItemsBelow:
        m_prompter.Message(CTreeMT::kDeleteItemsBelowFirst, Prompter::Icon::Information,
                           Prompter::Buttons::Ok);
        break;
    case CTreeMT::DeleteOutcome::NotDeletable:
        break;
    }
}

void NavgTree::TreePopupMenuPopup()
{
    UpdateActions();
}

void NavgTree::UpdateActions()
{
    const CTreeNode* node = SelectedNode();
    const qint32 number = node ? node->Number() : CTreeMT::RootNumber - 1;
    m_addNote->setEnabled(number >= CTreeMT::RootNumber);
    m_editCurrentNode->setEnabled(number > CTreeMT::RootNumber);
    m_deleteCategoryNode->setEnabled(number > CTreeMT::RootNumber);
}

void NavgTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    UpdateActions();
    if (const CTreeNode* node = m_model->NodeOf(current); node && !m_deleting)
        emit NodeSelected(node->Number());
}

bool NavgTree::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // Only user categories are editable (the item flags say so), so only they get here.
    if (!QTreeView::edit(index, trigger, event))
        return false;
    m_editedIndex = index;
    m_textBeforeEdit = index.data(Qt::EditRole).toString();
    return true;
}

void NavgTree::commitData(QWidget* editor)
{
    QTreeView::commitData(editor);
    if (m_editedIndex.isValid() &&
        m_editedIndex.data(Qt::EditRole).toString() != m_textBeforeEdit) {
        m_textBeforeEdit = m_editedIndex.data(Qt::EditRole).toString();
        emit TreeChanged();
    }
}

void NavgTree::mousePressEvent(QMouseEvent* event)
{
    m_pressPoint = event->position().toPoint();
    const QModelIndex pressed = indexAt(m_pressPoint);
    const QModelIndex before = currentIndex();
    // A right click acts on the node under the pointer: it becomes the selection first.
    if (event->button() == Qt::RightButton && pressed.isValid())
        setCurrentIndex(pressed);
    QTreeView::mousePressEvent(event);
    // A click on the selected node lists it again.
    if (pressed.isValid() && currentIndex() == before && pressed == before)
        emit NodeSelected(m_model->NodeOf(before)->Number());
}

void NavgTree::mouseMoveEvent(QMouseEvent* event)
{
    CTreeNode* node = SelectedNode();
    if (!(event->buttons() & Qt::LeftButton) || !CTreeMT::IsUserCategory(node)) {
        QTreeView::mouseMoveEvent(event);
        return;
    }
    // While a category may be dragged the selection does not follow the pointer.
    const QPoint moved = event->position().toPoint() - m_pressPoint;
    if (std::abs(moved.x()) > kDragStartDistance || std::abs(moved.y()) > kDragStartDistance)
        BeginCategoryDrag(node);
}

void NavgTree::BeginCategoryDrag(CTreeNode* node)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(CategoryDragData(node));
    drag->setDragCursor(SubFolderCursor(), Qt::MoveAction);
    drag->setDragCursor(BrotherFolderCursor(), Qt::LinkAction);
    drag->exec(Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
    // The drag took the button's release.
    setState(NoState);
}

void NavgTree::contextMenuEvent(QContextMenuEvent* event)
{
    m_treePopupMenu->exec(event->globalPos());
}

void NavgTree::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    // Coming back from a menu, a dialog or another window is no change of control.
    if (ControlFocusChange(*event))
        emit Entered();
}

QMimeData* NavgTree::CategoryDragData(const CTreeNode* node) const
{
    auto* data = new QMimeData;
    // The process and the tree are part of the data, so that a category dragged from
    // another window or another running copy is never taken for one of this tree.
    data->setData(kCategoryMimeType, QStringLiteral("%1 %2 %3")
                                         .arg(QCoreApplication::applicationPid())
                                         .arg(quintptr(this))
                                         .arg(node ? node->Number() : 0)
                                         .toLatin1());
    return data;
}

CTreeNode* NavgTree::DraggedCategory(const QMimeData* data) const
{
    if (!data || !data->hasFormat(kCategoryMimeType))
        return nullptr;
    const QList<QByteArray> parts = data->data(kCategoryMimeType).split(' ');
    CTreeNode* selected = SelectedNode();
    if (parts.size() != 3 || !selected ||
        parts[0].toLongLong() != QCoreApplication::applicationPid() ||
        parts[1].toULongLong() != quintptr(this) || parts[2].toInt() != selected->Number())
        return nullptr;
    return selected;
}

QMimeData* NavgTree::EntriesDragData()
{
    auto* data = new QMimeData;
    // The selection they stand for is this process's own.
    data->setData(kEntriesMimeType, QByteArray::number(QCoreApplication::applicationPid()));
    return data;
}

bool NavgTree::DraggedEntries(const QMimeData* data)
{
    return data && data->hasFormat(kEntriesMimeType) &&
           data->data(kEntriesMimeType).toLongLong() == QCoreApplication::applicationPid();
}

bool NavgTree::NavgTreeDragOver(QDropEvent* event)
{
    CTreeNode* target = m_model->NodeOf(indexAt(event->position().toPoint()));
    if (DraggedEntries(event->mimeData())) {
        if (!CTreeMT::AcceptDrop(target, nullptr))
            return false;
        m_entriesCopied = event->modifiers() & Qt::ControlModifier;
        event->setDropAction(m_entriesCopied ? Qt::CopyAction : Qt::MoveAction);
        return true;
    }
    CTreeNode* dragged = DraggedCategory(event->mimeData());
    if (!dragged || !CTreeMT::AcceptDrop(target, dragged))
        return false;
    event->setDropAction((event->modifiers() & Qt::ShiftModifier) ? Qt::LinkAction
                                                                  : Qt::MoveAction);
    return true;
}

bool NavgTree::NavgTreeDragDrop(QDropEvent* event)
{
    CTreeNode* target = m_model->NodeOf(indexAt(event->position().toPoint()));
    if (DraggedEntries(event->mimeData())) {
        if (!CTreeMT::AcceptDrop(target, nullptr))
            return false;
        emit EntriesDropped(target->Number(), m_entriesCopied);
        return true;
    }
    CTreeNode* dragged = DraggedCategory(event->mimeData());
    if (!dragged || !CTreeMT::AcceptDrop(target, dragged))
        return false;
    WaitCursor wait(m_prompter);
    const bool asChild = !(event->modifiers() & Qt::ShiftModifier);
    if (!m_tree.MoveCategory(dragged, target, asChild))
        return false;
    expandRecursively(m_model->IndexOf(target));
    scrollTo(m_model->IndexOf(dragged));
    emit TreeChanged();
    return true;
}

void NavgTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (DraggedCategory(event->mimeData()) || DraggedEntries(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void NavgTree::dragMoveEvent(QDragMoveEvent* event)
{
    // The view's own handling scrolls the tree near its edges; the acceptance is ours.
    QTreeView::dragMoveEvent(event);
    if (NavgTreeDragOver(event))
        event->accept();
    else
        event->ignore();
}

void NavgTree::dropEvent(QDropEvent* event)
{
    // A refused drop is ignored, so the drag ends as cancelled.
    if (!NavgTreeDragDrop(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(DraggedEntries(event->mimeData()) && m_entriesCopied ? Qt::CopyAction
                                                                              : Qt::MoveAction);
    event->accept();
}

QPixmap NavgTree::SubFolderCursor()
{
    return QPixmap(QStringLiteral(":/resources/cursors/HCRSUBFOLDER.xpm"));
}

QPixmap NavgTree::BrotherFolderCursor()
{
    return QPixmap(QStringLiteral(":/resources/cursors/HCRBROTHERFOLDER.xpm"));
}

QPixmap NavgTree::EntryCopyCursor(bool several)
{
    return QPixmap(several ? QStringLiteral(":/resources/cursors/HCRDRAGSPLUS.xpm")
                           : QStringLiteral(":/resources/cursors/HCRDRAGPLUS.xpm"));
}

QPixmap NavgTree::TreeImageList(int index)
{
    // Loaded once: the initial grid draws image 1 whenever it paints its tree cell.
    static const QPixmap node(QStringLiteral(":/resources/images/tree/node.png"));
    static const QPixmap selected(QStringLiteral(":/resources/images/tree/selected.png"));
    return index == 1 ? selected : node;
}
