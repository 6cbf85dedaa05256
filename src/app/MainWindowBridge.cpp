// The main window's bridge to its controller.
#include "app/MainWindowBridge.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableView>

#include "app/MainForm.h"
#include "navigation/NameListModel.h"
#include "navigation/NavgTree.h"
#include "storage/OptionFm.h"
#include "storage/OptionsController.h"

namespace {

QVariantMap CurrentRecord(TableView& view)
{
    QVariantMap values;
    if (view.IsEmpty())
        return values;
    for (int field = 0; field < view.FieldCount(); ++field)
        values.insert(view.Fields().At(field).name, FieldRef(view, field).Value());
    return values;
}

} // namespace

MainWindowBridge::MainWindowBridge(TMainQVZorek& window, Prompter& prompter)
    : m_window(window), m_prompter(prompter)
{
    m_window.installEventFilter(this);
}

MainWindowBridge::~MainWindowBridge() = default;

void MainWindowBridge::Attach(MainController& controller)
{
    m_controller = &controller;
    TCardData& data = controller.Data();

    m_tree = new NavgTree(controller.Tree(), m_prompter, &m_window);
    m_tree->SetCategoryInUse(
        [&controller](qint32 number) { return controller.CategoryInUse(number); });
    m_window.SetNavgTree(m_tree);
    QObject::connect(m_tree, &NavgTree::NodeSelected, this, [this](qint32 number) {
        m_controller->SelectCategory(number);
        RefreshStatus();
    });
    QObject::connect(m_tree, &NavgTree::TreeChanged, this,
                     [this] { m_controller->State().TreeModified = true; });

    m_grid = new QTableView(&m_window);
    m_grid->setObjectName(QStringLiteral("RecDBGrid"));
    m_names = new NameListModel(data.NameDataSet, m_grid);
    m_grid->setModel(m_names);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->hide();
    m_window.SetRecDBGrid(m_grid);
    QObject::connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                     [this](const QModelIndex& current) {
                         if (current.isValid())
                             m_controller->Data().NameDataSet.SetRecNo(current.row() + 1);
                         ShowCurrentEntry();
                         RefreshStatus();
                     });
    QObject::connect(m_names, &QAbstractItemModel::modelReset, this, [this] {
        ShowCurrentEntry();
        RefreshStatus();
    });

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

    m_options =
        std::make_unique<OptionsController>(controller.Options(), controller.State(), m_prompter);
    m_optionsDialog = new TOptionFm(*m_options, &m_window);
    m_window.ConnectCommand(QStringLiteral("A_Options"), [this] { ShowOptions(); });
}

void MainWindowBridge::ShowOptions()
{
    if (m_optionsDialog->exec() == QDialog::Accepted) {
        ApplyFonts(m_controller->Options());
        FillSurnameGrid(m_controller->Initials().List());
    }
}

void MainWindowBridge::ShowCurrentEntry()
{
    TCardData& data = m_controller->Data();
    m_window.ShowEntry(CurrentRecord(data.NameDataSet), CurrentRecord(data.AgentDataSet));
}

void MainWindowBridge::RefreshStatus()
{
    TCardData& data = m_controller->Data();
    const int selected = m_grid ? int(m_grid->selectionModel()->selectedRows().size()) : 0;
    m_window.SetStatusText(QStringLiteral("%1 Entries; %2 Listed; %3 Selected")
                               .arg(data.NameLookDataset.RecordCount())
                               .arg(data.NameDataSet.RecordCount())
                               .arg(selected));
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

void MainWindowBridge::ShowTreeTop()
{
    m_window.ShowSurNameGrid(false);
    if (!m_tree)
        return;
    m_tree->expandToDepth(0);
    m_tree->SelectNode(m_controller->Tree().Root());
    m_tree->setFocus();
}

void MainWindowBridge::FillSurnameGrid(const QStringList&) {}

void MainWindowBridge::ShowLock(bool locked)
{
    m_window.SetLockState(locked, m_controller && m_controller->State().NetBusy);
}

void MainWindowBridge::ApplyFonts(const OptionType& options)
{
    m_window.ApplyFonts(options);
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

// Until the search dialog exists, its "Quick Search" group keeps the state it was read with.
bool MainWindowBridge::QuickSearchOpen() const
{
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
