// The main window's controller: it owns the data module, the models and the settings for
// the whole run, carries the open book's state, opens the default book at start-up and
// asks about unsaved changes at close. The window shows what it is told through
// MainWindowView and forwards its commands here.
#pragma once

#include <QString>

#include "app/BookCommands.h"
#include "app/BookMembers.h"
#include "app/EntryCommands.h"
#include "app/EntryDrop.h"
#include "editing/UEditMT.h"
#include "navigation/RowSelection.h"
#include "navigation/URecListMT.h"
#include "navigation/Utreemt.h"
#include "search/USearchMT.h"
#include "storage/BookHost.h"
#include "storage/BookState.h"
#include "storage/CardDataMod.h"
#include "storage/OptionType.h"
#include "storage/PackageController.h"

class Prompter;

class MainWindowView : public BookWindow
{
public:
    struct Sizes
    {
        int searchPanelHeight = 0;
        int formHeight = 0;
        int formWidth = 0;
        int leftPanelWidth = 0;
        bool maximized = false;
    };

    virtual void EnableBookUI() = 0;
    virtual bool BookUIEnabled() const = 0;
    // Shows the tree in place of the initial grid and selects its top node.
    virtual void ShowTreeTop() = 0;
    virtual void FillSurnameGrid(const QStringList& initials) = 0;
    virtual void ShowLock(bool locked) = 0;
    virtual void ApplyFonts(const OptionType& options) = 0;
    virtual Sizes CurrentSizes() const = 0;
    virtual void ApplySizes(const Sizes& sizes) = 0;
    // Shows "&Net Services" only when the net services module is installed.
    virtual void UpdateNetServicesMenu() = 0;
    virtual void SetOutlookPasteVisible(bool visible) = 0;
    virtual bool QuickSearchOpen() const = 0;
    // The number of the tree's selected node; the root's when none is selected.
    virtual qint32 SelectedCategory() const = 0;
    // Selects the tree's node of that number, which lists its entries.
    virtual void SelectCategoryNode(qint32 number) = 0;
    virtual void FocusTree() = 0;
    virtual void FocusEntryList() = 0;
};

class MainController : public BookHost
{
public:
    // programFolder: the current folder at start-up. Creates the models and reads "aa.ini".
    MainController(MainWindowView& window, Prompter& prompter, const QString& programFolder);
    // Removes the working folder, which loads and saves leave empty.
    ~MainController() override;

    // Lists the books of the data folder and opens the default one, or the template. The
    // working folder is the user's own unless one was set before.
    void FormShow();
    // False when the user chose Cancel at the save question: the window stays open and
    // nothing is written.
    bool FormCloseQuery();
    void ConvertUserFolders();
    QString Caption() const;
    // The list follows the selected node of the tree: the root lists every entry, a user
    // category its entries, the search results node the last search (nothing before the
    // first search), "Org Contacts" the yellow page entries; other nodes change nothing.
    void SelectCategory(qint32 number);

    TCardData& Data() { return m_data; }
    CTreeMT& Tree() { return m_tree; }
    CRecListMT& List() { return m_list; }
    RowSelection& Selection() { return m_selection; }
    CEditMT& Edit() { return m_edit; }
    CSearchMT& Search() { return m_search; }
    const SurnameInitials& Initials() const { return m_edit.Initials(); }
    OptionType& Options() { return m_options; }
    BookState& State() { return m_state; }
    PackageController& Package() { return m_package; }
    BookCommands& Commands() { return m_commands; }
    EntryCommands& EntryActions() { return m_entryCommands; }
    EntryDrop& Drop() { return m_entryDrop; }

    // Where the decrypted members of an open book are kept: a folder of the user's own.
    static QString DefaultWorkFolder();

    void AttachTables(TCardData& data) override;
    QString LoadMembers(const QString& folder) override;
    QString SaveMembers(const QString& folder) override;
    void BookOpened() override;
    void BookSaved() override;
    void PasswordChanged() override;

private:
    void RefillInitials();

    MainWindowView& m_window;
    Prompter& m_prompter;
    TCardData m_data;
    CTreeMT m_tree;
    CRecListMT m_list;
    RowSelection m_selection;
    CEditMT m_edit;
    CSearchMT m_search;
    BookMembers m_members{m_tree, m_edit};
    OptionType m_options;
    BookState m_state;
    PackageController m_package;
    BookCommands m_commands;
    EntryCommands m_entryCommands;
    EntryDrop m_entryDrop;
};
