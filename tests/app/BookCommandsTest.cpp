// The book commands against real packages in a real data folder, with a scripted user and
// a window that records what it was told to show.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/BookCommands.h"
#include "storage/CardDataMod.h"
#include "storage/OptionType.h"
#include "storage/PackageController.h"
#include "support/Files.h"
#include "support/MemberKeepingHost.h"
#include "support/ScriptedPrompter.h"

namespace {

class RecordingWindow : public BookWindow
{
public:
    QStringList calls;
    void AddBookItems(const QString& name) override { calls << QStringLiteral("Add ") + name; }
    void RemoveBookItems(int position) override
    {
        calls << QStringLiteral("Remove %1").arg(position);
    }
    void DisableBookUI() override { calls << QStringLiteral("DisableBookUI"); }
    void UpdateCaption() override { calls << QStringLiteral("UpdateCaption"); }
    void CloseMainWindow() override { calls << QStringLiteral("Close"); }
};

class BookCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_state.ProgramFolder = m_dir.path() + u'/';
        m_state.DataFolder = m_dir.filePath(QStringLiteral("Data")) + u'/';
        m_state.WorkFolder = m_dir.filePath(QStringLiteral("QV")) + u'/';
        QDir().mkpath(m_state.DataFolder);
        m_commands.SetLanguage(1033);
        // The template and two books of the data folder, each with one entry named after it.
        MakeBook(m_state.ProgramFolder + QStringLiteral("qvdefbig5.qvp"), QString());
        MakeBook(Book(QStringLiteral("Friends")), QStringLiteral("Friend"));
        MakeBook(Book(QStringLiteral("Work")), QStringLiteral("Colleague"));
        m_options.BookList = {QStringLiteral("Friends"), QStringLiteral("Work")};
        ASSERT_TRUE(m_package.LoadPackage(Book(QStringLiteral("Friends"))));
        m_options.BookName = QStringLiteral("Friends");
        m_prompter.shown.clear();
    }

    void MakeBook(const QString& path, const QString& entry)
    {
        TCardData data;
        data.AgentDataSet.AppendRecord({0, QStringLiteral("Unknown Org")});
        if (!entry.isEmpty())
            data.NameDataSet.AppendRecord({2001, entry});
        ScriptedPrompter prompter;
        BookState state = m_state;
        PackageController(data, m_options, state, m_host, prompter).SavePackage(path);
    }
    QString Book(const QString& name) const
    {
        return m_state.DataFolder + name + QStringLiteral(".qvp");
    }
    QString FirstName()
    {
        m_data.NameDataSet.First();
        return m_data.NameDataSet.FieldByName(u"Name").AsString();
    }
    void Change() { m_data.NameDataSet.AppendRecord({2002, QStringLiteral("Changed")}); }

    QTemporaryDir m_dir;
    TCardData m_data;
    OptionType m_options{m_dir.filePath(QStringLiteral("aa.ini"))};
    BookState m_state;
    MemberKeepingHost m_host;
    ScriptedPrompter m_prompter;
    RecordingWindow m_window;
    PackageController m_package{m_data, m_options, m_state, m_host, m_prompter};
    BookCommands m_commands{m_package, m_options, m_state, m_window, m_prompter};
};

TEST_F(BookCommandsTest, OpeningAListedBookMakesItTheCurrentBook)
{
    m_commands.OpenListedBook(1);
    EXPECT_EQ(FirstName(), QStringLiteral("Colleague"));
    EXPECT_EQ(m_options.BookName, QStringLiteral("Work"));
    EXPECT_EQ(m_state.BookLocation, TBookLocation::InDataFolder);
    EXPECT_EQ(m_window.calls, QStringList{"UpdateCaption"});
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(BookCommandsTest, AChangedBookIsOfferedForSavingFirst)
{
    Change();
    m_prompter.answers = {Prompter::Answer::Cancel};
    m_commands.OpenListedBook(1);
    EXPECT_EQ(m_prompter.Texts(),
              QStringList{"Are you going to save Friends before loading another?"});
    EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(m_options.BookName, QStringLiteral("Friends")) << "Cancel stays with the book";

    m_prompter.answers = {Prompter::Answer::Yes};
    m_commands.OpenListedBook(1);
    EXPECT_EQ(m_options.BookName, QStringLiteral("Work"));
    m_commands.OpenListedBook(0);
    EXPECT_EQ(m_data.NameDataSet.RecordCount(), 2) << "the change was saved into Friends";
}

TEST_F(BookCommandsTest, AFailedOpenOffersOkAndAbort)
{
    QFile::remove(Book(QStringLiteral("Work")));
    for (const auto& [answer, call] : {std::pair{Prompter::Answer::Ok, "DisableBookUI"},
                                       std::pair{Prompter::Answer::Abort, "Close"}}) {
        m_window.calls.clear();
        m_prompter.shown.clear();
        m_prompter.answers = {answer};
        m_commands.OpenListedBook(1);
        EXPECT_EQ(m_prompter.Texts(),
                  QStringList{"Loading addressbook of Work fail, You may select another "
                              "addressbook from the 'File' menu."});
        EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::OkAbort);
        EXPECT_EQ(m_window.calls, QStringList{QString::fromLatin1(call)});
        EXPECT_EQ(FirstName(), QStringLiteral("Friend")) << "the open book stays whole";
    }
}

TEST_F(BookCommandsTest, SaveDuringASaveDoesNothing)
{
    const QByteArray before = ReadBytes(Book(QStringLiteral("Friends")));
    Change();
    m_state.Saving = true;
    m_commands.SaveCurrentBook();
    EXPECT_EQ(ReadBytes(Book(QStringLiteral("Friends"))), before);
    m_state.Saving = false;
    m_commands.SaveCurrentBook();
    EXPECT_NE(ReadBytes(Book(QStringLiteral("Friends"))), before);
    EXPECT_FALSE(m_state.Saving);
}

TEST_F(BookCommandsTest, TheOpenBookCannotBeDeletedButAnotherCan)
{
    m_commands.DeleteListedBook(0);
    EXPECT_EQ(m_prompter.Texts(), QStringList{"Can not delete an opening addressbook."});
    EXPECT_TRUE(QFileInfo::exists(Book(QStringLiteral("Friends"))));

    m_prompter.shown.clear();
    m_prompter.answers = {Prompter::Answer::No};
    m_commands.DeleteListedBook(1);
    EXPECT_EQ(m_prompter.Texts(), QStringList{"Are you sure to delete Work ?"});
    EXPECT_TRUE(QFileInfo::exists(Book(QStringLiteral("Work"))));

    m_prompter.answers = {Prompter::Answer::Yes};
    m_commands.DeleteListedBook(1);
    EXPECT_FALSE(QFileInfo::exists(Book(QStringLiteral("Work"))));
    EXPECT_EQ(m_options.BookList, QStringList{"Friends"});
    EXPECT_EQ(m_window.calls, QStringList{"Remove 1"});
}

TEST_F(BookCommandsTest, LoadFromABadFileKeepsTheBookItsPlaceAndPassword)
{
    const QString bad = m_dir.filePath(QStringLiteral("bad.qvp"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no package");
    file.close();
    m_options.CurrentPassword = QStringLiteral("kept");
    m_prompter.files = {bad};
    m_commands.LoadBookFrom();
    EXPECT_EQ(m_options.BookName, QStringLiteral("Friends"));
    EXPECT_EQ(m_state.BookLocation, TBookLocation::InDataFolder);
    EXPECT_EQ(m_options.CurrentPassword, QStringLiteral("kept"));
    EXPECT_TRUE(m_window.calls.isEmpty()) << "the caption is not touched";

    m_prompter.files = {Book(QStringLiteral("Work"))};
    m_commands.LoadBookFrom();
    EXPECT_EQ(m_state.BookLocation, TBookLocation::Outside);
    EXPECT_EQ(m_state.OutsidePath, Book(QStringLiteral("Work")));
    EXPECT_EQ(m_commands.BookTitle(), Book(QStringLiteral("Work")));
}

TEST_F(BookCommandsTest, NewBooksComeFromTheTemplate)
{
    m_prompter.inputs = {QStringLiteral("   ")};
    m_commands.NewBook();
    EXPECT_EQ(QDir(m_state.DataFolder).entryList(QDir::Files).size(), 2)
        << "a blank name does nothing";

    m_prompter.inputs = {QStringLiteral("  Club  ")};
    m_commands.NewBook();
    EXPECT_TRUE(QFileInfo::exists(Book(QStringLiteral("Club"))));
    EXPECT_EQ(m_options.BookList.last(), QStringLiteral("Club"));
    EXPECT_EQ(m_options.BookName, QStringLiteral("Club"));
    EXPECT_EQ(m_window.calls, (QStringList{"Add Club", "UpdateCaption"}));
    EXPECT_TRUE(m_data.NameDataSet.IsEmpty());
    OptionType written(m_options.IniPath());
    written.ReadAll();
    EXPECT_EQ(written.BookName, QStringLiteral("Club"));
}

TEST_F(BookCommandsTest, NewOverAnExistingBookAsksBeforeReplacingIt)
{
    const QByteArray before = ReadBytes(Book(QStringLiteral("Work")));
    m_prompter.answers = {Prompter::Answer::No};
    EXPECT_FALSE(m_commands.CreateBook(QStringLiteral("work")));
    EXPECT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(ReadBytes(Book(QStringLiteral("Work"))), before);

    m_commands.SetLanguage(2052);
    m_prompter.shown.clear();
    EXPECT_FALSE(m_commands.CreateBook(QStringLiteral("Other"))) << "no Chinese template here";
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_TRUE(
        m_prompter.shown[0].text.endsWith(QStringLiteral(" while creating a new addressbook.")));
    EXPECT_FALSE(m_options.BookList.contains(QStringLiteral("Other")));
}

TEST_F(BookCommandsTest, SaveAsChoosesWhereTheBookLivesFromTheFolder)
{
    const QString outside = m_dir.filePath(QStringLiteral("copy.qvp"));
    m_prompter.files = {outside};
    m_commands.SaveBookAs();
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_EQ(m_state.BookLocation, TBookLocation::Outside);
    EXPECT_EQ(m_state.OutsidePath, outside);

    // Into the data folder, spelt another way: a book of the data folder, listed at once.
    m_prompter.files = {m_dir.path() + QStringLiteral("/./Data/Archive.qvp")};
    m_commands.SaveBookAs();
    EXPECT_EQ(m_state.BookLocation, TBookLocation::InDataFolder);
    EXPECT_EQ(m_options.BookName, QStringLiteral("Archive"));
    EXPECT_EQ(m_options.BookList.last(), QStringLiteral("Archive"));
    EXPECT_TRUE(m_window.calls.contains(QStringLiteral("Add Archive")));
}

} // namespace
