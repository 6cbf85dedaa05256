// The edit model on small books built in code: the name rule, the number counters, org
// linking, edit transactions and their rollback, category slots, deletions, isolated orgs
// and the compound surname file.
#include "editing/UEditMT.h"
#include "navigation/RowSelection.h"
#include "storage/CardDataMod.h"
#include "support/TreeShape.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

const QStringList kCompounds = {QStringLiteral("欧阳"), QStringLiteral("司马")};

// ---- The name rule -------------------------------------------------------------------

struct SplitCase
{
    const char* name;
    const char* givenName;
    const char* midName;
    const char* surName;
    int code;
};

class SplitNameTest : public ::testing::TestWithParam<SplitCase>
{};

TEST_P(SplitNameTest, GivesTheParts)
{
    const SplitCase& c = GetParam();
    NameParts parts;
    const int code =
        CEditMT::SplitName(QString::fromUtf8(c.name), CEditMT::kNameDelimiters, kCompounds, parts);
    EXPECT_EQ(parts.givenName, QString::fromUtf8(c.givenName)) << c.name;
    EXPECT_EQ(parts.midName, QString::fromUtf8(c.midName)) << c.name;
    EXPECT_EQ(parts.surName, QString::fromUtf8(c.surName)) << c.name;
    EXPECT_EQ(code, c.code) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Words, SplitNameTest,
    ::testing::Values(SplitCase{"John", "John", "", "", 2},
                      SplitCase{"John Smith", "John", "", "Smith", 2},
                      SplitCase{"John Paul Smith", "John", "Paul", "Smith", 2},
                      SplitCase{"  John   Smith \t", "John", "", "Smith", 2},
                      SplitCase{"\x01John Smith\n", "John", "", "Smith", 2},
                      SplitCase{"Smith, John", "Smith", "", "John", 2},
                      SplitCase{"J.R. Smith", "J", "R", "Smith", 2},
                      SplitCase{"John.Smith", "John", "", "Smith", 2},
                      SplitCase{".John Smith", "", "John", "Smith", 2},
                      SplitCase{", Smith", "", "", "Smith", 2},
                      SplitCase{"John Smith,.", "John", "", "Smith", 2},
                      SplitCase{"John Paul George Smith", "John", "Paul", "George", 0},
                      SplitCase{"A B C D E", "A", "B", "C", 0}, SplitCase{"", "", "", "", 2}));

INSTANTIATE_TEST_SUITE_P(
    WideCharacters, SplitNameTest,
    ::testing::Values(
        SplitCase{"王小明", "小明", "", "王", 1}, SplitCase{"欧阳小明", "小明", "", "欧阳", 1},
        SplitCase{"欧阳明", "明", "", "欧阳", 1}, SplitCase{"欧阳", "", "", "欧阳", 1},
        SplitCase{"欧明华", "明华", "", "欧", 1}, SplitCase{"王 小明 ", "小明", "", "王", 1},
        SplitCase{"王", "", "", "王", 1}, SplitCase{"キムラ", "ムラ", "", "キ", 1},
        SplitCase{"김민준", "민준", "", "김", 1},
        // Given names are cut at a width of 20, a wide character counting 2.
        SplitCase{"王一二三四五六七八九十百千", "一二三四五六七八九十", "", "王", 1},
        SplitCase{"王abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst", "", "王", 1},
        SplitCase{"王abcdefghijklmnopqrs一", "abcdefghijklmnopqrs", "", "王", 1},
        // A surname outside the basic plane is one character, kept whole.
        SplitCase{"\xF0\xA0\x80\x80小明", "小明", "", "\xF0\xA0\x80\x80", 1}));

struct JoinCase
{
    const char* surName;
    const char* givenName;
    const char* midName;
    const char* name;
};

TEST(JoinNameTest, JoinsTheParts)
{
    for (const JoinCase& c :
         {JoinCase{"Smith", "John", "", "John Smith"},
          JoinCase{"Smith", "John", "Paul", "John Paul Smith"}, JoinCase{"", "John", "", "John"},
          JoinCase{"Smith", "", "", "Smith"}, JoinCase{"Smith", "", "Paul", "Paul Smith"},
          JoinCase{"", "", "", ""}, JoinCase{"王", "小明", "", "王小明"},
          JoinCase{"欧阳", "小明", "Paul", "欧阳小明"},
          JoinCase{"Smith", "小明", "", "小明 Smith"}})
        EXPECT_EQ(CEditMT::JoinName(QString::fromUtf8(c.surName), QString::fromUtf8(c.givenName),
                                    QString::fromUtf8(c.midName)),
                  QString::fromUtf8(c.name))
            << c.surName << '|' << c.givenName << '|' << c.midName;
}

// ---- A small book ----------------------------------------------------------------------

struct Entry
{
    int clientId;
    QString name;
    int orgId = 0;
    QVariant groups[4] = {1000, 1000, 1000, 1000};
    bool yellow = false;
};

class EditModelBook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddOrg(0, QStringLiteral("Unknown Org"));
        AddOrg(2005, QStringLiteral("Acme Ltd"));
        AddOrg(2010, QStringLiteral("Globex"));
        AddEntry({2003, QStringLiteral("Anna Smith"), 2005});
        AddEntry({2004, QStringLiteral("Bob Jones"), 0});
        Attach();
    }

    void Attach()
    {
        m_edit.SetTree(m_tree);
        m_edit.AttachEntryTable(Entries());
        m_edit.AttachOrgTable(Orgs());
        m_edit.SetCompoundSurnames(kCompounds);
    }

    TableView& Entries() { return m_data.NameDataSet; }
    TableView& Orgs() { return m_data.AgentDataSet; }

    void AddOrg(int coId, const QString& company) { Orgs().AppendRecord({coId, company}); }

    void AddEntry(const Entry& entry)
    {
        TableView& view = Entries();
        view.Append();
        view.FieldByName(u"ClientID").SetValue(entry.clientId);
        view.FieldByName(u"Name").SetValue(entry.name);
        view.FieldByName(u"OrgID").SetValue(entry.orgId);
        view.FieldByName(u"Yellow").SetValue(entry.yellow);
        for (int slot = 0; slot < 4; ++slot)
            view.FieldByName(QStringLiteral("Group%1").arg(slot + 1)).SetValue(entry.groups[slot]);
        view.Post();
    }

    // Makes the entry with this number current.
    void GoTo(int clientId) { ASSERT_TRUE(Entries().Locate(u"ClientID", clientId)) << clientId; }

    QVariant Field(TableView& view, const char16_t* name) { return view.FieldByName(name).Value(); }

    // The values of all records of a view's table in store order, for before/after checks.
    static std::vector<Record> Snapshot(const TableView& view)
    {
        std::vector<Record> records;
        const RecordStore& store = *view.Store();
        for (RecordIndex index : store.InStoreOrder()) {
            const RecordView record = store.At(index);
            records.emplace_back(record.begin(), record.end());
        }
        return records;
    }

    TCardData m_data;
    CTreeMT m_tree;
    CEditMT m_edit;
};

// ---- Numbers ---------------------------------------------------------------------------

TEST_F(EditModelBook, CountersStartAtTheHighestNumberFoundAndAreNotReusedUntilTheNextLoad)
{
    EXPECT_EQ(m_edit.EntryCounter(), 2004);
    EXPECT_EQ(m_edit.OrgCounter(), 2010);

    m_edit.NewEntry();
    EXPECT_EQ(m_edit.EditMode(), EditMode::Adding);
    EXPECT_EQ(Field(Entries(), u"ClientID"), 2005);
    EXPECT_EQ(Field(Entries(), u"OrgID"), 0);
    EXPECT_EQ(Field(Entries(), u"Yellow"), false);
    EXPECT_EQ(Field(Orgs(), u"CoID"), 0) << "the org table shows the default org";
}

TEST_F(EditModelBook, NumbersOfDeletedEntriesAreNotReused)
{
    m_edit.NewEntry();
    m_edit.CommitEntry();
    GoTo(2005);
    ASSERT_TRUE(m_edit.DeleteCurrentEntry());
    m_edit.NewEntry();
    EXPECT_EQ(Field(Entries(), u"ClientID"), 2006);
    m_edit.CommitEntry();

    GoTo(2006);
    ASSERT_TRUE(m_edit.DeleteCurrentEntry());
    m_edit.AttachEntryTable(Entries());
    EXPECT_EQ(m_edit.EntryCounter(), 2004) << "a new load counts what the book holds";
}

TEST(EditEmptyBook, FirstEntryAndOrgGet2001)
{
    TCardData data;
    CEditMT edit;
    data.NameDataSet.AppendRecord({1500}); // numbers below 2000 leave the counter at 2000
    edit.AttachEntryTable(data.NameDataSet);
    edit.AttachOrgTable(data.AgentDataSet);
    edit.NewEntry();
    EXPECT_EQ(data.NameDataSet.FieldByName(u"ClientID").AsInteger(), 2001);
    EXPECT_EQ(edit.LinkOrg(QStringLiteral("First Org")), OrgLink::NewOrg);
    EXPECT_EQ(data.AgentDataSet.FieldByName(u"CoID").AsInteger(), 2001);
    EXPECT_EQ(data.NameDataSet.FieldByName(u"OrgID").AsInteger(), 2001);
    edit.CommitEntry();
    EXPECT_EQ(data.NameDataSet.RecordCount(), 2);
    EXPECT_EQ(data.AgentDataSet.RecordCount(), 1);
}

// ---- The name rule on an entry ---------------------------------------------------------

struct RuleCase
{
    const char* typed;
    const char* name;
    const char* givenName;
    const char* midName;
    const char* surName;
};

TEST_F(EditModelBook, ATypedNameIsSplitIntoThePartsAndRebuilt)
{
    for (const RuleCase& c :
         {RuleCase{"John Smith", "John Smith", "John", "", "Smith"},
          RuleCase{"  Anna  ", "Anna", "Anna", "", ""},
          RuleCase{"John Paul Smith", "John Paul Smith", "John", "Paul", "Smith"},
          RuleCase{"Smith, John", "Smith John", "Smith", "", "John"},
          RuleCase{"J.R.  Smith.", "J R Smith", "J", "R", "Smith"},
          // Four or more words keep the typed name; the parts hold the first three.
          RuleCase{"John Paul George Smith", "John Paul George Smith", "John", "Paul", "George"},
          RuleCase{"王 小明", "王小明", "小明", "", "王"},
          RuleCase{"欧阳小明", "欧阳小明", "小明", "", "欧阳"}}) {
        m_edit.NewEntry();
        QString name = QString::fromUtf8(c.typed);
        bool nameChanged = true;
        bool partsChanged = false;
        m_edit.ApplyNameRule(name, nameChanged, partsChanged);
        EXPECT_EQ(name, QString::fromUtf8(c.name)) << c.typed;
        EXPECT_FALSE(nameChanged);
        EXPECT_EQ(m_edit.LastName(), name);
        EXPECT_EQ(Entries().FieldByName(u"GivenName").AsString(), QString::fromUtf8(c.givenName))
            << c.typed;
        EXPECT_EQ(Entries().FieldByName(u"MidName").AsString(), QString::fromUtf8(c.midName))
            << c.typed;
        EXPECT_EQ(Entries().FieldByName(u"SurName").AsString(), QString::fromUtf8(c.surName))
            << c.typed;
        m_edit.Rollback();
    }
}

TEST_F(EditModelBook, PartsSetByHandAreJoinedWithNullPartsAsEmpty)
{
    GoTo(2003);
    m_edit.EditEntry(Entries().RecNo());
    Entries().FieldByName(u"SurName").SetValue(QStringLiteral("Smythe"));
    Entries().FieldByName(u"GivenName").Clear();
    Entries().FieldByName(u"MidName").Clear();
    QString name = QStringLiteral("Anna Smith");
    bool nameChanged = true; // both changed: the parts win
    bool partsChanged = true;
    m_edit.ApplyNameRule(name, nameChanged, partsChanged);
    EXPECT_EQ(name, QStringLiteral("Smythe"));
    EXPECT_FALSE(nameChanged);
    EXPECT_FALSE(partsChanged);
    EXPECT_EQ(m_edit.LastName(), QStringLiteral("Smythe"));

    Entries().FieldByName(u"GivenName").SetValue(QStringLiteral("Anna"));
    Entries().FieldByName(u"MidName").SetValue(QStringLiteral("B"));
    partsChanged = true;
    m_edit.ApplyNameRule(name, nameChanged, partsChanged);
    EXPECT_EQ(name, QStringLiteral("Anna B Smythe"));
}

TEST_F(EditModelBook, NothingChangedKeepsTheNameAndRemembersIt)
{
    GoTo(2004);
    m_edit.EditEntry(Entries().RecNo());
    QString name = QStringLiteral("Bob  Jones");
    bool nameChanged = false;
    bool partsChanged = false;
    m_edit.ApplyNameRule(name, nameChanged, partsChanged);
    EXPECT_EQ(name, QStringLiteral("Bob  Jones"));
    EXPECT_EQ(m_edit.LastName(), QStringLiteral("Bob  Jones"));
    EXPECT_TRUE(Entries().FieldByName(u"SurName").IsNull()) << "the parts are left alone";
}

// ---- Org linking -----------------------------------------------------------------------

TEST_F(EditModelBook, LinkOrgByBlankExistingAndNewNames)
{
    m_edit.NewEntry();
    Orgs().Locate(u"CoID", 2010);

    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("   ")), OrgLink::DefaultOrg);
    EXPECT_EQ(Field(Entries(), u"OrgID"), 0);
    EXPECT_EQ(Field(Orgs(), u"CoID"), 2010) << "a blank name leaves the org table where it was";

    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("aCME lTD")), OrgLink::ExistingOrg);
    EXPECT_EQ(Field(Entries(), u"OrgID"), 2005);
    EXPECT_EQ(Field(Orgs(), u"CoID"), 2005);
    EXPECT_EQ(Orgs().RecordCount(), 3) << "no org was created";

    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("Initech ")), OrgLink::NewOrg);
    EXPECT_EQ(Orgs().RecordCount(), 4);
    EXPECT_EQ(Field(Orgs(), u"CoID"), 2011);
    EXPECT_EQ(Field(Orgs(), u"Company"), QStringLiteral("Initech ")) << "stored as passed";
    EXPECT_EQ(Orgs().State(), ViewState::Edit) << "ready for its address fields";
    EXPECT_EQ(Field(Entries(), u"OrgID"), 2011);
    m_edit.CommitEntry();

    m_edit.NewEntry();
    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("INITECH ")), OrgLink::ExistingOrg);
    EXPECT_EQ(Field(Entries(), u"OrgID"), 2011);
    EXPECT_EQ(m_edit.OrgCounter(), 2011);
}

TEST_F(EditModelBook, LinkOrgFindsAnOrgRenamedMeanwhile)
{
    ASSERT_TRUE(Orgs().Locate(u"CoID", 2010));
    m_edit.NewEntry();
    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("globex")), OrgLink::ExistingOrg);
    m_edit.CommitEntry();

    ASSERT_TRUE(Orgs().Locate(u"CoID", 2010));
    Orgs().Edit();
    Orgs().FieldByName(u"Company").SetValue(QStringLiteral("Globex Corp"));
    Orgs().Post();
    m_edit.NewEntry();
    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("GLOBEX CORP")), OrgLink::ExistingOrg);
    EXPECT_EQ(Field(Entries(), u"OrgID"), 2010);
    EXPECT_EQ(m_edit.LinkOrg(QStringLiteral("Globex")), OrgLink::NewOrg) << "the old name is gone";
}

// ---- Transactions ----------------------------------------------------------------------

TEST_F(EditModelBook, RollbackRemovesTheNewEntryAndItsNewOrg)
{
    const auto entries = Snapshot(Entries());
    const auto orgs = Snapshot(Orgs());
    m_edit.NewEntry();
    Entries().FieldByName(u"Name").SetValue(QStringLiteral("Carl"));
    ASSERT_EQ(m_edit.LinkOrg(QStringLiteral("Brand New Org")), OrgLink::NewOrg);
    Orgs().FieldByName(u"CAddress").SetValue(QStringLiteral("1 Main St"));
    m_edit.Rollback();
    EXPECT_EQ(Snapshot(Entries()), entries);
    EXPECT_EQ(Snapshot(Orgs()), orgs);
    EXPECT_EQ(Entries().State(), ViewState::Browse);
    EXPECT_EQ(Orgs().State(), ViewState::Browse);
}

TEST_F(EditModelBook, RollbackRestoresEditedFieldsOfBothTables)
{
    const auto entries = Snapshot(Entries());
    const auto orgs = Snapshot(Orgs());
    GoTo(2003);
    m_edit.EditEntry(Entries().RecNo());
    EXPECT_EQ(m_edit.EditMode(), EditMode::Editing);
    EXPECT_EQ(Field(Orgs(), u"CoID"), 2005) << "the org table follows the entry's org";
    ASSERT_EQ(Entries().State(), ViewState::Edit);
    ASSERT_EQ(Orgs().State(), ViewState::Edit);
    Entries().FieldByName(u"Name").SetValue(QStringLiteral("Anna Smythe"));
    Orgs().FieldByName(u"Company").SetValue(QStringLiteral("Acme Holdings"));
    // Linking another org posts the edited one on the way: it must still be undone.
    ASSERT_EQ(m_edit.LinkOrg(QStringLiteral("Globex")), OrgLink::ExistingOrg);
    m_edit.Rollback();
    EXPECT_EQ(Snapshot(Entries()), entries);
    EXPECT_EQ(Snapshot(Orgs()), orgs);
}

TEST_F(EditModelBook, CommitStoresTheEntryAndTheOrg)
{
    GoTo(2003);
    m_edit.EditEntry(Entries().RecNo());
    Entries().FieldByName(u"Name").SetValue(QStringLiteral("Anna Smythe"));
    Orgs().FieldByName(u"CAddress").SetValue(QStringLiteral("2 High St"));
    m_edit.CommitEntry();
    EXPECT_EQ(Entries().State(), ViewState::Browse);
    EXPECT_EQ(Orgs().State(), ViewState::Browse);
    GoTo(2003);
    EXPECT_EQ(Field(Entries(), u"Name"), QStringLiteral("Anna Smythe"));
    ASSERT_TRUE(Orgs().Locate(u"CoID", 2005));
    EXPECT_EQ(Field(Orgs(), u"CAddress"), QStringLiteral("2 High St"));
}

TEST_F(EditModelBook, AnEntryWhoseOrgIsGoneIsEditedWithTheDefaultOrg)
{
    AddEntry({2020, QStringLiteral("Orphan"), 2999});
    Orgs().Locate(u"CoID", 2010);
    GoTo(2020);
    m_edit.EditEntry(Entries().RecNo());
    EXPECT_EQ(Field(Orgs(), u"CoID"), 0);
}

// ---- Category slots --------------------------------------------------------------------

struct SlotCase
{
    const char* what;
    QVariant before[4];
    qint32 number;
    bool ok;
    QVariant after[4];
};

TEST_F(EditModelBook, AssignCategoryTakesTheFirstEmptySlot)
{
    const QVariant null;
    const SlotCase cases[] = {
        {"empty slots", {1000, 1000, 1000, 1000}, 1001, true, {1001, 1000, 1000, 1000}},
        {"1000 changes nothing", {1000, 1000, 1000, 1000}, 1000, true, {1000, 1000, 1000, 1000}},
        {"a held number", {1000, 1001, 1000, 1000}, 1001, true, {1000, 1001, 1000, 1000}},
        {"after a held one", {1002, 1000, 1000, 1000}, 1001, true, {1002, 1001, 1000, 1000}},
        {"a null slot is taken", {null, 1000, 1000, 1000}, 1001, true, {null, 1001, 1000, 1000}},
        {"three held, one null", {1002, 1003, 1004, null}, 1001, false, {1002, 1003, 1004, null}},
        {"four held", {1002, 1003, 1004, 1005}, 1001, false, {1002, 1003, 1004, 1005}},
    };
    for (const SlotCase& c : cases) {
        AddEntry({3000,
                  QStringLiteral("Slots"),
                  0,
                  {c.before[0], c.before[1], c.before[2], c.before[3]}});
        GoTo(3000);
        EXPECT_EQ(m_edit.AssignCategory(c.number), c.ok) << c.what;
        m_edit.CommitEntry();
        GoTo(3000);
        for (int slot = 0; slot < 4; ++slot)
            EXPECT_EQ(Entries().FieldByName(QStringLiteral("Group%1").arg(slot + 1)).Value(),
                      c.after[slot])
                << c.what << " slot " << slot + 1;
        Entries().Delete();
    }
}

TEST_F(EditModelBook, RemoveCategoryEmptiesTheFirstSlotHoldingIt)
{
    AddEntry({3000, QStringLiteral("Slots"), 0, {1002, 1001, 1001, QVariant()}});
    GoTo(3000);
    EXPECT_TRUE(m_edit.RemoveCategory(1001));
    EXPECT_TRUE(m_edit.SetCategorySlot(4, 1007));
    m_edit.CommitEntry();
    GoTo(3000);
    EXPECT_EQ(Field(Entries(), u"Group1"), 1002);
    EXPECT_EQ(Field(Entries(), u"Group2"), 1000);
    EXPECT_EQ(Field(Entries(), u"Group3"), 1001);
    EXPECT_EQ(Field(Entries(), u"Group4"), 1007);
}

TEST_F(EditModelBook, SlotOperationsOnAnEmptyListingAddNothing)
{
    Entries().SetFilter(QStringLiteral("ClientID=-1"));
    EXPECT_FALSE(m_edit.RemoveCategory(1001));
    EXPECT_FALSE(m_edit.AssignCategory(1001));
    EXPECT_EQ(Entries().State(), ViewState::Browse);
    Entries().SetFilter({});
    EXPECT_EQ(Entries().RecordCount(), 2);
}

TEST_F(EditModelBook, RemoveCategoryFromSelectedRowsClearsTheSelection)
{
    AddEntry({3000, QStringLiteral("Carl"), 0, {1001, 1000, 1000, 1000}});
    AddEntry({3001, QStringLiteral("Dora"), 0, {1002, 1001, 1000, 1000}});
    RowSelection selection;
    GoTo(3000);
    selection.Add(Entries().GetBookmark());
    GoTo(3001);
    selection.Add(Entries().GetBookmark());
    EXPECT_TRUE(m_edit.RemoveCategoryFromSelected(1001, selection));
    EXPECT_TRUE(selection.IsEmpty());
    EXPECT_FALSE(m_edit.CategoryInUse(1001));
    EXPECT_TRUE(m_edit.CategoryInUse(1002));
}

TEST_F(EditModelBook, ACategoryHeldByAnUnlistedEntryCannotBeDeleted)
{
    const SampleTree sample = MakeSampleTree(m_tree);
    AddEntry({3000, QStringLiteral("Worker"), 0, {sample.work->Number(), 1000, 1000, 1000}});
    Entries().SetFilter(QStringLiteral("ClientID=-1"));
    EXPECT_EQ(m_edit.CanDeleteCategory(sample.work), CTreeMT::DeleteOutcome::ItemsBelow);
    EXPECT_EQ(m_edit.CanDeleteCategory(sample.family), CTreeMT::DeleteOutcome::ItemsBelow);
    EXPECT_EQ(m_edit.CanDeleteCategory(sample.cousins), CTreeMT::DeleteOutcome::Deleted);
    EXPECT_EQ(m_tree.NodeOfNumber(1002), nullptr);
}

// ---- Deleting --------------------------------------------------------------------------

TEST_F(EditModelBook, DeletingTheOnlyListedEntryTwiceFailsTheSecondTime)
{
    Entries().SetFilter(QStringLiteral("ClientID=2004"));
    EXPECT_TRUE(m_edit.DeleteCurrentEntry());
    EXPECT_FALSE(m_edit.DeleteCurrentEntry());
    Entries().SetFilter({});
    EXPECT_EQ(Entries().RecordCount(), 1);
    EXPECT_EQ(Orgs().RecordCount(), 3) << "orgs stay";
}

TEST_F(EditModelBook, DeletingSelectedEntriesLeavesTheOthersAndMovesToTheFirst)
{
    AddEntry({3000, QStringLiteral("Carl"), 0});
    AddEntry({3001, QStringLiteral("Dora"), 0});
    RowSelection selection;
    for (int id : {3001, 2003}) {
        GoTo(id);
        selection.Add(Entries().GetBookmark());
    }
    EXPECT_TRUE(m_edit.DeleteSelectedEntries(selection));
    EXPECT_TRUE(selection.IsEmpty());
    EXPECT_EQ(Entries().RecordCount(), 2);
    EXPECT_EQ(Entries().RecNo(), 1);
    EXPECT_FALSE(Entries().Locate(u"ClientID", 3001));
    EXPECT_FALSE(Entries().Locate(u"ClientID", 2003));
}

// ---- Isolated orgs ---------------------------------------------------------------------

TEST_F(EditModelBook, IsolatedOrgsAreCountedOverTheWholeBookNeverTheDefaultOrg)
{
    AddOrg(2011, QStringLiteral("Unused One"));
    AddOrg(2012, QStringLiteral("Unused Two"));
    Orgs().AppendRecord({QVariant(), QStringLiteral("No Number")});
    // Neither the listing nor the org view's filter hides anything from the scan.
    Entries().SetFilter(QStringLiteral("ClientID=2004"));
    Orgs().SetFilter(QStringLiteral("CoID=2011"));
    EXPECT_EQ(m_edit.FindIsolatedOrgs().size(), 4u) << "Globex, the two unused, the unnumbered";
    EXPECT_TRUE(m_edit.DeleteIsolatedOrgs());
    EXPECT_EQ(Entries().Filter(), QStringLiteral("ClientID=2004"));
    EXPECT_EQ(Orgs().Filter(), QStringLiteral("CoID=2011"));
    Orgs().SetFilter({});
    EXPECT_EQ(Orgs().RecordCount(), 2);
    EXPECT_TRUE(Orgs().Locate(u"CoID", 0));
    EXPECT_TRUE(Orgs().Locate(u"CoID", 2005));
    EXPECT_EQ(m_edit.FindIsolatedOrgs().size(), 0u);
}

TEST_F(EditModelBook, TheDefaultOrgStaysWhenNoEntryUsesIt)
{
    GoTo(2004);
    ASSERT_TRUE(m_edit.DeleteCurrentEntry());
    EXPECT_EQ(m_edit.FindIsolatedOrgs().size(), 1u) << "Globex only";
}

// ---- Initials and compound surnames ----------------------------------------------------

TEST_F(EditModelBook, InitialsAndTheYellowFlag)
{
    AddEntry({3000, QStringLiteral("Acme"), 0, {1000, 1000, 1000, 1000}, true});
    EXPECT_TRUE(m_edit.RebuildInitials());
    EXPECT_TRUE(m_edit.HasYellowEntries());
    EXPECT_TRUE(m_edit.InitialsList().isEmpty()) << "no entry has a surname yet";
    EXPECT_TRUE(m_edit.AddInitial(u"smith"));
    EXPECT_FALSE(m_edit.AddInitial(u"Stone"));
    EXPECT_FALSE(m_edit.AddInitial(u"  "));
    EXPECT_EQ(m_edit.InitialsList(), QStringList{QStringLiteral("S")});
}

TEST(CompoundSurnames, AreReadFromTheFileAndWrittenBackUnchanged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("surname.dff"));
    const QByteArray bytes = "\xEF\xBB\xBF" + QStringLiteral("欧阳\r\n司马\r\n\r\n诸葛").toUtf8();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    CEditMT edit;
    ASSERT_TRUE(edit.LoadCompoundSurnames(path));
    EXPECT_EQ(edit.CompoundSurnames(), (QStringList{QStringLiteral("欧阳"), QStringLiteral("司马"),
                                                    QStringLiteral("诸葛")}));
    const QString copy = dir.filePath(QStringLiteral("copy.dff"));
    ASSERT_TRUE(edit.SaveCompoundSurnames(copy));
    QFile written(copy);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), bytes);

    QString error;
    EXPECT_FALSE(edit.LoadCompoundSurnames(dir.filePath(QStringLiteral("missing.dff")), &error));
    EXPECT_THAT(error.toStdString(), ::testing::StartsWith("Cannot open file"));
    EXPECT_EQ(edit.CompoundSurnames().size(), 3) << "a failed load keeps the list";
    EXPECT_FALSE(
        edit.SaveCompoundSurnames(dir.filePath(QStringLiteral("no/such/dir.dff")), &error));
    EXPECT_THAT(error.toStdString(), ::testing::StartsWith("Cannot write file"));
}

} // namespace
