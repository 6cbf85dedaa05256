// The search model and the handling of a closed search dialog, on a small book built in
// code: the exact filter texts built for each kind of search, and the entries they list.
#include "search/SearchController.h"
#include "search/USearchMT.h"
#include "storage/CardDataMod.h"
#include "storage/OptionType.h"
#include "support/ScriptedPrompter.h"

#include <QDate>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

using Logic = CSearchMT::Logic;

struct Org
{
    int number;
    const char* company;
    const char* address;
};

// Listed by company: Anchor Bank (3), Bank of Hills (7), Harbour Tools (5).
const Org kOrgs[] = {
    {0, "", ""},
    {3, "Anchor Bank", "1 Quay, Leeds"},
    {5, "Harbour Tools", "Dock Lane, London"},
    {7, "Bank of Hills", "Hill Road, Bath"},
};

struct Person
{
    const char* name;
    int org;
    QDate birthday;
    const char* address;
    const char* phone;
    bool yellow;
};

const Person kPeople[] = {
    {"John Smith", 3, QDate(1980, 4, 30), "12 Oak Street, York", "555-1234", false},
    {"Jane Smithers", 5, QDate(1975, 4, 12), "Elm Road, London", "555-9876", false},
    {"O'Brien Pat", 7, QDate(1990, 5, 31), "", "", false},
    {"李Smith", 7, QDate(1985, 12, 31), "", "", false},
    {"李smith", 0, QDate(), "", "", false},
    {"Harbour Tools", 5, QDate(), "", "", true},
};

class Search : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TableView& orgs = m_data.AgentDataSet;
        for (const Org& org : kOrgs) {
            orgs.Append();
            orgs.FieldByName(u"CoID").SetValue(org.number);
            orgs.FieldByName(u"Company").SetValue(QString::fromUtf8(org.company));
            orgs.FieldByName(u"CAddress").SetValue(QString::fromUtf8(org.address));
            orgs.Post();
        }
        TableView& names = m_data.NameDataSet;
        int number = 2001;
        for (const Person& person : kPeople) {
            names.Append();
            names.FieldByName(u"ClientID").SetValue(number++);
            names.FieldByName(u"Name").SetValue(QString::fromUtf8(person.name));
            names.FieldByName(u"OrgID").SetValue(person.org);
            if (person.birthday.isValid())
                names.FieldByName(u"Birthday").SetValue(person.birthday);
            names.FieldByName(u"Address").SetValue(QString::fromUtf8(person.address));
            names.FieldByName(u"Phone").SetValue(QString::fromUtf8(person.phone));
            names.FieldByName(u"Yellow").SetValue(person.yellow);
            names.Post();
        }
        m_data.MakeLookupViews();
        m_search.SetTables(m_data.NameDataSet, m_data.AgentLookDataSet);
    }

    // The names the entry table lists now, in list order.
    QStringList Listed()
    {
        TableView& names = m_data.NameDataSet;
        const int field = names.FieldIndex(u"Name");
        QStringList listed;
        for (int row = 0; row < names.RecordCount(); ++row)
            listed << names.RowRecord(row)[size_t(field)].Text().toString();
        return listed;
    }

    TCardData m_data;
    CSearchMT m_search;
};

TEST_F(Search, StartsWithNothingBuiltAndListsNobodyForTheResultsNode)
{
    EXPECT_TRUE(m_search.EntryFilter().isEmpty());
    EXPECT_TRUE(m_search.OrgFilter().isEmpty());
    EXPECT_FALSE(m_search.ContinueMode());
    EXPECT_EQ(m_search.CurrentLogic(), Logic::And);
    m_search.ApplySearch();
    EXPECT_EQ(m_data.NameDataSet.Filter(), QStringLiteral("OrgID=-1"));
    EXPECT_TRUE(m_data.NameDataSet.Filtered());
    EXPECT_THAT(Listed(), IsEmpty());
}

TEST_F(Search, EntryConditionsReplaceOrJoinTheFilter)
{
    struct Step
    {
        bool continueMode;
        Logic logic;
        const char* field;
        const char* text;
        const char* filter;
    };
    const Step steps[] = {
        {false, Logic::And, "Name", "smith", "Name LIKE '%smith%'"},
        {true, Logic::And, "Address", "road", "Name LIKE '%smith%' AND Address LIKE '%road%'"},
        {true, Logic::Or, "Phone", "555",
         "Name LIKE '%smith%' AND Address LIKE '%road%' OR Phone LIKE '%555%'"},
        {false, Logic::Or, "Name", "", "Name LIKE '%%'"},
        {false, Logic::And, "Name", "O'Brien", "Name LIKE '%O''Brien%'"},
        {true, Logic::Or, "Memo", "it's 'x'",
         "Name LIKE '%O''Brien%' OR Memo LIKE '%it''s ''x''%'"},
    };
    for (const Step& step : steps) {
        m_search.SetContinueMode(step.continueMode);
        m_search.SetLogic(step.logic);
        m_search.AddEntryCondition(QString::fromLatin1(step.field), QString::fromUtf8(step.text));
        EXPECT_EQ(m_search.EntryFilter(), QString::fromUtf8(step.filter)) << step.text;
    }
    EXPECT_EQ(m_data.NameDataSet.Filter(), QString()) << "adding a condition applies nothing";
}

TEST_F(Search, ContinuingWithNothingBuiltStartsAFilter)
{
    m_search.SetContinueMode(true);
    m_search.AddEntryCondition(QStringLiteral("Name"), QStringLiteral("a"));
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("Name LIKE '%a%'"));
    m_search.ClearConditions();
    EXPECT_TRUE(m_search.EntryFilter().isEmpty());
}

TEST_F(Search, SingleFieldSearchesListTheMatchingEntries)
{
    struct Case
    {
        const char* field;
        const char* text;
        bool caseSensitive;
        std::vector<const char*> listed;
    };
    const Case cases[] = {
        {"Name", "smith", false, {"John Smith", "Jane Smithers", "李Smith", "李smith"}},
        {"Name",
         "",
         false,
         {"Harbour Tools", "Jane Smithers", "John Smith", "O'Brien Pat", "李Smith", "李smith"}},
        {"Name", "o'brien", false, {"O'Brien Pat"}},
        {"Name", "李S", true, {"李Smith"}},
        {"Name", "李S", false, {"李Smith", "李smith"}},
        {"Address", "ROAD", false, {"Jane Smithers"}},
        {"Address", "ROAD", true, {}},
    };
    for (const Case& c : cases) {
        m_search.SearchEntryField(QString::fromLatin1(c.field), QString::fromUtf8(c.text),
                                  c.caseSensitive);
        EXPECT_EQ(m_data.NameDataSet.FilterCaseInsensitive(), !c.caseSensitive);
        QStringList expected;
        for (const char* name : c.listed)
            expected << QString::fromUtf8(name);
        EXPECT_THAT(Listed(), ::testing::UnorderedElementsAreArray(expected)) << c.text;
    }
}

TEST_F(Search, OrgConditionsListTheEntriesOfTheMatchingOrgs)
{
    EXPECT_TRUE(m_search.AddOrgCondition(QStringLiteral("Company"), QStringLiteral("BANK"), false));
    EXPECT_EQ(m_search.OrgFilter(), QStringLiteral("Company LIKE '%BANK%'"));
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("(OrgID=3 OR OrgID=7)"))
        << "the orgs in the lookup table's order";
    EXPECT_FALSE(m_data.AgentLookDataSet.Filtered()) << "the org lookup is left unfiltered";
    EXPECT_EQ(m_data.AgentLookDataSet.RecordCount(), 4);

    EXPECT_FALSE(m_search.AddOrgCondition(QStringLiteral("Company"), QStringLiteral("BANK"), true))
        << "with letter case no org matches";
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("OrgID=-1")) << "AND without a match";
    EXPECT_FALSE(m_data.AgentLookDataSet.Filtered());
}

// Continuing with AND after a search for smith in Name, a search for bank in Company.
TEST_F(Search, ContinuedOrgSearchJoinsTheOrgNumbers)
{
    m_search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("smith"), false);
    m_search.SetContinueMode(true);
    m_search.SearchOrgField(QStringLiteral("Company"), QStringLiteral("bank"), false);
    EXPECT_EQ(m_search.EntryFilter(),
              QStringLiteral("Name LIKE '%smith%' AND (OrgID=3 OR OrgID=7)"));
    EXPECT_THAT(Listed(), UnorderedElementsAre("John Smith", QStringLiteral("李Smith")));

    m_search.SetLogic(Logic::Or);
    m_search.SearchOrgField(QStringLiteral("CAddress"), QStringLiteral("london"), false);
    EXPECT_EQ(m_search.OrgFilter(),
              QStringLiteral("Company LIKE '%bank%' OR CAddress LIKE '%london%'"));
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("Name LIKE '%smith%' AND (OrgID=3 OR OrgID=7) "
                                                     "OR (OrgID=3 OR OrgID=7 OR OrgID=5)"));
}

TEST_F(Search, OrgSearchWithoutAMatch)
{
    struct Case
    {
        const char* name;
        bool continueMode;
        Logic logic;
        const char* filter;
        std::vector<const char*> listed;
    };
    // The previous search: Name LIKE '%smithers%', listing Jane Smithers.
    const Case cases[] = {
        {"new, AND", false, Logic::And, "OrgID=-1", {}},
        {"new, OR lists nobody either", false, Logic::Or, "OrgID=-1", {}},
        {"continued, AND", true, Logic::And, "OrgID=-1", {}},
        {"continued, OR keeps the filter",
         true,
         Logic::Or,
         "Name LIKE '%smithers%'",
         {"Jane Smithers"}},
    };
    for (const Case& c : cases) {
        m_search.SetContinueMode(false);
        m_search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("smithers"), false);
        m_search.SetContinueMode(c.continueMode);
        m_search.SetLogic(c.logic);
        m_search.SearchOrgField(QStringLiteral("Company"), QStringLiteral("nowhere"), false);
        EXPECT_EQ(m_search.EntryFilter(), QString::fromLatin1(c.filter)) << c.name;
        EXPECT_EQ(m_data.NameDataSet.Filter(), QString::fromLatin1(c.filter)) << c.name;
        EXPECT_EQ(Listed().size(), qsizetype(c.listed.size())) << c.name;
    }
    m_search.SetContinueMode(true);
    m_search.SetLogic(Logic::Or);
    m_search.ClearConditions();
    m_search.SearchOrgField(QStringLiteral("Company"), QStringLiteral("nowhere"), false);
    EXPECT_EQ(m_data.NameDataSet.Filter(), QStringLiteral("OrgID=-1"))
        << "continuing with nothing built does not list everybody";
}

// Orgs found by a search that has been replaced since do not join a later continued search.
TEST_F(Search, ANewSearchStartsANewOrgFilter)
{
    m_search.SearchOrgField(QStringLiteral("Company"), QStringLiteral("tools"), false);
    m_search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("pat"), false);
    EXPECT_TRUE(m_search.OrgFilter().isEmpty());
    m_search.SetContinueMode(true);
    m_search.SetLogic(Logic::Or);
    m_search.SearchOrgField(QStringLiteral("CAddress"), QStringLiteral("leeds"), false);
    EXPECT_EQ(m_search.OrgFilter(), QStringLiteral("CAddress LIKE '%leeds%'"));
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("Name LIKE '%pat%' OR (OrgID=3)"));
    EXPECT_THAT(Listed(), UnorderedElementsAre("John Smith", "O'Brien Pat"));

    m_search.FilterByOrg(5);
    EXPECT_TRUE(m_search.OrgFilter().isEmpty());
}

TEST_F(Search, LookupsAndBirthdaysStartANewFilter)
{
    struct Case
    {
        std::function<void(CSearchMT&)> run;
        const char* filter;
        std::vector<const char*> listed;
    };
    const Case cases[] = {
        {[](CSearchMT& s) { s.FilterByOrg(5); }, "OrgID=5", {"Harbour Tools", "Jane Smithers"}},
        {[](CSearchMT& s) { s.FilterByOrg(0); }, "OrgID=0", {"李smith"}},
        {[](CSearchMT& s) { s.FilterByBirthMonth(4); },
         "Month(Birthday)=4",
         {"Jane Smithers", "John Smith"}},
        {[](CSearchMT& s) { s.FilterByBirthday(4, 30); },
         "Month(Birthday)=4 AND Day(Birthday)=30",
         {"John Smith"}},
        {[](CSearchMT& s) { s.FilterByBirthday(4, 31); },
         "Month(Birthday)=4 AND Day(Birthday)=31",
         {}},
        {[](CSearchMT& s) { s.FilterByBirthday(12, 31); },
         "Month(Birthday)=12 AND Day(Birthday)=31",
         {"李Smith"}},
        {[](CSearchMT& s) { s.FilterByName(QStringLiteral("O'Brien Pat")); },
         "Name='O''Brien Pat'",
         {"O'Brien Pat"}},
        {[](CSearchMT& s) { s.FilterByNamePrefix(QStringLiteral("o'b")); },
         "Name='o''b*' and (not (Yellow=true))",
         {"O'Brien Pat"}},
        {[](CSearchMT& s) { s.FilterByNamePrefix(QStringLiteral("HAR")); },
         "Name='HAR*' and (not (Yellow=true))",
         {}},
        {[](CSearchMT& s) { s.FilterByNamePrefix(QString()); },
         "Name='*' and (not (Yellow=true))",
         {"Jane Smithers", "John Smith", "O'Brien Pat", "李Smith", "李smith"}},
    };
    for (const Case& c : cases) {
        m_search.SetContinueMode(true);
        m_search.AddEntryCondition(QStringLiteral("Name"), QStringLiteral("x"));
        c.run(m_search);
        EXPECT_FALSE(m_search.ContinueMode()) << c.filter;
        EXPECT_EQ(m_search.EntryFilter(), QString::fromUtf8(c.filter));
        EXPECT_EQ(m_data.NameDataSet.Filter(), QString::fromUtf8(c.filter));
        QStringList expected;
        for (const char* name : c.listed)
            expected << QString::fromUtf8(name);
        EXPECT_THAT(Listed(), ::testing::UnorderedElementsAreArray(expected)) << c.filter;
    }
}

TEST_F(Search, NameLookupsTreatLetterCaseAsStated)
{
    m_data.NameDataSet.SetFilterCaseInsensitive(false);
    m_search.FilterByName(QStringLiteral("john smith"));
    EXPECT_FALSE(m_data.NameDataSet.FilterCaseInsensitive()) << "the exact name keeps the option";
    EXPECT_THAT(Listed(), IsEmpty());
    m_search.FilterByNamePrefix(QStringLiteral("john"));
    EXPECT_TRUE(m_data.NameDataSet.FilterCaseInsensitive());
    EXPECT_THAT(Listed(), ElementsAre("John Smith"));
}

TEST_F(Search, ContinuingAfterABirthdayJoinsItsExpression)
{
    m_search.FilterByBirthMonth(4);
    m_search.SetContinueMode(true);
    m_search.SetLogic(Logic::And);
    m_search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("smithers"), false);
    EXPECT_EQ(m_search.EntryFilter(),
              QStringLiteral("Month(Birthday)=4 AND Name LIKE '%smithers%'"));
    EXPECT_THAT(Listed(), ElementsAre("Jane Smithers"));

    m_search.FilterByBirthday(5, 31);
    m_search.SetContinueMode(true);
    m_search.SetLogic(Logic::Or);
    m_search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("john"), false);
    EXPECT_EQ(m_search.EntryFilter(),
              QStringLiteral("Month(Birthday)=5 AND Day(Birthday)=31 OR Name LIKE '%john%'"));
    EXPECT_THAT(Listed(), UnorderedElementsAre("John Smith", "O'Brien Pat"));
}

// The search results node applies the last search again, whatever was listed meanwhile.
TEST_F(Search, ApplySearchRestoresTheLastFilter)
{
    m_search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("pat"), false);
    m_data.NameDataSet.SetFilter(QStringLiteral("Yellow=true"));
    m_search.ApplySearch();
    EXPECT_EQ(m_data.NameDataSet.Filter(), QStringLiteral("Name LIKE '%pat%'"));
    EXPECT_THAT(Listed(), ElementsAre("O'Brien Pat"));
}

TEST(SearchWithoutTables, BuildsFiltersAndAppliesNothing)
{
    CSearchMT search;
    search.SearchEntryField(QStringLiteral("Name"), QStringLiteral("a"), false);
    EXPECT_FALSE(search.AddOrgCondition(QStringLiteral("Company"), QStringLiteral("a"), false));
    search.ApplySearch();
    EXPECT_EQ(search.EntryFilter(), QStringLiteral("OrgID=-1"));
}

// ---- The handling of a closed search dialog ----

class RecordingResultsView : public SearchResultsView
{
public:
    QStringList calls;
    void ShowSearchNode() override { calls << QStringLiteral("node"); }
    void ShowFoundEntries() override { calls << QStringLiteral("list"); }
};

class SearchOutcome : public Search
{
protected:
    void SetUp() override
    {
        Search::SetUp();
        m_options.ReadAll();
    }

    SearchRequest Request(SearchResult result, QStringList fields, QString text,
                          Logic logic = Logic::And)
    {
        SearchRequest request;
        request.result = result;
        request.fields = std::move(fields);
        request.text = std::move(text);
        request.logic = logic;
        return request;
    }

    void Finish(const SearchRequest& request) { m_controller.Finish(request, m_view); }

    QTemporaryDir m_dir;
    OptionType m_options{m_dir.filePath(QStringLiteral("aa.ini"))};
    ScriptedPrompter m_prompter;
    SearchController m_controller{m_search, m_options, m_prompter};
    RecordingResultsView m_view;
};

TEST_F(SearchOutcome, CancelChangesNothing)
{
    m_search.SetContinueMode(true);
    Finish(Request(SearchResult::Cancel, {QStringLiteral("Name")}, QStringLiteral("a")));
    EXPECT_TRUE(m_search.ContinueMode());
    EXPECT_THAT(m_view.calls, IsEmpty());
    EXPECT_TRUE(m_search.EntryFilter().isEmpty());
}

TEST_F(SearchOutcome, OneFieldSearchesTheEntryOrTheOrgTable)
{
    struct Case
    {
        SearchResult result;
        const char* label;
        const char* text;
        Logic logic;
        const char* filter;
        bool caseInsensitive;
    };
    const Case cases[] = {
        {SearchResult::Ok, "Name", "smith", Logic::And, "Name LIKE '%smith%'", true},
        {SearchResult::Retry, "home address", "road", Logic::And,
         "Name LIKE '%smith%' AND Address LIKE '%road%'", true},
        {SearchResult::Retry, "Org", "bank", Logic::Or,
         "Name LIKE '%smith%' AND Address LIKE '%road%' OR (OrgID=3 OR OrgID=7)", true},
        {SearchResult::Ok, "Name", "李S", Logic::And, "Name LIKE '%李S%'", false},
        {SearchResult::Ok, "Org Address", "o'", Logic::Or, "OrgID=-1", false},
        {SearchResult::Ok, "Org Address", "ROAD", Logic::Or, "(OrgID=7)", false},
        // Labels without a text field of either table search nothing: the filter stays.
        {SearchResult::Ok, "No Such Label", "x", Logic::And, "(OrgID=7)", false},
        {SearchResult::Ok, "Birthday", "x", Logic::And, "(OrgID=7)", false},
    };
    for (const Case& c : cases) {
        Finish(Request(c.result, {QString::fromUtf8(c.label)}, QString::fromUtf8(c.text), c.logic));
        EXPECT_EQ(m_search.ContinueMode(), c.result == SearchResult::Retry);
        EXPECT_EQ(m_search.CurrentLogic(), c.logic);
        EXPECT_EQ(m_search.EntryFilter(), QString::fromUtf8(c.filter)) << c.label;
        EXPECT_EQ(m_data.NameDataSet.Filter(), QString::fromUtf8(c.filter)) << c.label;
        EXPECT_EQ(m_data.NameDataSet.FilterCaseInsensitive(), c.caseInsensitive) << c.label;
    }
    EXPECT_THAT(Listed(), UnorderedElementsAre("O'Brien Pat", QStringLiteral("李Smith")));
    EXPECT_EQ(m_view.calls.size(), 2 * qsizetype(std::size(cases)));
    EXPECT_THAT(m_view.calls.mid(0, 2), ElementsAre("node", "list"));
}

// Several fields are always a new search of their own, joined by OR, whatever the dialog's
// logic and button; the entry table's letter case option stays.
TEST_F(SearchOutcome, SeveralFieldsAreAlwaysANewOrSearch)
{
    struct Case
    {
        SearchResult result;
        QStringList labels;
        const char* text;
        const char* filter;
        std::vector<const char*> listed;
    };
    const Case cases[] = {
        {SearchResult::Retry,
         {"Name", "Org", "Home Address"},
         "bank",
         "Name LIKE '%bank%' OR (OrgID=3 OR OrgID=7) OR Address LIKE '%bank%'",
         {"John Smith", "O'Brien Pat", "李Smith"}},
        {SearchResult::Ok,
         {"Org", "Name"},
         "Smithers",
         "Name LIKE '%Smithers%'",
         {"Jane Smithers"}},
        {SearchResult::Ok, {"Org", "Org Address"}, "nowhere", "", {}},
        {SearchResult::Ok,
         {"Unknown", "Org Address", "Home Phone"},
         "London",
         "(OrgID=5) OR Phone LIKE '%London%'",
         {"Harbour Tools", "Jane Smithers"}},
    };
    m_data.NameDataSet.SetFilterCaseInsensitive(false);
    for (const Case& c : cases) {
        m_search.SetLogic(Logic::And);
        Finish(Request(c.result, c.labels, QString::fromUtf8(c.text), Logic::And));
        EXPECT_TRUE(m_search.ContinueMode());
        EXPECT_EQ(m_search.CurrentLogic(), Logic::Or);
        EXPECT_EQ(m_search.EntryFilter(), QString::fromUtf8(c.filter)) << c.text;
        EXPECT_EQ(m_data.NameDataSet.Filter(),
                  *c.filter ? QString::fromUtf8(c.filter) : QStringLiteral("OrgID=-1"));
        EXPECT_FALSE(m_data.NameDataSet.FilterCaseInsensitive());
        QStringList expected;
        for (const char* name : c.listed)
            expected << QString::fromUtf8(name);
        EXPECT_THAT(Listed(), ::testing::UnorderedElementsAreArray(expected)) << c.text;
    }
    EXPECT_EQ(m_prompter.maxWaitDepth, 1) << "under the hourglass";
    EXPECT_EQ(m_prompter.waitDepth, 0);
}

TEST_F(SearchOutcome, BirthdayQuickSearch)
{
    SearchRequest request = Request(SearchResult::Birthday, {QStringLiteral("Name")}, {});
    request.month = 4;
    request.day = 0;
    Finish(request);
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("Month(Birthday)=4"));
    EXPECT_THAT(Listed(), UnorderedElementsAre("John Smith", "Jane Smithers"));
    request.day = 31;
    Finish(request);
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("Month(Birthday)=4 AND Day(Birthday)=31"));
    EXPECT_THAT(Listed(), IsEmpty());
    EXPECT_THAT(m_view.calls, ElementsAre("node", "list", "node", "list"));
}

TEST_F(SearchOutcome, NoFieldSelectedSearchesNothing)
{
    m_search.FilterByOrg(5);
    Finish(Request(SearchResult::Ok, {}, QStringLiteral("x")));
    EXPECT_EQ(m_search.EntryFilter(), QStringLiteral("OrgID=5"));
}

TEST(SearchCase, OnlyAWideFirstCharacterKeepsLetterCase)
{
    struct Case
    {
        const char* text;
        bool caseSensitive;
    };
    for (const Case& c :
         {Case{"李", true}, Case{"Ａbc", true}, Case{"가", true}, Case{"abc", false},
          Case{"a李", false}, Case{"ｱ", false}, Case{"", false}})
        EXPECT_EQ(SearchController::CaseSensitiveFor(QString::fromUtf8(c.text)), c.caseSensitive)
            << c.text;
}

} // namespace
