// The entry list in the main window, offscreen, on a book opened from disk: the status line
// after listings and selections, the initial grid, the name and org lookups with their Enter
// paths and the larger org box, marking entries yellow and white, and the name hint.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/MainForm.h"
#include "app/MainWindowBridge.h"
#include "navigation/NavgTree.h"
#include "navigation/OrgLkDlg.h"
#include "navigation/RecDBGrid.h"
#include "navigation/SurNameGrid.h"
#include "support/BookFiles.h"
#include "support/ScriptedPrompter.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

struct Person
{
    const char* name;
    const char* surname;
    int org;
    bool yellow;
};

const Person kPeople[] = {
    {"Andy Smith", "Smith", 2001, false}, {"anne Stone", "Stone", 2002, false},
    {"Bert Brown", "Brown", 2001, false}, {"Cleo Chen", "Chen", 0, false},
    {"Acme Inc", "Acme Inc", 2001, true}, {"Dan Andrews", "Andrews", 2002, false},
};

void MakeBook(const QString& path, const QString& scratch)
{
    TCardData data;
    data.AgentDataSet.AppendRecord({0, QStringLiteral("Unknown Org")});
    data.AgentDataSet.AppendRecord({2001, QStringLiteral("Acme Inc")});
    data.AgentDataSet.AppendRecord({2002, QStringLiteral("Beta Works")});
    TableView& names = data.NameDataSet;
    int id = 2001;
    for (const Person& person : kPeople) {
        names.Append();
        names.FieldByName(u"ClientID").SetValue(id++);
        names.FieldByName(u"Name").SetValue(QString::fromLatin1(person.name));
        names.FieldByName(u"SurName").SetValue(QString::fromLatin1(person.surname));
        names.FieldByName(u"OrgID").SetValue(person.org);
        names.FieldByName(u"Yellow").SetValue(person.yellow);
        for (const char16_t* slot : {u"Group1", u"Group2", u"Group3", u"Group4"})
            names.FieldByName(slot).SetValue(1000);
        names.Post();
    }
    ASSERT_TRUE(SaveTestBook(data, path, scratch));
}

class EntryListWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString program = m_dir.path() + u'/';
        MakeBook(program + QStringLiteral("Data/Default.qvp"), m_dir.path());
        m_controller.State().WorkFolder = m_dir.filePath(QStringLiteral("QV")) + u'/';
        m_bridge.Attach(m_controller);
        m_window.show();
        m_controller.FormShow();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        ASSERT_THAT(m_prompter.Texts(), IsEmpty());
        m_grid = m_window.findChild<RecDBGrid*>(QStringLiteral("RecDBGrid"));
        m_initials = m_window.findChild<SurNameGrid*>(QStringLiteral("SurNameGrid"));
        m_nameLk = m_window.findChild<QLineEdit*>(QStringLiteral("NameLk"));
        m_companyLk = m_window.findChild<QLineEdit*>(QStringLiteral("CompanyLk"));
        m_stack = m_window.findChild<QStackedWidget*>(QStringLiteral("NavgStack"));
        ASSERT_TRUE(m_grid && m_initials && m_nameLk && m_companyLk && m_stack);
    }

    QString Status() const
    {
        return m_window.findChild<QLabel*>(QStringLiteral("StatusTextPanel"))->text();
    }

    QStringList Listed() const
    {
        QStringList names;
        for (int row = 0; row < m_grid->model()->rowCount(); ++row)
            names << m_grid->model()->index(row, 0).data().toString();
        return names;
    }

    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QRect rect = m_grid->visualRect(m_grid->model()->index(row, 0));
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    void Type(QLineEdit* box, const QString& text)
    {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    void Run(const char* action) { m_window.Action(QString::fromLatin1(action))->trigger(); }

    bool Yellow(const QString& name)
    {
        TableView& all = m_controller.Data().NameLookDataset;
        return all.Locate(u"Name", name) && all.FieldByName(u"Yellow").AsBoolean();
    }

    bool GridShown() const { return m_stack->currentWidget() == m_initials; }

    QTemporaryDir m_dir;
    TMainQVZorek m_window;
    ScriptedPrompter m_prompter;
    MainWindowBridge m_bridge{m_window, m_prompter};
    MainController m_controller{m_bridge, m_prompter, m_dir.path() + u'/'};
    RecDBGrid* m_grid = nullptr;
    SurNameGrid* m_initials = nullptr;
    QLineEdit* m_nameLk = nullptr;
    QLineEdit* m_companyLk = nullptr;
    QStackedWidget* m_stack = nullptr;
};

TEST_F(EntryListWindow, StatusLineFollowsListingsAndSelections)
{
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 0 Selected");
    m_grid->setFocus(Qt::TabFocusReason);
    ClickRow(1);
    ClickRow(3, Qt::ShiftModifier);
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 3 Selected");
    Run("A_SelectAll");
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 6 Selected");
    EXPECT_EQ(m_prompter.waitDepth, 0);
    Run("A_UnselectAll");
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 0 Selected");

    // An initial of the grid lists the white page entries filed under it.
    m_nameLk->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(GridShown());
    QPoint cell;
    for (int column = 1; column < m_initials->columnCount() && cell.isNull(); ++column)
        if (m_initials->InitialAt(0, column) == "S")
            cell = m_initials->visualRect(m_initials->model()->index(0, column)).center();
    ASSERT_FALSE(cell.isNull());
    QTest::mouseClick(m_initials->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    EXPECT_THAT(Listed(), ElementsAre("Andy Smith", "anne Stone"));
    EXPECT_EQ(Status(), "6 Entries; 2 Listed; 0 Selected");
    EXPECT_FALSE(GridShown()) << "releasing the button shows the tree again";
}

TEST_F(EntryListWindow, SelectedEntriesDroppedOnACategoryGoIntoIt)
{
    CTreeMT& tree = m_controller.Tree();
    CTreeNode* friends = tree.AddCategory(tree.Root(), QStringLiteral("Friends"));
    auto* view = m_window.findChild<NavgTree*>(QStringLiteral("NavgTree"));
    view->expandAll();
    m_grid->setFocus(Qt::TabFocusReason);
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    const QStringList dropped{Listed()[0], Listed()[2]};
    ASSERT_EQ(Status(), "6 Entries; 6 Listed; 2 Selected");

    const QPoint pos = view->visualRect(view->ItemModel().IndexOf(friends)).center();
    const std::unique_ptr<QMimeData> data(NavgTree::EntriesDragData());
    QDragEnterEvent enter(pos, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &enter);
    QDragMoveEvent move(pos, Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &move);
    QDropEvent drop(QPointF(pos), Qt::MoveAction | Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(view->viewport(), &drop);

    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 0 Selected");
    EXPECT_THAT(m_prompter.Texts(), IsEmpty());
    view->SelectNode(friends);
    EXPECT_EQ(Listed(), dropped);
    EXPECT_TRUE(m_controller.Package().IsBookModified());
}

TEST_F(EntryListWindow, AnEmptyListingShowsNeitherEntryNorOrg)
{
    const auto shown = [this](const char* view) {
        return m_window.findChild<QLineEdit*>(QString::fromLatin1(view))->text();
    };
    ClickRow(0);
    ASSERT_EQ(shown("NameView"), QStringLiteral("Andy Smith"));
    ASSERT_EQ(shown("CompanyView"), QStringLiteral("Acme Inc"));
    Type(m_nameLk, QStringLiteral("Nobody"));
    EXPECT_THAT(Listed(), IsEmpty());
    EXPECT_EQ(shown("NameView"), QString());
    EXPECT_EQ(shown("CompanyView"), QString());
}

TEST_F(EntryListWindow, TreeCellLeadsBackToTheTreeAndItsListing)
{
    m_nameLk->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(GridShown());
    ASSERT_EQ(Listed().size(), 5);
    const QPoint cell = m_initials->visualRect(m_initials->model()->index(0, 0)).center();
    QTest::mouseClick(m_initials->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    EXPECT_FALSE(GridShown());
    EXPECT_TRUE(m_window.findChild<QWidget*>(QStringLiteral("NavgTree"))->hasFocus());
    EXPECT_EQ(Listed().size(), 6) << "the tree's top node lists every entry again";
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 0 Selected");
}

TEST_F(EntryListWindow, InitialGridHoldsWhitePageInitialsAndTheTreeCell)
{
    QStringList initials;
    for (int row = 0; row < m_initials->rowCount(); ++row)
        for (int column = 0; column < m_initials->columnCount(); ++column)
            if (!m_initials->InitialAt(row, column).isEmpty())
                initials << m_initials->InitialAt(row, column);
    EXPECT_THAT(initials, ElementsAre("A", "B", "C", "S")); // not the yellow "Acme Inc"
    EXPECT_GE(m_initials->columnCount(), 4);

    // F5 in the name box reads the initials from the entries again.
    m_controller.Data().NameDataSet.AppendRecord(
        {2100, QStringLiteral("Quinn"), QStringLiteral("Quinn")});
    int mailCommands = 0; // the window's command on F5 elsewhere
    m_window.ConnectCommand(QStringLiteral("A_getToEmails"), [&mailCommands] { ++mailCommands; });
    m_nameLk->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_nameLk, Qt::Key_F5);
    EXPECT_EQ(mailCommands, 0);
    initials.clear();
    for (int row = 0; row < m_initials->rowCount(); ++row)
        for (int column = 0; column < m_initials->columnCount(); ++column)
            if (!m_initials->InitialAt(row, column).isEmpty())
                initials << m_initials->InitialAt(row, column);
    EXPECT_THAT(initials, ElementsAre("A", "B", "C", "Q", "S"));
    EXPECT_TRUE(GridShown());
}

TEST_F(EntryListWindow, ResizingTheLeftPanelRefillsTheGridToItsWidth)
{
    QWidget* left = m_window.findChild<QWidget*>(QStringLiteral("LeftPanel"));
    for (int width : {100, 380}) {
        left->resize(width, left->height());
        EXPECT_EQ(m_initials->columnCount(),
                  SurnameGridColumns(width, m_initials->DefaultColumnWidth()));
    }
    EXPECT_GT(m_initials->columnCount(), 4);
    left->resize(100, left->height());
    EXPECT_EQ(m_initials->columnCount(), 4) << "a narrow panel still gives 4 columns";
}

TEST_F(EntryListWindow, NameLookupListsByTheBeginningOfTheName)
{
    m_nameLk->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(GridShown());
    EXPECT_EQ(Listed().size(), 5) << "the white page entries";
    EXPECT_EQ(m_controller.Data().NameLookDataSet2.Filter(), "not (Yellow=true)");

    Type(m_nameLk, QStringLiteral("AN"));
    EXPECT_THAT(Listed(), ElementsAre("Andy Smith", "anne Stone"));
    EXPECT_EQ(m_nameLk->text(), "");
    EXPECT_EQ(Status(), "6 Entries; 2 Listed; 0 Selected");

    Type(m_nameLk, QStringLiteral("a")); // yellow "Acme Inc" is left out
    EXPECT_THAT(Listed(), ElementsAre("Andy Smith", "anne Stone"));

    QTest::keyClick(m_nameLk, Qt::Key_Return); // an empty box lists every white page entry
    EXPECT_EQ(Listed().size(), 5);

    QTest::keyClicks(m_nameLk, QStringLiteral("Bert"));
    m_window.findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
    EXPECT_THAT(Listed(), ElementsAre("Bert Brown"));
}

TEST_F(EntryListWindow, OrgLookupListsTheOrgsEntriesOrNone)
{
    Type(m_companyLk, QStringLiteral("acme INC"));
    EXPECT_THAT(Listed(), UnorderedElementsAre("Andy Smith", "Bert Brown", "Acme Inc"));
    EXPECT_EQ(m_companyLk->text(), "");
    EXPECT_FALSE(GridShown());

    Type(m_companyLk, QStringLiteral("No Such Org"));
    EXPECT_THAT(Listed(), IsEmpty());
    EXPECT_EQ(Status(), "6 Entries; 0 Listed; 0 Selected");

    QTest::keyClicks(m_companyLk, QStringLiteral("Beta Works"));
    m_window.findChild<QToolButton*>(QStringLiteral("SpeedButton2"))->click();
    EXPECT_THAT(Listed(), ElementsAre("anne Stone", "Dan Andrews"));
}

TEST_F(EntryListWindow, LargerOrgBoxOpensOverTheOrgBoxAndClosesAfterItsLookup)
{
    m_companyLk->setText(QStringLiteral("beta"));
    m_window.findChild<QToolButton*>(QStringLiteral("SpeedButton3"))->click();
    auto* popup = m_window.findChild<TOrgLkDlg*>();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->size(), QSize(428, 24));
    EXPECT_EQ(popup->pos(), m_companyLk->mapToGlobal(QPoint(0, 0)) - QPoint(0, 2));
    EXPECT_EQ(popup->OrgLk()->text(), "beta");
    EXPECT_FALSE(popup->isModal());

    popup->OrgLk()->setText(QStringLiteral("BETA works"));
    QTest::keyClick(popup->OrgLk(), Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_THAT(Listed(), ElementsAre("anne Stone", "Dan Andrews"));
    EXPECT_EQ(popup->OrgLk()->text(), "");

    m_window.findChild<QToolButton*>(QStringLiteral("SpeedButton3"))->click();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_THAT(Listed(), ElementsAre("anne Stone", "Dan Andrews")) << "Esc lists nothing new";
}

TEST_F(EntryListWindow, MarkingManySelectedRowsYellowThenWhite)
{
    m_grid->setFocus(Qt::TabFocusReason);
    ClickRow(0);
    ClickRow(3, Qt::ShiftModifier); // four white page entries
    ASSERT_EQ(Status(), "6 Entries; 6 Listed; 4 Selected");
    const QStringList marked = Listed().mid(0, 4);
    Run("A_DefineYellowPageInfo");

    for (const QString& name : marked)
        EXPECT_TRUE(Yellow(name)) << name.toStdString();
    EXPECT_FALSE(Yellow(QStringLiteral("Dan Andrews")));
    EXPECT_EQ(Status(), "6 Entries; 6 Listed; 0 Selected");
    EXPECT_NE(m_controller.Tree().NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
    // Yellow page entries are listed after the white ones, and painted yellow.
    EXPECT_EQ(Listed().first(), "Dan Andrews");
    EXPECT_EQ(m_grid->model()->index(5, 0).data(Qt::BackgroundRole).value<QColor>(),
              QColor(255, 255, 0));

    m_controller.List().ListOrgContacts();
    m_grid->setFocus(Qt::TabFocusReason);
    Run("A_SelectAll");
    ASSERT_EQ(Status(), "6 Entries; 5 Listed; 5 Selected");
    Run("A_DefineWhitePageInfo");
    EXPECT_THAT(Listed(), IsEmpty());
    TableView& all = m_controller.Data().NameLookDataset;
    ASSERT_TRUE(all.Locate(u"Name", QStringLiteral("Acme Inc")));
    EXPECT_FALSE(all.FieldByName(u"Yellow").AsBoolean());
    EXPECT_EQ(all.FieldByName(u"GivenName").AsString(), "Acme");
    EXPECT_EQ(all.FieldByName(u"SurName").AsString(), "Inc");
    EXPECT_EQ(m_prompter.waitDepth, 0);
}

TEST_F(EntryListWindow, NameFieldHintShowsTheCurrentEntrysParts)
{
    auto* name = m_window.findChild<QLineEdit*>(QStringLiteral("NameView"));
    ASSERT_NE(name, nullptr);
    m_grid->setFocus(Qt::TabFocusReason);
    ClickRow(0);
    EXPECT_EQ(name->text(), "Andy Smith");
    EXPECT_EQ(name->toolTip(), "Surname: Smith  Givenname: ");
    auto* org = m_window.findChild<QLineEdit*>(QStringLiteral("CompanyView"));
    EXPECT_EQ(org->text(), "Acme Inc");
    ClickRow(3); // Cleo Chen works for the default org
    EXPECT_EQ(org->text(), "Unknown Org");
    ClickRow(5);
    EXPECT_EQ(name->text(), "Acme Inc");
    EXPECT_EQ(name->toolTip(), "");
    EXPECT_EQ(m_window.findChild<QWidget*>(QStringLiteral("MemoView"))->toolTip(),
              "Double-click to view");
}

TEST_F(EntryListWindow, DoubleClickOnAMemoShowsItWholeAndReadOnly)
{
    TableView& names = m_controller.Data().NameDataSet;
    names.Edit();
    names.FieldByName(u"Memo").SetValue(QStringLiteral("Call after five"));
    names.Post();
    auto* memo = m_window.findChild<QPlainTextEdit*>(QStringLiteral("MemoView"));
    ASSERT_NE(memo, nullptr);

    QString shown;
    bool readOnly = false;
    QTimer::singleShot(0, [&] {
        QWidget* viewer = QApplication::activeModalWidget();
        if (!viewer)
            return;
        if (auto* text = viewer->findChild<QPlainTextEdit*>(QStringLiteral("DBMemo1"))) {
            shown = text->toPlainText();
            readOnly = text->isReadOnly();
        }
        viewer->close();
    });
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(shown, "Call after five");
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(names.FieldByName(u"Memo").AsString(), "Call after five");
}

} // namespace
