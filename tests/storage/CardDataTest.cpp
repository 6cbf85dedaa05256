// The data module: the views it holds and the org that follows the current entry.
#include <gtest/gtest.h>

#include "storage/CardDataMod.h"

namespace {

class CardDataTest : public ::testing::Test
{
protected:
    void AddOrg(int id, const QString& company) { m_data.AgentDataSet.AppendRecord({id, company}); }
    void AddEntry(int id, const QString& name, int orgId)
    {
        QVariantList values(29);
        values[0] = id;
        values[1] = name;
        values[16] = orgId;
        values[26] = false;
        m_data.NameDataSet.AppendRecord(values);
    }
    int CurrentOrg() { return m_data.AgentDataSet.FieldByName(u"CoID").AsInteger(); }

    TCardData m_data;
};

TEST_F(CardDataTest, StartsWithEmptyTablesOfTheirFields)
{
    EXPECT_EQ(m_data.NameDataSet.FieldCount(), 29);
    EXPECT_EQ(m_data.AgentDataSet.FieldCount(), 10);
    EXPECT_EQ(m_data.NameDataSet.FieldNames().last(), QStringLiteral("CID"));
    EXPECT_EQ(m_data.AgentDataSet.FieldNames().last(), QStringLiteral("CURL"));
    EXPECT_TRUE(m_data.NameDataSet.IsEmpty());
    EXPECT_EQ(m_data.NameDataSet.Store(), m_data.NameReadDataSet.Store());
    EXPECT_EQ(m_data.AgentDataSet.Store(), m_data.AgentReadDataSet.Store());
}

TEST_F(CardDataTest, TheOrgViewFollowsTheCurrentEntry)
{
    AddOrg(0, QStringLiteral("(default)"));
    AddOrg(2001, QStringLiteral("Acme"));
    AddOrg(2002, QStringLiteral("Bolt"));
    AddEntry(2001, QStringLiteral("Ann"), 2002);
    AddEntry(2002, QStringLiteral("Ben"), 2001);
    AddEntry(2003, QStringLiteral("Cid"), 4711); // its org is missing

    m_data.NameDataSet.First();
    EXPECT_EQ(CurrentOrg(), 2002);
    m_data.NameDataSet.Next();
    EXPECT_EQ(CurrentOrg(), 2001);
    m_data.NameDataSet.Next();
    EXPECT_EQ(CurrentOrg(), 0) << "a missing org shows the default org";
}

TEST_F(CardDataTest, WithoutTheDefaultOrgTheOrgViewStaysWhereItIs)
{
    AddOrg(2001, QStringLiteral("Acme"));
    AddOrg(2002, QStringLiteral("Bolt"));
    AddEntry(2001, QStringLiteral("Ann"), 2002);
    AddEntry(2002, QStringLiteral("Ben"), 4711);
    m_data.NameDataSet.First();
    ASSERT_EQ(CurrentOrg(), 2002);
    m_data.NameDataSet.Next();
    EXPECT_EQ(CurrentOrg(), 2002);
}

TEST_F(CardDataTest, LookupViewsShareTheStoresAndCountDeletesAtOnce)
{
    AddEntry(2001, QStringLiteral("Ann"), 0);
    AddEntry(2002, QStringLiteral("Ben"), 0);
    m_data.MakeLookupViews();
    m_data.NameLookDataSet2.SetFilter(QStringLiteral("not (Yellow=true)"));
    EXPECT_EQ(m_data.NameLookDataset.IndexName(), QStringLiteral("NameIndex"));
    ASSERT_TRUE(m_data.NameDataSet.Locate(u"Name", QStringLiteral("Ann")));
    m_data.NameDataSet.Delete();
    EXPECT_EQ(m_data.NameLookDataset.RecordCount(), 1);
    EXPECT_EQ(m_data.NameLookDataSet2.RecordCount(), 1);

    m_data.NameDataSet.SetFilter(QStringLiteral("OrgID=-1"));
    m_data.MakePrintViews();
    EXPECT_EQ(m_data.NamePrDataset.Filter(), QStringLiteral("OrgID=-1"));
    EXPECT_EQ(m_data.NamePrDataset.RecordCount(), 0);
}

} // namespace
