// The entry list's side of the main window: the list grid and the initial grid in their
// places, the list commands, the tree/grid swap, the lookups and the detail panel.
#include "app/EntryListBridge.h"

#include <QAction>
#include <QCompleter>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "app/MainController.h"
#include "app/MainForm.h"
#include "editing/ViewTextForm.h"
#include "navigation/FocusChange.h"
#include "navigation/ListLookups.h"
#include "navigation/LookupListModel.h"
#include "navigation/NavgTree.h"
#include "navigation/OrgLkDlg.h"
#include "navigation/RecDBGrid.h"
#include "navigation/SurNameGrid.h"

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

const QString kMemoHint = QStringLiteral("Double-click to view");

// The drop-downs of the lookup boxes list 11 rows and match from the start of a name,
// letter case ignored.
QCompleter* LookupCompleter(TableView& view, const QString& field, QObject* parent)
{
    auto* completer = new QCompleter(new LookupListModel(view, field, parent), parent);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(11);
    return completer;
}

// Focus that comes back from a drop-down, a menu or another window, or leaves for one, is
// no move between the window's controls.
bool IsEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

EntryListBridge::EntryListBridge(TMainQVZorek& window, MainController& controller, NavgTree& tree,
                                 Prompter& prompter)
    : m_window(window), m_controller(controller), m_tree(tree), m_prompter(prompter)
{
    TCardData& data = controller.Data();
    m_list = std::make_unique<EntryListController>(data.NameDataSet, data.NameLookDataset,
                                                   controller.Selection(), prompter);
    m_lookups =
        std::make_unique<ListLookups>(data, controller.List(), controller.Search(), *m_list);

    m_grid = new RecDBGrid(*m_list, &m_window);
    m_window.SetRecDBGrid(m_grid);
    m_grid->SetPopupMenu(m_window.RecPopupMenu(),
                         m_window.Action(QStringLiteral("A_DeleteCategoryOfRecords")),
                         [this] { return m_tree.SelectedCategory(); });
    connect(m_grid, &RecDBGrid::CurrentRowChanged, this, [this] {
        ShowCurrentEntry();
        RefreshStatus();
    });
    connect(m_grid, &RecDBGrid::SelectionChanged, this, &EntryListBridge::RefreshStatus);
    connect(m_grid, &RecDBGrid::Painted, this, &EntryListBridge::RefreshStatus);
    connect(m_grid, &RecDBGrid::Entered, this, &EntryListBridge::SwitchGridToTree);
    connect(m_grid, &RecDBGrid::EditRequested, this,
            [this] { m_window.Action(QStringLiteral("A_EditRecord"))->trigger(); });

    m_initialGrid = new SurNameGrid(&m_window);
    m_window.SetSurNameGrid(m_initialGrid);
    m_initialGrid->SetPopupMenu(m_window.SurnamePopupMenu());

    // The tree taking the focus lists its selected node again: the list follows the tree.
    connect(&m_tree, &NavgTree::Entered, this, [this] {
        m_list->SetSource(ListSource::FromTree);
        m_tree.SelectNode(m_tree.SelectedNode());
    });

    m_leftPanel = m_window.findChild<QWidget*>(QStringLiteral("LeftPanel"));
    if (m_leftPanel)
        m_leftPanel->installEventFilter(this);

    ConnectCommands();
    ConnectInitialGrid();
    ConnectLookups();
    ConnectDetailPanel();
}

// The window outlives the controller, whose tables the list shows: the list lets go of them
// first, so that hiding the window at its end asks nothing of tables that are gone.
EntryListBridge::~EntryListBridge()
{
    if (m_grid)
        m_grid->setModel(nullptr);
}

void EntryListBridge::ConnectCommands()
{
    m_window.ConnectCommand(QStringLiteral("A_SelectAll"), [this] { m_list->SelectAll(); });
    m_window.ConnectCommand(QStringLiteral("A_UnselectAll"), [this] { m_list->UnselectAll(); });
    m_window.ConnectCommand(QStringLiteral("A_SwitchGridToTree"), [this] { SwitchGridToTree(); });
    m_window.ConnectCommand(QStringLiteral("A_DefineYellowPageInfo"), [this] {
        m_list->DefineYellowPageInfo(m_controller.Edit(), m_controller.Tree(), m_controller.List());
        RefreshStatus();
    });
    m_window.ConnectCommand(QStringLiteral("A_DefineWhitePageInfo"), [this] {
        m_list->DefineWhitePageInfo(m_controller.Edit(), m_controller.List());
        RefreshStatus();
    });
    m_window.ConnectCommand(QStringLiteral("A_RefreshSurnames"), [this] {
        RefreshSurnames();
        m_lookups->NameLkEnter();
        RefreshStatus();
    });
}

void EntryListBridge::ConnectInitialGrid()
{
    connect(m_initialGrid, &SurNameGrid::CellSelected, this, [this](const QString& initial) {
        if (!initial.isEmpty())
            m_controller.List().ListByInitial(initial, false);
        RefreshStatus();
    });
    connect(m_initialGrid, &SurNameGrid::Released, this, [this](bool onTreeCell) {
        // Only the tree cell leads the focus to the tree, which lists its node again; after
        // an initial the focus goes on to the list it filled, so the tree lists nothing.
        if (onTreeCell) {
            SwitchGridToTree();
            m_tree.setFocus(Qt::MouseFocusReason);
        } else {
            m_grid->setFocus(Qt::OtherFocusReason);
            SwitchGridToTree();
        }
    });
    connect(m_initialGrid, &SurNameGrid::Entered, this,
            [this] { m_list->SetSource(ListSource::FromInitials); });
}

void EntryListBridge::ConnectLookups()
{
    TCardData& data = m_controller.Data();
    m_nameLk = m_window.findChild<QLineEdit*>(QStringLiteral("NameLk"));
    m_companyLk = m_window.findChild<QLineEdit*>(QStringLiteral("CompanyLk"));
    m_orgPopup = new TOrgLkDlg(&m_window);
    if (m_nameLk) {
        m_nameLk->setToolTip(QStringLiteral("Searh by name"));
        m_nameLk->setStatusTip(QStringLiteral("Searh by name"));
        m_nameLk->setCompleter(
            LookupCompleter(data.NameLookDataSet2, QStringLiteral("Name"), this));
        m_nameLk->installEventFilter(this);
    }
    if (m_companyLk) {
        m_companyLk->setToolTip(QStringLiteral("Search by org."));
        m_companyLk->setStatusTip(QStringLiteral("Search by org."));
        m_companyLk->setCompleter(
            LookupCompleter(data.AgentLookDataSet, QStringLiteral("Company"), this));
        m_companyLk->installEventFilter(this);
    }
    m_window.ConnectCommand(QStringLiteral("A_InquireName"), [this] {
        m_lookups->InquireName(m_nameLk ? m_nameLk->text() : QString());
        if (m_nameLk)
            m_nameLk->clear();
        RefreshStatus();
    });
    m_window.ConnectCommand(QStringLiteral("A_ListEntriesOfSameAgent"), [this] {
        m_lookups->ListEntriesOfSameAgent(m_companyLk ? m_companyLk->text() : QString(), true);
        if (m_companyLk)
            m_companyLk->clear();
        RefreshStatus();
    });
    connect(&m_window, &TMainQVZorek::OrgButtonClicked, this, [this] {
        if (m_companyLk)
            m_orgPopup->Popup(m_companyLk);
    });
    connect(m_orgPopup, &TOrgLkDlg::LookupRequested, this, [this](const QString& orgName) {
        // The popup leaves the list source as it is.
        m_lookups->ListEntriesOfSameAgent(orgName, false);
        RefreshStatus();
    });
}

void EntryListBridge::ConnectDetailPanel()
{
    QWidget* right = m_window.findChild<QWidget*>(QStringLiteral("RightPanel"));
    if (!right)
        return;
    for (QWidget* view : right->findChildren<QWidget*>()) {
        if (view->objectName().endsWith(QStringLiteral("View")))
            view->installEventFilter(this);
    }
    for (const char* name : {"CMemoView", "MemoView"}) {
        if (auto* memo = right->findChild<QPlainTextEdit*>(QString::fromLatin1(name))) {
            memo->setToolTip(kMemoHint);
            memo->setStatusTip(kMemoHint);
            memo->viewport()->installEventFilter(this);
        }
    }
}

void EntryListBridge::SwitchGridToTree()
{
    m_window.ShowSurNameGrid(false);
}

void EntryListBridge::RefreshSurnames()
{
    {
        WaitCursor wait(m_prompter);
        m_controller.Edit().RebuildInitials();
    }
    FillSurnameGrid(m_controller.Edit().InitialsList());
}

void EntryListBridge::FillSurnameGrid(const QStringList& initials)
{
    m_initials = initials;
    const int width = m_leftPanel ? m_leftPanel->width() : 0;
    m_initialGrid->Fill(initials, SurnameGridColumns(width, m_initialGrid->DefaultColumnWidth()));
}

void EntryListBridge::RefreshStatus()
{
    m_window.SetStatusText(m_list->StatusText());
}

void EntryListBridge::ShowCurrentEntry()
{
    TCardData& data = m_controller.Data();
    // With nothing listed there is no entry, and so no org, to show.
    const bool listed = !data.NameDataSet.IsEmpty();
    m_window.ShowEntry(listed ? CurrentRecord(data.NameDataSet) : QVariantMap{},
                       listed ? CurrentRecord(data.AgentDataSet) : QVariantMap{});
    if (QWidget* name = m_window.findChild<QWidget*>(QStringLiteral("NameView"))) {
        const QString hint = EntryListController::NameHint(data.NameDataSet);
        name->setToolTip(hint);
        name->setStatusTip(hint);
    }
}

void EntryListBridge::OpenMemoViewer(const QString& field)
{
    TCardData& data = m_controller.Data();
    const bool org = field == QStringLiteral("CMemo");
    QWidget* memo = m_window.findChild<QWidget*>(field + QStringLiteral("View"));
    TViewTextForm::ShowField(org ? data.AgentDataSet : data.NameDataSet, field, true,
                             memo ? memo->font() : m_window.font(), &m_window);
}

bool EntryListBridge::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_leftPanel) {
        if (event->type() == QEvent::Resize && m_window.isActiveWindow())
            FillSurnameGrid(m_initials);
        return false;
    }
    if (watched == m_nameLk) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (!ControlFocusChange(*static_cast<const QFocusEvent*>(event)))
                break;
            m_lookups->NameLkEnter();
            m_window.ShowSurNameGrid(true);
            RefreshStatus();
            break;
        case QEvent::FocusOut:
            if (ControlFocusChange(*static_cast<const QFocusEvent*>(event)))
                m_nameLk->clear();
            break;
        case QEvent::ShortcutOverride:
            // F5 belongs to the name box here, not to the window's command on that key.
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress:
            if (IsEnter(event)) {
                m_window.Action(QStringLiteral("A_InquireName"))->trigger();
                return true;
            }
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5) {
                RefreshSurnames();
                m_lookups->NameLkEnter();
                m_window.ShowSurNameGrid(true);
                RefreshStatus();
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }
    if (watched == m_companyLk) {
        if (event->type() == QEvent::FocusOut) {
            if (ControlFocusChange(*static_cast<const QFocusEvent*>(event)))
                m_companyLk->clear();
        } else if (IsEnter(event)) {
            m_window.Action(QStringLiteral("A_ListEntriesOfSameAgent"))->trigger();
            return true;
        } else if (event->type() == QEvent::FocusIn) {
            SwitchGridToTree();
        }
        return false;
    }
    // The detail panel: Enter edits the entry, a double-click on a memo shows it whole.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (IsEnter(event) && widget) {
        m_window.Action(QStringLiteral("A_EditRecord"))->trigger();
        return true;
    }
    if (event->type() == QEvent::FocusIn && widget && widget->objectName().endsWith(u"View"))
        SwitchGridToTree();
    if (event->type() == QEvent::MouseButtonDblClick && widget) {
        QWidget* memo = widget->parentWidget();
        if (memo && (memo->objectName() == QStringLiteral("CMemoView") ||
                     memo->objectName() == QStringLiteral("MemoView"))) {
            OpenMemoViewer(memo->objectName().chopped(4));
            return true;
        }
    }
    return false;
}
