// Category trees for tests: one written out for comparisons (a "depth:text=number" item per
// node, in absolute-index order) and the small tree the view tests start from.
#pragma once

#include <QStringList>
#include <string>

#include "navigation/Utreemt.h"

inline std::string Shape(const CTreeMT& tree)
{
    QStringList items;
    for (int i = 0; i < tree.NodeCount(); ++i) {
        const CTreeNode* node = tree.NodeAtIndex(i);
        items << QStringLiteral("%1:%2=%3")
                     .arg(QString::number(node->Depth()), node->Text(),
                          QString::number(node->Number()));
    }
    return items.join(u' ').toStdString();
}

// The tree the view tests start from: All Entries (1000) holding Search Results (101),
// Family (1001) with Cousins (1002), and Work (1003).
struct SampleTree
{
    CTreeNode* family;
    CTreeNode* cousins;
    CTreeNode* work;
};

inline SampleTree MakeSampleTree(CTreeMT& tree)
{
    tree.CreateTemplateTree(QStringLiteral("All Entries"), QStringLiteral("Search Results"));
    CTreeNode* family = tree.AddCategory(tree.Root(), QStringLiteral("Family"));
    CTreeNode* cousins = tree.AddCategory(family, QStringLiteral("Cousins"));
    CTreeNode* work = tree.AddCategory(tree.Root(), QStringLiteral("Work"));
    return {family, cousins, work};
}
