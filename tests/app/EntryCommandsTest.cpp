// The main window's entry commands on a small book, with a scripted user, a window that
// records what it was told and an edit window that plays its part on the edit model.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <deque>

#include "app/EntryCommands.h"
#include "app/MainController.h"
#include "editing/EntryEditWindow.h"
#include "editing/UEditMT.h"
#include "search/USearchMT.h"
#include "support/RecordingWindowView.h"
#include "support/ScriptedPrompter.h"
#include "support/TreeShape.h"

namespace {

// What the user does in the edit window for one showing: the name typed (empty types
// none), the org, a yellow page entry, and the button (OK, Add Next, Cancel, or the
// review of same-name entries, which cancels the entry).
struct EditStep
{
    EditStep(QString typed, EditMode button, QString orgName = {}, bool yellowPage = false)
        : name(std::move(typed)), mode(button), org(std::move(orgName)), yellow(yellowPage)
    {}

    QString name;
    EditMode mode;
    QString org;
    bool yellow;
};

class ScriptedEditWindow : public EntryEditWindow
{
public:
    explicit ScriptedEditWindow(CEditMT& edit) : m_edit(edit) {}

    std::deque<EditStep> steps;
    QStringList captions;

    void ShowEditWindow(const QString& caption) override
    {
        captions << caption;
        ASSERT_FALSE(steps.empty()) << "the edit window was shown once too often";
        const EditStep step = steps.front();
        steps.pop_front();
        TableView& entries = *m_edit.EntryTable();
        if (m_edit.EditMode() == EditMode::Adding)
            for (int slot = 1; slot <= 4; ++slot)
                m_edit.SetCategorySlot(slot, CEditMT::kEmptySlot);
        if (!step.name.isEmpty()) {
            QString name = step.name;
            bool nameChanged = true;
            bool partsChanged = false;
            m_edit.ApplyNameRule(name, nameChanged, partsChanged);
            entries.FieldByName(u"Name").SetValue(name);
        }
        if (!step.org.isEmpty())
            m_edit.LinkOrg(step.org);
        if (step.yellow) {
            entries.FieldByName(u"Yellow").SetValue(true);
            m_edit.SetHasYellowEntries(true);
        }
        if (step.mode == EditMode::Done || step.mode == EditMode::AddNext) {
            m_edit.AddInitial(entries.FieldByName(u"SurName").AsString());
            m_edit.CommitEntry();
        } else {
            m_edit.Rollback();
        }
        m_edit.SetEditMode(step.mode);
    }

private:
    CEditMT& m_edit;
};

class EntryCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_sample = MakeSampleTree(m_tree);
        Orgs().AppendRecord({0, QStringLiteral("Unknown Org")});
        Orgs().AppendRecord({2005, QStringLiteral("Acme Ltd")});
        Orgs().AppendRecord({2006, QStringLiteral("Lonely Ltd")});
        AddEntry(2001, QStringLiteral("Anna Smith"), QStringLiteral("Smith"), 1001, 2005);
        AddEntry(2002, QStringLiteral("Bob Jones"), QStringLiteral("Jones"), 1001, 0);
        AddEntry(2003, QStringLiteral("Carl Young"), QStringLiteral("Young"), 1003, 0);
        m_edit.SetTree(m_tree);
        m_edit.AttachEntryTable(Entries());
        m_edit.AttachOrgTable(Orgs());
        m_edit.RebuildInitials();
        m_list.AttachTables(Entries(), Orgs());
        m_search.SetTables(Entries(), m_data.AgentLookDataSet);
        m_commands.SetEditWindow(&m_editWindow);
        m_window.onSelect = [this](qint32 number) {
            if (number == CTreeMT::RootNumber)
                m_list.ListAll();
            else if (number > CTreeMT::RootNumber)
                m_list.ListCategory(number);
        };
        m_list.ListAll();
    }

    TableView& Entries() { return m_data.NameDataSet; }
    TableView& Orgs() { return m_data.AgentDataSet; }

    void AddEntry(int id, const QString& name, const QString& surname, int group, int org)
    {
        Entries().AppendRecord({id, name, surname});
        Entries().Edit();
        Entries().FieldByName(u"OrgID").SetValue(org);
        Entries().FieldByName(u"Group1").SetValue(group);
        for (const char16_t* slot : {u"Group2", u"Group3", u"Group4"})
            Entries().FieldByName(slot).SetValue(1000);
        Entries().Post();
    }

    QStringList Listed()
    {
        QStringList names;
        const int name = Entries().FieldIndex(u"Name");
        for (int row = 0; row < Entries().RecordCount(); ++row)
            names << Entries().RowRecord(row)[size_t(name)].Text().toString();
        return names;
    }

    void Select(const QStringList& names)
    {
        for (const QString& name : names) {
            ASSERT_TRUE(Entries().Locate(u"Name", name)) << name.toStdString();
            m_selection.Add(Entries().GetBookmark());
        }
    }

    int AllEntries() { return Entries().Store()->LiveCount(); }

    QTemporaryDir m_dir;
    TCardData m_data;
    CTreeMT m_tree;
    SampleTree m_sample{};
    CEditMT m_edit;
    CRecListMT m_list;
    CSearchMT m_search;
    RowSelection m_selection;
    OptionType m_options{m_dir.filePath(QStringLiteral("aa.ini"))};
    RecordingWindowView m_window;
    ScriptedPrompter m_prompter;
    ScriptedEditWindow m_editWindow{m_edit};
    EntryCommands m_commands{m_edit,      m_list,    m_search, m_tree,
                             m_selection, m_options, m_window, m_prompter};
};

// ---- Delete ----------------------------------------------------------------------------

struct DeleteCase
{
    bool confirm;
    std::optional<Prompter::Answer> answer;
    bool deleted;
};

class DeleteCurrentTest : public EntryCommandsTest, public ::testing::WithParamInterface<DeleteCase>
{};

TEST_P(DeleteCurrentTest, AsksFirstWhenTheSettingsSaySo)
{
    const DeleteCase& c = GetParam();
    m_options.ConfirmDeletion = c.confirm;
    if (c.answer)
        m_prompter.answers.push_back(*c.answer);
    ASSERT_TRUE(Entries().Locate(u"Name", QStringLiteral("Bob Jones")));
    m_commands.DeleteRecords();
    EXPECT_EQ(AllEntries(), c.deleted ? 2 : 3);
    if (c.confirm) {
        ASSERT_EQ(m_prompter.shown.size(), 1u);
        EXPECT_EQ(m_prompter.shown[0].text,
                  QStringLiteral("Are you sure you want to delete current entry?"));
        EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Confirmation);
        EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    } else {
        EXPECT_TRUE(m_prompter.shown.empty());
    }
    if (c.deleted) {
        EXPECT_FALSE(Entries().Locate(u"Name", QStringLiteral("Bob Jones")));
        EXPECT_EQ(Entries().RecNo(), 1) << "the first listed entry becomes current";
    }
    EXPECT_EQ(m_prompter.waitDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteCurrentTest,
                         ::testing::Values(DeleteCase{true, Prompter::Answer::Yes, true},
                                           DeleteCase{true, Prompter::Answer::No, false},
                                           DeleteCase{false, std::nullopt, true}));

TEST_F(EntryCommandsTest, DeletingTheOnlyListedEntryTwiceSaysNoMoreDeletion)
{
    m_list.ListCategory(1003);
    m_commands.DeleteRecords();
    EXPECT_EQ(m_prompter.Texts(),
              QStringList{QStringLiteral("Are you sure you want to delete current entry?")});
    m_commands.DeleteRecords();
    EXPECT_EQ(m_prompter.Texts(),
              (QStringList{QStringLiteral("Are you sure you want to delete current entry?"),
                           QStringLiteral("Are you sure you want to delete current entry?"),
                           QStringLiteral("No more deletion.")}));
    EXPECT_EQ(m_prompter.shown.back().buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(AllEntries(), 2);
    EXPECT_EQ(Orgs().RecordCount(), 3) << "orgs stay";
}

TEST_F(EntryCommandsTest, DeletingSelectedEntriesAsksOnceAndClearsTheSelection)
{
    Select({QStringLiteral("Anna Smith"), QStringLiteral("Carl Young")});
    m_prompter.answers.push_back(Prompter::Answer::No);
    m_commands.DeleteRecords();
    EXPECT_EQ(AllEntries(), 3);
    EXPECT_EQ(m_selection.Count(), 2) << "No keeps everything";

    m_commands.DeleteRecords();
    EXPECT_EQ(m_prompter.Texts().last(),
              QStringLiteral("Are you sure you want to delete all selected entries?"));
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("Bob Jones")});
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_EQ(m_prompter.shown.size(), 2u);
}

// ---- Delete from current category ------------------------------------------------------

TEST_F(EntryCommandsTest, DeleteFromCategoryTakesTheCurrentEntryOutOfTheListing)
{
    m_window.SelectCategoryNode(1001);
    ASSERT_EQ(Listed().size(), 2);
    ASSERT_TRUE(Entries().Locate(u"Name", QStringLiteral("Bob Jones")));
    m_commands.DeleteCategoryOfRecords();
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("Anna Smith")});
    EXPECT_EQ(AllEntries(), 3) << "the entry stays in the book";
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_GT(m_prompter.maxWaitDepth, 0);
    EXPECT_EQ(m_prompter.waitDepth, 0);
}

TEST_F(EntryCommandsTest, DeleteFromCategoryWithSelectedRows)
{
    m_window.SelectCategoryNode(1001);
    Select({QStringLiteral("Anna Smith"), QStringLiteral("Bob Jones")});
    m_commands.DeleteCategoryOfRecords();
    EXPECT_TRUE(Listed().isEmpty());
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_FALSE(m_edit.CategoryInUse(1001));
}

TEST_F(EntryCommandsTest, DeleteFromCategoryOnAnEmptyListingSaysSoAndAddsNothing)
{
    m_window.SelectCategoryNode(1002);
    ASSERT_TRUE(Listed().isEmpty());
    m_commands.DeleteCategoryOfRecords();
    EXPECT_EQ(m_prompter.Texts(),
              QStringList{QStringLiteral("No more deletion from this category.")});
    EXPECT_EQ(AllEntries(), 3);
}

// ---- Clear isolated org ----------------------------------------------------------------

TEST_F(EntryCommandsTest, ClearIsolatedOrgTellsTheCountAndListsAllEntries)
{
    m_window.SelectCategoryNode(1003);
    m_window.calls.clear();
    m_commands.ClearIsolatedOrg();
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text,
              QStringLiteral("1 org records without any connection got cleared."));
    EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(m_window.calls,
              (QStringList{QStringLiteral("Select 1000"), QStringLiteral("FocusEntryList")}));
    EXPECT_EQ(Listed().size(), 3);
    EXPECT_FALSE(Orgs().Locate(u"CoID", 2006));

    m_commands.ClearIsolatedOrg();
    EXPECT_EQ(m_prompter.Texts().last(),
              QStringLiteral("0 org records without any connection got cleared."));
    EXPECT_EQ(Orgs().RecordCount(), 2);
}

// ---- Add -------------------------------------------------------------------------------

TEST_F(EntryCommandsTest, AddNextShowsTheWindowAgainAndTheGridIsRefilled)
{
    Select({QStringLiteral("Anna Smith")});
    m_window.SelectCategoryNode(1003);
    m_window.calls.clear();
    m_editWindow.steps = {{QStringLiteral("Dora Lee"), EditMode::AddNext},
                          {QStringLiteral("Eve Stone"), EditMode::AddNext},
                          {QString(), EditMode::Cancelled}};
    m_commands.AddRecord();
    EXPECT_EQ(m_editWindow.captions,
              (QStringList{QStringLiteral("Add"), QStringLiteral("Add"), QStringLiteral("Add")}));
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_EQ(m_window.calls.first(), QStringLiteral("ShowTreeTop"));
    EXPECT_TRUE(m_window.calls.contains(QStringLiteral("FillSurnameGrid")));
    EXPECT_EQ(m_window.initials, (QStringList{QStringLiteral("J"), QStringLiteral("L"),
                                              QStringLiteral("S"), QStringLiteral("Y")}));
    EXPECT_EQ(AllEntries(), 5) << "the cancelled third entry is gone";
    ASSERT_TRUE(Entries().Locate(u"Name", QStringLiteral("Eve Stone")));
    EXPECT_EQ(Entries().FieldByName(u"ClientID").AsInteger(), 2005);
    EXPECT_EQ(Entries().FieldByName(u"Group1").AsInteger(), 1000);
}

TEST_F(EntryCommandsTest, AddingWithoutANewInitialLeavesTheGrid)
{
    m_editWindow.steps = {{QStringLiteral("Sam Smith"), EditMode::Done}};
    m_commands.AddRecord();
    EXPECT_FALSE(m_window.calls.contains(QStringLiteral("FillSurnameGrid")));
    EXPECT_EQ(AllEntries(), 4);
}

TEST_F(EntryCommandsTest, AddingAYellowPageEntryAddsOrgContacts)
{
    ASSERT_EQ(m_tree.NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
    m_editWindow.steps = {{QString(), EditMode::Done, QStringLiteral("Acme Ltd"), true}};
    m_commands.AddRecord();
    EXPECT_NE(m_tree.NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
}

TEST_F(EntryCommandsTest, ReviewAfterAddingListsTheEntriesOfTheSameName)
{
    m_window.calls.clear();
    m_editWindow.steps = {{QStringLiteral("Anna  Smith"), EditMode::ReviewDuplicates}};
    m_commands.AddRecord();
    EXPECT_EQ(AllEntries(), 3) << "the entry under review was not kept";
    EXPECT_EQ(m_window.calls.mid(m_window.calls.size() - 2),
              (QStringList{QStringLiteral("FocusTree"), QStringLiteral("Select 101")}));
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("Anna Smith")});
}

// ---- Edit ------------------------------------------------------------------------------

TEST_F(EntryCommandsTest, EditWithNothingListedSaysSo)
{
    m_window.SelectCategoryNode(1002);
    m_commands.EditRecord();
    EXPECT_EQ(m_prompter.Texts(), QStringList{QStringLiteral("No record to be edited here.")});
    EXPECT_TRUE(m_editWindow.captions.isEmpty());
}

TEST_F(EntryCommandsTest, AnEditedEntryJoinsOrLeavesTheListing)
{
    m_list.ListByInitial(QStringLiteral("S"), false);
    ASSERT_EQ(Listed(), QStringList{QStringLiteral("Anna Smith")});
    Select({QStringLiteral("Anna Smith")});
    m_editWindow.steps = {{QStringLiteral("Anna Brown"), EditMode::Done}};
    m_commands.EditRecord();
    EXPECT_EQ(m_editWindow.captions, QStringList{QStringLiteral("Edit")});
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_TRUE(Listed().isEmpty()) << "the listing was applied again";
    EXPECT_EQ(m_window.initials.size(), 0) << "no grid refill while nothing is listed";
}

TEST_F(EntryCommandsTest, ReviewAfterEditingSkipsTheSearchNodeWhenTheTreeLacksIt)
{
    CTreeMT bare;
    EntryCommands commands{m_edit,      m_list,    m_search, bare,
                           m_selection, m_options, m_window, m_prompter};
    commands.SetEditWindow(&m_editWindow);
    ASSERT_TRUE(Entries().Locate(u"Name", QStringLiteral("Bob Jones")));
    m_window.calls.clear();
    m_editWindow.steps = {{QStringLiteral("Carl Young"), EditMode::ReviewDuplicates}};
    commands.EditRecord();
    EXPECT_EQ(m_window.calls, QStringList{QStringLiteral("FocusTree")});
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("Carl Young")});
    m_list.ListAll();
    ASSERT_TRUE(Entries().Locate(u"ClientID", 2002));
    EXPECT_EQ(AllEntries(), 3);
    EXPECT_EQ(Entries().FieldByName(u"Name").AsString(), QStringLiteral("Bob Jones"))
        << "the edit was rolled back";
}

} // namespace
