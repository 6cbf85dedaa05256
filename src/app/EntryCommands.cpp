// The entry commands of the main window over the edit, list and search models.
#include "app/EntryCommands.h"

#include "app/MainController.h"
#include "app/Prompter.h"
#include "editing/EntryEditWindow.h"
#include "editing/UEditMT.h"
#include "navigation/RowSelection.h"
#include "navigation/URecListMT.h"
#include "navigation/Utreemt.h"
#include "search/USearchMT.h"
#include "storage/OptionType.h"

EntryCommands::EntryCommands(CEditMT& edit, CRecListMT& list, CSearchMT& search, CTreeMT& tree,
                             RowSelection& selection, OptionType& options, MainWindowView& window,
                             Prompter& prompter)
    : m_edit(edit), m_list(list), m_search(search), m_tree(tree), m_selection(selection),
      m_options(options), m_window(window), m_prompter(prompter)
{}

bool EntryCommands::Confirm(const QString& question)
{
    return !m_options.ConfirmDeletion ||
           m_prompter.Message(question, Prompter::Icon::Confirmation, Prompter::Buttons::YesNo) ==
               Prompter::Answer::Yes;
}

void EntryCommands::DeleteCategoryOfRecords()
{
    WaitCursor wait(m_prompter);
    const qint32 category = m_window.SelectedCategory();
    if (m_selection.IsEmpty()) {
        if (m_edit.RemoveCategory(category))
            m_edit.CommitEntry();
        else
            m_prompter.Show(kNoMoreDeletionFromCategory);
    } else {
        m_edit.RemoveCategoryFromSelected(category, m_selection);
    }
    m_list.RefreshList();
}

void EntryCommands::DeleteRecords()
{
    WaitCursor wait(m_prompter);
    if (m_selection.IsEmpty()) {
        if (Confirm(kConfirmDeleteCurrent) && !m_edit.DeleteCurrentEntry())
            m_prompter.Show(kNoMoreDeletion);
    } else if (Confirm(kConfirmDeleteSelected)) {
        // A failure stops the deletion without a word.
        m_edit.DeleteSelectedEntries(m_selection);
    }
}

void EntryCommands::ClearIsolatedOrg()
{
    {
        WaitCursor wait(m_prompter);
        m_edit.FindIsolatedOrgs();
        m_edit.DeleteIsolatedOrgs();
    }
    m_prompter.Message(QString::number(m_edit.IsolatedOrgCount()) + kOrgsCleared,
                       Prompter::Icon::Information, Prompter::Buttons::Ok);
    m_window.SelectCategoryNode(CTreeMT::RootNumber);
    m_window.FocusEntryList();
}

void EntryCommands::RefillInitialsIfGrown(int initialsBefore)
{
    const TableView* entries = m_edit.EntryTable();
    if (entries && !entries->IsEmpty() && m_edit.Initials().Count() > initialsBefore)
        m_window.FillSurnameGrid(m_edit.InitialsList());
}

void EntryCommands::AddRecord()
{
    if (!m_editWindow)
        return;
    m_selection.Clear();
    m_window.ShowTreeTop();
    const int initialsBefore = m_edit.Initials().Count();
    do {
        m_edit.NewEntry();
        m_editWindow->ShowEditWindow(kAddCaption);
    } while (m_edit.EditMode() == EditMode::AddNext);
    RefillInitialsIfGrown(initialsBefore);
    if (m_edit.HasYellowEntries())
        m_tree.AddOrgContactsNode();
    if (m_edit.EditMode() == EditMode::ReviewDuplicates)
        ReviewSameName();
}

void EntryCommands::EditRecord()
{
    TableView* entries = m_edit.EntryTable();
    if (!entries || entries->IsEmpty()) {
        m_prompter.Show(kNothingToEdit);
        return;
    }
    if (!m_editWindow)
        return;
    m_selection.Clear();
    const int initialsBefore = m_edit.Initials().Count();
    m_edit.EditEntry(entries->RecNo());
    m_editWindow->ShowEditWindow(kEditCaption);
    RefillInitialsIfGrown(initialsBefore);
    if (m_edit.EditMode() == EditMode::ReviewDuplicates)
        ReviewSameName();
    else
        m_list.RefreshList();
}

void EntryCommands::ReviewSameName()
{
    m_window.FocusTree();
    if (m_tree.NodeOfNumber(CTreeMT::SearchNodeNumber))
        m_window.SelectCategoryNode(CTreeMT::SearchNodeNumber);
    m_search.FilterByName(m_edit.LastName());
}
