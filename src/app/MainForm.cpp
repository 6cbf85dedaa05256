// The main window: builds the command actions, the main menu, the popups, the toolbar, the
// left and right panels and the status bar; keeps the book menus in step and switches the
// book UI on and off. Command handlers are connected by the controllers.
#include "app/MainForm.h"

#include "app/AboutForm.h"
#include "storage/OptionType.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QFontInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>

namespace {

struct CommandDef
{
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* hint;
};

// The command table, in its order.
constexpr CommandDef kCommands[] = {
    {"A_Save", "&Save", "Ctrl+S", "Save the address book"},
    {"A_ImportQVP", "Load &from...", "Ctrl+O", "Load an address book elsewhere"},
    {"A_New", "&New...", "", "Create a new address book"},
    {"A_ExportQVP", "Save &As...", "", "Save the address book with a new path"},
    {"A_PrintMode", "Print &Mode...", "Ctrl+M", "Select a print template"},
    {"A_PrintSetup", "Print Set&up...", "", "Change the printer options"},
    {"A_Preview", "Print Pre&view", "", "Display view of address book as it will be printed"},
    {"A_Print", "&Print", "Ctrl+P", "Print the address book"},
    {"A_Search", "&Search...", "Ctrl+H", "Search entries with specified conditions"},
    {"A_EditRecord", "&Edit entry...", "Ctrl+E", "Edit current entry"},
    {"A_AddRecord", "&Add entry...", "Ctrl+A", "Add an entry"},
    {"A_DeleteRecords", "&Delete", "Ctrl+D", "Delete entries"},
    {"A_ClearIsolatedOrg", "Clea&r isolated org", "Ctrl+R",
     "Clear isolated organizations without associated entries"},
    {"A_DeleteCategoryOfRecords", "Delete from current Categor&y", "",
     "Delete the selected entries from current category while keeping the entries"},
    {"A_DefineYellowPageInfo", "Become &yellow page entries", "",
     "Make the selected entries be yellow page entries"},
    {"A_DefineWhitePageInfo", "Become &white page entries", "",
     "Make the selected entries be white page entries"},
    {"A_ExportToClipboard", "&Copy Current to Clipboard", "",
     "Copy current entry to the clipboard"},
    {"A_ExportToCSV", "CSV File...", "", "Export the listed entries to a Comma Delimited File"},
    {"A_ImportFromCSV", "CSV file...", "", "Import from a Comma Delimited File"},
    {"A_ExportToAVCard", "vCard...", "",
     "Export the current entry to an electronic business card file"},
    {"A_ImportFromAVCard", "vCard...", "", "Import an electronic business card file"},
    {"A_ImportCurrentWAB", "WAB", "",
     "Import from the current WAB (MS Outlook Express address book)"},
    {"A_ImportWAB", "WAB file...", "", "Import from a WAB file"},
    {"A_Dial", "D&ial...", "F9", "Dial with the selected number"},
    {"A_URL", "Go &URL", "Ctrl+U", "Call the default browser for the selected URL"},
    {"A_getToEmails", "&To:", "F5", "Add the selected E-mail address to the 'To' field"},
    {"A_GetCCEmails", "&CC:", "F6", "Add the selected E-mail address to the 'CC' field"},
    {"A_getBCCEmails", "&BCC:", "F7", "Add the selected E-mail address to the 'BCC' field"},
    {"A_LaunchEmail", "&Launch...", "F8", "Launch the default emailer"},
    {"A_AddTo", "Paste 'To' to Ms-Outlook", "Ctrl+F5", ""},
    {"A_AddCC", "Paste 'CC' to Ms-Outlook", "Ctrl+F6", ""},
    {"A_AddBCC", "Paste 'BCC' to Ms-Outlook", "Ctrl+F7", ""},
    {"A_Options", "&Options...", "", ""},
    {"A_Help", "&Contents", "", ""},
    {"A_HomePage", "Home page", "", ""},
    {"A_About", "&About...", "", ""},
    {"A_SelectAll", "&Select All", "", ""},
    {"A_UnselectAll", "&UnSelect All", "", ""},
    {"A_AddNote", "&Add Category", "Ins", ""},
    {"A_EditCurrentNode", "&Edit Category", "F2", ""},
    {"A_DeleteCategoryNode", "&Delete Category", "Shift+Del", ""},
    {"A_RefreshSurnames", "&Refresh", "Shift+F2", "Refresh the surname initial grids"},
    {"A_InquireName", "", "", ""},
    {"A_ListEntriesOfSameAgent", "", "", ""},
    {"A_SwitchGridToTree", "", "", ""},
};

// Menu items that are not in the command table.
constexpr CommandDef kMenuItems[] = {
    {"Exit1", "E&xit", "", ""},
    {"Upload1", "&Upload", "", "Upload address book"},
    {"Download1", "&Download", "", "Download address book"},
    {"SignUp1", "&Sign up", "", "Sign up QVNS"},
};

// The commands that work on the open book: the "&Edit" menu, the save and print items and
// the two net services that send the book.
constexpr const char* kBookCommands[] = {
    "A_Search",
    "A_EditRecord",
    "A_AddRecord",
    "A_DeleteRecords",
    "A_DeleteCategoryOfRecords",
    "A_ClearIsolatedOrg",
    "A_ExportToClipboard",
    "A_Save",
    "A_ExportQVP",
    "A_PrintMode",
    "A_PrintSetup",
    "A_Preview",
    "A_Print",
    "Upload1",
    "SignUp1",
};

// Adds the items in order; a null item stands for a separator.
void AddItems(QMenu* menu, const QList<QAction*>& items)
{
    for (QAction* item : items) {
        if (item == nullptr) {
            menu->addSeparator();
        } else {
            menu->addAction(item);
        }
    }
}

const QString kProduct = QStringLiteral("Quillvane");

void SetHint(QAction* action, const QString& hint)
{
    action->setStatusTip(hint);
    action->setToolTip(hint);
}

} // namespace

TMainQVZorek::TMainQVZorek(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainQVZorek"));
    setWindowTitle(kProduct);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateAreas();
    CreateStatusBar();
    UpdateNetServicesMenu();
    SetOutlookCommandsVisible(false);
    resize(860, 600);
    // The views are made later, by whoever fills the window's areas; every one is looked at.
    qApp->installEventFilter(this);
}

TMainQVZorek::~TMainQVZorek() = default;

QAction* TMainQVZorek::AddAction(const QString& name, const QString& caption,
                                 const QKeySequence& shortcut, const QString& hint)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    SetHint(action, hint);
    // Disabled until a controller connects it.
    action->setEnabled(false);
    m_commands.insert(name, action);
    // Added to the window as well, so that shortcuts work for commands without a menu item.
    addAction(action);
    return action;
}

void TMainQVZorek::CreateActions()
{
    for (const CommandDef& def : kCommands) {
        m_actionList << AddAction(QString::fromLatin1(def.name), QString::fromLatin1(def.caption),
                                  QKeySequence(QString::fromLatin1(def.shortcut)),
                                  QString::fromLatin1(def.hint));
    }
    for (const CommandDef& def : kMenuItems) {
        AddAction(QString::fromLatin1(def.name), QString::fromLatin1(def.caption), {},
                  QString::fromLatin1(def.hint));
    }
    for (const char* name : kBookCommands) {
        m_bookCommands << Action(QString::fromLatin1(name));
    }
    ConnectCommand(QStringLiteral("Exit1"), [this] { close(); });
    ConnectCommand(QStringLiteral("A_About"), [this] { A_AboutExecute(); });
    Action(QStringLiteral("A_InquireName"))
        ->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    Action(QStringLiteral("A_ListEntriesOfSameAgent"))
        ->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
}

QAction* TMainQVZorek::Action(const QString& name) const
{
    return m_commands.value(name, nullptr);
}

void TMainQVZorek::ConnectCommand(const QString& name, std::function<void()> handler)
{
    QAction* action = Action(name);
    if (action == nullptr) {
        return;
    }
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    m_ready.insert(action);
    action->setEnabled(m_bookUIEnabled || !m_bookCommands.contains(action));
}

QList<QAction*> TMainQVZorek::Actions(std::initializer_list<const char*> names) const
{
    QList<QAction*> actions;
    for (const char* name : names) {
        actions << (qstrcmp(name, "-") == 0 ? nullptr : Action(QString::fromLatin1(name)));
    }
    return actions;
}

QMenu* TMainQVZorek::AddMenu(QMenu* parent, const QString& name, const QString& caption,
                             const QList<QAction*>& items)
{
    auto* menu = parent != nullptr ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    AddItems(menu, items);
    return menu;
}

void TMainQVZorek::CreateMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = AddMenu(nullptr, QStringLiteral("File1"), QStringLiteral("&File"), {});
    m_load1 = AddMenu(file, QStringLiteral("Load1"), QStringLiteral("&Open"), {});
    SetHint(m_load1->menuAction(), QStringLiteral("Open an address book"));
    file->addActions(Actions({"A_ImportQVP", "A_New", "A_Save", "A_ExportQVP"}));
    m_delete1 = AddMenu(file, QStringLiteral("Delete1"), QStringLiteral("&Delete"), {});
    SetHint(m_delete1->menuAction(), QStringLiteral("Delete an address book"));
    file->addSeparator();
    AddMenu(file, QStringLiteral("ExportTo1"), QStringLiteral("&Export to"),
            Actions({"A_ExportToCSV", "A_ExportToAVCard"}));
    AddMenu(
        file, QStringLiteral("ImportFrom1"), QStringLiteral("&Import from"),
        Actions({"A_ImportCurrentWAB", "A_ImportWAB", "A_ImportFromCSV", "A_ImportFromAVCard"}));
    file->addSeparator();
    file->addActions(Actions({"A_PrintMode", "A_PrintSetup", "A_Preview", "A_Print"}));
    file->addSeparator();
    file->addAction(Action(QStringLiteral("Exit1")));

    m_editMenu = AddMenu(nullptr, QStringLiteral("Edit1"), QStringLiteral("&Edit"),
                         Actions({"A_Search", "-", "A_EditRecord", "A_AddRecord", "A_DeleteRecords",
                                  "-", "A_ClearIsolatedOrg", "-", "A_ExportToClipboard"}));

    m_qvns1 = AddMenu(nullptr, QStringLiteral("QVNS1"), QStringLiteral("&Net Services"),
                      Actions({"Upload1", "Download1", "SignUp1"}));

    QMenu* tools =
        AddMenu(nullptr, QStringLiteral("Tools1"), QStringLiteral("&Tools"), Actions({"A_Dial"}));
    m_email1 = AddMenu(tools, QStringLiteral("Email1"), QStringLiteral("E-&mail"),
                       Actions({"A_getToEmails", "A_GetCCEmails", "A_getBCCEmails", "-",
                                "A_LaunchEmail", "A_AddTo", "A_AddCC", "A_AddBCC"}));
    SetHint(m_email1->menuAction(), QStringLiteral("E-mail to the selected addresses"));
    tools->addActions(Actions({"A_URL"}));
    tools->addSeparator();
    tools->addActions(Actions({"A_Options"}));

    AddMenu(nullptr, QStringLiteral("Help1"), QStringLiteral("&Help"),
            Actions({"A_Help", "A_HomePage", "A_About"}));

    m_treePopupMenu = new QMenu(this);
    m_treePopupMenu->setObjectName(QStringLiteral("TreePopupMenu"));
    m_recPopupMenu = new QMenu(this);
    m_recPopupMenu->setObjectName(QStringLiteral("RecPopupMenu"));
    m_surnamePopupMenu = new QMenu(this);
    m_surnamePopupMenu->setObjectName(QStringLiteral("SurnamePopupMenu"));
    m_loadBnPopupMenu = new QMenu(this);
    m_loadBnPopupMenu->setObjectName(QStringLiteral("LoadBnPopupMenu"));
    AddItems(m_treePopupMenu, Actions({"A_AddNote", "A_EditCurrentNode", "A_DeleteCategoryNode"}));
    AddItems(m_recPopupMenu,
             Actions({"A_AddRecord", "A_EditRecord", "A_DeleteRecords", "A_DeleteCategoryOfRecords",
                      "-", "A_DefineYellowPageInfo", "A_DefineWhitePageInfo", "-", "A_getToEmails",
                      "A_GetCCEmails", "A_getBCCEmails", "A_LaunchEmail", "A_AddTo", "A_AddCC",
                      "A_AddBCC", "-", "A_SelectAll", "A_UnselectAll"}));
    AddItems(m_surnamePopupMenu, Actions({"A_RefreshSurnames"}));
}

void TMainQVZorek::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("MainToolBar"));
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    m_loadBn = new QToolButton(m_toolBar);
    m_loadBn->setObjectName(QStringLiteral("LoadBn"));
    m_loadBn->setText(QStringLiteral("&Open"));
    m_loadBn->setToolTip(QStringLiteral("Open an address book"));
    m_loadBn->setStatusTip(QStringLiteral("Open an address book"));
    connect(m_loadBn, &QToolButton::clicked, this, &TMainQVZorek::LoadBnClick);
    m_toolBar->addWidget(m_loadBn);
    m_toolBar->addActions(Actions({"A_Save"}));
    m_toolBar->addSeparator();
    m_toolBar->addActions(Actions({"A_PrintMode", "A_Print", "A_Preview"}));
    m_toolBar->addSeparator();
    m_toolBar->addActions(Actions({"A_EditRecord", "A_AddRecord", "A_DeleteRecords", "A_Search"}));
    m_toolBar->addSeparator();
    m_toolBar->addActions(Actions({"A_Dial"}));
    auto* mailerBn = new QToolButton(m_toolBar);
    mailerBn->setObjectName(QStringLiteral("MailerBn"));
    mailerBn->setText(QStringLiteral("E-&mail"));
    mailerBn->setToolTip(QStringLiteral("E-mail to the selected addresses"));
    mailerBn->setStatusTip(QStringLiteral("E-mail to the selected addresses"));
    mailerBn->setMenu(m_email1);
    mailerBn->setPopupMode(QToolButton::InstantPopup);
    m_toolBar->addWidget(mailerBn);
    m_toolBar->addActions(Actions({"A_URL"}));
}

void TMainQVZorek::LoadBnClick()
{
    m_loadBnPopupMenu->popup(m_loadBn->mapToGlobal(QPoint(0, m_loadBn->height())));
}

QLabel* TMainQVZorek::AddField(QGroupBox* box, const QString& caption, const QString& field,
                               bool memo)
{
    auto* layout = static_cast<QFormLayout*>(box->layout());
    QWidget* view = nullptr;
    if (memo) {
        auto* text = new QPlainTextEdit(box);
        text->setReadOnly(true);
        text->setMaximumHeight(48);
        view = text;
    } else {
        auto* line = new QLineEdit(box);
        line->setReadOnly(true);
        view = line;
    }
    view->setObjectName(field + QStringLiteral("View"));
    m_fieldViews.insert(field, view);
    auto* label = new QLabel(caption, box);
    label->setBuddy(view);
    layout->addRow(label, view);
    return label;
}

void TMainQVZorek::CreateAreas()
{
    auto* midSplitter = new QSplitter(Qt::Horizontal, this);
    midSplitter->setObjectName(QStringLiteral("MidSplitter"));
    midSplitter->setChildrenCollapsible(false);
    setCentralWidget(midSplitter);

    auto* leftPanel = new QWidget(midSplitter);
    leftPanel->setObjectName(QStringLiteral("LeftPanel"));
    leftPanel->setMinimumSize(68, 388);
    leftPanel->setMaximumWidth(388);
    auto* leftLayout = new QVBoxLayout(leftPanel);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter1 = new QSplitter(Qt::Vertical, leftPanel);
    splitter1->setObjectName(QStringLiteral("Splitter1"));
    splitter1->setChildrenCollapsible(false);
    leftLayout->addWidget(splitter1);

    auto* searchPanel = new QWidget(splitter1);
    m_searchPanel = searchPanel;
    searchPanel->setObjectName(QStringLiteral("SearchPanel"));
    searchPanel->setMinimumHeight(68);
    searchPanel->setMaximumHeight(320);
    auto* searchLayout = new QVBoxLayout(searchPanel);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->setSpacing(2);

    auto* namePanel = new QWidget(searchPanel);
    namePanel->setObjectName(QStringLiteral("NamePanel"));
    auto* nameLayout = new QHBoxLayout(namePanel);
    nameLayout->setContentsMargins(2, 2, 2, 0);
    auto* nameLabel = new QLabel(QStringLiteral("Name"), namePanel);
    auto* nameLk = new QLineEdit(namePanel);
    nameLk->setObjectName(QStringLiteral("NameLk"));
    nameLabel->setBuddy(nameLk);
    auto* speedButton1 = new QToolButton(namePanel);
    speedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    speedButton1->setDefaultAction(Action(QStringLiteral("A_InquireName")));
    nameLayout->addWidget(nameLabel);
    nameLayout->addWidget(nameLk, 1);
    nameLayout->addWidget(speedButton1);
    searchLayout->addWidget(namePanel);

    // The navigation tree and the surname initial grid share one place; the tree shows first.
    m_navgStack = new QStackedWidget(searchPanel);
    m_navgStack->setObjectName(QStringLiteral("NavgStack"));
    m_navgTree = new QWidget(m_navgStack);
    m_navgTree->setObjectName(QStringLiteral("NavgTree"));
    m_surNameGrid = new QWidget(m_navgStack);
    m_surNameGrid->setObjectName(QStringLiteral("SurNameGrid"));
    m_navgStack->addWidget(m_navgTree);
    m_navgStack->addWidget(m_surNameGrid);
    searchLayout->addWidget(m_navgStack, 1);

    auto* orgPanel = new QWidget(searchPanel);
    orgPanel->setObjectName(QStringLiteral("OrgPanel"));
    auto* orgLayout = new QHBoxLayout(orgPanel);
    orgLayout->setContentsMargins(2, 0, 2, 2);
    auto* speedButton3 = new QToolButton(orgPanel);
    speedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    speedButton3->setText(QStringLiteral("Org"));
    speedButton3->setToolTip(QStringLiteral("Click to show a larger input box"));
    speedButton3->setStatusTip(QStringLiteral("Click to show a larger input box"));
    connect(speedButton3, &QToolButton::clicked, this, &TMainQVZorek::OrgButtonClicked);
    auto* companyLk = new QLineEdit(orgPanel);
    companyLk->setObjectName(QStringLiteral("CompanyLk"));
    auto* speedButton2 = new QToolButton(orgPanel);
    speedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    speedButton2->setDefaultAction(Action(QStringLiteral("A_ListEntriesOfSameAgent")));
    orgLayout->addWidget(speedButton3);
    orgLayout->addWidget(companyLk, 1);
    orgLayout->addWidget(speedButton2);
    searchLayout->addWidget(orgPanel);

    m_recDBGrid = new QWidget(splitter1);
    m_recDBGrid->setObjectName(QStringLiteral("RecDBGrid"));
    splitter1->addWidget(searchPanel);
    splitter1->addWidget(m_recDBGrid);
    splitter1->setStretchFactor(1, 1);
    // The tree needs room from the start; the list takes the rest.
    splitter1->setSizes({240, 360});

    auto* rightPanel = new QWidget(midSplitter);
    m_rightPanel = rightPanel;
    rightPanel->setObjectName(QStringLiteral("RightPanel"));
    rightPanel->setMinimumSize(418, 388);
    // The entry's fields keep their height in a small window: the panel scrolls instead.
    auto* rightScroll = new QScrollArea(rightPanel);
    rightScroll->setWidgetResizable(true);
    rightScroll->setFrameShape(QFrame::NoFrame);
    auto* scrollLayout = new QVBoxLayout(rightPanel);
    scrollLayout->setContentsMargins(0, 0, 0, 0);
    scrollLayout->addWidget(rightScroll);
    auto* rightContent = new QWidget(rightScroll);
    auto* rightLayout = new QVBoxLayout(rightContent);
    auto makeBox = [&](const QString& name, const QString& title) {
        auto* box = new QGroupBox(title, rightContent);
        box->setObjectName(name);
        new QFormLayout(box);
        rightLayout->addWidget(box);
        m_groupBoxes << box;
        return box;
    };
    QGroupBox* nameBox = makeBox(QStringLiteral("NameGroupbox"), {});
    AddField(nameBox, QStringLiteral("Name"), QStringLiteral("Name"), false);
    AddField(nameBox, QStringLiteral("Position"), QStringLiteral("Position"), false);
    QGroupBox* work = makeBox(QStringLiteral("WorkGroupBox"), QStringLiteral("Work"));
    AddField(work, QStringLiteral("Org"), QStringLiteral("Company"), false);
    AddField(work, QStringLiteral("Address"), QStringLiteral("CAddress"), false);
    AddField(work, QStringLiteral("Zip"), QStringLiteral("CZip"), false);
    AddField(work, QStringLiteral("Phone"), QStringLiteral("CPhone"), false);
    AddField(work, QStringLiteral("Direct"), QStringLiteral("DPhone"), false);
    AddField(work, QStringLiteral("Fax"), QStringLiteral("CFax"), false);
    AddField(work, QStringLiteral("E-Mail"), QStringLiteral("CEMail"), false);
    AddField(work, QStringLiteral("Memo"), QStringLiteral("CMemo"), true);
    QGroupBox* home = makeBox(QStringLiteral("HomeGroupBox"), QStringLiteral("Home"));
    AddField(home, QStringLiteral("Address"), QStringLiteral("Address"), false);
    AddField(home, QStringLiteral("Zip"), QStringLiteral("Zip"), false);
    AddField(home, QStringLiteral("Phone"), QStringLiteral("Phone"), false);
    AddField(home, QStringLiteral("Fax"), QStringLiteral("Fax"), false);
    AddField(home, QStringLiteral("Mobile"), QStringLiteral("Mobile"), false);
    AddField(home, QStringLiteral("BP"), QStringLiteral("Pager"), false);
    AddField(home, QStringLiteral("E-Mail"), QStringLiteral("EMail"), false);
    AddField(home, QStringLiteral("Birthday"), QStringLiteral("Birthday"), false);
    AddField(home, QStringLiteral("Memo"), QStringLiteral("Memo"), true);
    rightLayout->addStretch(1);
    rightScroll->setWidget(rightContent);

    midSplitter->addWidget(leftPanel);
    midSplitter->addWidget(rightPanel);
    midSplitter->setStretchFactor(1, 1);
}

void TMainQVZorek::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("MainStatusBar"));
    bar->setSizeGripEnabled(false);
    m_statusText = new QLabel(bar);
    m_statusText->setObjectName(QStringLiteral("StatusTextPanel"));
    m_statusText->setFixedWidth(228);
    m_lockPanel = new QLabel(bar);
    m_lockPanel->setObjectName(QStringLiteral("LockPanel"));
    m_lockPanel->setFixedWidth(23);
    m_lockPanel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_hintPanel = new QLabel(bar);
    m_hintPanel->setObjectName(QStringLiteral("HintPanel"));
    // The last panel takes the rest of the bar, so that long hints fit.
    m_hintPanel->setMinimumWidth(50);
    bar->addWidget(m_statusText);
    bar->addWidget(m_lockPanel);
    bar->addWidget(m_hintPanel, 1);
    DrawLock();
}

void TMainQVZorek::AddBookItems(const QString& name)
{
    // A "&" in a book name is shown, not taken as an accelerator.
    QString caption = name;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (QMenu* menu : {m_load1, m_loadBnPopupMenu}) {
        QAction* item = menu->addAction(caption);
        connect(item, &QAction::triggered, this,
                [this, menu, item] { emit OpenBookClicked(menu->actions().indexOf(item)); });
    }
    QAction* item = m_delete1->addAction(caption);
    connect(item, &QAction::triggered, this,
            [this, item] { emit DeleteBookClicked(m_delete1->actions().indexOf(item)); });
}

void TMainQVZorek::RemoveBookItems(int position)
{
    if (position < 0 || position >= BookItemCount()) {
        return;
    }
    for (QMenu* menu : {m_load1, m_loadBnPopupMenu, m_delete1}) {
        QAction* item = menu->actions().at(position);
        menu->removeAction(item);
        delete item;
    }
}

int TMainQVZorek::BookItemCount() const
{
    return static_cast<int>(m_load1->actions().size());
}

void TMainQVZorek::DisableBookUI()
{
    m_bookUIEnabled = false;
    for (QWidget* view : {m_surNameGrid, m_navgTree, m_recDBGrid}) {
        view->setEnabled(false);
    }
    for (QGroupBox* box : std::as_const(m_groupBoxes)) {
        box->setEnabled(false);
    }
    // Disabling the bar disables every button on it, the Open button included.
    m_toolBar->setEnabled(false);
    m_editMenu->menuAction()->setEnabled(false);
    m_delete1->menuAction()->setEnabled(false);
    for (QAction* action : std::as_const(m_bookCommands)) {
        action->setEnabled(false);
    }
}

void TMainQVZorek::EnableBookUI()
{
    m_bookUIEnabled = true;
    for (QWidget* view : {m_surNameGrid, m_navgTree, m_recDBGrid}) {
        view->setEnabled(true);
    }
    for (QGroupBox* box : std::as_const(m_groupBoxes)) {
        box->setEnabled(true);
    }
    m_toolBar->setEnabled(true);
    m_editMenu->menuAction()->setEnabled(true);
    m_delete1->menuAction()->setEnabled(true);
    QList<QAction*> actions = m_bookCommands;
    actions << Action(QStringLiteral("A_Options"));
    for (QAction* action : std::as_const(actions)) {
        action->setEnabled(m_ready.contains(action));
    }
}

void TMainQVZorek::UpdateCaption(const QString& title)
{
    setWindowTitle(kProduct + QStringLiteral(" (") + title + QStringLiteral(")"));
}

void TMainQVZorek::SetStatusText(const QString& text)
{
    m_statusText->setText(text);
}

void TMainQVZorek::SetLockState(bool hasPassword, bool netBusy)
{
    m_hasPassword = hasPassword;
    m_netBusy = netBusy;
    DrawLock();
}

void TMainQVZorek::DrawLock()
{
    if (m_netBusy) {
        m_lockPanel->clear();
        return;
    }
    m_lockPanel->setPixmap(QPixmap(m_hasPassword
                                       ? QStringLiteral(":/resources/images/padlock_closed.png")
                                       : QStringLiteral(":/resources/images/padlock_open.png")));
}

void TMainQVZorek::ShowLongHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    m_hintPanel->setText(bar < 0 ? hint : hint.mid(bar + 1));
}

bool TMainQVZorek::CommandShortcutIn(QObject* watched, const QKeyEvent& key) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto* line = qobject_cast<QLineEdit*>(widget);
    const auto* memo = qobject_cast<QPlainTextEdit*>(widget);
    const bool showsOnly = (line && line->isReadOnly()) || (memo && memo->isReadOnly()) ||
                           qobject_cast<QAbstractItemView*>(widget);
    if (!showsOnly)
        return false;
    const QKeySequence pressed(key.keyCombination());
    return std::any_of(m_actionList.begin(), m_actionList.end(), [&](const QAction* action) {
        return action->isEnabled() && action->shortcut() == pressed;
    });
}

bool TMainQVZorek::eventFilter(QObject* watched, QEvent* event)
{
    // Kept from the view, the key goes on to the window's shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        CommandShortcutIn(watched, *static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool TMainQVZorek::event(QEvent* e)
{
    // Hints of menu items and controls go to the hint panel instead of replacing the panels.
    if (e->type() == QEvent::StatusTip) {
        ShowLongHint(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TMainQVZorek::UpdateNetServicesMenu(const QString& moduleFile)
{
    m_qvns1->menuAction()->setVisible(QFileInfo::exists(moduleFile));
}

void TMainQVZorek::SetOutlookCommandsVisible(bool visible)
{
    for (QAction* action : Actions({"A_AddTo", "A_AddCC", "A_AddBCC"})) {
        action->setVisible(visible);
    }
}

namespace {

// A font of the settings: a colour's lowest byte is red, then green, then blue.
void ApplyFont(QWidget* widget, const QString& name, int size, std::int32_t color)
{
    QFont font = widget->font();
    font.setFamily(name);
    if (size > 0) {
        font.setPointSize(size);
    }
    widget->setFont(font);
    const auto rgb = static_cast<std::uint32_t>(color);
    const QColor textColor(rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, textColor);
    palette.setColor(QPalette::Text, textColor);
    widget->setPalette(palette);
}

} // namespace

void TMainQVZorek::ApplyFonts(const OptionType& options)
{
    ApplyFont(m_surNameGrid, options.SurnameGridFontname, options.SurnameGridFontSize,
              options.SurnameGridFontColor);
    ApplyFont(m_navgTree, options.TreeFontname, options.TreeFontSize, options.TreeFontColor);
    ApplyFont(m_recDBGrid, options.RecListFontname, options.RecListFontSize,
              options.RecListFontColor);
    // The lookup boxes above the list take the list's font; the tree keeps its own.
    ApplyFont(m_searchPanel, options.RecListFontname, options.RecListFontSize,
              options.RecListFontColor);
    ApplyFont(m_rightPanel, options.RecViewFontname, options.RecViewFontSize,
              options.RecViewFontColor);
    if (auto* grid = qobject_cast<QTableView*>(m_surNameGrid)) {
        const int height = QFontInfo(grid->font()).pixelSize();
        // The header's own minimum follows its font and would widen the cells.
        grid->horizontalHeader()->setMinimumSectionSize(height + 4);
        grid->horizontalHeader()->setDefaultSectionSize(height + 4);
        grid->verticalHeader()->setMinimumSectionSize(height + 3);
        grid->verticalHeader()->setDefaultSectionSize(height + 3);
    }
}

void TMainQVZorek::ShowEntry(const QVariantMap& entry, const QVariantMap& org)
{
    static const QStringList orgFields = {QStringLiteral("Company"), QStringLiteral("CAddress"),
                                          QStringLiteral("CZip"),    QStringLiteral("CPhone"),
                                          QStringLiteral("CFax"),    QStringLiteral("CEMail"),
                                          QStringLiteral("CMemo")};
    for (auto it = m_fieldViews.cbegin(); it != m_fieldViews.cend(); ++it) {
        const QVariant value = (orgFields.contains(it.key()) ? org : entry).value(it.key());
        QString text;
        if (value.typeId() == QMetaType::QDate) {
            // The zero date stands for no date.
            const QDate date = value.toDate();
            text = date.isValid() && date != QDate(1899, 12, 30)
                       ? date.toString(QStringLiteral("yyyy-MM-dd"))
                       : QString();
        } else {
            text = value.toString();
        }
        if (auto* line = qobject_cast<QLineEdit*>(it.value())) {
            line->setText(text);
            line->setCursorPosition(0);
        } else if (auto* memo = qobject_cast<QPlainTextEdit*>(it.value())) {
            memo->setPlainText(text);
        }
    }
}

void TMainQVZorek::ReplacePlaceholder(QWidget*& placeholder, QWidget* view)
{
    if (view == nullptr || view == placeholder) {
        return;
    }
    if (view->objectName().isEmpty()) {
        view->setObjectName(placeholder->objectName());
    }
    view->setEnabled(placeholder->isEnabled());
    if (placeholder->parentWidget() == m_navgStack) {
        const bool current = m_navgStack->currentWidget() == placeholder;
        const int index = m_navgStack->indexOf(placeholder);
        m_navgStack->insertWidget(index, view);
        if (current) {
            m_navgStack->setCurrentWidget(view);
        }
        m_navgStack->removeWidget(placeholder);
    } else if (auto* splitter = qobject_cast<QSplitter*>(placeholder->parentWidget())) {
        splitter->replaceWidget(splitter->indexOf(placeholder), view);
    }
    delete placeholder;
    placeholder = view;
}

void TMainQVZorek::SetNavgTree(QWidget* tree)
{
    ReplacePlaceholder(m_navgTree, tree);
}

void TMainQVZorek::SetSurNameGrid(QWidget* grid)
{
    ReplacePlaceholder(m_surNameGrid, grid);
}

void TMainQVZorek::SetRecDBGrid(QWidget* grid)
{
    ReplacePlaceholder(m_recDBGrid, grid);
}

void TMainQVZorek::ShowSurNameGrid(bool show)
{
    m_navgStack->setCurrentWidget(show ? m_surNameGrid : m_navgTree);
}

void TMainQVZorek::A_AboutExecute()
{
    TAboutFm about(this);
    about.exec();
}
