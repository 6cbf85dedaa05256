// The entry list's rules on a small book built in code: selecting rows with the mouse and the
// keyboard, Select All, the row colours, the status line, the context menu's rule, the name
// hint, and marking entries as yellow or white page entries.
#include "editing/UEditMT.h"
#include "navigation/EntryListController.h"
#include "navigation/URecListMT.h"
#include "storage/CardDataMod.h"
#include "support/ScriptedPrompter.h"
#include "support/TreeShape.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

struct Person
{
    const char* name;
    const char* surname;
    const char* givenName;
    bool yellow;
};

// In list order: white page entries by name, then the yellow ones.
const Person kPeople[] = {
    {"Anna Smith", "Smith", "Anna", false},   {"Bob Brown", "Brown", "Bob", false},
    {"Carl Jones", "Jones", "Carl", false},   {"Dora Lee", "Lee", "Dora", false},
    {"Eve Stone", "Stone", "Eve", false},     {"Fay Moss", "Moss", "Fay", false},
    {"Gus Hill", "Hill", "Gus", false},       {"Acme Ltd", "Acme Ltd", "", true},
    {"Zenith Corp", "Zenith Corp", "", true},
};

class EntryList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TableView& view = m_data.NameDataSet;
        for (const Person& person : kPeople) {
            view.Append();
            view.FieldByName(u"ClientID").SetValue(2001 + view.RecordCount());
            view.FieldByName(u"Name").SetValue(QString::fromUtf8(person.name));
            view.FieldByName(u"SurName").SetValue(QString::fromUtf8(person.surname));
            view.FieldByName(u"GivenName").SetValue(QString::fromUtf8(person.givenName));
            view.FieldByName(u"Yellow").SetValue(person.yellow);
            view.FieldByName(u"OrgID").SetValue(0);
            view.Post();
        }
        m_data.MakeLookupViews();
        m_list.AttachTables(m_data.NameDataSet, m_data.AgentDataSet);
        m_list.ListAll();
        m_data.NameDataSet.First();
    }

    // The names of the selected rows, in list order.
    QStringList Selected()
    {
        TableView& view = m_data.NameDataSet;
        QStringList names;
        for (int row = 0; row < view.RecordCount(); ++row)
            if (m_selection.Contains(view.RowBookmark(row)))
                names << NameAt(row);
        return names;
    }

    QString NameAt(int row)
    {
        TableView& view = m_data.NameDataSet;
        return view.RowRecord(row)[size_t(view.FieldIndex(u"Name"))].Text().toString();
    }

    int RowOf(const QString& name)
    {
        for (int row = 0; row < m_data.NameDataSet.RecordCount(); ++row)
            if (NameAt(row) == name)
                return row;
        return -1;
    }

    void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        m_data.NameDataSet.SetRecNo(row + 1); // the list makes the row current first
        m_controller.RecDBGridMouseDown(row, modifiers);
    }

    // The fields of the entry with that name, whatever is listed.
    QVariantMap Entry(const QString& name)
    {
        TableView& all = m_data.NameLookDataset;
        QVariantMap fields;
        if (!all.Locate(u"Name", name))
            return fields;
        for (const char16_t* field : {u"Name", u"SurName", u"GivenName", u"MidName", u"Yellow"})
            fields.insert(QString::fromUtf16(field), all.FieldByName(field).Value());
        return fields;
    }

    TCardData m_data;
    CRecListMT m_list;
    RowSelection m_selection;
    ScriptedPrompter m_prompter;
    EntryListController m_controller{m_data.NameDataSet, m_data.NameLookDataset, m_selection,
                                     m_prompter};
};

// ---------------------------------------------------------------------------------------------
// Mouse selection

struct ClickStep
{
    int row;
    Qt::KeyboardModifiers modifiers;
};

struct ClickCase
{
    const char* name;
    std::vector<ClickStep> clicks;
    std::vector<int> selected; // rows, in list order
    int anchor;                // row of the anchor; -1 for none
};

class MouseSelection : public EntryList, public ::testing::WithParamInterface<ClickCase>
{};

TEST_P(MouseSelection, ClicksSelectRowsAndMoveTheAnchor)
{
    for (const ClickStep& click : GetParam().clicks)
        Click(click.row, click.modifiers);

    QStringList expected;
    for (int row : GetParam().selected)
        expected << NameAt(row);
    EXPECT_EQ(Selected(), expected);
    const Bookmark anchor = m_selection.Anchor();
    EXPECT_EQ(anchor.IsNull() ? -1 : m_data.NameDataSet.RowOfBookmark(anchor), GetParam().anchor);
}

constexpr auto kShift = Qt::ShiftModifier;
constexpr auto kCtrl = Qt::ControlModifier;
constexpr auto kPlain = Qt::NoModifier;

INSTANTIATE_TEST_SUITE_P(
    Rules, MouseSelection,
    ::testing::Values(
        ClickCase{"PlainSelectsOneRow", {{2, kPlain}, {4, kPlain}}, {4}, 4},
        ClickCase{"PlainOnSelectedRowKeepsSelection",
                  {{1, kPlain}, {3, kCtrl}, {5, kCtrl}, {3, kPlain}},
                  {1, 3, 5},
                  3},
        ClickCase{"ShiftForwardFromAnchor", {{1, kPlain}, {4, kShift}}, {1, 2, 3, 4}, 1},
        ClickCase{"ShiftBackwardFromAnchor", {{5, kPlain}, {2, kShift}}, {2, 3, 4, 5}, 5},
        ClickCase{"ShiftOnAnchorAddsOnlyIt", {{3, kPlain}, {3, kShift}}, {3}, 3},
        ClickCase{
            "ShiftAddsToCtrlSelection", {{0, kCtrl}, {6, kCtrl}, {4, kShift}}, {0, 4, 5, 6}, 6},
        ClickCase{"ShiftDoesNotMoveTheAnchor",
                  {{2, kPlain}, {4, kShift}, {0, kShift}},
                  {0, 1, 2, 3, 4},
                  2},
        ClickCase{"CtrlTogglesAndMovesAnchor", {{2, kCtrl}, {5, kCtrl}, {2, kCtrl}}, {5}, 2},
        ClickCase{"ShiftWithNothingSelectedTakesTheClickedRow", {{4, kShift}}, {4}, 4},
        ClickCase{"ShiftAfterAllWereToggledOff", {{1, kCtrl}, {1, kCtrl}, {6, kShift}}, {6}, 6},
        ClickCase{"YellowRowsSelectLikeOthers", {{6, kPlain}, {8, kShift}}, {6, 7, 8}, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryList, ShiftFromAnAnchorThatLeftTheListTakesTheClickedRowOnly)
{
    Click(RowOf("Zenith Corp"));
    m_list.ListByInitial(QString(), false); // the anchor's yellow entry leaves the list
    Click(2, kShift);
    EXPECT_THAT(Selected(), ElementsAre(NameAt(2)));
}

// ---------------------------------------------------------------------------------------------
// Keyboard selection

TEST_F(EntryList, ShiftArrowsGrowAndShrinkTheRunFromWhereItBegan)
{
    struct Step
    {
        int from, to;
        bool shift;
        std::vector<int> selected;
    };
    const Step steps[] = {
        {2, 3, true, {2, 3}},     {3, 4, true, {2, 3, 4}},          {4, 3, true, {2, 3}},
        {3, 2, true, {2}},        {2, 0, true, {0, 1, 2}}, // past the start, a page at once
        {0, 1, false, {0, 1, 2}}, // a plain move ends the run, selection stays
        {1, 2, true, {0, 1, 2}},  {2, 5, true, {0, 1, 2, 3, 4, 5}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.from << "->" << step.to);
        m_controller.KeyboardMove(step.from, step.to, step.shift);
        QStringList expected;
        for (int row : step.selected)
            expected << NameAt(row);
        EXPECT_EQ(Selected(), expected);
    }
}

TEST_F(EntryList, AClickEndsTheKeyboardRun)
{
    m_controller.KeyboardMove(1, 2, true);
    Click(5);
    m_controller.KeyboardMove(5, 6, true);
    EXPECT_THAT(Selected(), ElementsAre(NameAt(5), NameAt(6)));
}

// ---------------------------------------------------------------------------------------------
// Select All, UnSelect All, leaving the list

TEST_F(EntryList, SelectAllTakesEveryListedRowUnderTheHourglassAndTellsOnce)
{
    int told = 0;
    m_selection.SetOnChanged([&told] { ++told; });
    m_list.ListByInitial(QString(), false);
    Click(3);
    told = 0;

    m_controller.SelectAll();
    EXPECT_EQ(m_selection.Count(), 7);
    EXPECT_EQ(Selected().size(), 7);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(m_prompter.maxWaitDepth, 1);
    EXPECT_EQ(m_prompter.waitDepth, 0);

    m_controller.UnselectAll();
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_EQ(told, 2);
    EXPECT_EQ(m_prompter.waitDepth, 0);
}

TEST_F(EntryList, LeavingTheListClearsTheSelection)
{
    Click(1);
    Click(3, kCtrl);
    m_controller.RecDBGridExit();
    EXPECT_THAT(Selected(), IsEmpty());
}

// ---------------------------------------------------------------------------------------------
// Row colours and the status line

TEST_F(EntryList, RowColoursSelectedBeforeCurrentBeforeYellow)
{
    const int acme = RowOf("Acme Ltd"), zenith = RowOf("Zenith Corp");
    Click(acme);
    Click(1, kCtrl); // current row 1, selected too
    m_data.NameDataSet.SetRecNo(3);

    EXPECT_EQ(m_controller.RowColourOf(acme), RowColour::Selected); // yellow but selected
    EXPECT_EQ(m_controller.RowColourOf(1), RowColour::Selected);
    EXPECT_EQ(m_controller.RowColourOf(2), RowColour::Current);
    EXPECT_EQ(m_controller.RowColourOf(2, false), RowColour::Normal);
    EXPECT_EQ(m_controller.RowColourOf(zenith), RowColour::Yellow);
    EXPECT_EQ(m_controller.RowColourOf(0), RowColour::Normal);
    EXPECT_EQ(m_controller.RowColourOf(99), RowColour::Normal);
}

TEST_F(EntryList, StatusLineCountsBookListAndSelection)
{
    EXPECT_EQ(m_controller.StatusText(), "9 Entries; 9 Listed; 0 Selected");
    m_list.ListOrgContacts();
    EXPECT_EQ(m_controller.StatusText(), "9 Entries; 2 Listed; 0 Selected");
    m_controller.SelectAll();
    EXPECT_EQ(m_controller.StatusText(), "9 Entries; 2 Listed; 2 Selected");
    m_list.ListByInitial(QStringLiteral("s"), false);
    m_controller.UnselectAll();
    Click(0);
    Click(1, kCtrl);
    EXPECT_EQ(m_controller.StatusText(), "9 Entries; 2 Listed; 2 Selected");
}

// ---------------------------------------------------------------------------------------------
// Context menu and name hint

TEST_F(EntryList, DeleteFromCategoryOnlyForAUserCategoryListedFromTheTree)
{
    struct Case
    {
        ListSource source;
        qint32 node;
        bool enabled;
    };
    const Case cases[] = {
        {ListSource::FromTree, 1001, true},      {ListSource::FromTree, 1000, false},
        {ListSource::FromTree, 110, false},      {ListSource::FromTree, 101, false},
        {ListSource::FromInitials, 1001, false}, {ListSource::FromLookup, 1001, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.source) << " " << c.node);
        m_controller.SetSource(c.source);
        EXPECT_EQ(m_controller.DeleteCategoryEnabled(c.node), c.enabled);
    }
}

TEST_F(EntryList, NameHintShowsThePartsOfAWhitePageEntry)
{
    TableView& view = m_data.NameDataSet;
    ASSERT_TRUE(view.Locate(u"Name", QStringLiteral("Carl Jones")));
    EXPECT_EQ(EntryListController::NameHint(view), "Surname: Jones  Givenname: Carl");
    ASSERT_TRUE(view.Locate(u"Name", QStringLiteral("Acme Ltd")));
    EXPECT_EQ(EntryListController::NameHint(view), "");

    view.AppendRecord({3001, QString(), QStringLiteral("Nameless")});
    EXPECT_EQ(EntryListController::NameHint(view), "");
    m_list.ListCategory(1999);
    EXPECT_EQ(EntryListController::NameHint(view), "");
}

// ---------------------------------------------------------------------------------------------
// Yellow and white page marking

class Marking : public EntryList
{
protected:
    void SetUp() override
    {
        EntryList::SetUp();
        MakeSampleTree(m_tree);
        m_edit.SetTree(m_tree);
        m_edit.AttachEntryTable(m_data.NameDataSet);
        m_edit.AttachOrgTable(m_data.AgentDataSet);
    }

    CTreeMT m_tree;
    CEditMT m_edit;
};

TEST_F(Marking, YellowMarksEverySelectedEntryAndListsAgain)
{
    m_list.ListByInitial(QString(), false); // white page entries
    Click(1);
    Click(3, kShift);
    Click(5, kCtrl);
    int resets = 0;
    m_data.NameDataSet.SetOnDataChanged([&resets] { ++resets; });

    ASSERT_TRUE(m_controller.DefineYellowPageInfo(m_edit, m_tree, m_list));

    for (const char* name : {"Bob Brown", "Carl Jones", "Dora Lee", "Fay Moss"}) {
        SCOPED_TRACE(name);
        const QVariantMap entry = Entry(QString::fromUtf8(name));
        EXPECT_EQ(entry["Yellow"], true);
        EXPECT_EQ(entry["SurName"], QString::fromUtf8(name));
        EXPECT_EQ(entry["GivenName"].toString(), QString());
        EXPECT_EQ(entry["Name"], QString::fromUtf8(name));
    }
    EXPECT_EQ(Entry("Eve Stone")["Yellow"], false);
    EXPECT_EQ(Entry("Eve Stone")["SurName"], "Stone");
    EXPECT_TRUE(m_edit.HasYellowEntries());
    EXPECT_NE(m_tree.NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
    EXPECT_TRUE(m_selection.IsEmpty());
    // The white page listing was applied again: the marked entries left it.
    EXPECT_EQ(m_data.NameDataSet.Filter(), "not (Yellow=true)");
    EXPECT_EQ(m_data.NameDataSet.RecordCount(), 3);
    EXPECT_EQ(resets, 1); // the displays were told once, at the end
    EXPECT_EQ(m_prompter.waitDepth, 0);
    EXPECT_EQ(m_prompter.maxWaitDepth, 1);
}

TEST_F(Marking, WhiteSplitsTheNameAgainAndKeepsIt)
{
    TableView& view = m_data.NameDataSet;
    ASSERT_TRUE(view.Locate(u"Name", QStringLiteral("Acme Ltd")));
    view.Edit();
    view.FieldByName(u"Name").SetValue(QStringLiteral("John Paul Jones"));
    view.FieldByName(u"SurName").SetValue(QStringLiteral("John Paul Jones"));
    view.Post();
    m_list.ListOrgContacts();
    m_controller.SelectAll();

    ASSERT_TRUE(m_controller.DefineWhitePageInfo(m_edit, m_list));

    const QVariantMap john = Entry("John Paul Jones");
    EXPECT_EQ(john["Yellow"], false);
    EXPECT_EQ(john["GivenName"], "John");
    EXPECT_EQ(john["MidName"], "Paul");
    EXPECT_EQ(john["SurName"], "Jones");
    const QVariantMap zenith = Entry("Zenith Corp");
    EXPECT_EQ(zenith["Yellow"], false);
    EXPECT_EQ(zenith["Name"], "Zenith Corp");
    EXPECT_EQ(zenith["GivenName"], "Zenith");
    EXPECT_EQ(zenith["SurName"], "Corp");
    EXPECT_TRUE(m_selection.IsEmpty());
    EXPECT_EQ(view.RecordCount(), 0); // none is a yellow page entry any more
    EXPECT_EQ(m_tree.NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
}

TEST_F(Marking, WithoutSelectionTheCurrentEntryIsMarked)
{
    TableView& view = m_data.NameDataSet;
    view.SetRecNo(RowOf("Eve Stone") + 1);
    ASSERT_TRUE(m_controller.DefineYellowPageInfo(m_edit, m_tree, m_list));
    EXPECT_EQ(Entry("Eve Stone")["Yellow"], true);
    int yellow = 0;
    for (const Person& person : kPeople)
        yellow += Entry(QString::fromUtf8(person.name))["Yellow"].toBool();
    EXPECT_EQ(yellow, 3);
}

TEST_F(Marking, NothingListedMarksNothing)
{
    m_list.ListCategory(1999);
    Click(0); // nothing to click: no selection either
    EXPECT_FALSE(m_controller.DefineYellowPageInfo(m_edit, m_tree, m_list));
    EXPECT_FALSE(m_controller.DefineWhitePageInfo(m_edit, m_list));
    EXPECT_EQ(m_tree.NodeOfNumber(CTreeMT::OrgContactsNumber), nullptr);
    EXPECT_EQ(m_prompter.maxWaitDepth, 0);
    EXPECT_EQ(Entry("Acme Ltd")["Yellow"], true);
}

TEST_F(Marking, SelectedRowsNoLongerListedAreLeftAlone)
{
    Click(RowOf("Gus Hill"));
    Click(RowOf("Anna Smith"), kCtrl);
    m_list.ListByInitial(QStringLiteral("S"), false); // Gus Hill is no longer listed
    ASSERT_TRUE(m_controller.DefineYellowPageInfo(m_edit, m_tree, m_list));
    EXPECT_EQ(Entry("Anna Smith")["Yellow"], true);
    EXPECT_EQ(Entry("Gus Hill")["Yellow"], false);
}

} // namespace
