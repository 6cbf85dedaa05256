// Entries dropped from the entry list onto a user category of the tree: each goes into the
// category (in move mode out of the listed category first) and is committed on its own, so
// an entry that cannot take another category stops nothing already done.
#pragma once

#include <QString>

class CEditMT;
class CRecListMT;
class Prompter;
class RowSelection;

class EntryDrop
{
public:
    EntryDrop(CEditMT& edit, CRecListMT& list, RowSelection& selection, Prompter& prompter);

    // target: the number of the node dropped on; source: the number of the tree's selected
    // node, whose entries are listed. With no row selected the current entry is dropped.
    void DropEntries(qint32 target, qint32 source, bool copy);

    // Told when an entry's four category slots are all taken.
    static QString FourCategoriesMessage(const QString& name);

private:
    // Puts the current entry into target; false when its four slots stay taken.
    bool DropCurrent(qint32 target, qint32 source, bool copy);

    CEditMT& m_edit;
    CRecListMT& m_list;
    RowSelection& m_selection;
    Prompter& m_prompter;
};
