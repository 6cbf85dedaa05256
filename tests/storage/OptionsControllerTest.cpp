// The options dialog's rules with scripted answers: what it shows, which font copy a choice
// changes, what OK applies and Cancel restores, the data folder rule and the password change.
#include "storage/OptionsController.h"

#include "storage/BookState.h"
#include "storage/OptionType.h"
#include "support/ScriptedPrompter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Area = OptionsController::FontArea;
using Font = OptionsController::AreaFont;

const QString MoveMessage = QStringLiteral(
    "After exiting the program, please move the address book files (*.qvp) to the new location.");
const QString OldLabel = QStringLiteral("Enter the old password");
const QString NewLabel = QStringLiteral("Enter Password for addressbook ");
const QString AgainLabel = QStringLiteral("Re-enter password");
const QString Mismatch = QStringLiteral("Confirmation of the new password is invalid.");

class OptionsControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_options.TreeFontname = QStringLiteral("Tree Sans");
        m_options.TreeFontSize = 9;
        m_options.TreeFontColor = 0x0000ff;
        m_options.RecListFontname = QStringLiteral("List Serif");
        m_options.RecListFontSize = 11;
        m_options.RecListFontColor = 0x00ff00;
        m_options.RecViewFontname = QStringLiteral("View Mono");
        // Sizes outside the font dialog's range come from the file unchanged.
        m_options.RecViewFontSize = 20;
        m_options.RecViewFontColor = 0xff0000;
        m_options.ConfirmDeletion = false;
        m_options.CheckOrgSameName = true;
        m_options.ToSaveSize = false;
        m_options.SetEmailer(2);
        m_options.DataDir = QStringLiteral("/srv/books/");
        m_options.SetEmailerListener([this](int which) { m_emailerCalls.push_back(which); });
        m_state.ProgramFolder = QStringLiteral("/home/ann/Quillvane/");
    }

    OptionType m_options{QStringLiteral("/nonexistent/aa.ini")};
    BookState m_state;
    ScriptedPrompter m_prompter;
    OptionsController m_controller{m_options, m_state, m_prompter};
    std::vector<int> m_emailerCalls;
};

TEST_F(OptionsControllerTest, BeginShowsTheSettings)
{
    m_state.SaveWithPassword = false;
    m_controller.Begin();

    EXPECT_EQ(m_controller.WorkingFont(Area::Tree), (Font{"Tree Sans", 9, 0x0000ff}));
    EXPECT_EQ(m_controller.WorkingFont(Area::RecList), (Font{"List Serif", 11, 0x00ff00}));
    EXPECT_EQ(m_controller.WorkingFont(Area::RecView), (Font{"View Mono", 20, 0xff0000}));
    EXPECT_FALSE(m_controller.ConfirmDeletion());
    EXPECT_TRUE(m_controller.CheckOrgSameName());
    EXPECT_FALSE(m_controller.ToSaveSize());
    EXPECT_EQ(m_controller.EmailerIndex(), 1);
    EXPECT_EQ(m_controller.FolderText(), "/srv/books/");
    EXPECT_FALSE(m_controller.SaveWithPassword());
    EXPECT_EQ(m_controller.Area(), Area::None);
    EXPECT_THAT(m_prompter.shown, IsEmpty());
}

TEST_F(OptionsControllerTest, OkAppliesEveryValueAndCancelNone)
{
    // Cancel first: it must leave the fixture's settings as they are for the OK round.
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        m_state.SaveWithPassword = true;
        m_controller.Begin();
        m_controller.SetConfirmDeletion(true);
        m_controller.SetCheckOrgSameName(false);
        m_controller.SetToSaveSize(true);
        m_controller.SetEmailerIndex(0);
        m_controller.SetSaveWithPassword(false);
        m_controller.SelectArea(Area::RecList);
        m_controller.TakeChosenFont({"Chosen", 12, 0x123456});
        m_controller.TakeChosenFolder(QStringLiteral("/media/usb"));

        if (ok)
            m_controller.Accept();
        else
            m_controller.Cancel();

        EXPECT_EQ(m_options.ConfirmDeletion, ok);
        EXPECT_EQ(m_options.CheckOrgSameName, !ok);
        EXPECT_EQ(m_options.ToSaveSize, ok);
        EXPECT_EQ(m_options.WhichEmailer(), ok ? 1 : 2);
        EXPECT_EQ(m_emailerCalls, ok ? std::vector<int>{1} : std::vector<int>{});
        EXPECT_EQ(m_state.SaveWithPassword, !ok);
        EXPECT_EQ(m_options.DataDir, ok ? "/media/usb/" : "/srv/books/");
        EXPECT_EQ(m_options.RecListFontname, ok ? "Chosen" : "List Serif");
        EXPECT_EQ(m_options.RecListFontSize, ok ? 12 : 11);
        EXPECT_EQ(m_options.RecListFontColor, ok ? 0x123456 : 0x00ff00);
        // The other areas keep their fonts either way.
        EXPECT_EQ(m_options.TreeFontname, "Tree Sans");
        EXPECT_EQ(m_options.RecViewFontSize, 20);
    }
}

TEST_F(OptionsControllerTest, CancelRestoresTheCheckBoxAndTheFolderBox)
{
    m_controller.Begin();
    m_controller.SetSaveWithPassword(false);
    m_controller.TakeChosenFolder(QStringLiteral("/elsewhere"));
    m_controller.Cancel();

    EXPECT_TRUE(m_controller.SaveWithPassword());
    EXPECT_EQ(m_controller.FolderText(), "/srv/books/");
    EXPECT_TRUE(m_state.SaveWithPassword);
}

TEST_F(OptionsControllerTest, SampleFollowsTheSelectedArea)
{
    m_controller.Begin();
    m_controller.SelectArea(Area::Tree);
    EXPECT_EQ(m_controller.SampleFont(), (Font{"Tree Sans", 9, 0x0000ff}));
    m_controller.SelectArea(Area::RecView);
    EXPECT_EQ(m_controller.SampleFont(), (Font{"View Mono", 20, 0xff0000}));

    m_controller.TakeChosenFont({"Picked", 8, 7});
    EXPECT_EQ(m_controller.SampleFont(), (Font{"Picked", 8, 7}));
    EXPECT_EQ(m_controller.WorkingFont(Area::RecView), (Font{"Picked", 8, 7}));
    EXPECT_EQ(m_controller.WorkingFont(Area::Tree).name, "Tree Sans");
    EXPECT_EQ(m_controller.WorkingFont(Area::RecList).name, "List Serif");

    // Going back to an area shows its own copy again.
    m_controller.SelectArea(Area::Tree);
    EXPECT_EQ(m_controller.SampleFont().name, "Tree Sans");
    m_controller.SelectArea(Area::RecView);
    EXPECT_EQ(m_controller.SampleFont().name, "Picked");
}

TEST_F(OptionsControllerTest, FontChosenWithoutAreaChangesOnlyTheSample)
{
    m_controller.Begin();
    ASSERT_EQ(m_controller.Area(), Area::None);
    EXPECT_EQ(m_controller.FontDialogFont().name, "MS Sans Serif");

    m_controller.TakeChosenFont({"Loose", 12, 99});
    EXPECT_EQ(m_controller.SampleFont(), (Font{"Loose", 12, 99}));
    EXPECT_EQ(m_controller.FontDialogFont(), (Font{"Loose", 12, 99}));
    m_controller.Accept();

    EXPECT_EQ(m_options.TreeFontname, "Tree Sans");
    EXPECT_EQ(m_options.RecListFontname, "List Serif");
    EXPECT_EQ(m_options.RecViewFontname, "View Mono");
}

TEST_F(OptionsControllerTest, FontDialogOpensWithTheFontItLastReturnedAcrossShowings)
{
    m_controller.Begin();
    m_controller.SelectArea(Area::Tree);
    m_controller.TakeChosenFont({"Last", 10, 3});
    m_controller.Cancel();

    m_controller.Begin();
    EXPECT_EQ(m_controller.FontDialogFont(), (Font{"Last", 10, 3}));
    // The area stays selected, and the sample shows its fresh copy, not the cancelled font.
    EXPECT_EQ(m_controller.Area(), Area::Tree);
    EXPECT_EQ(m_controller.SampleFont(), (Font{"Tree Sans", 9, 0x0000ff}));
    EXPECT_EQ(m_controller.WorkingFont(Area::Tree).name, "Tree Sans");
}

TEST_F(OptionsControllerTest, ChosenFolderGetsOneSeparatorAndTheMoveNotice)
{
    struct Case
    {
        const char* chosen;
        const char* shown;
    };
    for (const Case& c :
         {Case{"/media/usb", "/media/usb/"}, Case{"/", "/"}, Case{"/media/usb/", "/media/usb/"}}) {
        SCOPED_TRACE(c.chosen);
        ScriptedPrompter prompter;
        OptionsController controller(m_options, m_state, prompter);
        controller.Begin();
        controller.TakeChosenFolder(QString::fromUtf8(c.chosen));

        EXPECT_EQ(controller.FolderText(), QString::fromUtf8(c.shown));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, MoveMessage);
        EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Information);
        EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::Ok);
    }
}

TEST_F(OptionsControllerTest, DataDirIsNeverTheProgramFolder)
{
    struct Case
    {
        const char* programFolder;
        const char* chosen; // nullptr: the folder box keeps DataDir
        const char* dataDir;
    };
    const Case cases[] = {
        {"/home/ann/Quillvane/", "/home/ann/Quillvane", "/srv/books/"},
        {"/home/ann/Quillvane/", "/HOME/ANN/quillvane", "/srv/books/"},
        {"/home/ann/Quillvane/", "/home/ann/Quillvane/Data", "/home/ann/Quillvane/Data/"},
        // Only a to z change case.
        {"/home/\xc3\xa4/", "/home/\xc3\x84", "/home/\xc3\x84/"},
        {"/home/ann/Quillvane/", nullptr, "/srv/books/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen ? c.chosen : "(unchanged)");
        m_options.DataDir = QStringLiteral("/srv/books/");
        m_state.ProgramFolder = QString::fromUtf8(c.programFolder);
        m_controller.Begin();
        if (c.chosen)
            m_controller.TakeChosenFolder(QString::fromUtf8(c.chosen));
        m_controller.Accept();
        EXPECT_EQ(m_options.DataDir, QString::fromUtf8(c.dataDir));
    }
}

TEST_F(OptionsControllerTest, StoredFolderIsTrimmedOnOk)
{
    m_options.DataDir = QStringLiteral("  /srv/books/  ");
    m_controller.Begin();
    m_controller.Accept();
    EXPECT_EQ(m_options.DataDir, "/srv/books/");
}

TEST_F(OptionsControllerTest, EmailerOutsideTheListIsKeptUnlessChosen)
{
    struct Case
    {
        int stored;
        int shownIndex;
        int chosenIndex; // -1: no choice
        int applied;
    };
    for (const Case& c : {Case{1, 0, -1, 1}, Case{2, 1, -1, 2}, Case{0, -1, -1, 0},
                          Case{7, -1, -1, 7}, Case{7, -1, 1, 2}, Case{1, 0, 5, 1}}) {
        SCOPED_TRACE(c.stored);
        m_options.SetEmailer(c.stored);
        m_controller.Begin();
        EXPECT_EQ(m_controller.EmailerIndex(), c.shownIndex);
        m_controller.SetEmailerIndex(c.chosenIndex);
        m_controller.Accept();
        EXPECT_EQ(m_options.WhichEmailer(), c.applied);
    }
}

struct PasswordCase
{
    const char* name;
    const char* current; // "" = no password
    std::vector<std::optional<QString>> entered;
    QStringList labels;
    const char* result;
    bool mismatch;
};

class SetPasswordTest : public OptionsControllerTest,
                        public ::testing::WithParamInterface<PasswordCase>
{};

TEST_P(SetPasswordTest, FollowsTheEnteredTexts)
{
    const PasswordCase& c = GetParam();
    m_options.CurrentPassword = QString::fromUtf8(c.current);
    m_prompter.passwords.assign(c.entered.begin(), c.entered.end());
    m_controller.Begin();
    m_controller.SetPassword();

    EXPECT_EQ(m_prompter.passwordLabels, c.labels);
    EXPECT_EQ(m_options.CurrentPassword, QString::fromUtf8(c.result));
    if (c.mismatch) {
        ASSERT_EQ(m_prompter.shown.size(), 1u);
        EXPECT_EQ(m_prompter.shown[0].text, Mismatch);
        EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::Ok);
    } else {
        EXPECT_THAT(m_prompter.shown, IsEmpty());
    }
    EXPECT_TRUE(m_prompter.passwords.empty()) << "a scripted answer was not asked for";
}

const QStringList NoOld{NewLabel, AgainLabel};
const QStringList All{OldLabel, NewLabel, AgainLabel};

INSTANTIATE_TEST_SUITE_P(
    Flows, SetPasswordTest,
    ::testing::Values(
        PasswordCase{"NoPasswordYet", "", {"new", "new"}, NoOld, "new", false},
        PasswordCase{"NoPasswordCancelNew", "", {std::nullopt}, {NewLabel}, "", false},
        PasswordCase{"NoPasswordCancelAgain", "", {"new", std::nullopt}, NoOld, "", false},
        PasswordCase{"Changed", "old", {"old", "n", "n"}, All, "n", false},
        PasswordCase{"WrongOldEndsSilently", "old", {"bad"}, {OldLabel}, "old", false},
        PasswordCase{"OldComparedExactly", "Old", {"old"}, {OldLabel}, "Old", false},
        PasswordCase{"CancelOld", "old", {std::nullopt}, {OldLabel}, "old", false},
        PasswordCase{"CancelNew", "old", {"old", std::nullopt}, {OldLabel, NewLabel}, "old", false},
        PasswordCase{"CancelAgain", "old", {"old", "n", std::nullopt}, All, "old", false},
        PasswordCase{"Mismatch", "old", {"old", "n", "N"}, All, "old", true},
        PasswordCase{"MismatchWithoutOld", "", {"n", ""}, NoOld, "", true},
        PasswordCase{"EmptyTwiceRemoves", "old", {"old", "", ""}, All, "", false}),
    [](const ::testing::TestParamInfo<PasswordCase>& info) { return info.param.name; });

TEST_F(OptionsControllerTest, PasswordChangeOutlivesCancel)
{
    m_options.CurrentPassword = QStringLiteral("old");
    m_prompter.passwords = {QStringLiteral("old"), QStringLiteral("fresh"),
                            QStringLiteral("fresh")};
    m_controller.Begin();
    m_controller.SetPassword();
    m_controller.Cancel();
    EXPECT_EQ(m_options.CurrentPassword, "fresh");

    // Removing it, then cancelling, leaves the book without a password for the next save.
    m_prompter.passwords = {QStringLiteral("fresh"), QString(), QString()};
    m_controller.Begin();
    m_controller.SetPassword();
    m_controller.Cancel();
    EXPECT_TRUE(m_options.CurrentPassword.isEmpty());
    EXPECT_THAT(m_prompter.passwordLabels,
                ElementsAre(OldLabel, NewLabel, AgainLabel, OldLabel, NewLabel, AgainLabel));
}

} // namespace
