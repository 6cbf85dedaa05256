// Table views over shared stores: ordering, navigation, editing, the change log with
// savepoints, bookmarks, locate, suspended display updates and the after-scroll event.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "storage/CardDataMod.h"
#include "storage/DatabaseError.h"

namespace {

class TableViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_read.AddIndexDef(QStringLiteral("NameIndex"), QStringLiteral("Yellow;Name"));
        m_read.SetIndexName(QStringLiteral("NameIndex"));
        m_read.SetFiltered(true);
        m_read.CreateDataSet(TCardData::NameTableFields());
        m_work.MakeViewFrom(m_read, false);
    }

    void Add(int id, const QString& name, QVariant yellow = false, int orgId = 0)
    {
        m_work.Append();
        m_work.FieldByName(u"ClientID").SetValue(id);
        m_work.FieldByName(u"Name").SetValue(name);
        m_work.FieldByName(u"Yellow").SetValue(yellow);
        m_work.FieldByName(u"OrgID").SetValue(orgId);
        m_work.Post();
    }

    static QStringList Names(TableView& view)
    {
        QStringList names;
        for (view.First(); !view.Eof(); view.Next())
            names << view.FieldByName(u"Name").AsString();
        return names;
    }

    TableView m_read{QStringLiteral("NameReadDataSet")};
    TableView m_work{QStringLiteral("NameDataSet")};
};

TEST_F(TableViewTest, OrdersWhitePagesBeforeYellowPagesThenByNameKeepingEqualNames)
{
    Add(1, QStringLiteral("Zed"));
    Add(2, QStringLiteral("Acme"), true);
    Add(3, QStringLiteral("bob"));
    Add(4, QStringLiteral("Bob"));
    Add(5, QStringLiteral("Acme"), false);
    Add(6, QStringLiteral("Ábel"));
    Add(7, QStringLiteral("Bob"));
    Add(8, QStringLiteral("Anna"), QVariant()); // no Yellow value sorts with the white pages
    EXPECT_EQ(Names(m_work),
              (QStringList{"Anna", "Ábel", "Acme", "bob", "Bob", "Bob", "Zed", "Acme"}));
}

TEST_F(TableViewTest, ChangedRecordsMoveToTheirPlaceInTheOrder)
{
    for (int i = 0; i < 400; ++i)
        Add(i, QStringLiteral("N%1").arg(i, 3, 10, QChar(u'0')));
    ASSERT_EQ(m_work.RecordCount(), 400);
    ASSERT_TRUE(m_work.Locate(u"Name", QStringLiteral("N200")));
    m_work.Edit();
    m_work.FieldByName(u"Name").SetValue(QStringLiteral("A"));
    m_work.Post();
    EXPECT_EQ(m_work.RecNo(), 1);
    m_work.SetRecNo(400);
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("N399"));
    m_work.Last();
    m_work.Edit();
    m_work.FieldByName(u"Yellow").SetValue(true);
    m_work.Post();
    m_work.SetRecNo(400);
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("N399"));
    m_work.SetRecNo(399);
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("N398"));
}

TEST_F(TableViewTest, ViewsOfOneStoreSeeEveryChangeAtOnce)
{
    TableView lookup(QStringLiteral("NameLookDataset"));
    lookup.MakeViewFrom(m_read, false);
    Add(1, QStringLiteral("Ann"));
    Add(2, QStringLiteral("Ben"));
    Add(3, QStringLiteral("Cid"));
    m_work.SetFilter(QStringLiteral("Name='Ben'"));
    EXPECT_EQ(m_work.RecordCount(), 1);
    EXPECT_EQ(lookup.RecordCount(), 3);
    m_work.Delete();
    EXPECT_EQ(m_work.RecordCount(), 0);
    EXPECT_EQ(lookup.RecordCount(), 2);
    EXPECT_FALSE(lookup.Locate(u"Name", QStringLiteral("Ben")));
    EXPECT_EQ(m_read.RecordCount(), 2);
}

TEST_F(TableViewTest, NavigationHonoursTheFilterAndTheEndTests)
{
    EXPECT_TRUE(m_work.Eof());
    EXPECT_TRUE(m_work.Bof());
    EXPECT_EQ(m_work.RecNo(), 0);
    for (int i = 1; i <= 5; ++i)
        Add(i, QStringLiteral("P%1").arg(i), false, i % 2);
    m_work.SetFilter(QStringLiteral("OrgID=1"));
    EXPECT_EQ(Names(m_work), (QStringList{"P1", "P3", "P5"}));
    m_work.First();
    m_work.Prior();
    EXPECT_TRUE(m_work.Bof());
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("P1"));
    m_work.SetFiltered(false);
    EXPECT_EQ(m_work.RecordCount(), 5);
}

TEST_F(TableViewTest, DeletingTheCurrentRecordMakesTheNextOneCurrent)
{
    for (int i = 1; i <= 3; ++i)
        Add(i, QStringLiteral("P%1").arg(i));
    m_work.SetRecNo(2);
    m_work.Delete();
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("P3"));
    m_work.Delete();
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("P1"));
    m_work.Delete();
    EXPECT_TRUE(m_work.IsEmpty());
    EXPECT_THROW(m_work.Delete(), DatabaseError);
}

TEST_F(TableViewTest, EditingNeedsEditOrInsertStateAndCancelDropsThePending)
{
    Add(1, QStringLiteral("Ann"));
    EXPECT_THROW(m_work.FieldByName(u"Name").SetValue(QStringLiteral("x")), DatabaseError);
    m_work.Edit();
    m_work.FieldByName(u"name").SetValue(QStringLiteral("Changed"));
    EXPECT_EQ(m_work.FieldByName(u"NAME").AsString(), QStringLiteral("Changed"));
    m_work.Cancel();
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("Ann"));
    m_work.Append();
    EXPECT_EQ(m_work.State(), ViewState::Insert);
    m_work.Cancel();
    EXPECT_EQ(m_work.RecordCount(), 1);
    EXPECT_THROW(m_work.FieldByName(u"Nickname"), DatabaseError);
}

TEST_F(TableViewTest, AppendRecordStoresValuesInFieldOrder)
{
    m_work.AppendRecord(
        {7, QStringLiteral("Ann Lee"), QStringLiteral("Lee"), {}, QStringLiteral("Ann")});
    EXPECT_EQ(m_work.FieldByName(u"ClientID").AsInteger(), 7);
    EXPECT_EQ(m_work.FieldByName(u"GivenName").AsString(), QStringLiteral("Ann"));
    EXPECT_TRUE(m_work.FieldByName(u"MidName").IsNull());
    EXPECT_TRUE(m_work.FieldByName(u"Yellow").IsNull());
    m_work.EmptyDataSet();
    EXPECT_EQ(m_read.RecordCount(), 0);
}

TEST_F(TableViewTest, RollbackUndoesInsertsEditsAndDeletesAfterTheSavepoint)
{
    Add(1, QStringLiteral("Ann"));
    Add(2, QStringLiteral("Ben"));
    const int savePoint = m_work.SavePoint();
    Add(3, QStringLiteral("Cid"));
    ASSERT_TRUE(m_work.Locate(u"Name", QStringLiteral("Ann")));
    m_work.Edit();
    m_work.FieldByName(u"Name").SetValue(QStringLiteral("Anne"));
    m_work.Post();
    ASSERT_TRUE(m_work.Locate(u"Name", QStringLiteral("Ben")));
    m_work.Delete();
    m_work.Append(); // a pending insertion is cancelled by the rollback too
    EXPECT_GE(m_work.SavePoint(), savePoint + 3);

    ASSERT_TRUE(m_work.RollbackTo(savePoint));
    EXPECT_EQ(m_work.State(), ViewState::Browse);
    EXPECT_EQ(Names(m_work), (QStringList{"Ann", "Ben"}));
    EXPECT_EQ(m_work.SavePoint(), savePoint);
}

TEST_F(TableViewTest, PostingAnUnchangedRecordIsNoChange)
{
    Add(1, QStringLiteral("Ann"));
    const int before = m_work.SavePoint();
    const int changes = m_work.ChangeCount();
    m_work.Edit();
    m_work.FieldByName(u"Name").SetValue(QStringLiteral("Ann"));
    m_work.Post();
    EXPECT_EQ(m_work.SavePoint(), before);
    EXPECT_EQ(m_work.ChangeCount(), changes);
    // A value set and set back is no change either; a real one is.
    m_work.Edit();
    m_work.FieldByName(u"OrgID").SetValue(7);
    m_work.FieldByName(u"OrgID").SetValue(0);
    m_work.Post();
    EXPECT_EQ(m_work.ChangeCount(), changes);
    m_work.Edit();
    m_work.FieldByName(u"OrgID").Clear();
    m_work.Post();
    EXPECT_EQ(m_work.ChangeCount(), changes + 1);
}

TEST_F(TableViewTest, MergeAndUnloggedChangesEndTheWayBack)
{
    Add(1, QStringLiteral("Ann"));
    const int beforeMerge = m_work.SavePoint();
    Add(2, QStringLiteral("Ben"));
    m_work.MergeChangeLog();
    EXPECT_EQ(m_work.ChangeCount(), 0);
    EXPECT_FALSE(m_work.RollbackTo(beforeMerge));
    EXPECT_EQ(m_work.RecordCount(), 2);

    const int merged = m_work.SavePoint();
    m_work.SetLogChanges(false);
    Add(3, QStringLiteral("Cid"));
    EXPECT_GT(m_work.SavePoint(), merged) << "unlogged changes still count as changes";
    EXPECT_FALSE(m_work.RollbackTo(merged));
    m_work.SetLogChanges(true);
    const int logged = m_work.SavePoint();
    Add(4, QStringLiteral("Dan"));
    EXPECT_TRUE(m_work.RollbackTo(logged));
    EXPECT_EQ(Names(m_work), (QStringList{"Ann", "Ben", "Cid"}));
}

TEST_F(TableViewTest, BookmarksFindTheirRecordsAcrossChangesButNotAcrossReplacement)
{
    Add(1, QStringLiteral("Ann"));
    Add(2, QStringLiteral("Ben"));
    ASSERT_TRUE(m_work.Locate(u"Name", QStringLiteral("Ben")));
    const Bookmark ben = m_work.GetBookmark();
    Add(3, QStringLiteral("Aaron"));
    m_work.First();
    ASSERT_TRUE(m_work.GotoBookmark(ben));
    EXPECT_EQ(m_work.FieldByName(u"Name").AsString(), QStringLiteral("Ben"));

    BookmarkList selected;
    selected.Add(ben);
    selected.Add(ben);
    selected.Add(m_work.RowBookmark(0));
    EXPECT_EQ(selected.Count(), 2);
    EXPECT_TRUE(selected.Contains(ben));
    selected.Remove(ben);
    EXPECT_FALSE(selected.Contains(ben));

    m_work.SetFilter(QStringLiteral("Name='Ann'"));
    EXPECT_FALSE(m_work.GotoBookmark(ben)) << "a filtered-out record is not listed";
    m_work.EmptyDataSet();
    Add(4, QStringLiteral("Ben"));
    EXPECT_FALSE(m_work.BookmarkValid(ben));
}

TEST_F(TableViewTest, LocateFindsWholeCaseSensitiveValuesInListOrder)
{
    // More rows than a scan handles, so the value index answers.
    for (int i = 0; i < 300; ++i)
        Add(1000 + i, QStringLiteral("Person %1").arg(i), false, i % 10);
    Add(5000, QStringLiteral("Dup"), true, 42);
    Add(5001, QStringLiteral("Dup"), false, 42);
    EXPECT_TRUE(m_work.Locate(u"Name", QStringLiteral("Dup")));
    EXPECT_EQ(m_work.FieldByName(u"ClientID").AsInteger(), 5001)
        << "the white page entry is listed first";
    EXPECT_TRUE(m_work.Locate(u"OrgID", 42));
    EXPECT_EQ(m_work.FieldByName(u"ClientID").AsInteger(), 5001);
    const int recNo = m_work.RecNo();
    EXPECT_FALSE(m_work.Locate(u"Name", QStringLiteral("dup")));
    EXPECT_FALSE(m_work.Locate(u"Name", QStringLiteral("Du")));
    EXPECT_FALSE(m_work.Locate(u"OrgID", QStringLiteral("x")));
    EXPECT_EQ(m_work.RecNo(), recNo);

    // The index follows edits and deletes.
    m_work.Edit();
    m_work.FieldByName(u"Name").SetValue(QStringLiteral("Single"));
    m_work.Post();
    EXPECT_TRUE(m_work.Locate(u"Name", QStringLiteral("Dup")));
    EXPECT_EQ(m_work.FieldByName(u"ClientID").AsInteger(), 5000);
    m_work.Delete();
    EXPECT_FALSE(m_work.Locate(u"Name", QStringLiteral("Dup")));
    m_work.SetFilter(QStringLiteral("OrgID=3"));
    EXPECT_FALSE(m_work.Locate(u"Name", QStringLiteral("Single")));
    EXPECT_TRUE(m_work.Locate(u"Name", QStringLiteral("Person 13")));
}

TEST_F(TableViewTest, SuspendedDisplaysHearOnceWhenResumed)
{
    int told = 0;
    m_work.SetOnDataChanged([&] { ++told; });
    m_work.DisableControls();
    m_work.DisableControls();
    for (int i = 0; i < 10; ++i)
        Add(i, QStringLiteral("P%1").arg(i));
    m_work.EnableControls();
    EXPECT_EQ(told, 0);
    m_work.EnableControls();
    EXPECT_EQ(told, 1);
    Add(10, QStringLiteral("P10"));
    EXPECT_EQ(told, 2);
}

TEST_F(TableViewTest, AfterScrollIsRaisedWhenTheCurrentRecordChanges)
{
    Add(1, QStringLiteral("Ann"));
    Add(2, QStringLiteral("Ben"));
    QStringList seen;
    m_work.SetAfterScroll([&](TableView& view) { seen << view.FieldByName(u"Name").AsString(); });
    m_work.First();
    m_work.Next();
    m_work.Locate(u"Name", QStringLiteral("Ann"));
    m_work.SetFilter(QStringLiteral("Name='Ben'"));
    EXPECT_EQ(seen, (QStringList{"Ann", "Ben", "Ann", "Ben"}));
}

TEST_F(TableViewTest, MakeViewFromKeepsOrTakesOverTheSettings)
{
    Add(1, QStringLiteral("Ann"), false, 1);
    Add(2, QStringLiteral("Ben"), false, 2);
    m_work.SetFilter(QStringLiteral("OrgID=2"));
    m_work.SetFilterCaseInsensitive(true);

    TableView taking;
    taking.MakeViewFrom(m_work, false);
    EXPECT_EQ(taking.Filter(), QStringLiteral("OrgID=2"));
    EXPECT_TRUE(taking.Filtered());
    EXPECT_TRUE(taking.FilterCaseInsensitive());
    EXPECT_EQ(taking.IndexName(), QStringLiteral("NameIndex"));
    EXPECT_EQ(taking.RecordCount(), 1);

    TableView keeping;
    keeping.MakeViewFrom(m_work, true);
    EXPECT_TRUE(keeping.Filter().isEmpty());
    EXPECT_EQ(keeping.RecordCount(), 2);
}

TEST_F(TableViewTest, LoadNeedsTheIndexFieldsAndLeavesTheStoreOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("names.dbf"));
    Add(1, QStringLiteral("Ann"));
    m_work.SaveToFile(path);

    TableView old;
    old.CreateDataSet(FieldList{{QStringLiteral("ClientID"), FieldType::Integer, 0},
                                {QStringLiteral("Name"), FieldType::Text, 50},
                                {QStringLiteral("SurName"), FieldType::Text, 30}});
    old.AppendRecord({9, QStringLiteral("Old"), QStringLiteral("Old")});
    const QString oldPath = dir.filePath(QStringLiteral("old.dbf"));
    old.SaveToFile(oldPath);

    Add(2, QStringLiteral("Ben"));
    const auto before = m_read.Store();
    EXPECT_THROW(m_read.LoadFromFile(oldPath), DatabaseError) << "no Yellow field for the index";
    EXPECT_EQ(m_read.Store(), before);
    EXPECT_EQ(m_read.RecordCount(), 2);

    m_read.LoadFromFile(path);
    EXPECT_EQ(Names(m_work), (QStringList{"Ann", "Ben"})) << "the working view keeps its store";
    m_work.MakeViewFrom(m_read, true);
    EXPECT_EQ(Names(m_work), QStringList{"Ann"});

    m_read.AddIndexDef(QStringLiteral("NameIndex"), QStringLiteral("SurName"));
    m_read.LoadFromFile(oldPath);
    EXPECT_EQ(m_read.FieldCount(), 3);
    EXPECT_EQ(Names(m_read), QStringList{"Old"});
    m_work.MakeViewFrom(m_read, true);
    EXPECT_THROW(m_work.RefreshIndexDefs(), DatabaseError) << "its own index names Yellow";
}

} // namespace
