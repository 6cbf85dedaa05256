// The entry edit window offscreen over a small book: its controls and layout, typing into
// it and leaving its boxes, the popups (name parts, org name, memo viewer, category picker)
// and the ways out (OK, Enter, Add Next, Cancel, Esc).
#include "editing/MainEdit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editing/CategoryListDlg.h"
#include "editing/CompanyNameDlg.h"
#include "editing/EditBook.h"
#include "editing/NameEditDlg.h"
#include "support/ScriptedPrompter.h"

using ::testing::ElementsAre;

namespace {

// Runs the action once the modal window is up (it is run from the window's own event loop).
void WhenShown(QWidget* window, std::function<void()> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, window, action] {
        if (!window->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

class EditWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { m_window.SetEditModel(m_book.model, m_prompter); }

    void OpenAdd()
    {
        m_book.model.NewEntry();
        Open("Add");
    }
    void OpenEdit(const QString& name)
    {
        m_book.model.EditEntry(m_book.RowOf(name));
        Open("Edit");
    }
    void Open(const QString& caption)
    {
        m_window.Open(caption);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    template <typename T> T* Find(const char* name)
    {
        T* widget = m_window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Name() { return Find<QLineEdit>("NameEd"); }
    QComboBox* Position() { return Find<QComboBox>("PositionEd"); }
    QComboBox* Org() { return Find<QComboBox>("CompanyLk"); }
    QLineEdit* Category(int box)
    {
        return m_window.findChild<QLineEdit*>(QStringLiteral("CategoryEd%1").arg(box));
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

    // Types into a box that takes the focus first, then leaves it with Tab.
    void TypeAndLeave(QWidget* box, const QString& text)
    {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    // Opens the picker for a box and clicks the item with that text.
    void Pick(int box, const QString& item)
    {
        m_window.findChild<QAction*>(QStringLiteral("CategoryEd%1Button").arg(box))->trigger();
        TCategoryListDlg& picker = m_window.CategoryPicker();
        ASSERT_TRUE(picker.isVisible());
        QTreeWidget* tree = picker.CategoryTree();
        const auto found = tree->findItems(item, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << item.toStdString();
        tree->scrollToItem(found[0]);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(found[0]).center());
        EXPECT_FALSE(picker.isVisible());
    }

    EditBook m_book;
    ScriptedPrompter m_prompter;
    TEditFm m_window;
};

// ---------------------------------------------------------------------------------------------
// Controls and layout

TEST_F(EditWindowTest, ControlsInTabOrderWithTheirLabelsAndHints)
{
    OpenAdd();
    const char* const order[] = {
        "NameEd",   "PositionEd",  "CompanyLk",   "CAddressEd",  "CZipEd",      "CphoneEd",
        "DirectEd", "CFaxEd",      "CEMailEd",    "CMemoEd",     "AddressEd",   "ZipEd",
        "PhoneEd",  "FaxEd",       "MobileEd",    "PageEd",      "EMailEd",     "DBDateEdit1",
        "DBMemo1",  "CategoryEd1", "CategoryEd2", "CategoryEd3", "CategoryEd4", "OKBn",
        "CancelBn", "AddNextBn"};
    QWidget* widget = Name();
    for (const char* name : order) {
        ASSERT_EQ(widget->objectName(), name);
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&m_window) ||
               widget->objectName().isEmpty() || widget->objectName().startsWith("qt_"))
            widget = widget->nextInFocusChain();
    }

    EXPECT_TRUE(Position()->isEditable());
    EXPECT_EQ(Org()->toolTip(), "Type the name for new org;\nor drop down the list to select an "
                                "existing one;\nor double-click to edit the name");
    EXPECT_EQ(Find<QPlainTextEdit>("CMemoEd")->toolTip(), "Double-click to view and edit");
    EXPECT_EQ(Find<QPlainTextEdit>("DBMemo1")->toolTip(), "Double-click to view and Edit");
    EXPECT_EQ(m_window.findChild<QAction*>("NameEdButton")->toolTip(),
              "Define surname and givenname manually");
    EXPECT_EQ(m_window.findChild<QAction*>("CategoryEd3Button")->toolTip(),
              "Click to select a category");
    EXPECT_EQ(Find<QPushButton>("OKBn")->text(), "&OK");
    EXPECT_EQ(Find<QPushButton>("OKBn")->toolTip(), "Confirm the changes");
    EXPECT_TRUE(Find<QPushButton>("OKBn")->isDefault());
    EXPECT_EQ(Find<QPushButton>("CancelBn")->toolTip(), "Cancel the changes");
    EXPECT_EQ(Find<QPushButton>("AddNextBn")->text(), "&Add Next");
    EXPECT_EQ(Find<QDateEdit>("DBDateEdit1")->calendarWidget()->firstDayOfWeek(), Qt::Sunday);
    EXPECT_EQ(Find<QGroupBox>("WorkGroup")->title(), "Work");
    EXPECT_EQ(Find<QGroupBox>("HomeGroup")->title(), "Home");
    EXPECT_EQ(Find<QGroupBox>("CategoryGroup")->title(), "Category");

    QStringList labels;
    for (const QLabel* label : Find<QGroupBox>("HomeGroup")->findChildren<QLabel*>())
        labels << label->text();
    EXPECT_THAT(labels, ElementsAre("Address", "Zip", "Phone", "Fax", "Mobile", "BP", "E-Mail",
                                    "Birthday", "Memo"));
    EXPECT_EQ(m_window.minimumWidth(), 388);
    EXPECT_TRUE(m_window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(m_window.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(EditWindowTest, CategoryBoxesShareTheWindowsWidth)
{
    m_window.resize(500, m_window.height());
    OpenAdd();
    const int width = m_window.width() / 4 - 4;
    int left = 2;
    for (int box = 1; box <= 4; ++box) {
        EXPECT_EQ(Category(box)->x(), left);
        EXPECT_EQ(Category(box)->width(), width);
        left += width + 2;
    }
    EXPECT_EQ(m_window.CategoryPicker().width(), std::max(140, width + 18));
}

TEST_F(EditWindowTest, PlacedBesideTheMainWindowsRightPanel)
{
    QWidget main;
    main.setGeometry(100, 50, 900, 600);
    QWidget panel(&main);
    panel.resize(420, 500);
    m_window.SetPlacement(&main, &panel);
    OpenEdit("Anna Smith");
    EXPECT_EQ(m_window.frameGeometry().top(), main.frameGeometry().top());
    EXPECT_EQ(m_window.frameGeometry().left(),
              main.frameGeometry().left() + main.frameGeometry().width() - 420 - 20);
    EXPECT_EQ(m_window.width(), 420);
    EXPECT_EQ(m_window.windowTitle(), "Edit");
    EXPECT_FALSE(Find<QPushButton>("AddNextBn")->isVisible());
    EXPECT_TRUE(Name()->hasFocus());
    m_window.reject();
}

TEST_F(EditWindowTest, EditShowsTheEntryAndItsOrg)
{
    OpenEdit("Anna Smith");
    EXPECT_EQ(Name()->text(), "Anna Smith");
    EXPECT_EQ(Org()->currentText(), "Acme");
    EXPECT_EQ(Category(1)->text(), "Family/");
    QStringList orgs;
    for (int i = 0; i < Org()->count(); ++i)
        orgs << Org()->itemText(i);
    EXPECT_THAT(orgs, ElementsAre("Acme", "Globex", "Unknown Org"));
    m_window.reject();
}

// ---------------------------------------------------------------------------------------------
// Typing a new entry

TEST_F(EditWindowTest, TwoWordsWithACommaBecomeGivenNameAndSurname)
{
    OpenAdd();
    TypeAndLeave(Name(), "Jane, Doe");
    EXPECT_EQ(Name()->text(), "Jane Doe");
    EXPECT_TRUE(Position()->hasFocus());
    TypeAndLeave(Find<QLineEdit>("MobileEd"), "0170 123");
    Click("OKBn");

    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Done);
    EXPECT_EQ(m_book.Entry("Jane Doe", u"GivenName"), QVariant("Jane"));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"SurName"), QVariant("Doe"));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"MidName"), QVariant());
    EXPECT_EQ(m_book.Entry("Jane Doe", u"Mobile"), QVariant("0170 123"));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"OrgID"), QVariant(0));
}

TEST_F(EditWindowTest, ThreeWordsAndEnterInTheNameBox)
{
    OpenAdd();
    QTest::keyClicks(Name(), "Jane Q. Public");
    // Enter presses OK, which runs the name commit first.
    QTest::keyClick(Name(), Qt::Key_Return);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_book.Entry("Jane Q Public", u"MidName"), QVariant("Q"));
    EXPECT_EQ(m_book.Entry("Jane Q Public", u"SurName"), QVariant("Public"));
}

TEST_F(EditWindowTest, EmptyNameWithTheDefaultOrgAddsNothing)
{
    OpenAdd();
    Click("OKBn");
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Cancelled);
    EXPECT_EQ(m_book.EntryCount(), 2);
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(EditWindowTest, EmptyNameWithATypedOrgAddsAYellowPageEntry)
{
    OpenAdd();
    Org()->setFocus(Qt::TabFocusReason);
    Org()->lineEdit()->selectAll();
    QTest::keyClicks(Org()->lineEdit(), "Initech");
    // Enter in the org box: the org is linked before the commit.
    QTest::keyClick(Org()->lineEdit(), Qt::Key_Return);

    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_book.Entry("Initech", u"Yellow"), QVariant(true));
    EXPECT_EQ(m_book.Entry("Initech", u"OrgID"), m_book.Org("Initech", u"CoID"));
    EXPECT_TRUE(m_book.model.HasYellowEntries());
}

TEST_F(EditWindowTest, ATypedOrgShowsItsFieldsAndANewOneStartsEmpty)
{
    TableView& orgs = m_book.data.AgentDataSet;
    ASSERT_TRUE(orgs.Locate(u"CoID", EditBook::kGlobex));
    orgs.Edit();
    orgs.FieldByName(u"CPhone").SetValue(QStringLiteral("555-0100"));
    orgs.Post();

    OpenAdd();
    TypeAndLeave(Name(), "Jane Doe");
    Org()->lineEdit()->selectAll();
    TypeAndLeave(Org(), "globex");
    EXPECT_EQ(Find<QLineEdit>("CphoneEd")->text(), "555-0100");
    EXPECT_EQ(m_book.OrgCount(), 3);

    Org()->setFocus(Qt::TabFocusReason);
    Org()->lineEdit()->selectAll();
    TypeAndLeave(Org(), "Initech");
    EXPECT_EQ(Find<QLineEdit>("CphoneEd")->text(), "");
    TypeAndLeave(Find<QLineEdit>("CphoneEd"), "555-0199");
    Click("OKBn");
    EXPECT_EQ(m_book.Org("Initech", u"CPhone"), QVariant("555-0199"));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"OrgID"), m_book.Org("Initech", u"CoID"));
}

TEST_F(EditWindowTest, CancelRemovesTheNewOrg)
{
    OpenAdd();
    TypeAndLeave(Name(), "Jane Doe");
    Org()->lineEdit()->selectAll();
    TypeAndLeave(Org(), "Initech");
    ASSERT_EQ(m_book.OrgCount(), 4);
    Click("CancelBn");

    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Cancelled);
    EXPECT_EQ(m_book.OrgCount(), 3);
    EXPECT_EQ(m_book.EntryCount(), 2);
}

TEST_F(EditWindowTest, EscCancelsTheEdit)
{
    OpenEdit("Anna Smith");
    TypeAndLeave(Find<QLineEdit>("ZipEd"), "12345");
    QTest::keyClick(Find<QLineEdit>("ZipEd"), Qt::Key_Escape);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Cancelled);
    EXPECT_EQ(m_book.Entry("Anna Smith", u"Zip"), QVariant());
}

TEST_F(EditWindowTest, EnterInAnOpenListPicksAndMovesOn)
{
    OpenEdit("Anna Smith");
    Org()->setFocus(Qt::TabFocusReason);
    Org()->showPopup();
    QAbstractItemView* list = Org()->view();
    list->setCurrentIndex(Org()->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QLineEdit* address = Find<QLineEdit>("CAddressEd");
    EXPECT_TRUE(QTest::qWaitFor([&] { return address->hasFocus(); }, 1000));
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(Org()->currentText(), "Globex");
    EXPECT_EQ(m_book.data.NameDataSet.FieldByName(u"OrgID").AsInteger(), EditBook::kGlobex);
    m_window.reject();
}

TEST_F(EditWindowTest, EnterInAMemoStartsANewLine)
{
    OpenEdit("Anna Smith");
    auto* memo = Find<QPlainTextEdit>("DBMemo1");
    memo->setFocus();
    QTest::keyClicks(memo, "one");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "two");
    EXPECT_TRUE(m_window.isVisible());
    Click("OKBn");
    EXPECT_EQ(m_book.Entry("Anna Smith", u"Memo"), QVariant("one\ntwo"));
}

// ---------------------------------------------------------------------------------------------
// Same names

TEST_F(EditWindowTest, ReviewingSameNamesClosesTheWindowWithoutAdding)
{
    OpenAdd();
    m_prompter.answers = {Prompter::Answer::Yes};
    QTest::keyClicks(Name(), "Anna Smith");
    Click("OKBn");
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_THAT(m_prompter.Texts(),
                ElementsAre("Entries with the same name in the address book. Would you review "
                            "them?"));
    EXPECT_EQ(m_book.model.EditMode(), EditMode::ReviewDuplicates);
    EXPECT_EQ(m_book.EntryCount(), 2);
}

// ---------------------------------------------------------------------------------------------
// Name parts popup

TEST_F(EditWindowTest, NamePartsPopupBuildsTheName)
{
    OpenEdit("Anna Smith");
    TNameEditDlg& popup = m_window.NameParts();
    WhenShown(&popup, [&] {
        auto* given = popup.findChild<QLineEdit*>("GivenNameEd");
        auto* surname = popup.findChild<QLineEdit*>("SurnameEd");
        auto* mid = popup.findChild<QLineEdit*>("AddNameEd");
        EXPECT_EQ(popup.width(), Name()->width());
        EXPECT_EQ(popup.pos(), Name()->mapToGlobal(QPoint(0, Name()->height())));
        EXPECT_EQ(given->width(), popup.width() / 2 - 20);
        EXPECT_EQ(surname->width(), given->width() - 12);
        EXPECT_EQ(surname->x(), given->x() + given->width() + 12);
        EXPECT_EQ(mid->width(), given->width());
        EXPECT_EQ(given->text(), "Anna");
        EXPECT_EQ(QApplication::focusWidget(), given);
        mid->setFocus();
        QTest::keyClicks(mid, "Maria");
        QTest::mouseClick(popup.findChild<QPushButton*>("ConfirmBn"), Qt::LeftButton);
    });
    m_window.findChild<QAction*>("NameEdButton")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    EXPECT_EQ(Name()->text(), "Anna Maria Smith");
    EXPECT_TRUE(Position()->hasFocus());
    Click("OKBn");
    EXPECT_EQ(m_book.Entry("Anna Maria Smith", u"MidName"), QVariant("Maria"));
}

TEST_F(EditWindowTest, CancelledNamePartsAreRestored)
{
    OpenEdit("Anna Smith");
    TNameEditDlg& popup = m_window.NameParts();
    WhenShown(&popup, [&] {
        auto* surname = popup.findChild<QLineEdit*>("SurnameEd");
        surname->selectAll();
        QTest::keyClicks(surname, "Jones");
        QTest::keyClick(surname, Qt::Key_Escape);
    });
    m_window.findChild<QAction*>("NameEdButton")->trigger();
    EXPECT_FALSE(popup.Confirmed());
    EXPECT_EQ(Name()->text(), "Anna Smith");
    EXPECT_EQ(m_book.data.NameDataSet.FieldByName(u"SurName").AsString(), "Smith");
    m_window.reject();
}

// ---------------------------------------------------------------------------------------------
// Position box

TEST_F(EditWindowTest, PositionCompletionAndBackspace)
{
    OpenAdd();
    TypeAndLeave(Position(), "  Manager ");
    EXPECT_EQ(Position()->currentText(), "Manager");
    TypeAndLeave(Name(), "Jane Doe");
    Click("AddNextBn");
    EXPECT_EQ(m_book.Entry("Jane Doe", u"Position"), QVariant("Manager"));

    m_book.model.NewEntry();
    Open("Add");
    ASSERT_EQ(Position()->count(), 1);
    QLineEdit* edit = Position()->lineEdit();
    Position()->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, "Ma");
    EXPECT_EQ(edit->text(), "Manager");
    EXPECT_EQ(edit->selectedText(), "nager");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "Ma");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "M");
    QTest::keyClicks(edit, "a");
    EXPECT_EQ(edit->text(), "Manager");
    // Letter case counts.
    edit->clear();
    QTest::keyClicks(edit, "ma");
    EXPECT_EQ(edit->text(), "ma");
    m_window.reject();
}

// ---------------------------------------------------------------------------------------------
// Org box: renaming

TEST_F(EditWindowTest, DoubleClickOnTheDefaultOrgOnlyTellsWhy)
{
    OpenAdd();
    QTest::mouseDClick(Org()->lineEdit(), Qt::LeftButton);
    EXPECT_THAT(m_prompter.Texts(),
                ElementsAre("Unknown Org is default org name for those you don't know the work "
                            "place. It is unnecessary to edit."));
    EXPECT_FALSE(m_window.CompanyName().isVisible());
    m_window.reject();
}

TEST_F(EditWindowTest, RenamingAnOrgToAnotherOrgsNameMovesTheEntry)
{
    OpenEdit("Anna Smith");
    TCompanyNameDlg& popup = m_window.CompanyName();
    WhenShown(&popup, [&] {
        auto* box = popup.findChild<QLineEdit*>("CompanyNameEd");
        EXPECT_EQ(box->text(), "Acme");
        EXPECT_EQ(popup.width(), Org()->width());
        const QPoint groupTop = Find<QGroupBox>("WorkGroup")->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(popup.y(), groupTop.y() - popup.height() + 8);
        box->selectAll();
        QTest::keyClicks(box, "Globex ");
        QTest::mouseClick(popup.findChild<QPushButton*>("OkBn"), Qt::LeftButton);
    });
    QTest::mouseDClick(Org()->lineEdit(), Qt::LeftButton);
    EXPECT_EQ(Org()->currentText(), "Globex");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    ASSERT_TRUE(Org()->hasFocus());
    QTest::keyClick(Org()->lineEdit(), Qt::Key_Tab);
    Click("OKBn");

    EXPECT_EQ(m_book.Entry("Anna Smith", u"OrgID"), QVariant(EditBook::kGlobex));
    EXPECT_EQ(m_book.Org("Acme", u"CoID"), QVariant(EditBook::kAcme));
    EXPECT_EQ(m_book.OrgCount(), 3);
}

TEST_F(EditWindowTest, RenamingAnOrgKeepsItsEntries)
{
    OpenEdit("Anna Smith");
    TCompanyNameDlg& popup = m_window.CompanyName();
    WhenShown(&popup, [&] {
        auto* box = popup.findChild<QLineEdit*>("CompanyNameEd");
        box->selectAll();
        QTest::keyClicks(box, "Acme Corp");
        QTest::keyClick(box, Qt::Key_Return);
    });
    QTest::mouseDClick(Org()->lineEdit(), Qt::LeftButton);
    Click("OKBn");
    EXPECT_EQ(m_book.Org("Acme Corp", u"CoID"), QVariant(EditBook::kAcme));
    EXPECT_EQ(m_book.Entry("Anna Smith", u"OrgID"), QVariant(EditBook::kAcme));
    EXPECT_EQ(m_book.OrgCount(), 3);
}

// ---------------------------------------------------------------------------------------------
// Memo viewer

TEST_F(EditWindowTest, DoubleClickOnAMemoEditsItInTheViewer)
{
    OpenEdit("Anna Smith");
    auto* memo = Find<QPlainTextEdit>("CMemoEd");
    bool shown = false;
    QTimer::singleShot(50, [&] {
        auto* viewer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->windowTitle(), "Text");
        auto* text = viewer->findChild<QPlainTextEdit*>("DBMemo1");
        EXPECT_FALSE(text->isReadOnly());
        EXPECT_EQ(text->font(), memo->font());
        QTest::keyClicks(text, "Main gate");
        shown = true;
        QTest::mouseClick(viewer->findChild<QPushButton*>("OKBn"), Qt::LeftButton);
    });
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_EQ(memo->toPlainText(), "Main gate");
    Click("OKBn");
    EXPECT_EQ(m_book.Org("Acme", u"CMemo"), QVariant("Main gate"));
}

// ---------------------------------------------------------------------------------------------
// Category boxes and the picker

TEST_F(EditWindowTest, PickerListsTheTreeBelowNoCategory)
{
    OpenAdd();
    m_window.findChild<QAction*>("CategoryEd1Button")->trigger();
    QTreeWidget* tree = m_window.CategoryPicker().CategoryTree();
    QStringList items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        items << (*it)->text(0);
    EXPECT_THAT(items, ElementsAre("------", "Search Results", "Family", "Cousins", "Work"));
    EXPECT_TRUE(tree->isExpanded(tree->model()->index(2, 0)));
    EXPECT_EQ(tree->currentItem()->text(0), "------");
    m_window.reject();
}

TEST_F(EditWindowTest, TheSameCategoryInTwoBoxesLeavesTheSecondEmpty)
{
    OpenAdd();
    TypeAndLeave(Name(), "Jane Doe");
    Pick(1, "Family");
    EXPECT_EQ(Category(1)->text(), "Family/");
    Pick(2, "Family");
    EXPECT_EQ(Category(2)->text(), "");
    Category(3)->setFocus();
    QTest::keyClick(Category(3), Qt::Key_F4);
    ASSERT_TRUE(m_window.CategoryPicker().isVisible());
    QTreeWidget* tree = m_window.CategoryPicker().CategoryTree();
    tree->setCurrentItem(tree->findItems("Cousins", Qt::MatchExactly | Qt::MatchRecursive)[0]);
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(Category(3)->text(), "Family/Cousins/");
    // Typing into a box puts its category back.
    Category(3)->setFocus();
    QTest::keyClicks(Category(3), "x");
    EXPECT_EQ(Category(3)->text(), "Family/Cousins/");
    Click("OKBn");

    EXPECT_EQ(m_book.Entry("Jane Doe", u"Group1"), QVariant(m_book.nodes.family->Number()));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"Group2"), QVariant(1000));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"Group3"), QVariant(m_book.nodes.cousins->Number()));
    EXPECT_EQ(m_book.Entry("Jane Doe", u"Group4"), QVariant(1000));
}

TEST_F(EditWindowTest, NoCategoryEmptiesTheSlot)
{
    OpenEdit("Anna Smith");
    ASSERT_EQ(Category(1)->text(), "Family/");
    Pick(1, "------");
    EXPECT_EQ(Category(1)->text(), "");
    Click("OKBn");
    EXPECT_EQ(m_book.Entry("Anna Smith", u"Group1"), QVariant(1000));
}

TEST_F(EditWindowTest, ALongPathIsShownAsTheBoxsHint)
{
    m_book.tree.AddCategory(m_book.nodes.cousins,
                            QStringLiteral("Second cousins on the mother's side"));
    OpenAdd();
    Pick(1, "Work");
    EXPECT_EQ(Category(1)->toolTip(), "");
    Pick(1, "Second cousins on the mother's side");
    EXPECT_EQ(Category(1)->text(), "Family/Cousins/Second cousins on the mother's side/");
    EXPECT_EQ(Category(1)->toolTip(), Category(1)->text());
    Pick(1, "Work");
    EXPECT_EQ(Category(1)->toolTip(), "");
    m_window.reject();
}

TEST_F(EditWindowTest, PickerClosesWhenItLosesActivation)
{
    OpenAdd();
    m_window.findChild<QAction*>("CategoryEd2Button")->trigger();
    TCategoryListDlg& picker = m_window.CategoryPicker();
    ASSERT_TRUE(picker.isVisible());
    // A click elsewhere in the window, as the window system delivers it.
    QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {},
                      Name()->mapTo(&m_window, Name()->rect().center()));
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(Category(2)->text(), "");
    m_window.reject();
}

struct PlaceCase
{
    const char* name;
    QRect box;
    QSize picker;
    QPoint expected;
};

TEST(CategoryPickerPlace, RightAlignedBelowTheBoxAndInsideTheScreen)
{
    const QRect screen(0, 0, 1024, 768);
    const PlaceCase cases[] = {
        {"below", QRect(300, 100, 100, 20), QSize(140, 200), QPoint(260, 120)},
        {"moved left to the screen's edge", QRect(1000, 100, 100, 20), QSize(140, 200),
         QPoint(884, 120)},
        {"above at the bottom", QRect(300, 700, 100, 20), QSize(140, 200), QPoint(260, 500)},
    };
    for (const PlaceCase& c : cases)
        EXPECT_EQ(TCategoryListDlg::PlaceUnder(c.box, c.picker, screen), c.expected) << c.name;
}

} // namespace
