// The item model adapter over the category tree: indexes carry the node pointer, rows are
// the nodes' positions among their siblings, and the tree's change notices become the item
// model's begin/end pairs.
#include "navigation/TreeItemModel.h"

TreeItemModel::TreeItemModel(CTreeMT& tree, QObject* parent)
    : QAbstractItemModel(parent), m_tree(tree)
{
    m_tree.AttachView(this);
}

TreeItemModel::~TreeItemModel()
{
    m_tree.AttachView(nullptr);
}

CTreeNode* TreeItemModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<CTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TreeItemModel::IndexOf(const CTreeNode* node) const
{
    if (!node)
        return {};
    return createIndex(node->Row(), 0, const_cast<CTreeNode*>(node));
}

QModelIndex TreeItemModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    CTreeNode* node = parent.isValid() ? NodeOf(parent)->Child(row) : m_tree.TopLevel(row);
    return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex TreeItemModel::parent(const QModelIndex& child) const
{
    const CTreeNode* node = NodeOf(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int TreeItemModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_tree.TopLevelCount();
    return parent.column() == 0 ? NodeOf(parent)->ChildCount() : 0;
}

int TreeItemModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TreeItemModel::data(const QModelIndex& index, int role) const
{
    const CTreeNode* node = NodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->Text();
    case CategoryNumberRole:
        return node->Number();
    default:
        return {};
    }
}

Qt::ItemFlags TreeItemModel::flags(const QModelIndex& index) const
{
    const CTreeNode* node = NodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (CTreeMT::CanRename(node))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TreeItemModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    CTreeNode* node = NodeOf(index);
    if (role != Qt::EditRole || !CTreeMT::CanRename(node))
        return false;
    // The tree reports a changed text through Renamed, which tells the views.
    m_tree.RenameCategory(node, value.toString());
    return true;
}

void TreeItemModel::BeforeInsert(CTreeNode* parent, int row)
{
    beginInsertRows(IndexOf(parent), row, row);
}

void TreeItemModel::AfterInsert(CTreeNode*)
{
    endInsertRows();
}

void TreeItemModel::BeforeRemove(CTreeNode* parent, int row)
{
    beginRemoveRows(IndexOf(parent), row, row);
}

void TreeItemModel::AfterRemove()
{
    endRemoveRows();
}

void TreeItemModel::BeforeMove(CTreeNode* node, CTreeNode* newParent, int newRow)
{
    const int row = node->Row();
    m_moveAsReset = !beginMoveRows(IndexOf(node->Parent()), row, row, IndexOf(newParent), newRow);
    // A move the item model calls invalid still happens in the tree: the views start over.
    if (m_moveAsReset)
        beginResetModel();
}

void TreeItemModel::AfterMove(CTreeNode*)
{
    if (m_moveAsReset)
        endResetModel();
    else
        endMoveRows();
    m_moveAsReset = false;
}

void TreeItemModel::Renamed(CTreeNode* node)
{
    const QModelIndex index = IndexOf(node);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

void TreeItemModel::BeforeReset()
{
    beginResetModel();
}

void TreeItemModel::AfterReset()
{
    endResetModel();
}
