// The add and edit commands through the real edit window offscreen: several entries added
// in one command with Add Next, the yellow page entry that brings the "Org Contacts" node,
// the review of same-name entries, and editing the current entry.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/EntryCommands.h"
#include "app/MainController.h"
#include "editing/EditBook.h"
#include "editing/MainEdit.h"
#include "navigation/RowSelection.h"
#include "navigation/URecListMT.h"
#include "search/USearchMT.h"
#include "storage/OptionType.h"
#include "support/RecordingWindowView.h"
#include "support/ScriptedPrompter.h"

using ::testing::ElementsAre;

namespace {

class EditCommandsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_list.AttachTables(m_book.data.NameDataSet, m_book.data.AgentDataSet);
        m_search.SetTables(m_book.data.NameDataSet, m_book.data.AgentLookDataSet);
        m_view.onSelect = [this](qint32 number) {
            if (number == CTreeMT::RootNumber)
                m_list.ListAll();
        };
        m_window.SetEditModel(m_book.model, m_prompter);
        m_commands.SetEditWindow(&m_window);
        m_list.ListAll();
    }

    // What the user does at each showing of the edit window, in order.
    void Script(std::deque<std::function<void()>> steps)
    {
        m_steps = std::move(steps);
        RunNextStep();
    }
    void RunNextStep()
    {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            if (!m_window.isVisible() || m_steps.empty())
                return;
            timer->deleteLater();
            timer->stop();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
            ++m_showings;
            m_captions << m_window.windowTitle();
            const auto step = std::move(m_steps.front());
            m_steps.pop_front();
            if (!m_steps.empty())
                RunNextStep();
            step();
        });
        timer->start();
    }

    template <typename T> T* Find(const char* name)
    {
        return m_window.findChild<T*>(QString::fromLatin1(name));
    }
    void TypeName(const QString& name)
    {
        QLineEdit* box = Find<QLineEdit>("NameEd");
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    QStringList Listed()
    {
        TableView& entries = m_book.data.NameDataSet;
        const int name = entries.FieldIndex(u"Name");
        QStringList names;
        for (int row = 0; row < entries.RecordCount(); ++row)
            names << entries.RowRecord(row)[size_t(name)].Text().toString();
        return names;
    }

    EditBook m_book;
    CRecListMT m_list;
    CSearchMT m_search;
    RowSelection m_selection;
    QTemporaryDir m_folder;
    OptionType m_options{m_folder.filePath("aa.ini")};
    RecordingWindowView m_view;
    ScriptedPrompter m_prompter;
    TEditFm m_window;
    EntryCommands m_commands{m_book.model, m_list,    m_search, m_book.tree,
                             m_selection,  m_options, m_view,   m_prompter};
    std::deque<std::function<void()>> m_steps;
    int m_showings = 0;
    QStringList m_captions;
};

TEST_F(EditCommandsWindowTest, AddNextAddsSeveralEntriesInOneCommand)
{
    Script({
        [this] {
            TypeName("Jane, Doe");
            Click("AddNextBn");
        },
        [this] {
            EXPECT_EQ(Find<QLineEdit>("NameEd")->text(), "");
            TypeName("Carl Zeiss");
            Click("AddNextBn");
        },
        // The third, left empty, ends the command without adding anything.
        [this] { Click("OKBn"); },
    });
    m_commands.AddRecord();

    EXPECT_EQ(m_showings, 3);
    EXPECT_THAT(m_captions, ElementsAre("Add", "Add", "Add"));
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Cancelled);
    EXPECT_EQ(m_book.EntryCount(), 4);
    EXPECT_EQ(m_book.Entry("Jane Doe", u"SurName"), QVariant("Doe"));
    EXPECT_EQ(m_book.Entry("Carl Zeiss", u"ClientID"), QVariant(2004));
    EXPECT_TRUE(m_book.model.InitialsList().contains("Z"));
    EXPECT_THAT(Listed(), ElementsAre("Anna Smith", "Bob Jones", "Carl Zeiss", "Jane Doe"));
}

TEST_F(EditCommandsWindowTest, AnOrgWithoutANameAddsTheOrgContactsNode)
{
    ASSERT_EQ(m_book.tree.NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
    Script({[this] {
        QComboBox* org = Find<QComboBox>("CompanyLk");
        org->setFocus(Qt::TabFocusReason);
        org->lineEdit()->selectAll();
        QTest::keyClicks(org->lineEdit(), "Initech");
        QTest::keyClick(org->lineEdit(), Qt::Key_Tab);
        Click("OKBn");
    }});
    m_commands.AddRecord();

    EXPECT_EQ(m_book.Entry("Initech", u"Yellow"), QVariant(true));
    const CTreeNode* node = m_book.tree.NodeOfNumber(CTreeMT::OrgContactsNumber);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Text(), "Org Contacts");
}

TEST_F(EditCommandsWindowTest, ReviewingSameNamesListsThem)
{
    m_book.AddEntry(2003, QStringLiteral("Anna Smith"), QStringLiteral("Smith"),
                    QStringLiteral("Anna"), 0, CTreeMT::RootNumber);
    m_list.ListAll();
    m_prompter.answers = {Prompter::Answer::Yes};
    Script({[this] {
        TypeName("Anna Smith");
        // Leaving the name box asked, and Yes closed the window for the review.
        EXPECT_FALSE(m_window.isVisible());
    }});
    m_commands.AddRecord();

    EXPECT_EQ(m_showings, 1);
    EXPECT_EQ(m_book.model.EditMode(), EditMode::ReviewDuplicates);
    EXPECT_EQ(m_book.EntryCount(), 3);
    EXPECT_EQ(m_view.selectedCategory, CTreeMT::SearchNodeNumber);
    EXPECT_THAT(Listed(), ElementsAre("Anna Smith", "Anna Smith"));
}

TEST_F(EditCommandsWindowTest, EditChangesTheCurrentEntry)
{
    m_book.data.NameDataSet.SetRecNo(m_book.RowOf("Bob Jones"));
    Script({[this] {
        EXPECT_FALSE(Find<QPushButton>("AddNextBn")->isVisible());
        EXPECT_EQ(Find<QLineEdit>("NameEd")->text(), "Bob Jones");
        TypeName("Robert Jones");
        QLineEdit* zip = Find<QLineEdit>("ZipEd");
        zip->setFocus();
        QTest::keyClicks(zip, "10115");
        QTest::keyClick(zip, Qt::Key_Return);
    }});
    m_commands.EditRecord();

    EXPECT_THAT(m_captions, ElementsAre("Edit"));
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Done);
    EXPECT_EQ(m_book.Entry("Robert Jones", u"ClientID"), QVariant(2002));
    EXPECT_EQ(m_book.Entry("Robert Jones", u"GivenName"), QVariant("Robert"));
    EXPECT_EQ(m_book.Entry("Robert Jones", u"Zip"), QVariant("10115"));
    EXPECT_EQ(m_book.EntryCount(), 2);
}

} // namespace
