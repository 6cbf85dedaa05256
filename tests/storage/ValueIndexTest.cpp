// The record store's value indexes: exact matches and matches with a to z folded, kept up
// to date through changes, removals and rollbacks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "storage/CardDataMod.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

class ValueIndexTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_orgs.CreateDataSet(TCardData::AgentTableFields());
        for (const char* company : {"Acme Ltd", "ACME LTD", "Globex", "Äcme"})
            m_orgs.AppendRecord({int(m_orgs.RecordCount()), QString::fromUtf8(company)});
        m_orgs.AppendRecord({9, QVariant()});
    }

    std::vector<RecordIndex> Folded(const char* text)
    {
        return m_orgs.Store()->MatchingIgnoringCase(Company(), QString::fromUtf8(text));
    }
    int Company() const { return m_orgs.FieldIndex(u"Company"); }

    TableView m_orgs{QStringLiteral("AgentDataSet")};
};

TEST_F(ValueIndexTest, FoldsOnlyAToZ)
{
    EXPECT_THAT(Folded("acme ltd"), UnorderedElementsAre(0u, 1u));
    EXPECT_THAT(Folded("GLOBEX"), ElementsAre(2u));
    EXPECT_THAT(Folded("äCME"), IsEmpty()) << "letters beyond a to z keep their case";
    EXPECT_THAT(Folded("Äcme"), ElementsAre(3u));
    EXPECT_THAT(Folded(""), IsEmpty()) << "a field without a value matches nothing";
    EXPECT_THAT(Folded("acme"), IsEmpty()) << "whole values only";
    // The exact index of the same field stays exact.
    EXPECT_THAT(m_orgs.Store()->Matching(Company(), Cell::FromText(u"Acme Ltd")), ElementsAre(0u));
}

TEST_F(ValueIndexTest, FollowsChangesRemovalsAndRollbacks)
{
    ASSERT_THAT(Folded("acme ltd"), UnorderedElementsAre(0u, 1u));
    const int savePoint = m_orgs.SavePoint();
    ASSERT_TRUE(m_orgs.Locate(u"Company", QStringLiteral("Globex")));
    m_orgs.Edit();
    m_orgs.FieldByName(u"Company").SetValue(QStringLiteral("acme LTD"));
    m_orgs.Post();
    EXPECT_THAT(Folded("Acme Ltd"), UnorderedElementsAre(0u, 1u, 2u));
    EXPECT_THAT(Folded("globex"), IsEmpty());
    ASSERT_TRUE(m_orgs.Locate(u"Company", QStringLiteral("ACME LTD")));
    m_orgs.Delete();
    m_orgs.AppendRecord({20, QStringLiteral("Initech")});
    EXPECT_THAT(Folded("acme ltd"), UnorderedElementsAre(0u, 2u));
    EXPECT_THAT(Folded("INITECH"), ElementsAre(5u));

    ASSERT_TRUE(m_orgs.RollbackTo(savePoint));
    EXPECT_THAT(Folded("acme ltd"), UnorderedElementsAre(0u, 1u));
    EXPECT_THAT(Folded("globex"), ElementsAre(2u));
    EXPECT_THAT(Folded("initech"), IsEmpty());
}

} // namespace
