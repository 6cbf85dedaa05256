// The entry list model on a small book built in code: the filter text and case option of
// every listing, the entries each one lists, the surname initial rule and initials list,
// and the layout of the initial grid.
#include "navigation/URecListMT.h"
#include "storage/CardDataMod.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

struct Person
{
    QString name;
    QString surname;
    bool yellow = false;
    int group1 = 1000;
};

class ListBook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const Person& person : {
                 Person{"Anna Smith", "Smith"},
                 Person{"bob smythe", "smythe"},
                 Person{"Carl Jones", "Jones", false, 1001},
                 Person{"Smith & Co", "Smith & Co", true, 1001},
                 Person{"Dora O'Neil", "O'Neil"},
                 Person{"'t Hooft", "'t Hooft"},
                 Person{"Acme Ltd", "Acme Ltd", true},
                 Person{QString::fromUtf8("李明"), QString::fromUtf8("李")},
                 Person{"Nobody", "   "},
             })
            Add(person);
        m_list.AttachTables(m_data.NameDataSet, m_data.AgentDataSet);
    }

    void Add(const Person& person)
    {
        TableView& view = m_data.NameDataSet;
        view.Append();
        view.FieldByName(u"ClientID").SetValue(2001 + view.RecordCount());
        view.FieldByName(u"Name").SetValue(person.name);
        view.FieldByName(u"SurName").SetValue(person.surname);
        view.FieldByName(u"Yellow").SetValue(person.yellow);
        view.FieldByName(u"OrgID").SetValue(0);
        view.FieldByName(u"Group1").SetValue(person.group1);
        for (const char16_t* slot : {u"Group2", u"Group3", u"Group4"})
            view.FieldByName(slot).SetValue(1000);
        view.Post();
    }

    // The names of the listed entries, in list order.
    QStringList Listed()
    {
        TableView& view = m_data.NameDataSet;
        const int name = view.FieldIndex(u"Name");
        QStringList names;
        for (int row = 0; row < view.RecordCount(); ++row)
            names << view.RowRecord(row)[size_t(name)].Text().toString();
        return names;
    }

    // Sets the surname of the entry with this name.
    void SetSurname(const QString& name, const QString& surname)
    {
        TableView& view = m_data.NameDataSet;
        view.SetFiltered(false);
        ASSERT_TRUE(view.Locate(u"Name", name));
        view.Edit();
        view.FieldByName(u"SurName").SetValue(surname);
        view.Post();
        view.SetFiltered(true);
    }

    TCardData m_data;
    CRecListMT m_list;
};

// ---------------------------------------------------------------------------------------------
// Filter texts

struct FilterCase
{
    const char* listing;
    std::function<bool(CRecListMT&)> list;
    QString filter;
    bool setsCaseOption; // otherwise the option is left as it was
};

const FilterCase kFilterCases[] = {
    {"all", [](CRecListMT& l) { return l.ListAll(); }, "", false},
    {"category", [](CRecListMT& l) { return l.ListCategory(1001); },
     "Group1=1001 OR Group2=1001 OR Group3=1001 OR Group4=1001", false},
    {"initial, white pages", [](CRecListMT& l) { return l.ListByInitial("S", false); },
     "Surname='S*' and (not (Yellow=true))", true},
    {"initial, all entries", [](CRecListMT& l) { return l.ListByInitial("S", true); },
     "Surname='S*'", true},
    {"quote as initial, white pages", [](CRecListMT& l) { return l.ListByInitial("'", false); },
     "Surname='''*' and (not (Yellow=true))", true},
    {"quotes inside an initial", [](CRecListMT& l) { return l.ListByInitial("O'N'", true); },
     "Surname='O''N''*'", true},
    {"no initial, white pages", [](CRecListMT& l) { return l.ListByInitial("", false); },
     "not (Yellow=true)", false},
    {"no initial, all entries", [](CRecListMT& l) { return l.ListByInitial("", true); }, "", false},
    {"org contacts", [](CRecListMT& l) { return l.ListOrgContacts(); }, "Yellow=true", false},
};

class FilterTexts : public ListBook, public ::testing::WithParamInterface<bool>
{};

TEST_P(FilterTexts, EachListingSetsItsFilterAndCaseOption)
{
    const bool optionBefore = GetParam();
    TableView& view = m_data.NameDataSet;
    for (const FilterCase& c : kFilterCases) {
        SCOPED_TRACE(c.listing);
        view.SetFilter(QStringLiteral("Name='x'"));
        view.SetFilterCaseInsensitive(optionBefore);
        view.SetFiltered(false);

        EXPECT_TRUE(c.list(m_list));
        EXPECT_EQ(view.Filter(), c.filter);
        EXPECT_EQ(view.FilterCaseInsensitive(), c.setsCaseOption || optionBefore);
        EXPECT_TRUE(view.Filtered());
    }
}

INSTANTIATE_TEST_SUITE_P(CaseOptionBefore, FilterTexts, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Set" : "Clear"; });

TEST_F(ListBook, RefreshKeepsWhateverFilterIsSet)
{
    TableView& view = m_data.NameDataSet;
    const QString search = QStringLiteral("Name='Carl*' or Name='Dora*'");
    view.SetFilter(search); // as a search sets it
    EXPECT_TRUE(m_list.RefreshList());
    EXPECT_EQ(view.Filter(), search);
    EXPECT_FALSE(view.FilterCaseInsensitive());
    EXPECT_THAT(Listed(), ElementsAre("Carl Jones", "Dora O'Neil"));
}

TEST(RecListUnattached, ListingsFailWithoutTables)
{
    CRecListMT list;
    EXPECT_FALSE(list.ListAll());
    EXPECT_FALSE(list.ListByInitial("A", false));
    EXPECT_FALSE(list.RefreshList());
}

// ---------------------------------------------------------------------------------------------
// Listed entries

TEST_F(ListBook, AllEntriesListWhitePagesFirst)
{
    ASSERT_TRUE(m_list.ListAll());
    const QStringList names = Listed();
    ASSERT_EQ(names.size(), 9);
    EXPECT_THAT(names.mid(7), ElementsAre("Acme Ltd", "Smith & Co"));
}

TEST_F(ListBook, InitialMatchesSurnamePrefixIgnoringCase)
{
    ASSERT_TRUE(m_list.ListByInitial("S", false));
    EXPECT_THAT(Listed(), ElementsAre("Anna Smith", "bob smythe"));

    ASSERT_TRUE(m_list.ListByInitial("s", true));
    EXPECT_THAT(Listed(), ElementsAre("Anna Smith", "bob smythe", "Smith & Co"));

    ASSERT_TRUE(m_list.ListByInitial("'", false));
    EXPECT_THAT(Listed(), ElementsAre("'t Hooft"));

    ASSERT_TRUE(m_list.ListByInitial(QString::fromUtf8("李"), false));
    EXPECT_THAT(Listed(), ElementsAre(QString::fromUtf8("李明")));
}

TEST_F(ListBook, CaseOptionStaysSetForLaterListings)
{
    ASSERT_TRUE(m_list.ListByInitial("J", false));
    ASSERT_TRUE(m_list.ListAll());
    m_data.NameDataSet.SetFilter(QStringLiteral("Surname='smith*'"));
    EXPECT_THAT(Listed(), ElementsAre("Anna Smith", "Smith & Co"));
}

TEST_F(ListBook, NoInitialListsWhitePagesOnly)
{
    ASSERT_TRUE(m_list.ListByInitial("", false));
    const QStringList names = Listed();
    EXPECT_EQ(names.size(), 7);
    EXPECT_FALSE(names.contains("Acme Ltd"));
    EXPECT_FALSE(names.contains("Smith & Co"));
}

TEST_F(ListBook, CategoryListsEntriesFiledUnderIt)
{
    ASSERT_TRUE(m_list.ListCategory(1001));
    EXPECT_THAT(Listed(), ElementsAre("Carl Jones", "Smith & Co"));
    ASSERT_TRUE(m_list.ListCategory(1002));
    EXPECT_THAT(Listed(), IsEmpty());
}

TEST_F(ListBook, OrgContactsListYellowPagesOnly)
{
    ASSERT_TRUE(m_list.ListOrgContacts());
    EXPECT_THAT(Listed(), ElementsAre("Acme Ltd", "Smith & Co"));
}

TEST_F(ListBook, RefreshPicksUpEditedEntries)
{
    ASSERT_TRUE(m_list.ListByInitial("S", false));
    SetSurname("Carl Jones", "Stone");
    SetSurname("Anna Smith", "Brown");
    ASSERT_TRUE(m_list.RefreshList());
    EXPECT_THAT(Listed(), ElementsAre("bob smythe", "Carl Jones"));
    EXPECT_EQ(m_data.NameDataSet.Filter(), "Surname='S*' and (not (Yellow=true))");
}

// ---------------------------------------------------------------------------------------------
// Surname initials

struct InitialCase
{
    const char* surname; // UTF-8
    const char* initial;
};

class SurnameInitialRule : public ::testing::TestWithParam<InitialCase>
{};

TEST_P(SurnameInitialRule, FirstCharacterWithLatinLettersUpperCased)
{
    EXPECT_EQ(SurnameInitial(QString::fromUtf8(GetParam().surname)),
              QString::fromUtf8(GetParam().initial));
}

INSTANTIATE_TEST_SUITE_P(
    Surnames, SurnameInitialRule,
    ::testing::Values(InitialCase{"smith", "S"}, InitialCase{"Smith", "S"},
                      InitialCase{"7eleven", "7"}, InitialCase{"'t Hooft", "'"},
                      InitialCase{"ébert", "é"}, // only a-z change case
                      InitialCase{"ａbc", "ａ"}, // a full-width letter is wide: kept
                      InitialCase{"李", "李"}, InitialCase{"王小明", "王"},
                      InitialCase{"かとう", "か"}, InitialCase{"김", "김"},
                      InitialCase{"𠮷野", "𠮷"}, // outside the basic plane: kept whole
                      InitialCase{"", ""}, InitialCase{"   ", ""}));

TEST_F(ListBook, RebuildTakesWhitePageSurnamesOnly)
{
    SurnameInitials initials;
    ASSERT_TRUE(initials.Rebuild(m_data.NameDataSet));
    // Yellow "Acme Ltd" and "Smith & Co" give none, the blank surname none, and "Smith"
    // and "smythe" one. Where the Han initial goes depends on the user's locale.
    EXPECT_THAT(initials.List(), UnorderedElementsAre("'", "J", "O", "S", QString::fromUtf8("李")));
    QStringList latin = initials.List();
    latin.removeAll(QString::fromUtf8("李"));
    EXPECT_THAT(latin, ElementsAre("'", "J", "O", "S"));
    EXPECT_TRUE(initials.HasYellowEntries());
}

TEST_F(ListBook, RebuildReadsTheWholeBookAndLeavesTheListing)
{
    ASSERT_TRUE(m_list.ListCategory(1001));
    TableView& view = m_data.NameDataSet;
    view.Next();
    const int recNo = view.RecNo();

    SurnameInitials initials;
    initials.Add("Z");
    ASSERT_TRUE(initials.Rebuild(view));
    EXPECT_EQ(initials.Count(), 5);

    EXPECT_EQ(view.Filter(), CRecListMT::CategoryFilter(1001));
    EXPECT_TRUE(view.Filtered());
    EXPECT_EQ(view.RecNo(), recNo);
}

TEST_F(ListBook, RebuildClearsTheYellowFlag)
{
    for (const QString& name : {QStringLiteral("Acme Ltd"), QStringLiteral("Smith & Co")}) {
        ASSERT_TRUE(m_data.NameDataSet.Locate(u"Name", name));
        m_data.NameDataSet.Delete();
    }
    SurnameInitials initials;
    initials.SetHasYellowEntries(true);
    initials.Rebuild(m_data.NameDataSet);
    EXPECT_FALSE(initials.HasYellowEntries());
}

TEST(SurnameInitialsList, AddKeepsOrderAndDropsDuplicatesInOtherCase)
{
    SurnameInitials initials;
    EXPECT_TRUE(initials.AddSurname(u"miller"));
    EXPECT_TRUE(initials.AddSurname(u"Baker"));
    EXPECT_TRUE(initials.AddSurname(u"2pac"));
    EXPECT_FALSE(initials.AddSurname(u"Moore"));
    EXPECT_FALSE(initials.Add("m"));
    EXPECT_FALSE(initials.AddSurname(u"  "));
    EXPECT_FALSE(initials.Add(""));
    EXPECT_TRUE(initials.Add("c"));
    EXPECT_THAT(initials.List(), ElementsAre("2", "B", "c", "M"));
}

TEST(SurnameInitialsList, AddingOneByOneGivesTheRebuiltOrder)
{
    TCardData data;
    std::vector<QString> surnames;
    for (const char* s : {"Young", "zhang", "Adams", "0rtiz", "李", "王", "ab", "ＡＢ", "Émile",
                          "김", "かとう", "_x", "Ölsen", "9", "b"})
        surnames.push_back(QString::fromUtf8(s));
    for (const QString& surname : surnames)
        data.NameDataSet.AppendRecord({2001, surname, surname});
    SurnameInitials rebuilt;
    rebuilt.Rebuild(data.NameDataSet);

    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(surnames.begin(), surnames.end(), random);
        SurnameInitials added;
        for (const QString& surname : surnames)
            added.AddSurname(surname);
        EXPECT_EQ(added.List(), rebuilt.List());
    }
    EXPECT_EQ(rebuilt.Count(), 14);
}

// ---------------------------------------------------------------------------------------------
// Initial grid layout

struct ColumnCase
{
    int panelWidth;
    int columnWidth;
    int columns;
};

class GridColumns : public ::testing::TestWithParam<ColumnCase>
{};

TEST_P(GridColumns, PanelWidthLessMarginOverColumnWidthAtLeastFour)
{
    EXPECT_EQ(SurnameGridColumns(GetParam().panelWidth, GetParam().columnWidth),
              GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(Widths, GridColumns,
                         ::testing::Values(ColumnCase{100, 20, 4}, ColumnCase{230, 20, 10},
                                           ColumnCase{121, 20, 4}, ColumnCase{122, 20, 5},
                                           ColumnCase{138, 16, 7}, ColumnCase{10, 20, 4},
                                           ColumnCase{230, 0, 4}));

struct LayoutCase
{
    const char* name;
    int initials;
    int columns;
    std::vector<QStringList> rows;
};

class GridLayout : public ::testing::TestWithParam<LayoutCase>
{};

TEST_P(GridLayout, TreeCellThenInitialsRowByRow)
{
    QStringList initials;
    for (int i = 0; i < GetParam().initials; ++i)
        initials << QString(QChar(u'A' + i));
    const SurnameGridLayout layout = LayOutSurnameGrid(initials, GetParam().columns);

    std::vector<QStringList> rows;
    for (int row = 0; row < layout.rows; ++row) {
        QStringList cells;
        for (int column = 0; column < layout.columns; ++column)
            cells << layout.Cell(row, column);
        rows.push_back(cells);
    }
    EXPECT_EQ(layout.columns, GetParam().columns);
    EXPECT_EQ(rows, GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Fillings, GridLayout,
    ::testing::Values(
        LayoutCase{"NineInFive", 9, 5, {{"", "A", "B", "C", "D"}, {"E", "F", "G", "H", "I"}}},
        LayoutCase{"EightInFive", 8, 5, {{"", "A", "B", "C", "D"}, {"E", "F", "G", "H", ""}}},
        LayoutCase{"FourFillRowZero", 4, 5, {{"", "A", "B", "C", "D"}}},
        LayoutCase{"None", 0, 4, {{"", "", "", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridLayoutOfBook, BookWithoutWhitePagesShowsTheTreeCellOnly)
{
    TCardData data;
    const int surname = data.NameDataSet.FieldIndex(u"SurName");
    const int yellow = data.NameDataSet.FieldIndex(u"Yellow");
    for (const char* org : {"Acme", "Globex"}) {
        QVariantList values(data.NameDataSet.FieldCount());
        values[surname] = QString::fromLatin1(org);
        values[yellow] = true;
        data.NameDataSet.AppendRecord(values);
    }
    SurnameInitials initials;
    initials.Rebuild(data.NameDataSet);
    const SurnameGridLayout layout =
        LayOutSurnameGrid(initials.List(), SurnameGridColumns(138, 20));
    EXPECT_EQ(layout.rows, 1);
    EXPECT_EQ(layout.columns, 5);
    EXPECT_TRUE(std::all_of(layout.cells.begin(), layout.cells.end(),
                            [](const QString& cell) { return cell.isEmpty(); }));
    EXPECT_TRUE(initials.HasYellowEntries());
}

} // namespace
