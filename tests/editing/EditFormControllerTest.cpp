// The edit window's logic over a small book: preparing for a new and an existing entry, the
// name commit and its same-name question, committing and cancelling, the category boxes,
// position completion and the org box's linking and renaming.
#include "editing/EditFormController.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editing/EditBook.h"
#include "support/ScriptedPrompter.h"

using ::testing::ElementsAre;

namespace {

class EditFormTest : public ::testing::Test
{
protected:
    void Add()
    {
        m_book.model.NewEntry();
        m_form.Prepare();
    }
    void Edit(const QString& name)
    {
        m_book.model.EditEntry(m_book.RowOf(name));
        m_form.Prepare();
    }
    // Types a name into the name box and leaves it.
    void TypeName(const QString& name)
    {
        m_form.NameEdited();
        m_form.NameLeft(name);
    }

    EditBook m_book;
    ScriptedPrompter m_prompter;
    EditFormController m_form{m_book.model, m_prompter};
};

// ---------------------------------------------------------------------------------------------
// Preparing

TEST_F(EditFormTest, NewEntryStartsWhiteWithEmptySlotsAndTheDefaultOrg)
{
    Add();
    TableView& entries = m_book.data.NameDataSet;
    EXPECT_TRUE(m_form.Adding());
    EXPECT_EQ(m_form.OrgBoxText(), "Unknown Org");
    for (int box = 0; box < EditFormController::kCategoryBoxes; ++box) {
        EXPECT_EQ(m_form.CategoryIndex(box), 0);
        EXPECT_EQ(m_form.CategoryText(box), "");
        EXPECT_EQ(entries.FieldByName(QStringLiteral("Group%1").arg(box + 1)).AsInteger(), 1000);
    }
    EXPECT_FALSE(entries.FieldByName(u"Yellow").AsBoolean());
}

TEST_F(EditFormTest, ExistingEntryShowsItsCategoriesAndItsOrg)
{
    Edit("Anna Smith");
    EXPECT_FALSE(m_form.Adding());
    EXPECT_EQ(m_form.OrgBoxText(), "Acme");
    EXPECT_EQ(m_form.CategoryText(0), "Family/");
    EXPECT_EQ(m_form.CategoryText(1), "");
}

TEST_F(EditFormTest, NewEntryInABookWithoutDefaultOrgHasAnEmptyOrgBox)
{
    TableView& orgs = m_book.data.AgentDataSet;
    ASSERT_TRUE(orgs.Locate(u"CoID", 0));
    orgs.Delete();
    Add();
    EXPECT_EQ(m_form.OrgBoxText(), "");
}

// A slot number that no category carries stays in its slot; a null slot stays null.
TEST_F(EditFormTest, UnknownSlotNumbersAreKeptOnCommit)
{
    TableView& entries = m_book.data.NameDataSet;
    entries.SetRecNo(m_book.RowOf("Bob Jones"));
    entries.Edit();
    entries.FieldByName(u"Group2").SetValue(4711);
    entries.FieldByName(u"Group3").Clear();
    entries.Post();

    Edit("Bob Jones");
    EXPECT_EQ(m_form.CategoryIndex(1), EditFormController::kUnknownCategory);
    EXPECT_EQ(m_form.CategoryText(1), "");
    m_form.Commit(EditMode::Done, "Bob Jones", "Unknown Org");
    EXPECT_EQ(m_book.Entry("Bob Jones", u"Group2"), QVariant(4711));
    EXPECT_EQ(m_book.Entry("Bob Jones", u"Group3"), QVariant());
    EXPECT_EQ(m_book.Entry("Bob Jones", u"Group1"), QVariant(1000));
}

// ---------------------------------------------------------------------------------------------
// The name commit

struct NameCase
{
    const char* typed;
    const char* name;
    const char* given;
    const char* mid;
    const char* surname;
};

class NameCommit : public EditFormTest, public ::testing::WithParamInterface<NameCase>
{};

TEST_P(NameCommit, SplitsTheTypedNameAndWritesTheJoinedOne)
{
    const NameCase& c = GetParam();
    Add();
    TypeName(QString::fromUtf8(c.typed));
    TableView& entries = m_book.data.NameDataSet;
    EXPECT_EQ(m_form.EntryName(), QString::fromUtf8(c.name));
    EXPECT_EQ(entries.FieldByName(u"GivenName").AsString(), QString::fromUtf8(c.given));
    EXPECT_EQ(entries.FieldByName(u"MidName").AsString(), QString::fromUtf8(c.mid));
    EXPECT_EQ(entries.FieldByName(u"SurName").AsString(), QString::fromUtf8(c.surname));
    EXPECT_FALSE(m_form.NameChanged());
    EXPECT_TRUE(m_prompter.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Names, NameCommit,
                         ::testing::Values(NameCase{"Jane, Doe", "Jane Doe", "Jane", "", "Doe"},
                                           NameCase{"  Jane Q. Public ", "Jane Q Public", "Jane",
                                                    "Q", "Public"},
                                           NameCase{"Cher", "Cher", "Cher", "", ""}));

TEST_F(EditFormTest, LeavingTheNameBoxUnchangedCommitsNothing)
{
    Edit("Anna Smith");
    m_form.NameLeft("Anna Smith");
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(m_book.data.NameDataSet.FieldByName(u"GivenName").AsString(), "Anna");
}

TEST_F(EditFormTest, SameNameAnsweredNoKeepsTheName)
{
    Add();
    m_prompter.answers = {Prompter::Answer::No};
    TypeName("Anna, Smith");
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text,
              "Entries with the same name in the address book. Would you review them?");
    EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Information);
    EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_FALSE(m_form.Ended());

    m_form.Commit(EditMode::Done, "Anna Smith", "Unknown Org");
    EXPECT_EQ(m_book.EntryCount(), 3);
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Done);
}

TEST_F(EditFormTest, SameNameAnsweredYesRollsBackForTheReview)
{
    Add();
    m_prompter.answers = {Prompter::Answer::Yes};
    TypeName("Anna Smith");
    EXPECT_TRUE(m_form.Ended());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::ReviewDuplicates);
    EXPECT_EQ(m_book.model.LastName(), "Anna Smith");
    EXPECT_EQ(m_book.EntryCount(), 2);

    // The OK that follows in the same command does nothing.
    m_form.Commit(EditMode::Done, "Anna Smith", "Unknown Org");
    EXPECT_EQ(m_book.EntryCount(), 2);
    EXPECT_EQ(m_book.model.EditMode(), EditMode::ReviewDuplicates);
}

// The entry being edited counts under its stored name, so renaming it to another entry's
// name asks, and retyping its own stored name asks too.
TEST_F(EditFormTest, SameNameLooksAtStoredNamesIncludingTheEditedEntry)
{
    Edit("Anna Smith");
    m_prompter.answers = {Prompter::Answer::No, Prompter::Answer::No};
    TypeName("Bob Jones");
    TypeName("Anna Smith");
    EXPECT_EQ(m_prompter.shown.size(), 2u);
    TypeName("Anna Smithers");
    EXPECT_EQ(m_prompter.shown.size(), 2u);
}

TEST_F(EditFormTest, YellowEntriesHaveNoNameCommitOnLeaving)
{
    TableView& entries = m_book.data.NameDataSet;
    entries.SetRecNo(m_book.RowOf("Bob Jones"));
    entries.Edit();
    entries.FieldByName(u"Yellow").SetValue(true);
    entries.Post();
    Edit("Bob Jones");
    TypeName("Robert Jones");
    EXPECT_TRUE(m_form.NameChanged());
    EXPECT_EQ(entries.FieldByName(u"GivenName").AsString(), "Bob");
}

TEST_F(EditFormTest, ConfirmedPartsAreJoinedIntoTheName)
{
    Edit("Anna Smith");
    TableView& entries = m_book.data.NameDataSet;
    entries.FieldByName(u"MidName").SetValue(QStringLiteral("Maria"));
    m_form.NamePartsClosed(true);
    EXPECT_TRUE(m_form.PartsChanged());
    m_form.NameLeft("Anna Smith");
    EXPECT_EQ(m_form.EntryName(), "Anna Maria Smith");
    EXPECT_FALSE(m_form.PartsChanged());

    m_form.NamePartsClosed(false);
    EXPECT_FALSE(m_form.NameChanged());
}

// ---------------------------------------------------------------------------------------------
// Committing and cancelling

TEST_F(EditFormTest, OkStoresTheNewEntryWithItsInitialAndCategories)
{
    Add();
    TypeName("Carl Zeiss");
    m_form.CategoryChanged(2, m_book.tree.IndexOfNode(m_book.nodes.work));
    m_form.Commit(EditMode::AddNext, "Carl Zeiss", "Unknown Org");

    EXPECT_TRUE(m_form.Ended());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::AddNext);
    EXPECT_EQ(m_book.Entry("Carl Zeiss", u"SurName"), QVariant("Zeiss"));
    EXPECT_EQ(m_book.Entry("Carl Zeiss", u"Group3"), QVariant(m_book.nodes.work->Number()));
    EXPECT_EQ(m_book.Entry("Carl Zeiss", u"Group1"), QVariant(1000));
    EXPECT_EQ(m_book.Entry("Carl Zeiss", u"Yellow"), QVariant(false));
    EXPECT_TRUE(m_book.model.InitialsList().contains("Z"));
}

TEST_F(EditFormTest, BlankNameWithTheDefaultOrgAddsNothing)
{
    Add();
    m_form.Commit(EditMode::Done, "   ", "Unknown Org");
    EXPECT_TRUE(m_form.Ended());
    EXPECT_EQ(m_book.model.EditMode(), EditMode::Cancelled);
    EXPECT_EQ(m_book.EntryCount(), 2);
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(EditFormTest, BlankNameWithAnOrgAddsAYellowPageEntry)
{
    Add();
    m_form.OrgLeft("Initech");
    m_form.Commit(EditMode::Done, "", "Initech");
    EXPECT_EQ(m_book.EntryCount(), 3);
    EXPECT_EQ(m_book.Entry("Initech", u"Yellow"), QVariant(true));
    EXPECT_EQ(m_book.Entry("Initech", u"SurName"), QVariant("Initech"));
    EXPECT_EQ(m_book.Entry("Initech", u"GivenName"), QVariant());
    EXPECT_EQ(m_book.Entry("Initech", u"OrgID"), m_book.Org("Initech", u"CoID"));
    EXPECT_TRUE(m_book.model.HasYellowEntries());
}

TEST_F(EditFormTest, YellowEntryIsRenamedAfterItsOrg)
{
    Edit("Anna Smith");
    m_book.data.NameDataSet.FieldByName(u"Yellow").SetValue(true);
    m_form.Commit(EditMode::Done, "Anna Smith", "Acme");
    EXPECT_EQ(m_book.Entry("Acme", u"ClientID"), QVariant(2001));
    EXPECT_FALSE(m_book.Entry("Anna Smith", u"ClientID"));
}

TEST_F(EditFormTest, CancelUndoesTheEditAndTheNewOrg)
{
    Edit("Anna Smith");
    TypeName("Anna Jones");
    m_form.OrgLeft("Initech");
    ASSERT_EQ(m_book.OrgCount(), 4);
    m_form.Cancel();

    EXPECT_EQ(m_book.model.EditMode(), EditMode::Cancelled);
    EXPECT_EQ(m_book.OrgCount(), 3);
    EXPECT_FALSE(m_book.Org("Initech", u"CoID"));
    EXPECT_EQ(m_book.Entry("Anna Smith", u"OrgID"), QVariant(EditBook::kAcme));
    // The org view is back on the current entry's org.
    TableView& entries = m_book.data.NameDataSet;
    EXPECT_EQ(m_book.data.AgentDataSet.FieldByName(u"CoID").AsInteger(),
              entries.FieldByName(u"OrgID").AsInteger());
}

// ---------------------------------------------------------------------------------------------
// Category boxes

TEST_F(EditFormTest, CategoryChangeRule)
{
    Add();
    const int family = m_book.tree.IndexOfNode(m_book.nodes.family);
    const int cousins = m_book.tree.IndexOfNode(m_book.nodes.cousins);

    // Typing without the picker having been opened puts the box's own path back.
    EXPECT_EQ(m_form.CategoryChanged(0, std::nullopt), "");
    EXPECT_EQ(m_form.CategoryChanged(0, family), "Family/");
    // The same category in another box leaves that box empty.
    EXPECT_EQ(m_form.CategoryChanged(1, family), "");
    EXPECT_EQ(m_form.CategoryIndex(1), 0);
    EXPECT_EQ(m_form.CategoryChanged(1, cousins), "Family/Cousins/");
    // "------" (index 0) empties a box; its slot gets 1000.
    EXPECT_EQ(m_form.CategoryChanged(0, 0), "");

    TypeName("Dora Diaz");
    m_form.Commit(EditMode::Done, "Dora Diaz", "Unknown Org");
    EXPECT_EQ(m_book.Entry("Dora Diaz", u"Group1"), QVariant(1000));
    EXPECT_EQ(m_book.Entry("Dora Diaz", u"Group2"), QVariant(m_book.nodes.cousins->Number()));
}

// ---------------------------------------------------------------------------------------------
// Position box

TEST_F(EditFormTest, PositionsAreOfferedSortedAndCompleted)
{
    Add();
    EXPECT_EQ(m_form.PositionLeft("  manager  "), "manager");
    m_form.PositionLeft("Director");
    m_form.PositionLeft("Manager");
    m_form.PositionLeft("   ");
    m_form.PositionLeft("Director");
    EXPECT_THAT(m_form.Positions(), ElementsAre("Director", "Manager", "manager"));
    EXPECT_EQ(m_book.data.NameDataSet.FieldByName(u"Position").AsString(), "Director");

    // Letter case counts; the first match in the sorted order wins.
    m_form.PositionKeyPressed(false);
    EXPECT_EQ(m_form.CompletePosition("Ma"), "Manager");
    EXPECT_TRUE(m_form.CompletionSuppressed());
    EXPECT_FALSE(m_form.CompletePosition("Man"));
    m_form.PositionKeyPressed(false);
    EXPECT_EQ(m_form.CompletePosition("m"), "manager");
    // Backspace suppresses completion, so deleting is not undone.
    m_form.PositionKeyPressed(true);
    EXPECT_FALSE(m_form.CompletePosition("D"));
    m_form.PositionKeyPressed(false);
    EXPECT_FALSE(m_form.CompletePosition("Chief"));
    EXPECT_FALSE(m_form.CompletePosition(""));
}

// ---------------------------------------------------------------------------------------------
// Org box

TEST_F(EditFormTest, TheDefaultOrgIsNotRenamed)
{
    Add();
    EXPECT_FALSE(m_form.OrgToRename());
    EXPECT_THAT(m_prompter.Texts(),
                ElementsAre("Unknown Org is default org name for those you don't know the work "
                            "place. It is unnecessary to edit."));
    EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Information);
}

TEST_F(EditFormTest, RenamingTheLinkedOrg)
{
    Edit("Anna Smith");
    ASSERT_EQ(m_form.OrgToRename(), "Acme");
    EXPECT_EQ(m_form.OrgRenamed("  Acme Corp "), "Acme Corp");
    m_form.OrgLeft("Acme Corp");
    m_form.Commit(EditMode::Done, "Anna Smith", "Acme Corp");
    EXPECT_EQ(m_book.Org("Acme Corp", u"CoID"), QVariant(EditBook::kAcme));
    EXPECT_EQ(m_book.OrgCount(), 3);
    EXPECT_EQ(m_book.Entry("Anna Smith", u"OrgID"), QVariant(EditBook::kAcme));
}

TEST_F(EditFormTest, RenamingToAnotherOrgsNameMovesTheEntry)
{
    Edit("Anna Smith");
    EXPECT_EQ(m_form.OrgRenamed("Globex"), "Globex");
    m_form.OrgLeft("Globex");
    m_form.Commit(EditMode::Done, "Anna Smith", "Globex");
    EXPECT_EQ(m_book.Org("Acme", u"CoID"), QVariant(EditBook::kAcme));
    EXPECT_EQ(m_book.Entry("Anna Smith", u"OrgID"), QVariant(EditBook::kGlobex));
    EXPECT_EQ(m_book.OrgCount(), 3);
}

TEST_F(EditFormTest, RenamingToABlankNameKeepsTheOrgsName)
{
    Edit("Anna Smith");
    EXPECT_EQ(m_form.OrgRenamed("   "), "Acme");
    m_form.Commit(EditMode::Done, "Anna Smith", "Acme");
    EXPECT_EQ(m_book.Org("Acme", u"CoID"), QVariant(EditBook::kAcme));
}

} // namespace
