// The main window joined to its controller, offscreen: the default book is shown at start
// and the close question can keep the window open.
#include <gtest/gtest.h>

#include <memory>

#include <QDir>
#include <QTableView>
#include <QTemporaryDir>

#include "app/MainForm.h"
#include "app/MainWindowBridge.h"
#include "support/BookFiles.h"
#include "support/ScriptedPrompter.h"

namespace {

TEST(Startup, TheDefaultBookIsShownAndTheCloseQuestionCanKeepTheWindowOpen)
{
    QTemporaryDir dir;
    const QString program = dir.path() + u'/';
    ASSERT_TRUE(SaveNamesBook(program + QStringLiteral("qvdefbig5.qvp"), {}, dir.path()));
    ASSERT_TRUE(SaveNamesBook(program + QStringLiteral("Data/Default.qvp"),
                              {QStringLiteral("Zoe"), QStringLiteral("Adam")}, dir.path()));

    // As the program does it: the controller outlives the window's views of its tables.
    std::unique_ptr<MainController> owner;
    TMainQVZorek window;
    ScriptedPrompter prompter;
    MainWindowBridge bridge(window, prompter);
    owner = std::make_unique<MainController>(bridge, prompter, program);
    MainController& controller = *owner;
    controller.State().WorkFolder = dir.filePath(QStringLiteral("QV")) + u'/';
    bridge.Attach(controller);
    window.show();
    controller.FormShow();

    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillvane (Default)"));
    auto* grid = window.findChild<QTableView*>(QStringLiteral("RecDBGrid"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), QStringLiteral("Adam"));
    EXPECT_TRUE(window.Action(QStringLiteral("A_Save"))->isEnabled());

    controller.Data().NameDataSet.AppendRecord({2003, QStringLiteral("Eve")});
    EXPECT_EQ(grid->model()->rowCount(), 3) << "the list follows the table";
    prompter.answers = {Prompter::Answer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible()) << "Cancel keeps the window open";
    EXPECT_EQ(prompter.Texts().last(),
              QStringLiteral("Are you going to save Default before close?"));
    prompter.answers = {Prompter::Answer::No};
    window.close();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
