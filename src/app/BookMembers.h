// The members of a book that belong to its models rather than its tables: the category
// tree and the compound surname list of the edit model.
#pragma once

#include <QString>

class CEditMT;
class CTreeMT;

class BookMembers
{
public:
    BookMembers(CTreeMT& tree, CEditMT& edit) : m_tree(tree), m_edit(edit) {}

    // Reads both from the folder, all or nothing; the message (without suffix) on failure.
    QString Load(const QString& folder);
    // Writes both into the folder; a message on failure.
    QString Save(const QString& folder) const;

private:
    CTreeMT& m_tree;
    CEditMT& m_edit;
};
