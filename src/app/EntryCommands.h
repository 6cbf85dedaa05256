// The main window's entry commands: add and edit entries through the edit window, delete
// entries or take them out of the listed category, clear isolated orgs, and review the
// entries that share the name just entered. Questions and messages go through the Prompter.
#pragma once

#include <QString>

class CEditMT;
class CRecListMT;
class CSearchMT;
class CTreeMT;
class EntryEditWindow;
class MainWindowView;
class OptionType;
class Prompter;
class RowSelection;

class EntryCommands
{
public:
    static inline const QString kNoMoreDeletion = QStringLiteral("No more deletion.");
    static inline const QString kNoMoreDeletionFromCategory =
        QStringLiteral("No more deletion from this category.");
    static inline const QString kConfirmDeleteCurrent =
        QStringLiteral("Are you sure you want to delete current entry?");
    static inline const QString kConfirmDeleteSelected =
        QStringLiteral("Are you sure you want to delete all selected entries?");
    static inline const QString kOrgsCleared =
        QStringLiteral(" org records without any connection got cleared.");
    static inline const QString kNothingToEdit = QStringLiteral("No record to be edited here.");
    static inline const QString kAddCaption = QStringLiteral("Add");
    static inline const QString kEditCaption = QStringLiteral("Edit");

    EntryCommands(CEditMT& edit, CRecListMT& list, CSearchMT& search, CTreeMT& tree,
                  RowSelection& selection, OptionType& options, MainWindowView& window,
                  Prompter& prompter);

    // The edit window that Add and Edit show; without one they do nothing.
    void SetEditWindow(EntryEditWindow* window) { m_editWindow = window; }

    // A_DeleteCategoryOfRecords: the selected entries (or the current one) leave the
    // category selected in the tree, and the listing is applied again.
    void DeleteCategoryOfRecords();
    // A_DeleteRecords: the selected entries, or the current one, after the question the
    // settings ask for.
    void DeleteRecords();
    // A_ClearIsolatedOrg: deletes the orgs no entry uses and lists all entries.
    void ClearIsolatedOrg();
    // A_AddRecord: new entries one after another while the edit window asks for the next.
    void AddRecord();
    // A_EditRecord: the current entry in the edit window.
    void EditRecord();
    // Lists the entries whose name is the one last entered, under the search results node.
    void ReviewSameName();

private:
    bool Confirm(const QString& question);
    // After the edit window closed: the initial grid refilled when the list of initials grew.
    void RefillInitialsIfGrown(int initialsBefore);

    CEditMT& m_edit;
    CRecListMT& m_list;
    CSearchMT& m_search;
    CTreeMT& m_tree;
    RowSelection& m_selection;
    OptionType& m_options;
    MainWindowView& m_window;
    Prompter& m_prompter;
    EntryEditWindow* m_editWindow = nullptr;
};
