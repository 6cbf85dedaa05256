// Start-up and close of the main window controller, with real settings files, real books
// in a real data folder, a scripted user and a window that records what it is told.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "app/MainController.h"
#include "support/BookFiles.h"
#include "support/Files.h"
#include "support/ScriptedPrompter.h"

namespace {

class RecordingView : public MainWindowView
{
public:
    QStringList calls;
    QStringList bookItems;
    bool enabled = true;
    QStringList initials;
    Sizes sizes{200, 600, 900, 300, true};
    Sizes applied;

    void AddBookItems(const QString& name) override { bookItems << name; }
    void RemoveBookItems(int position) override { bookItems.removeAt(position); }
    void DisableBookUI() override { enabled = false; }
    void EnableBookUI() override { enabled = true; }
    bool BookUIEnabled() const override { return enabled; }
    void UpdateCaption() override { calls << QStringLiteral("UpdateCaption"); }
    void CloseMainWindow() override { calls << QStringLiteral("Close"); }
    void ShowTreeTop() override { calls << QStringLiteral("ShowTreeTop"); }
    void FillSurnameGrid(const QStringList& list) override { initials = list; }
    void ShowLock(bool locked) override
    {
        calls << (locked ? QStringLiteral("Locked") : QStringLiteral("Open"));
    }
    void ApplyFonts(const OptionType&) override { calls << QStringLiteral("ApplyFonts"); }
    Sizes CurrentSizes() const override { return sizes; }
    void ApplySizes(const Sizes& s) override
    {
        applied = s;
        calls << QStringLiteral("ApplySizes");
    }
    void UpdateNetServicesMenu() override {}
    void SetOutlookPasteVisible(bool) override {}
    bool QuickSearchOpen() const override { return false; }
    qint32 SelectedCategory() const override { return CTreeMT::RootNumber; }
    void SelectCategoryNode(qint32) override {}
    void FocusTree() override {}
    void FocusEntryList() override {}
};

class MainControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_program = m_dir.path() + u'/';
        MakeBook(m_program + QStringLiteral("qvdefbig5.qvp"), {});
    }

    // A book with entries of the given names and surnames.
    void MakeBook(const QString& path, const std::vector<std::pair<QString, QString>>& entries)
    {
        TCardData data;
        data.AgentDataSet.AppendRecord({0, QStringLiteral("Unknown Org")});
        int id = 2001;
        for (const auto& [name, surname] : entries)
            data.NameDataSet.AppendRecord({id++, name, surname});
        ASSERT_TRUE(SaveTestBook(data, path, m_dir.path()));
    }

    std::unique_ptr<MainController> Start()
    {
        auto controller = std::make_unique<MainController>(m_view, m_prompter, m_program);
        controller->State().WorkFolder = m_dir.filePath(QStringLiteral("QV")) + u'/';
        controller->FormShow();
        return controller;
    }
    QString Ini() const { return m_program + QStringLiteral("aa.ini"); }

    QTemporaryDir m_dir;
    QString m_program;
    RecordingView m_view;
    ScriptedPrompter m_prompter;
};

TEST_F(MainControllerTest, FirstRunOpensTheTemplateAndWritesTheSettingsAtExit)
{
    auto controller = Start();
    EXPECT_EQ(m_prompter.Texts(),
              (QStringList{"There may not be any addressbook in the default location.",
                           "Loading addressbook of Default fail, You may select another "
                           "addressbook from the 'File' menu."}));
    EXPECT_FALSE(m_view.enabled);
    EXPECT_EQ(controller->Data().AgentDataSet.RecordCount(), 1) << "the template is open";
    EXPECT_FALSE(QFileInfo::exists(Ini()));

    ASSERT_TRUE(controller->FormCloseQuery());
    OptionType written(Ini());
    written.ReadAll();
    EXPECT_EQ(written.DataDir, m_program + QStringLiteral("Data/"));
    EXPECT_EQ(written.BookName, QStringLiteral("Default"));
}

TEST_F(MainControllerTest, EachRunningCopyWorksInAFolderOfItsOwnThatGoesAtExit)
{
    const QString process = QString::number(QCoreApplication::applicationPid());
    EXPECT_TRUE(MainController::DefaultWorkFolder().endsWith(u'-' + process + u'/'));

    MakeBook(m_program + QStringLiteral("Data/Default.qvp"), {{"Ann Lee", "Lee"}});
    auto controller = Start();
    const QString folder = controller->State().WorkFolder;
    ASSERT_TRUE(QFileInfo(folder).isDir()) << "the open unpacked the book there";
    EXPECT_TRUE(QDir(folder).isEmpty());
    controller.reset();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(MainControllerTest, TheDefaultBookOpensWithItsListAndInitials)
{
    MakeBook(m_program + QStringLiteral("Data/Default.qvp"),
             {{QStringLiteral("Ann Lee"), QStringLiteral("Lee")},
              {QStringLiteral("Bo Smith"), QStringLiteral("smith")}});
    MakeBook(m_program + QStringLiteral("Data/b.qvp"), {});
    MakeBook(m_program + QStringLiteral("Data/B.qvp"), {});
    auto controller = Start();
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_TRUE(m_view.enabled);
    EXPECT_EQ(m_view.bookItems.size(), 2) << "names differing in case are listed once";
    EXPECT_EQ(m_view.bookItems.last(), QStringLiteral("Default"));
    EXPECT_EQ(m_view.initials, (QStringList{"L", "S"}));
    EXPECT_EQ(controller->Data().NameDataSet.RecordCount(), 2);
    EXPECT_EQ(controller->Caption(), QStringLiteral("Quillvane (Default)"));
    EXPECT_TRUE(m_view.calls.contains(QStringLiteral("ShowTreeTop")));
    EXPECT_EQ(m_view.calls.last(), QStringLiteral("UpdateCaption"));
}

TEST_F(MainControllerTest, TheListFollowsTheSelectedCategory)
{
    MakeBook(m_program + QStringLiteral("Data/Default.qvp"),
             {{QStringLiteral("Ann"), QStringLiteral("A")}});
    auto controller = Start();
    TableView& names = controller->Data().NameDataSet;
    names.AppendRecord({2002,
                        QStringLiteral("Acme"),
                        QStringLiteral("Acme"),
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
                        0,
                        0,
                        1000,
                        1000,
                        1005,
                        1000,
                        {},
                        false,
                        {},
                        {},
                        true});
    struct Case
    {
        qint32 number;
        const char* filter;
        int listed;
    };
    for (const Case& c : {Case{1005, "Group1=1005 OR Group2=1005 OR Group3=1005 OR Group4=1005", 1},
                          Case{110, "Yellow=true", 1}, Case{101, "OrgID=-1", 0}, Case{1000, "", 2},
                          Case{50, "", 2}}) {
        controller->SelectCategory(c.number);
        EXPECT_EQ(names.Filter(), QString::fromLatin1(c.filter)) << c.number;
        EXPECT_EQ(names.RecordCount(), c.listed) << c.number;
    }
    controller->Search().FilterByName(QStringLiteral("Ann"));
    controller->SelectCategory(1000);
    controller->SelectCategory(101);
    EXPECT_EQ(names.Filter(), QStringLiteral("Name='Ann'")) << "101 applies the last search again";
    EXPECT_EQ(names.RecordCount(), 1);
    controller->SelectCategory(1005);
    EXPECT_TRUE(controller->Edit().CategoryInUse(1005)) << "also while the entry is listed";
    controller->SelectCategory(110);
    names.SetFilter(QStringLiteral("OrgID=-1"));
    EXPECT_TRUE(controller->Edit().CategoryInUse(1005)) << "and while it is not";
    EXPECT_FALSE(controller->Edit().CategoryInUse(1006));
}

TEST_F(MainControllerTest, CancelAtTheCloseQuestionWritesNothing)
{
    MakeBook(m_program + QStringLiteral("Data/Default.qvp"), {});
    auto controller = Start();
    controller->Data().NameDataSet.AppendRecord({2001, QStringLiteral("New")});
    m_prompter.answers = {Prompter::Answer::Cancel};
    EXPECT_FALSE(controller->FormCloseQuery());
    EXPECT_EQ(m_prompter.Texts().last(),
              QStringLiteral("Are you going to save Default before close?"));
    EXPECT_FALSE(QFileInfo::exists(Ini()));

    m_prompter.answers = {Prompter::Answer::Yes};
    EXPECT_TRUE(controller->FormCloseQuery());
    EXPECT_TRUE(QFileInfo::exists(Ini()));
    auto again = Start();
    EXPECT_EQ(again->Data().NameDataSet.RecordCount(), 1) << "Yes saved the book";
}

TEST_F(MainControllerTest, SizesAreKeptOnlyWhenAskedFor)
{
    for (const bool keep : {true, false}) {
        QFile::remove(Ini());
        OptionType options(Ini());
        options.ReadAll();
        options.ToSaveSize = keep;
        options.FormWidth = 777;
        options.WriteAll();
        m_view.calls.clear();
        auto controller = Start();
        EXPECT_EQ(m_view.calls.contains(QStringLiteral("ApplySizes")), keep);
        ASSERT_TRUE(controller->FormCloseQuery());
        OptionType written(Ini());
        written.ReadAll();
        EXPECT_EQ(written.FormWidth, keep ? 900 : 0) << keep;
    }
}

} // namespace
