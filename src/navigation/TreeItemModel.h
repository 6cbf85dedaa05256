// The item model adapter that shows a CTreeMT in a Qt view: it reads the nodes in place and
// follows every change of the tree through the observer interface, so no data is copied.
#pragma once

#include "navigation/Utreemt.h"

#include <QAbstractItemModel>

class TreeItemModel : public QAbstractItemModel, private CTreeObserver
{
public:
    enum Role
    {
        // The node's category number, a qint32.
        CategoryNumberRole = Qt::UserRole + 1,
    };

    // Attaches itself to tree as its view; the destructor detaches it again.
    explicit TreeItemModel(CTreeMT& tree, QObject* parent = nullptr);
    ~TreeItemModel() override;

    CTreeMT& Tree() const { return m_tree; }
    // The node an index stands for; nullptr for the invalid index.
    CTreeNode* NodeOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const CTreeNode* node) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Renames the category through the model's rule (blank text, unique among siblings).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void BeforeInsert(CTreeNode* parent, int row) override;
    void AfterInsert(CTreeNode* node) override;
    void BeforeRemove(CTreeNode* parent, int row) override;
    void AfterRemove() override;
    void BeforeMove(CTreeNode* node, CTreeNode* newParent, int newRow) override;
    void AfterMove(CTreeNode* node) override;
    void Renamed(CTreeNode* node) override;
    void BeforeReset() override;
    void AfterReset() override;

    CTreeMT& m_tree;
    // Set while a move is shown as a reset because the item model refused it as a move.
    bool m_moveAsReset = false;
};
