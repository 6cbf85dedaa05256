// A category tree written out for comparisons in tests: one "depth:text=number" item per
// node, in absolute-index order.
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
