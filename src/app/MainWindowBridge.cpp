// The main window's bridge to its controller.
#include "app/MainWindowBridge.h"

#include <QCloseEvent>

#include "app/EntryListBridge.h"
#include "app/MainForm.h"
#include "editing/MainEdit.h"
#include "navigation/NavgTree.h"
#include "navigation/RecDBGrid.h"
#include "search/SearchForm.h"
#include "storage/OptionFm.h"
#include "storage/OptionsController.h"

MainWindowBridge::MainWindowBridge(TMainQVZorek& window, Prompter& prompter)
    : m_window(window), m_prompter(prompter)
{
    m_window.installEventFilter(this);
}

MainWindowBridge::~MainWindowBridge() = default;

void MainWindowBridge::Attach(MainController& controller)
{
    m_controller = &controller;
    m_tree = new NavgTree(controller.Tree(), m_prompter, &m_window);
    m_tree->SetCanDeleteCategory(
        [&controller](CTreeNode* node) { return controller.Edit().CanDeleteCategory(node); });
    m_window.SetNavgTree(m_tree);
    QObject::connect(m_tree, &NavgTree::NodeSelected, this, [this](qint32 number) {
        m_controller->SelectCategory(number);
        RefreshStatus();
    });
    QObject::connect(m_tree, &NavgTree::TreeChanged, this,
                     [this] { m_controller->State().TreeModified = true; });
    QObject::connect(m_tree, &NavgTree::EntriesDropped, this, [this](qint32 target, bool copy) {
        m_controller->Drop().DropEntries(target, SelectedCategory(), copy);
        RefreshStatus();
    });

    m_entryList = std::make_unique<EntryListBridge>(m_window, controller, *m_tree, m_prompter);

    BookCommands& commands = controller.Commands();
    m_window.ConnectCommand(QStringLiteral("A_Save"), [&commands] { commands.SaveCurrentBook(); });
    m_window.ConnectCommand(QStringLiteral("A_ImportQVP"),
                            [&commands] { commands.LoadBookFrom(); });
    m_window.ConnectCommand(QStringLiteral("A_New"), [&commands] { commands.NewBook(); });
    m_window.ConnectCommand(QStringLiteral("A_ExportQVP"), [&commands] { commands.SaveBookAs(); });
    QObject::connect(&m_window, &TMainQVZorek::OpenBookClicked, this,
                     [&commands](int position) { commands.OpenListedBook(position); });
    QObject::connect(&m_window, &TMainQVZorek::DeleteBookClicked, this,
                     [&commands](int position) { commands.DeleteListedBook(position); });

    EntryCommands& entries = controller.EntryActions();
    m_window.ConnectCommand(QStringLiteral("A_DeleteRecords"), [this, &entries] {
        entries.DeleteRecords();
        RefreshStatus();
    });
    m_window.ConnectCommand(QStringLiteral("A_DeleteCategoryOfRecords"), [this, &entries] {
        entries.DeleteCategoryOfRecords();
        RefreshStatus();
    });
    m_editWindow = new TEditFm(&m_window);
    m_editWindow->SetEditModel(controller.Edit(), m_prompter);
    m_editWindow->SetPlacement(&m_window,
                               m_window.findChild<QWidget*>(QStringLiteral("RightPanel")));
    entries.SetEditWindow(m_editWindow);
    m_window.ConnectCommand(QStringLiteral("A_AddRecord"), [this, &entries] {
        entries.AddRecord();
        RefreshStatus();
    });
    m_window.ConnectCommand(QStringLiteral("A_EditRecord"), [this, &entries] {
        entries.EditRecord();
        RefreshStatus();
    });
    m_window.ConnectCommand(QStringLiteral("A_ClearIsolatedOrg"), [this, &entries] {
        entries.ClearIsolatedOrg();
        RefreshStatus();
    });

    m_options =
        std::make_unique<OptionsController>(controller.Options(), controller.State(), m_prompter);
    m_optionsDialog = new TOptionFm(*m_options, &m_window);
    m_window.ConnectCommand(QStringLiteral("A_Options"), [this] { ShowOptions(); });

    m_searchForm = new TSearchFm(&m_window);
    m_searchForm->SetQuickSearchOpen(controller.Options().QuickSearchOpen);
    m_window.ConnectCommand(QStringLiteral("A_Search"), [this] { A_SearchExecute(); });
}

void MainWindowBridge::ShowOptions()
{
    if (m_optionsDialog->exec() == QDialog::Accepted) {
        ApplyFonts(m_controller->Options());
        FillSurnameGrid(m_controller->Initials().List());
    }
}

namespace {

// The search moves the tree to its results node and the focus to the list it fills.
class SearchResultsBridge : public SearchResultsView
{
public:
    SearchResultsBridge(MainWindowView& window, EntryListController* list)
        : m_window(window), m_list(list)
    {}
    void ShowSearchNode() override
    {
        m_window.FocusTree();
        m_window.SelectCategoryNode(CTreeMT::SearchNodeNumber);
    }
    void ShowFoundEntries() override
    {
        m_window.FocusEntryList();
        if (m_list)
            m_list->SetSource(ListSource::FromLookup);
    }

private:
    MainWindowView& m_window;
    EntryListController* m_list;
};

} // namespace

void MainWindowBridge::A_SearchExecute()
{
    m_searchForm->SetFields(SearchController::SearchableLabels(m_controller->Options()));
    m_searchForm->PlaceBeside(m_window, m_window.findChild<QWidget*>(QStringLiteral("RightPanel")));
    const SearchRequest request = m_searchForm->Run();
    SearchResultsBridge results(*this, m_entryList ? &m_entryList->List() : nullptr);
    SearchController(m_controller->Search(), m_controller->Options(), m_prompter)
        .Finish(request, results);
    RefreshStatus();
}

void MainWindowBridge::RefreshStatus()
{
    if (m_entryList)
        m_entryList->RefreshStatus();
}

void MainWindowBridge::AddBookItems(const QString& name)
{
    m_window.AddBookItems(name);
}

void MainWindowBridge::RemoveBookItems(int position)
{
    m_window.RemoveBookItems(position);
}

void MainWindowBridge::DisableBookUI()
{
    m_window.DisableBookUI();
}

void MainWindowBridge::EnableBookUI()
{
    m_window.EnableBookUI();
}

bool MainWindowBridge::BookUIEnabled() const
{
    return m_window.IsBookUIEnabled();
}

void MainWindowBridge::UpdateCaption()
{
    if (m_controller)
        m_window.UpdateCaption(m_controller->Commands().BookTitle());
}

void MainWindowBridge::CloseMainWindow()
{
    m_window.close();
}

qint32 MainWindowBridge::SelectedCategory() const
{
    return m_tree ? m_tree->SelectedCategory() : CTreeMT::RootNumber;
}

void MainWindowBridge::SelectCategoryNode(qint32 number)
{
    if (CTreeNode* node = m_tree ? m_controller->Tree().NodeOfNumber(number) : nullptr)
        m_tree->SelectNode(node);
}

void MainWindowBridge::FocusTree()
{
    m_window.ShowSurNameGrid(false);
    if (m_tree)
        m_tree->setFocus();
}

void MainWindowBridge::FocusEntryList()
{
    if (m_entryList && m_entryList->Grid())
        m_entryList->Grid()->setFocus();
}

void MainWindowBridge::ShowTreeTop()
{
    m_window.ShowSurNameGrid(false);
    if (!m_tree)
        return;
    m_tree->expandToDepth(0);
    m_tree->SelectNode(m_controller->Tree().Root());
    m_tree->setFocus();
}

void MainWindowBridge::FillSurnameGrid(const QStringList& initials)
{
    if (m_entryList)
        m_entryList->FillSurnameGrid(initials);
}

void MainWindowBridge::ShowLock(bool locked)
{
    m_window.SetLockState(locked, m_controller && m_controller->State().NetBusy);
}

void MainWindowBridge::ApplyFonts(const OptionType& options)
{
    m_window.ApplyFonts(options);
    // The edit window takes the name and size of the right panel's font, not its colour.
    if (m_editWindow) {
        QFont font = m_editWindow->font();
        font.setFamily(options.RecViewFontname);
        font.setPointSize(options.RecViewFontSize);
        m_editWindow->setFont(font);
    }
}

MainWindowView::Sizes MainWindowBridge::CurrentSizes() const
{
    Sizes sizes;
    if (const QWidget* left = m_window.findChild<QWidget*>(QStringLiteral("LeftPanel")))
        sizes.leftPanelWidth = left->width();
    if (const QWidget* search = m_window.findChild<QWidget*>(QStringLiteral("SearchPanel")))
        sizes.searchPanelHeight = search->height();
    sizes.formHeight = m_window.height();
    sizes.formWidth = m_window.width();
    sizes.maximized = m_window.isMaximized();
    return sizes;
}

void MainWindowBridge::ApplySizes(const Sizes& sizes)
{
    if (sizes.formWidth > 0 && sizes.formHeight > 0)
        m_window.resize(sizes.formWidth, sizes.formHeight);
    if (QWidget* left = m_window.findChild<QWidget*>(QStringLiteral("LeftPanel"));
        left && sizes.leftPanelWidth > 0)
        left->resize(sizes.leftPanelWidth, left->height());
    if (QWidget* search = m_window.findChild<QWidget*>(QStringLiteral("SearchPanel"));
        search && sizes.searchPanelHeight > 0)
        search->resize(search->width(), sizes.searchPanelHeight);
}

void MainWindowBridge::UpdateNetServicesMenu()
{
    m_window.UpdateNetServicesMenu();
}

void MainWindowBridge::SetOutlookPasteVisible(bool visible)
{
    m_window.SetOutlookCommandsVisible(visible);
}

// The search dialog's "Quick Search" group as the user left it; until the dialog exists, the
// state it was read with.
bool MainWindowBridge::QuickSearchOpen() const
{
    if (m_searchForm)
        return m_searchForm->QuickSearchOpen();
    return !m_controller || m_controller->Options().QuickSearchOpen;
}

bool MainWindowBridge::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Close && m_controller &&
        !m_controller->FormCloseQuery()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
