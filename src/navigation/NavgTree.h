// The navigation tree NavgTree: the category tree of the left panel with its context menu,
// the add, rename and delete commands, in-place renaming and dragging categories within the
// tree. It shows CTreeMT through TreeItemModel; the main window hears of selections and changes.
#pragma once

#include "app/Prompter.h"
#include "navigation/TreeItemModel.h"
#include "navigation/Utreemt.h"

#include <QPersistentModelIndex>
#include <QTreeView>

class QAction;
class QMenu;
class QMimeData;

class NavgTree : public QTreeView
{
    Q_OBJECT

public:
    // What a category dragged from this tree carries.
    static inline const QString kCategoryMimeType =
        QStringLiteral("application/x-quillvane-category");
    // What entries dragged from the entry list carry; the entries are the list's selection.
    static inline const QString kEntriesMimeType =
        QStringLiteral("application/x-quillvane-entries");
    // How far the pointer moves from the press point, in either direction, before a category
    // drag begins.
    static constexpr int kDragStartDistance = 6;

    using QTreeView::edit;

    // tree and prompter must outlive the window.
    NavgTree(CTreeMT& tree, Prompter& prompter, QWidget* parent = nullptr);
    ~NavgTree() override;

    CTreeMT& Tree() const { return m_tree; }
    TreeItemModel& ItemModel() const { return *m_model; }

    // The three category commands; the main window adds them to its own action list.
    QAction* A_AddNote() const { return m_addNote; }
    QAction* A_EditCurrentNode() const { return m_editCurrentNode; }
    QAction* A_DeleteCategoryNode() const { return m_deleteCategoryNode; }
    QMenu* TreePopupMenu() const { return m_treePopupMenu; }

    // The node the commands act on; nullptr when none is selected.
    CTreeNode* SelectedNode() const;
    // The selected node's number; the root's when none is selected.
    qint32 SelectedCategory() const;
    // Makes node the selection and announces it through NodeSelected, even when it was
    // selected already, so that its entries are listed again.
    void SelectNode(CTreeNode* node);
    // Deletes a category when it may go (no child categories, no entries in it); without
    // one, categories are deleted whatever entries hold them.
    using CategoryDeleter = std::function<CTreeMT::DeleteOutcome(CTreeNode* node)>;
    void SetCanDeleteCategory(CategoryDeleter deleter) { m_canDelete = std::move(deleter); }

    // Add Category: a "New Category" under the selected node, selected and opened for renaming.
    void A_AddNoteExecute();
    // Edit Category: renaming the selected category in place.
    void A_EditCurrentNodeExecute();
    // Delete Category: a childless category that no entry uses goes; for a user category
    // that may not go the user is told "Please delete items below first.".
    void A_DeleteCategoryNodeExecute();
    // Enables the three commands for the selected node, as the context menu shows them.
    void TreePopupMenuPopup();

    // The drag data of a category dragged from this tree.
    QMimeData* CategoryDragData(const CTreeNode* node) const;
    // The drag data of entries dragged from the entry list (the entries are its selection).
    static QMimeData* EntriesDragData();
    // The drag cursors: a category dropped as a child, or beside the target.
    static QPixmap SubFolderCursor();
    static QPixmap BrotherFolderCursor();
    // The drag cursor of entries dropped in copy mode, for one entry or several.
    static QPixmap EntryCopyCursor(bool several);
    // The images of the tree: 0 for a node, 1 for the selected node.
    static QPixmap TreeImageList(int index);

signals:
    // A node became the selection, or was clicked or pointed at again.
    void NodeSelected(qint32 number);
    // The tree got the focus from another control: the list follows the tree again.
    void Entered();
    // A category was added, renamed, deleted or moved.
    void TreeChanged();
    // Entries of the list were dropped on a user category: copy mode keeps their present
    // category, move mode takes them out of the listed one.
    void EntriesDropped(qint32 target, bool copy);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // Runs the drag of a category until it is dropped or cancelled.
    virtual void BeginCategoryDrag(CTreeNode* node);

protected slots:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;

private:
    // The selected category when data is this tree's drag of it; nullptr otherwise.
    CTreeNode* DraggedCategory(const QMimeData* data) const;
    // Whether the drag carries entries from the entry list of this program.
    static bool DraggedEntries(const QMimeData* data);
    // Whether what is dragged may be dropped at the pointer; sets the action that the cursor
    // shows: for a category a move as child, or a link for beside when Shift is held; for
    // entries a copy when Ctrl is held, else a move.
    bool NavgTreeDragOver(QDropEvent* event);
    // Moves the dragged category, or hands the dropped entries on, as the drop says; false
    // when the drop is refused.
    bool NavgTreeDragDrop(QDropEvent* event);
    void UpdateActions();

    CTreeMT& m_tree;
    Prompter& m_prompter;
    TreeItemModel* m_model;
    CategoryDeleter m_canDelete;
    QAction* m_addNote;
    QAction* m_editCurrentNode;
    QAction* m_deleteCategoryNode;
    QMenu* m_treePopupMenu;
    QPoint m_pressPoint;
    // The category being renamed in place and its text before.
    QPersistentModelIndex m_editedIndex;
    QString m_textBeforeEdit;
    // The mode the pointer last showed for dragged entries: the drop uses it.
    bool m_entriesCopied = false;
    // Set while a node is deleted: the neighbour the view selects is announced afterwards.
    bool m_deleting = false;
};
