// The main window offscreen: the command table's captions, shortcuts and hints, the order of
// the menus, popups and toolbar, the book items kept in step across the three book menus,
// the book UI switched off and on, the caption, the padlock, the hint panel and the views.
#include "app/MainForm.h"
#include "app/AboutForm.h"
#include "storage/OptionType.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct CommandCase
{
    const char* name;
    const char* caption;
    const char* shortcut;
    const char* hint;
};

const CommandCase kCommandTable[] = {
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

// A menu as its texts, "-" for a separator.
QStringList Texts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

class MainFormTest : public ::testing::Test
{
protected:
    QMenu* Menu(const char* name) const
    {
        auto* menu = window.findChild<QMenu*>(QString::fromLatin1(name));
        EXPECT_NE(menu, nullptr) << name;
        return menu;
    }
    QAction* Command(const char* name) const
    {
        QAction* action = window.Action(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    template <typename T> T* Child(const char* name) const
    {
        auto* child = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // Every command of the table connected, as the controllers will have done.
    void ConnectAll()
    {
        for (QAction* action : window.ActionList1()) {
            window.ConnectCommand(action->objectName(), [] {});
        }
        for (const char* name : {"Upload1", "Download1", "SignUp1"}) {
            window.ConnectCommand(QString::fromLatin1(name), [] {});
        }
    }

    TMainQVZorek window;
};

TEST_F(MainFormTest, EveryCommandHasTheCaptionShortcutAndHintOfTheTable)
{
    const QList<QAction*>& list = window.ActionList1();
    ASSERT_EQ(list.size(), static_cast<qsizetype>(std::size(kCommandTable)));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const CommandCase& expected = kCommandTable[i];
        SCOPED_TRACE(expected.name);
        QAction* action = list.at(i);
        EXPECT_EQ(action->objectName().toStdString(), expected.name);
        EXPECT_EQ(window.Action(QString::fromLatin1(expected.name)), action);
        EXPECT_EQ(action->text().toStdString(), expected.caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(expected.shortcut)))
            << action->shortcut().toString().toStdString();
        EXPECT_EQ(action->shortcut().isEmpty(), *expected.shortcut == '\0');
        EXPECT_EQ(action->statusTip().toStdString(), expected.hint);
        if (*expected.hint != '\0') {
            EXPECT_EQ(action->toolTip().toStdString(), expected.hint);
        }
    }
    EXPECT_EQ(window.Action(QStringLiteral("A_Nothing")), nullptr);
}

TEST_F(MainFormTest, OnlyTheCommandsTheWindowRunsItselfStartEnabled)
{
    for (QAction* action : window.ActionList1()) {
        EXPECT_EQ(action->isEnabled(), action->objectName() == QStringLiteral("A_About"))
            << action->objectName().toStdString();
    }
    EXPECT_TRUE(Command("Exit1")->isEnabled());
    EXPECT_FALSE(Command("Upload1")->isEnabled());

    int runs = 0;
    window.ConnectCommand(QStringLiteral("A_Print"), [&runs] { ++runs; });
    EXPECT_TRUE(Command("A_Print")->isEnabled());
    Command("A_Print")->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainFormTest, MainMenuItemsAreInOrder)
{
    EXPECT_EQ(window.menuBar()->objectName(), QStringLiteral("MainMenu"));
    EXPECT_EQ(Texts(window.menuBar()->actions()),
              (QStringList{"&File", "&Edit", "&Net Services", "&Tools", "&Help"}));

    struct MenuCase
    {
        const char* name;
        QStringList texts;
    };
    const MenuCase cases[] = {
        {"File1",
         {"&Open", "Load &from...", "&New...", "&Save", "Save &As...", "&Delete", "-", "&Export to",
          "&Import from", "-", "Print &Mode...", "Print Set&up...", "Print Pre&view", "&Print", "-",
          "E&xit"}},
        {"ExportTo1", {"CSV File...", "vCard..."}},
        {"ImportFrom1", {"WAB", "WAB file...", "CSV file...", "vCard..."}},
        {"Edit1",
         {"&Search...", "-", "&Edit entry...", "&Add entry...", "&Delete", "-",
          "Clea&r isolated org", "-", "&Copy Current to Clipboard"}},
        {"QVNS1", {"&Upload", "&Download", "&Sign up"}},
        {"Tools1", {"D&ial...", "E-&mail", "Go &URL", "-", "&Options..."}},
        {"Email1",
         {"&To:", "&CC:", "&BCC:", "-", "&Launch...", "Paste 'To' to Ms-Outlook",
          "Paste 'CC' to Ms-Outlook", "Paste 'BCC' to Ms-Outlook"}},
        {"Help1", {"&Contents", "Home page", "&About..."}},
        {"TreePopupMenu", {"&Add Category", "&Edit Category", "&Delete Category"}},
        {"RecPopupMenu",
         {"&Add entry...", "&Edit entry...", "&Delete", "Delete from current Categor&y", "-",
          "Become &yellow page entries", "Become &white page entries", "-", "&To:", "&CC:", "&BCC:",
          "&Launch...", "Paste 'To' to Ms-Outlook", "Paste 'CC' to Ms-Outlook",
          "Paste 'BCC' to Ms-Outlook", "-", "&Select All", "&UnSelect All"}},
        {"SurnamePopupMenu", {"&Refresh"}},
        {"Load1", {}},
        {"Delete1", {}},
        {"LoadBnPopupMenu", {}},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (QMenu* menu = Menu(c.name)) {
            EXPECT_EQ(Texts(menu), c.texts);
        }
    }
    // The popups belong to the window, not to the menu bar.
    EXPECT_FALSE(window.menuBar()->actions().contains(window.RecPopupMenu()->menuAction()));

    EXPECT_EQ(Menu("Load1")->menuAction()->statusTip(), QStringLiteral("Open an address book"));
    EXPECT_EQ(Menu("Delete1")->menuAction()->statusTip(), QStringLiteral("Delete an address book"));
    EXPECT_EQ(Menu("Email1")->menuAction()->statusTip(),
              QStringLiteral("E-mail to the selected addresses"));
    EXPECT_EQ(Command("Upload1")->statusTip(), QStringLiteral("Upload address book"));
    EXPECT_EQ(Command("Download1")->statusTip(), QStringLiteral("Download address book"));
    EXPECT_EQ(Command("SignUp1")->statusTip(), QStringLiteral("Sign up QVNS"));
}

TEST_F(MainFormTest, ToolbarButtonsAreInOrder)
{
    auto* bar = Child<QToolBar>("MainToolBar");
    ASSERT_NE(bar, nullptr);
    QStringList buttons;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            buttons << QStringLiteral("-");
        } else if (action->objectName().isEmpty()) {
            buttons << bar->widgetForAction(action)->objectName();
        } else {
            buttons << action->objectName();
        }
    }
    EXPECT_EQ(buttons, (QStringList{"LoadBn", "A_Save", "-", "A_PrintMode", "A_Print", "A_Preview",
                                    "-", "A_EditRecord", "A_AddRecord", "A_DeleteRecords",
                                    "A_Search", "-", "A_Dial", "MailerBn", "A_URL"}));

    auto* loadBn = Child<QToolButton>("LoadBn");
    auto* mailerBn = Child<QToolButton>("MailerBn");
    ASSERT_TRUE(loadBn && mailerBn);
    EXPECT_EQ(loadBn->text(), QStringLiteral("&Open"));
    EXPECT_EQ(loadBn->toolTip(), QStringLiteral("Open an address book"));
    EXPECT_EQ(mailerBn->text(), QStringLiteral("E-&mail"));
    EXPECT_EQ(mailerBn->toolTip(), QStringLiteral("E-mail to the selected addresses"));
    EXPECT_EQ(mailerBn->menu(), Menu("Email1"));
}

TEST_F(MainFormTest, OpenButtonPopsTheBookListUpBelowItsLeftEdge)
{
    window.AddBookItems(QStringLiteral("Default"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* loadBn = Child<QToolButton>("LoadBn");
    ASSERT_NE(loadBn, nullptr);

    QTest::mouseClick(loadBn, Qt::LeftButton);
    QMenu* popup = window.LoadBnPopupMenu();
    ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); }));
    EXPECT_EQ(popup->pos(), loadBn->mapToGlobal(QPoint(0, loadBn->height())));

    // Clicking the book's item reports its position.
    QSignalSpy opened(&window, &TMainQVZorek::OpenBookClicked);
    QTest::mouseClick(popup, Qt::LeftButton, {},
                      popup->actionGeometry(popup->actions().at(0)).center());
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.at(0).at(0).toInt(), 0);
}

TEST_F(MainFormTest, BookItemsStayInStepAcrossTheThreeMenus)
{
    QSignalSpy opened(&window, &TMainQVZorek::OpenBookClicked);
    QSignalSpy deleted(&window, &TMainQVZorek::DeleteBookClicked);
    for (const QString& name :
         {QStringLiteral("Alpha"), QStringLiteral("B&B"), QStringLiteral("Gamma")}) {
        window.AddBookItems(name);
    }
    EXPECT_EQ(window.BookItemCount(), 3);
    // A "&" in a book name is shown as it is, not taken as an accelerator.
    const QStringList three{"Alpha", "B&&B", "Gamma"};
    EXPECT_EQ(Texts(Menu("Load1")), three);
    EXPECT_EQ(Texts(window.LoadBnPopupMenu()), three);
    EXPECT_EQ(Texts(Menu("Delete1")), three);

    Menu("Load1")->actions().at(2)->trigger();
    window.LoadBnPopupMenu()->actions().at(1)->trigger();
    Menu("Delete1")->actions().at(0)->trigger();
    ASSERT_EQ(opened.count(), 2);
    EXPECT_EQ(opened.at(0).at(0).toInt(), 2);
    EXPECT_EQ(opened.at(1).at(0).toInt(), 1);
    ASSERT_EQ(deleted.count(), 1);
    EXPECT_EQ(deleted.at(0).at(0).toInt(), 0);

    // Removing a book shifts the later ones up; their items report the new position.
    window.RemoveBookItems(1);
    const QStringList two{"Alpha", "Gamma"};
    EXPECT_EQ(Texts(Menu("Load1")), two);
    EXPECT_EQ(Texts(window.LoadBnPopupMenu()), two);
    EXPECT_EQ(Texts(Menu("Delete1")), two);
    Menu("Delete1")->actions().at(1)->trigger();
    EXPECT_EQ(deleted.at(1).at(0).toInt(), 1);

    // A book added later goes to the end of all three.
    window.AddBookItems(QStringLiteral("Beta"));
    EXPECT_EQ(Texts(Menu("Delete1")), (QStringList{"Alpha", "Gamma", "Beta"}));
    window.LoadBnPopupMenu()->actions().at(2)->trigger();
    EXPECT_EQ(opened.last().at(0).toInt(), 2);

    for (int outside : {-1, 3, 99}) {
        window.RemoveBookItems(outside);
    }
    EXPECT_EQ(window.BookItemCount(), 3);
}

TEST_F(MainFormTest, DisableBookUITurnsOffTheBookControlsAndItemsOnly)
{
    ConnectAll();
    auto* bar = Child<QToolBar>("MainToolBar");
    ASSERT_NE(bar, nullptr);
    const QList<QAction*> buttons = bar->actions();
    const char* bookItems[] = {"A_Save",    "A_ExportQVP", "A_PrintMode", "A_PrintSetup",
                               "A_Preview", "A_Print",     "Upload1",     "SignUp1"};
    const char* views[] = {"NavgTree",     "SurNameGrid",  "RecDBGrid",
                           "NameGroupbox", "WorkGroupBox", "HomeGroupBox"};
    const char* staying[] = {"A_ImportQVP", "A_New",   "Download1", "A_Options",
                             "A_Dial",      "A_About", "Exit1"};

    window.DisableBookUI();
    EXPECT_FALSE(window.IsBookUIEnabled());
    for (const char* name : bookItems) {
        EXPECT_FALSE(Command(name)->isEnabled()) << name;
    }
    for (const char* name : views) {
        EXPECT_FALSE(Child<QWidget>(name)->isEnabled()) << name;
    }
    for (QAction* button : buttons) {
        if (!button->isSeparator()) {
            EXPECT_FALSE(bar->widgetForAction(button)->isEnabled())
                << bar->widgetForAction(button)->objectName().toStdString();
        }
    }
    EXPECT_FALSE(Menu("Edit1")->menuAction()->isEnabled());
    EXPECT_FALSE(Menu("Delete1")->menuAction()->isEnabled());
    EXPECT_TRUE(Menu("Load1")->menuAction()->isEnabled());
    for (const char* name : staying) {
        EXPECT_TRUE(Command(name)->isEnabled()) << name;
    }

    // A command connected while the template is shown waits for a book.
    window.ConnectCommand(QStringLiteral("A_Print"), [] {});
    EXPECT_FALSE(Command("A_Print")->isEnabled());

    window.EnableBookUI();
    EXPECT_TRUE(window.IsBookUIEnabled());
    for (const char* name : bookItems) {
        EXPECT_TRUE(Command(name)->isEnabled()) << name;
    }
    for (const char* name : views) {
        EXPECT_TRUE(Child<QWidget>(name)->isEnabled()) << name;
    }
    for (QAction* button : buttons) {
        if (!button->isSeparator()) {
            EXPECT_TRUE(bar->widgetForAction(button)->isEnabled());
        }
    }
    EXPECT_TRUE(Menu("Edit1")->menuAction()->isEnabled());
    EXPECT_TRUE(Menu("Delete1")->menuAction()->isEnabled());
}

TEST_F(MainFormTest, EnableBookUIAlsoEnablesOptionsButNoCommandWithoutAHandler)
{
    window.ConnectCommand(QStringLiteral("A_Options"), [] {});
    window.ConnectCommand(QStringLiteral("A_Save"), [] {});
    Command("A_Options")->setEnabled(false);
    window.DisableBookUI();
    window.EnableBookUI();
    EXPECT_TRUE(Command("A_Options")->isEnabled());
    EXPECT_TRUE(Command("A_Save")->isEnabled());
    // Nothing would run these yet.
    EXPECT_FALSE(Command("A_Print")->isEnabled());
    EXPECT_FALSE(Command("A_Search")->isEnabled());
}

TEST_F(MainFormTest, ProvidedViewsTakeThePlaceholdersPlaceAndFollowTheBookUI)
{
    window.DisableBookUI();
    auto* tree = new QTreeView;
    window.SetNavgTree(tree);
    EXPECT_EQ(tree->objectName(), QStringLiteral("NavgTree"));
    EXPECT_FALSE(tree->isEnabled());
    auto* stack = Child<QStackedWidget>("NavgStack");
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->currentWidget(), tree);
    EXPECT_EQ(stack->count(), 2);

    auto* grid = new QTreeView;
    grid->setObjectName(QStringLiteral("RecDBGrid"));
    window.SetRecDBGrid(grid);
    EXPECT_EQ(window.findChildren<QWidget*>(QStringLiteral("RecDBGrid")).size(), 1);

    window.EnableBookUI();
    EXPECT_TRUE(tree->isEnabled());
    EXPECT_TRUE(grid->isEnabled());

    window.ShowSurNameGrid(true);
    EXPECT_EQ(stack->currentWidget()->objectName(), QStringLiteral("SurNameGrid"));
    window.ShowSurNameGrid(false);
    EXPECT_EQ(stack->currentWidget(), tree);
}

TEST_F(MainFormTest, WindowAreasKeepTheirSizeLimits)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("MainQVZorek"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillvane"));
    auto* left = Child<QWidget>("LeftPanel");
    auto* search = Child<QWidget>("SearchPanel");
    auto* right = Child<QWidget>("RightPanel");
    ASSERT_TRUE(left && search && right);
    EXPECT_EQ(left->minimumWidth(), 68);
    EXPECT_EQ(left->maximumWidth(), 388);
    EXPECT_EQ(left->minimumHeight(), 388);
    EXPECT_EQ(search->minimumHeight(), 68);
    EXPECT_EQ(search->maximumHeight(), 320);
    EXPECT_EQ(right->minimumSize(), QSize(418, 388));
    for (const char* name : {"NamePanel", "NameLk", "OrgPanel", "CompanyLk", "Splitter1",
                             "MidSplitter", "MainStatusBar"}) {
        EXPECT_NE(window.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_EQ(Child<QGroupBox>("WorkGroupBox")->title(), QStringLiteral("Work"));
    EXPECT_EQ(Child<QGroupBox>("HomeGroupBox")->title(), QStringLiteral("Home"));

    EXPECT_EQ(Child<QToolButton>("SpeedButton1")->defaultAction(), Command("A_InquireName"));
    EXPECT_EQ(Child<QToolButton>("SpeedButton2")->defaultAction(),
              Command("A_ListEntriesOfSameAgent"));
    auto* org = Child<QToolButton>("SpeedButton3");
    ASSERT_NE(org, nullptr);
    EXPECT_EQ(org->text(), QStringLiteral("Org"));
    EXPECT_EQ(org->toolTip(), QStringLiteral("Click to show a larger input box"));
    QSignalSpy clicked(&window, &TMainQVZorek::OrgButtonClicked);
    org->click();
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(MainFormTest, CaptionShowsTheBookInBrackets)
{
    for (const QString& title : {QStringLiteral("Default"), QStringLiteral("/home/u/Friends.qvp"),
                                 QStringLiteral("Net Address Book")}) {
        window.UpdateCaption(title);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillvane (") + title + u')');
    }
}

TEST_F(MainFormTest, PadlockFollowsThePasswordAndIsNotDrawnWhileNetBusy)
{
    auto* lock = Child<QLabel>("LockPanel");
    ASSERT_NE(lock, nullptr);
    const auto image = [](const QString& path) {
        return QImage(path).convertToFormat(QImage::Format_ARGB32);
    };
    const QImage closed = image(QStringLiteral(":/resources/images/padlock_closed.png"));
    const QImage open = image(QStringLiteral(":/resources/images/padlock_open.png"));
    ASSERT_FALSE(closed.isNull());
    ASSERT_NE(closed, open);
    const auto shown = [lock] {
        return lock->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    };

    EXPECT_EQ(shown(), open);
    window.SetLockState(true, false);
    EXPECT_EQ(shown(), closed);
    window.SetLockState(true, true);
    EXPECT_TRUE(lock->pixmap().isNull());
    window.SetLockState(false, false);
    EXPECT_EQ(shown(), open);
    EXPECT_EQ(lock->width(), 23);
}

TEST_F(MainFormTest, HintsGoToTheLastPanelAndLeaveTheOthersShown)
{
    auto* hint = Child<QLabel>("HintPanel");
    auto* text = Child<QLabel>("StatusTextPanel");
    ASSERT_TRUE(hint && text);
    EXPECT_EQ(text->width(), 228);
    window.SetStatusText(QStringLiteral("3 Entries; 2 Listed; 1 Selected"));

    window.ShowLongHint(QStringLiteral("Save|Save the address book"));
    EXPECT_EQ(hint->text(), QStringLiteral("Save the address book"));
    window.ShowLongHint(QStringLiteral("Print the address book"));
    EXPECT_EQ(hint->text(), QStringLiteral("Print the address book"));

    // Hovering a menu item sends its hint to the window.
    Command("A_Search")->showStatusText(&window);
    EXPECT_EQ(hint->text(), QStringLiteral("Search entries with specified conditions"));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(text->text(), QStringLiteral("3 Entries; 2 Listed; 1 Selected"));
}

TEST_F(MainFormTest, CommandShortcutsWorkInViewsThatOnlyShowButNotInTypedBoxes)
{
    int added = 0;
    window.ConnectCommand(QStringLiteral("A_AddRecord"), [&added] { ++added; });
    auto* typed = new QLineEdit(window.centralWidget());
    typed->setText(QStringLiteral("Smith"));
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    auto* shown = Child<QLineEdit>("NameView");
    ASSERT_TRUE(shown->isReadOnly());
    shown->setFocus();
    QTest::keyClick(shown, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(added, 1) << "a read-only field of the right panel";

    // A box the user types in keeps its own select-all.
    typed->setFocus();
    QTest::keyClick(typed, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(typed->selectedText(), QStringLiteral("Smith"));
}

TEST_F(MainFormTest, RightPanelShowsTheEntryAndItsOrg)
{
    const auto line = [this](const char* field) {
        auto* view = Child<QLineEdit>((std::string(field) + "View").c_str());
        return view ? view->text() : QStringLiteral("<none>");
    };
    const auto memo = [this](const char* field) {
        auto* view = Child<QPlainTextEdit>((std::string(field) + "View").c_str());
        return view ? view->toPlainText() : QStringLiteral("<none>");
    };
    QVariantMap entry{{"Name", "Ann Lee"},      {"Position", "Clerk"},
                      {"Address", "1 Home St"}, {"Pager", "555-1"},
                      {"DPhone", "555-2"},      {"Birthday", QDate(1970, 5, 6)},
                      {"Memo", "likes tea"},    {"Company", "not the org's name"}};
    QVariantMap org{{"Company", "Acme"}, {"CAddress", "9 Works Rd"}, {"CMemo", "big"}};
    window.ShowEntry(entry, org);
    EXPECT_EQ(line("Name"), QStringLiteral("Ann Lee"));
    EXPECT_EQ(line("Position"), QStringLiteral("Clerk"));
    EXPECT_EQ(line("Address"), QStringLiteral("1 Home St"));
    EXPECT_EQ(line("Pager"), QStringLiteral("555-1"));
    EXPECT_EQ(line("DPhone"), QStringLiteral("555-2"));
    EXPECT_EQ(line("Birthday"), QStringLiteral("1970-05-06"));
    EXPECT_EQ(memo("Memo"), QStringLiteral("likes tea"));
    EXPECT_EQ(line("Company"), QStringLiteral("Acme"));
    EXPECT_EQ(line("CAddress"), QStringLiteral("9 Works Rd"));
    EXPECT_EQ(memo("CMemo"), QStringLiteral("big"));
    EXPECT_TRUE(Child<QLineEdit>("CompanyView")->isReadOnly());

    // The next entry leaves nothing of the last one behind; the zero date is no date.
    window.ShowEntry({{"Name", "Bo"}, {"Birthday", QDate(1899, 12, 30)}}, {});
    EXPECT_EQ(line("Name"), QStringLiteral("Bo"));
    EXPECT_EQ(line("Birthday"), QString());
    EXPECT_EQ(line("Address"), QString());
    EXPECT_EQ(line("Company"), QString());
    EXPECT_EQ(memo("CMemo"), QString());
}

TEST_F(MainFormTest, FontsOfTheSettingsGoToTheirViews)
{
    auto* grid = new QTableView;
    window.SetSurNameGrid(grid);
    OptionType options(QStringLiteral("unused.ini"));
    options.SurnameGridFontname = QStringLiteral("Grid Face");
    options.SurnameGridFontSize = 20;
    options.TreeFontname = QStringLiteral("Tree Face");
    options.TreeFontSize = 11;
    options.TreeFontColor = 0x0000FF; // red
    options.RecListFontname = QStringLiteral("List Face");
    options.RecListFontSize = 9;
    options.RecListFontColor = 0xFF0000; // blue
    options.RecViewFontname = QStringLiteral("View Face");
    options.RecViewFontSize = 13;
    window.ApplyFonts(options);

    auto* tree = Child<QWidget>("NavgTree");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->font().family(), QStringLiteral("Tree Face"));
    EXPECT_EQ(tree->font().pointSize(), 11);
    EXPECT_EQ(tree->palette().color(QPalette::Text), QColor(255, 0, 0));
    // The lookup boxes take the entry list's font, the right panel's views the view font.
    auto* nameLk = Child<QLineEdit>("NameLk");
    EXPECT_EQ(nameLk->font().family(), QStringLiteral("List Face"));
    EXPECT_EQ(nameLk->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Child<QWidget>("RecDBGrid")->font().family(), QStringLiteral("List Face"));
    EXPECT_EQ(Child<QLineEdit>("CompanyView")->font().family(), QStringLiteral("View Face"));
    EXPECT_EQ(Child<QLineEdit>("CompanyView")->font().pointSize(), 13);

    EXPECT_EQ(grid->font().family(), QStringLiteral("Grid Face"));
    const int height = QFontInfo(grid->font()).pixelSize();
    EXPECT_EQ(grid->horizontalHeader()->defaultSectionSize(), height + 4);
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), height + 3);
}

TEST_F(MainFormTest, NetServicesShowOnlyWithTheModuleInTheCurrentFolder)
{
    QMenu* qvns = Menu("QVNS1");
    ASSERT_NE(qvns, nullptr);
    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    window.UpdateNetServicesMenu();
    EXPECT_FALSE(qvns->menuAction()->isVisible());
    QFile module(folder.filePath(QStringLiteral("qvmond.dll")));
    ASSERT_TRUE(module.open(QIODevice::WriteOnly));
    module.close();
    window.UpdateNetServicesMenu();
    EXPECT_TRUE(qvns->menuAction()->isVisible());
    QDir::setCurrent(previous);
}

TEST_F(MainFormTest, OutlookPasteCommandsShowOnlyWhenAsked)
{
    for (const char* name : {"A_AddTo", "A_AddCC", "A_AddBCC"}) {
        EXPECT_FALSE(Command(name)->isVisible()) << name;
    }
    window.SetOutlookCommandsVisible(true);
    for (const char* name : {"A_AddTo", "A_AddCC", "A_AddBCC"}) {
        EXPECT_TRUE(Command(name)->isVisible()) << name;
    }
}

TEST_F(MainFormTest, ExitClosesTheWindowAndAboutShowsModally)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    bool aboutShown = false;
    QTimer::singleShot(0, &window, [&aboutShown] {
        if (auto* about = qobject_cast<TAboutFm*>(QApplication::activeModalWidget())) {
            aboutShown = true;
            about->accept();
        }
    });
    Command("A_About")->trigger();
    EXPECT_TRUE(aboutShown);

    Command("Exit1")->trigger();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
