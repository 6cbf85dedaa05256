// Dropping entries onto a category: the slots change through the edit model, the list is
// filtered again once at the end, and the selection is cleared.
#include "app/EntryDrop.h"

#include "app/Prompter.h"
#include "editing/UEditMT.h"
#include "navigation/RowSelection.h"
#include "navigation/URecListMT.h"

EntryDrop::EntryDrop(CEditMT& edit, CRecListMT& list, RowSelection& selection, Prompter& prompter)
    : m_edit(edit), m_list(list), m_selection(selection), m_prompter(prompter)
{}

QString EntryDrop::FourCategoriesMessage(const QString& name)
{
    return QStringLiteral("Can not define category for ") + name +
           QStringLiteral(" since this entry has belonged to 4 categories. Continue?");
}

bool EntryDrop::DropCurrent(qint32 target, qint32 source, bool copy)
{
    if (!copy)
        m_edit.RemoveCategory(source);
    if (m_edit.AssignCategory(target)) {
        m_edit.CommitEntry();
        return true;
    }
    // The entry keeps the slots it had, the listed category included.
    m_edit.EntryTable()->Cancel();
    return false;
}

void EntryDrop::DropEntries(qint32 target, qint32 source, bool copy)
{
    TableView* entries = m_list.EntryTable();
    if (target <= CTreeMT::RootNumber || !entries || entries->IsEmpty())
        return;
    WaitCursor wait(m_prompter);
    entries->DisableControls();
    if (m_selection.IsEmpty()) {
        if (!DropCurrent(target, source, copy))
            m_prompter.Message(FourCategoriesMessage(entries->FieldByName(u"Name").AsString()),
                               Prompter::Icon::Information, Prompter::Buttons::Ok);
    } else {
        for (const Bookmark& row : m_selection.ListedRows(*entries)) {
            if (!entries->GotoBookmark(row))
                continue;
            if (DropCurrent(target, source, copy))
                continue;
            const QString name = entries->FieldByName(u"Name").AsString();
            if (m_prompter.Message(FourCategoriesMessage(name), Prompter::Icon::Information,
                                   Prompter::Buttons::YesNo) == Prompter::Answer::No)
                break;
        }
    }
    entries->EnableControls();
    m_list.RefreshList();
    m_selection.Clear();
}
