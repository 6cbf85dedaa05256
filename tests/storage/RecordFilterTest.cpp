// The filter language over a small Name table: every form the lists and searches build,
// precedence, quoting, the case option and null values.
#include <gtest/gtest.h>

#include "storage/CardDataMod.h"
#include "storage/DatabaseError.h"

namespace {

struct Person
{
    int id;
    const char* name;
    const char* surname;
    QVariant yellow; // invalid: no value
    int orgId;
    int group1;
    QDate birthday;
};

const Person kPeople[] = {
    {1, "Smith, John", "Smith", false, 3, 1001, QDate(1980, 4, 30)},
    {2, "smithers", "smithers", QVariant(), 7, 1002, QDate(1975, 12, 1)},
    {3, "O'Brien", "O'Brien", false, -1, 1001, QDate(1990, 4, 1)},
    {4, "Acme Ltd", "Acme Ltd", true, 7, 1000, QDate()},
    {5, "Jane Blacksmith", "Blacksmith", false, 0, 1003, QDate(2000, 2, 29)},
    {6, "张伟", "张", false, 3, 1001, QDate(1985, 4, 15)},
};

class RecordFilterTest : public ::testing::TestWithParam<std::tuple<const char*, bool, const char*>>
{
protected:
    void SetUp() override
    {
        m_view.CreateDataSet(TCardData::NameTableFields());
        const FieldList& f = m_view.Fields();
        for (const Person& p : kPeople) {
            m_view.Append();
            m_view.FieldByName(u"ClientID").SetValue(p.id);
            m_view.FieldByName(u"Name").SetValue(QString::fromUtf8(p.name));
            m_view.FieldByName(u"SurName").SetValue(QString::fromUtf8(p.surname));
            m_view.FieldByName(u"Yellow").SetValue(p.yellow);
            m_view.FieldByName(u"OrgID").SetValue(p.orgId);
            m_view.FieldByName(u"Group1").SetValue(p.group1);
            m_view.FieldByName(u"Birthday").SetValue(p.birthday);
            m_view.Post();
        }
        ASSERT_EQ(f.Count(), 29);
    }

    // The ClientIDs the filter lists, in store order, joined by commas.
    std::string Listed(const QString& filter, bool caseInsensitive)
    {
        m_view.SetFilter(filter);
        m_view.SetFilterCaseInsensitive(caseInsensitive);
        m_view.SetFiltered(true);
        std::string ids;
        for (m_view.First(); !m_view.Eof(); m_view.Next())
            ids += (ids.empty() ? "" : ",") +
                   std::to_string(m_view.FieldByName(u"ClientID").AsInteger());
        return ids;
    }

    TableView m_view{QStringLiteral("People")};
};

TEST_P(RecordFilterTest, ListsTheMatchingRecords)
{
    const auto& [expression, caseInsensitive, expected] = GetParam();
    EXPECT_EQ(Listed(QString::fromUtf8(expression), caseInsensitive), expected) << expression;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RecordFilterTest,
    ::testing::Values(
        std::make_tuple("", false, "1,2,3,4,5,6"), std::make_tuple("   ", false, "1,2,3,4,5,6"),
        std::make_tuple("OrgID=7", false, "2,4"), std::make_tuple("OrgID=-1", false, "3"),
        std::make_tuple("OrgID = - 1", false, "3"), std::make_tuple("orgid=0", false, "5"),
        std::make_tuple("ClientID=1", false, "1"), std::make_tuple("ClientID=0", false, ""),
        std::make_tuple("Yellow=true", false, "4"),
        std::make_tuple("Yellow=false", false, "1,3,5,6"),
        // a null Yellow is not true, so "not" lets it through
        std::make_tuple("not (Yellow=true)", false, "1,2,3,5,6"),
        std::make_tuple("NOT Yellow=TRUE", false, "1,2,3,5,6"),
        std::make_tuple("Name='Smith, John'", false, "1"),
        std::make_tuple("Name='smith, john'", false, ""),
        std::make_tuple("Name='smith, john'", true, "1"),
        std::make_tuple("Name='O''Brien'", false, "3"),
        std::make_tuple("SurName='Smith*'", false, "1"),
        std::make_tuple("Surname='SMITH*'", false, ""),
        std::make_tuple("Surname='SMITH*'", true, "1,2"),
        std::make_tuple("SurName='O''*'", false, "3"),
        std::make_tuple("SurName='*'", false, "1,2,3,4,5,6"),
        std::make_tuple("SurName='张*'", false, "6"),
        std::make_tuple("Name LIKE '%smith%'", false, "2,5"),
        std::make_tuple("Name LIKE '%smith%'", true, "1,2,5"),
        std::make_tuple("Name like '%SMITH%'", false, ""),
        std::make_tuple("Name LIKE 'Jane%'", false, "5"),
        std::make_tuple("Name LIKE '%Ltd'", false, "4"),
        std::make_tuple("Name LIKE 'J%smith'", false, "5"),
        std::make_tuple("Name LIKE 'J%x%smith'", false, ""),
        std::make_tuple("Name LIKE '%'", false, "1,2,3,4,5,6"),
        std::make_tuple("Name LIKE 'smithers'", false, "2"),
        std::make_tuple("Name LIKE '%''%'", false, "3"),
        std::make_tuple("Month(Birthday)=4", false, "1,3,6"),
        std::make_tuple("month(birthday)=4 and Day(Birthday)=30", false, "1"),
        std::make_tuple("Day(Birthday)=29", false, "5"),
        std::make_tuple("Month(Birthday)=13", false, ""),
        std::make_tuple("Group1=1001 OR Group2=1001 OR Group3=1001 OR Group4=1001", false, "1,3,6"),
        std::make_tuple("(OrgID=3 OR OrgID=7)", false, "1,2,4,6"),
        std::make_tuple("Name LIKE '%smith%' AND (OrgID=3 OR OrgID=7)", true, "1,2"),
        // and binds tighter than or, not tighter than and
        std::make_tuple("OrgID=0 or OrgID=7 and Yellow=true", false, "4,5"),
        std::make_tuple("(OrgID=0 or OrgID=7) and Yellow=true", false, "4"),
        std::make_tuple("not OrgID=7 and not OrgID=3", false, "3,5"),
        std::make_tuple("not (OrgID=7 or OrgID=3)", false, "3,5"),
        std::make_tuple("SurName='Smith*' and (not (Yellow=true))", true, "1,2"),
        std::make_tuple("Group1=1000 or Name='x'", false, "4")));

TEST(RecordFilterErrors, TextsThatDoNotParseAreDatabaseErrors)
{
    const FieldList fields = TCardData::NameTableFields();
    for (const char* bad : {"Name=", "Name='open", "(OrgID=1", "OrgID=1)", "Nickname='x'",
                            "OrgID='x'", "Name=3", "Month(Name)=1", "Yellow=1", "OrgID=99999999999",
                            "OrgID=1 or", "Name LIKE 3", "OrgID=1 # 2", "and OrgID=1"}) {
        EXPECT_THROW(RecordFilter::Parse(QString::fromUtf8(bad), fields), DatabaseError) << bad;
    }
}

TEST(RecordFilterErrors, DeepNestingIsRefusedNotOverflowed)
{
    const FieldList fields = TCardData::NameTableFields();
    const QString deep = QString(100000, u'(') + QStringLiteral("OrgID=1") + QString(100000, u')');
    EXPECT_THROW(RecordFilter::Parse(deep, fields), DatabaseError);
    QString nots;
    for (int i = 0; i < 100000; ++i)
        nots += QStringLiteral("not ");
    EXPECT_THROW(RecordFilter::Parse(nots + QStringLiteral("OrgID=1"), fields), DatabaseError);
}

TEST(RecordFilterErrors, AFailedFilterKeepsTheViewsFilter)
{
    TableView view;
    view.CreateDataSet(TCardData::NameTableFields());
    view.SetFilter(QStringLiteral("OrgID=1"));
    EXPECT_THROW(view.SetFilter(QStringLiteral("OrgID=")), DatabaseError);
    EXPECT_EQ(view.Filter(), QStringLiteral("OrgID=1"));
}

TEST(RecordFilterChains, LongOrChainsOfOneFieldMatchLikeShortOnes)
{
    TableView view;
    view.CreateDataSet(TCardData::NameTableFields());
    for (int org = 0; org < 50; ++org)
        view.AppendRecord({org,
                           QStringLiteral("n%1").arg(org),
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           {},
                           org});
    QString chain = QStringLiteral("(OrgID=49");
    for (int org = 0; org < 5000; org += 2)
        chain += QStringLiteral(" OR OrgID=%1").arg(org);
    chain += u')';
    view.SetFilter(chain);
    view.SetFiltered(true);
    EXPECT_EQ(view.RecordCount(), 26);
}

} // namespace
