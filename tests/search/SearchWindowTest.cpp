// The search command of the main window offscreen: the dialog opens beside the right panel,
// its search fills the entry list under the search results node, and the window keeps the
// state of the dialog's quick search group for the settings.
#include "app/MainForm.h"
#include "app/MainWindowBridge.h"
#include "search/SearchForm.h"
#include "support/BookFiles.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <functional>
#include <gtest/gtest.h>

namespace {

class SearchWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString program = m_dir.path() + u'/';
        ASSERT_TRUE(SaveNamesBook(program + QStringLiteral("qvdefbig5.qvp"), {}, m_dir.path()));
        ASSERT_TRUE(SaveNamesBook(program + QStringLiteral("Data/Default.qvp"),
                                  {QStringLiteral("Zoe Smith"), QStringLiteral("Adam Brown"),
                                   QStringLiteral("Eve Smithers")},
                                  m_dir.path()));
        m_bridge = std::make_unique<MainWindowBridge>(m_window, m_prompter);
        m_controller = std::make_unique<MainController>(*m_bridge, m_prompter, program);
        m_controller->State().WorkFolder = m_dir.filePath(QStringLiteral("QV")) + u'/';
        m_bridge->Attach(*m_controller);
        m_window.show();
        m_controller->FormShow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    // The views go first, then what joins them to the models, then the models.
    void TearDown() override
    {
        for (QWidget* child : m_window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            delete child;
        m_bridge.reset();
        m_controller.reset();
    }

    // Triggers the search command and, once the dialog shows, acts on it.
    void Search(const std::function<void(TSearchFm&)>& act)
    {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* form = m_window.findChild<TSearchFm*>();
            ASSERT_NE(form, nullptr);
            ASSERT_TRUE(form->isVisible());
            acted = true;
            act(*form);
            if (form->isVisible())
                form->reject();
        });
        m_window.Action(QStringLiteral("A_Search"))->trigger();
        EXPECT_TRUE(acted);
    }

    QStringList Listed()
    {
        auto* grid = m_window.findChild<QTableView*>(QStringLiteral("RecDBGrid"));
        QStringList names;
        for (int row = 0; grid && row < grid->model()->rowCount(); ++row)
            names << grid->model()->index(row, 0).data().toString();
        return names;
    }

    QTemporaryDir m_dir;
    TMainQVZorek m_window;
    ScriptedPrompter m_prompter;
    std::unique_ptr<MainWindowBridge> m_bridge;
    std::unique_ptr<MainController> m_controller;
};

TEST_F(SearchWindow, StartSearchListsTheFoundEntriesUnderTheResultsNode)
{
    EXPECT_TRUE(m_window.Action(QStringLiteral("A_Search"))->isEnabled());
    QPoint placed;
    Search([&](TSearchFm& form) {
        placed = form.pos();
        auto* list = form.findChild<QListWidget*>(QStringLiteral("FieldListBox"));
        ASSERT_EQ(list->item(0)->text(), QStringLiteral("Name"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        form.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral(" smith"));
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("SearchBn")), Qt::LeftButton);
    });
    const QWidget* panel = m_window.findChild<QWidget*>(QStringLiteral("RightPanel"));
    EXPECT_EQ(placed,
              QPoint(m_window.x() + panel->mapTo(&m_window, QPoint()).x(), m_window.y() + 65));
    EXPECT_EQ(m_controller->Data().NameDataSet.Filter(), QStringLiteral("Name LIKE '%smith%'"));
    EXPECT_EQ(Listed(), (QStringList{"Eve Smithers", "Zoe Smith"}));
    auto* tree = m_window.findChild<QTreeView*>(QStringLiteral("NavgTree"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->currentIndex().data().toString(), QStringLiteral("Search"));

    // Another listing, then the results node again: the search comes back.
    m_controller->SelectCategory(CTreeMT::RootNumber);
    EXPECT_EQ(Listed().size(), 3);
    m_controller->SelectCategory(CTreeMT::SearchNodeNumber);
    EXPECT_EQ(Listed(), (QStringList{"Eve Smithers", "Zoe Smith"}));
}

TEST_F(SearchWindow, CancelLeavesTheListAlone)
{
    Search([](TSearchFm& form) {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("CancelBn")), Qt::LeftButton);
    });
    EXPECT_EQ(Listed().size(), 3);
}

TEST_F(SearchWindow, TheQuickSearchGroupIsKeptInTheSettings)
{
    EXPECT_TRUE(m_bridge->QuickSearchOpen());
    Search([](TSearchFm& form) {
        QTest::mouseClick(form.findChild<QToolButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    });
    EXPECT_FALSE(m_bridge->QuickSearchOpen());
    m_prompter.answers = {Prompter::Answer::No};
    ASSERT_TRUE(m_controller->FormCloseQuery());
    OptionType written(m_controller->Options().IniPath());
    written.ReadAll();
    EXPECT_FALSE(written.QuickSearchOpen);
}

} // namespace
