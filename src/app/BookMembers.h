// The members of a book that belong to its models rather than its tables: the category
// tree and the compound surname list, which is kept as read until the edit model takes it.
#pragma once

#include <QByteArray>
#include <QString>

class CTreeMT;

class BookMembers
{
public:
    explicit BookMembers(CTreeMT& tree) : m_tree(tree) {}

    // Reads both from the folder, all or nothing; the message (without suffix) on failure.
    QString Load(const QString& folder);
    // Writes both into the folder; a message on failure.
    QString Save(const QString& folder) const;

    QByteArray& Surnames() { return m_surnames; }

private:
    CTreeMT& m_tree;
    QByteArray m_surnames;
};
