// Entries dropped on a category: move and copy mode, the four-slot limit with its question,
// the list order of a selection, and the listing afterwards.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "app/EntryDrop.h"
#include "editing/UEditMT.h"
#include "navigation/RowSelection.h"
#include "navigation/URecListMT.h"
#include "storage/CardDataMod.h"
#include "support/ScriptedPrompter.h"
#include "support/TreeShape.h"

namespace {

using ::testing::ElementsAre;
using Slots = std::array<int, 4>; // -1 for a slot without a value

constexpr int kNull = -1;

class EntryDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MakeSampleTree(m_tree);
        // Listed in this order: the view has no index, so the rows keep their order.
        Add(2001, "Ann", {1001, 1000, 1000, 1000});
        Add(2002, "Bob", {1001, 1002, 1003, 1004});
        Add(2003, "Cid", {1002, kNull, 1003, 1004});
        Add(2004, "Dee", {1000, 1000, 1000, 1000});
        m_edit.SetTree(m_tree);
        m_edit.AttachEntryTable(m_data.NameDataSet);
        m_edit.AttachOrgTable(m_data.AgentDataSet);
        m_list.AttachTables(m_data.NameDataSet, m_data.AgentDataSet);
        m_all.MakeViewFrom(m_data.NameDataSet, true);
    }

    void Add(int clientId, const char* name, const Slots& groups)
    {
        TableView& names = m_data.NameDataSet;
        QVariantList values(names.FieldCount());
        values[names.FieldIndex(u"ClientID")] = clientId;
        values[names.FieldIndex(u"Name")] = QString::fromLatin1(name);
        for (int slot = 0; slot < 4; ++slot)
            if (groups[size_t(slot)] != kNull)
                values[names.FieldIndex(QStringLiteral("Group%1").arg(slot + 1))] =
                    groups[size_t(slot)];
        names.AppendRecord(values);
    }

    Slots SlotsOf(int clientId)
    {
        EXPECT_TRUE(m_all.Locate(u"ClientID", clientId));
        Slots groups{};
        for (int slot = 0; slot < 4; ++slot) {
            const FieldRef field = m_all.FieldByName(QStringLiteral("Group%1").arg(slot + 1));
            groups[size_t(slot)] = field.IsNull() ? kNull : field.AsInteger();
        }
        return groups;
    }

    void MakeCurrent(const char* name)
    {
        ASSERT_TRUE(m_data.NameDataSet.Locate(u"Name", QString::fromLatin1(name)));
    }

    void Select(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            MakeCurrent(name);
            m_selection.Add(m_data.NameDataSet.GetBookmark());
        }
    }

    QStringList Listed()
    {
        QStringList names;
        TableView& view = m_data.NameDataSet;
        for (int row = 0; row < view.RecordCount(); ++row)
            names << view.RowRecord(row)[size_t(view.FieldIndex(u"Name"))].Text().toString();
        return names;
    }

    TCardData m_data;
    TableView m_all;
    CTreeMT m_tree;
    CEditMT m_edit;
    CRecListMT m_list;
    RowSelection m_selection;
    ScriptedPrompter m_prompter;
    EntryDrop m_drop{m_edit, m_list, m_selection, m_prompter};
};

struct CurrentCase
{
    const char* what;
    qint32 listed; // 1000: all entries
    const char* current;
    int clientId;
    qint32 target;
    bool copy;
    Slots after;
    bool told; // the four-slot message
};

void PrintTo(const CurrentCase& c, std::ostream* os)
{
    *os << c.what;
}

class CurrentEntryDrop : public EntryDropTest, public ::testing::WithParamInterface<CurrentCase>
{};

TEST_P(CurrentEntryDrop, MovesOrCopiesTheCurrentEntryIntoTheTarget)
{
    const CurrentCase& c = GetParam();
    c.listed == CTreeMT::RootNumber ? m_list.ListAll() : m_list.ListCategory(c.listed);
    MakeCurrent(c.current);
    const Slots before = SlotsOf(c.clientId);
    const int changesBefore = m_data.NameDataSet.ChangeCount();

    m_drop.DropEntries(c.target, c.listed, c.copy);

    EXPECT_EQ(SlotsOf(c.clientId), c.after);
    EXPECT_EQ(m_prompter.Texts(),
              c.told ? QStringList{EntryDrop::FourCategoriesMessage(QString::fromLatin1(c.current))}
                     : QStringList{});
    if (c.told) {
        EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::Ok);
        EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Information);
    }
    EXPECT_EQ(m_data.NameDataSet.State(), ViewState::Browse);
    // A changed entry is a changed book, and only a changed one.
    EXPECT_EQ(m_data.NameDataSet.ChangeCount() > changesBefore, c.after != before);
    EXPECT_EQ(m_prompter.maxWaitDepth, c.target > CTreeMT::RootNumber ? 1 : 0);
    EXPECT_EQ(m_prompter.waitDepth, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrentEntryDrop,
    ::testing::Values(CurrentCase{"a move frees the listed slot and fills the first empty one",
                                  1001,
                                  "Ann",
                                  2001,
                                  1003,
                                  false,
                                  {1003, 1000, 1000, 1000},
                                  false},
                      CurrentCase{"four taken slots: the listed one is freed first",
                                  1001,
                                  "Bob",
                                  2002,
                                  1005,
                                  false,
                                  {1005, 1002, 1003, 1004},
                                  false},
                      CurrentCase{"four taken slots in copy mode: told, nothing changes",
                                  1001,
                                  "Bob",
                                  2002,
                                  1005,
                                  true,
                                  {1001, 1002, 1003, 1004},
                                  true},
                      CurrentCase{"a copy onto a category the entry has changes nothing",
                                  1001,
                                  "Ann",
                                  2001,
                                  1001,
                                  true,
                                  {1001, 1000, 1000, 1000},
                                  false},
                      CurrentCase{"a move from the root listing only adds",
                                  1000,
                                  "Ann",
                                  2001,
                                  1003,
                                  false,
                                  {1001, 1003, 1000, 1000},
                                  false},
                      CurrentCase{"a null slot counts as taken",
                                  1000,
                                  "Cid",
                                  2003,
                                  1005,
                                  true,
                                  {1002, kNull, 1003, 1004},
                                  true},
                      CurrentCase{"the root takes no entries",
                                  1001,
                                  "Ann",
                                  2001,
                                  1000,
                                  false,
                                  {1001, 1000, 1000, 1000},
                                  false},
                      CurrentCase{"nor the search results",
                                  1001,
                                  "Ann",
                                  2001,
                                  101,
                                  false,
                                  {1001, 1000, 1000, 1000},
                                  false}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(EntryDropTest, MovedEntriesLeaveTheListedCategoryAndTheSelectionIsCleared)
{
    m_list.ListCategory(1001);
    ASSERT_THAT(Listed(), ElementsAre("Ann", "Bob"));
    Select({"Bob", "Ann"});

    m_drop.DropEntries(1003, 1001, false);

    EXPECT_THAT(Listed(), ElementsAre());
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_EQ(SlotsOf(2001), (Slots{1003, 1000, 1000, 1000}));
    EXPECT_EQ(SlotsOf(2002), (Slots{1000, 1002, 1003, 1004}));
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_FALSE(m_data.NameDataSet.ControlsDisabled());
}

TEST_F(EntryDropTest, AFullEntryInASelectionAsksWhetherToGoOn)
{
    struct Case
    {
        const char* what;
        std::vector<Prompter::Answer> answers;
        QStringList told;
        Slots dee;
    };
    const std::array<Case, 2> cases{{
        {"Yes goes on with the next rows",
         {Prompter::Answer::Yes, Prompter::Answer::Yes},
         {EntryDrop::FourCategoriesMessage("Bob"), EntryDrop::FourCategoriesMessage("Cid")},
         {1005, 1000, 1000, 1000}},
        {"No stops, keeping what was done",
         {Prompter::Answer::No},
         {EntryDrop::FourCategoriesMessage("Bob")},
         {1000, 1000, 1000, 1000}},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_data.NameDataSet.EmptyDataSet();
        Add(2001, "Ann", {1001, 1000, 1000, 1000});
        Add(2002, "Bob", {1001, 1002, 1003, 1004});
        Add(2003, "Cid", {1002, kNull, 1003, 1004});
        Add(2004, "Dee", {1000, 1000, 1000, 1000});
        m_prompter.shown.clear();
        m_prompter.answers.assign(c.answers.begin(), c.answers.end());
        m_list.ListAll();
        // Selected against the list order: the drop goes in list order all the same.
        Select({"Dee", "Cid", "Bob", "Ann"});

        m_drop.DropEntries(1005, CTreeMT::RootNumber, true);

        EXPECT_EQ(m_prompter.Texts(), c.told);
        for (const ScriptedPrompter::Shown& shown : m_prompter.shown)
            EXPECT_EQ(shown.buttons, Prompter::Buttons::YesNo);
        EXPECT_EQ(SlotsOf(2001), (Slots{1001, 1005, 1000, 1000}));
        EXPECT_EQ(SlotsOf(2002), (Slots{1001, 1002, 1003, 1004}));
        EXPECT_EQ(SlotsOf(2003), (Slots{1002, kNull, 1003, 1004}));
        EXPECT_EQ(SlotsOf(2004), c.dee);
        EXPECT_TRUE(m_selection.IsEmpty());
    }
}

} // namespace
