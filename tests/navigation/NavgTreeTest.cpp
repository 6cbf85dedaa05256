// The navigation tree offscreen, driven by real keys, clicks and drag events: its settings,
// selection, the Ins/F2/Shift+Del commands with in-place renaming, the context menu's
// enabling, the delete refusals, and dragging categories as children or beside a node.
#include "navigation/NavgTree.h"
#include "support/ScriptedPrompter.h"
#include "support/TreeShape.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

// Records the drags it is asked to begin instead of running them, since a running drag
// waits for the real pointer.
class RecordingTree : public NavgTree
{
public:
    using NavgTree::NavgTree;
    std::vector<CTreeNode*> drags;
    bool Editing() const { return state() == EditingState; }

protected:
    void BeginCategoryDrag(CTreeNode* node) override { drags.push_back(node); }
};

constexpr const char* kStartShape =
    "0:All Entries=1000 1:Search Results=101 1:Family=1001 2:Cousins=1002 1:Work=1003";

class NavgTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const SampleTree sample = MakeSampleTree(m_tree);
        m_family = sample.family;
        m_cousins = sample.cousins;
        m_work = sample.work;
        m_view.resize(320, 400);
        m_view.show();
        QApplication::setActiveWindow(&m_view);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
        m_view.expandAll();
        m_view.setFocus();
        ASSERT_EQ(Shape(m_tree), kStartShape);
        // The focus made the root current.
        m_selected.clear();
    }

    CTreeNode* Root() const { return m_tree.Root(); }
    CTreeNode* Search() const { return m_tree.NodeOfNumber(CTreeMT::SearchNodeNumber); }
    QPoint At(const CTreeNode* node) const
    {
        return m_view.visualRect(m_view.ItemModel().IndexOf(node)).center();
    }
    void Click(const CTreeNode* node, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(m_view.viewport(), button, {}, At(node));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(&m_view, key, modifiers);
    }
    bool Editing() const { return m_view.Editing(); }
    // The open in-place editor; a closed one lingers hidden until it is deleted.
    QLineEdit* Editor() const
    {
        for (QLineEdit* editor : m_view.findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    // Replaces the editor's text (it opens with all of it selected) and confirms it.
    void TypeIntoEditor(const QString& text)
    {
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over through a queued call.
        QCoreApplication::processEvents();
    }
    void CancelEditor()
    {
        QLineEdit* editor = Editor();
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
    }

    CTreeMT m_tree;
    ScriptedPrompter m_prompter;
    RecordingTree m_view{m_tree, m_prompter};
    QSignalSpy m_selected{&m_view, &NavgTree::NodeSelected};
    QSignalSpy m_changed{&m_view, &NavgTree::TreeChanged};
    CTreeNode* m_family = nullptr;
    CTreeNode* m_cousins = nullptr;
    CTreeNode* m_work = nullptr;
};

TEST_F(NavgTreeTest, ShowsTheTreeIndentedWithWholeRowsSelected)
{
    EXPECT_EQ(m_view.indentation(), 19);
    EXPECT_TRUE(m_view.isHeaderHidden());
    EXPECT_EQ(m_view.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(m_view.selectionMode(), QAbstractItemView::SingleSelection);
    // One level deeper is 19 pixels further right.
    EXPECT_EQ(m_view.visualRect(m_view.ItemModel().IndexOf(m_cousins)).left() -
                  m_view.visualRect(m_view.ItemModel().IndexOf(m_family)).left(),
              19);
    // The selection keeps its colour when the tree loses the focus.
    const QPalette colours = m_view.palette();
    EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight),
              colours.color(QPalette::Active, QPalette::Highlight));
}

TEST_F(NavgTreeTest, ClickingANodeSelectsItAndAnnouncesItsNumberEachTime)
{
    Click(m_cousins);
    EXPECT_EQ(m_view.SelectedNode(), m_cousins);
    ASSERT_EQ(m_selected.count(), 1);
    EXPECT_EQ(m_selected.last().at(0).toInt(), 1002);
    // A click on the selected node lists it again.
    Click(m_cousins);
    EXPECT_EQ(m_selected.count(), 2);
    // Other parts point the tree at a node: the selected one too.
    m_view.SelectNode(Search());
    m_view.SelectNode(Search());
    ASSERT_EQ(m_selected.count(), 4);
    EXPECT_EQ(m_selected.last().at(0).toInt(), 101);
    EXPECT_TRUE(m_view.selectionModel()->isSelected(m_view.currentIndex()));
}

TEST_F(NavgTreeTest, InsAddsANewCategoryAndRenamesItAsTyped)
{
    struct Case
    {
        const char* typed;
        const char* name;
    };
    const std::array<Case, 4> cases{{
        {"Friends", "Friends"},
        {"", "U Category"},
        {"   ", "U Category I"}, // made unique against the one named just before
        {"Work", "Work I"},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Click(Root());
        const int changes = int(m_changed.count());
        Key(Qt::Key_Insert);
        CTreeNode* added = m_view.SelectedNode();
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->Text(), QStringLiteral("New Category"));
        EXPECT_EQ(added->Parent(), Root());
        ASSERT_TRUE(Editing());
        TypeIntoEditor(QString::fromUtf8(c.typed));
        EXPECT_FALSE(Editing());
        EXPECT_EQ(added->Text(), QString::fromUtf8(c.name));
        EXPECT_EQ(m_changed.count(), changes + 2); // the add and the rename
    }
}

TEST_F(NavgTreeTest, InsTwiceUnderOneCategoryGivesTheSecondAnI)
{
    m_view.collapse(m_view.ItemModel().IndexOf(m_family));
    Click(m_family);
    Key(Qt::Key_Insert);
    CancelEditor(); // leaves the proposed name
    Click(m_family);
    Key(Qt::Key_Insert);
    CancelEditor();
    EXPECT_TRUE(m_view.isExpanded(m_view.ItemModel().IndexOf(m_family)));
    EXPECT_EQ(Shape(m_tree), "0:All Entries=1000 1:Search Results=101 1:Family=1001 "
                             "2:Cousins=1002 2:New Category=1004 2:New Category I=1005 "
                             "1:Work=1003");
    EXPECT_EQ(m_changed.count(), 2);
}

TEST_F(NavgTreeTest, F2RenamesOnlyUserCategoriesAndTheSameNameChangesNothing)
{
    for (CTreeNode* fixed : {Root(), Search()}) {
        Click(fixed);
        Key(Qt::Key_F2);
        EXPECT_FALSE(Editing()) << fixed->Number();
    }
    Click(m_work);
    Key(Qt::Key_F2);
    ASSERT_TRUE(Editing());
    TypeIntoEditor(QStringLiteral("Work"));
    EXPECT_EQ(m_work->Text(), QStringLiteral("Work"));
    EXPECT_EQ(m_changed.count(), 0);

    Key(Qt::Key_F2);
    TypeIntoEditor(QStringLiteral("Family"));
    EXPECT_EQ(m_work->Text(), QStringLiteral("Family I"));
    EXPECT_EQ(m_changed.count(), 1);
}

TEST_F(NavgTreeTest, TheContextMenuActsOnTheRightClickedNodeAndEnablesByItsNumber)
{
    const QList<QAction*> items = m_view.TreePopupMenu()->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], m_view.A_AddNote());
    EXPECT_EQ(items[1], m_view.A_EditCurrentNode());
    EXPECT_EQ(items[2], m_view.A_DeleteCategoryNode());
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Add Category"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("&Edit Category"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("&Delete Category"));
    EXPECT_EQ(items[0]->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(items[1]->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(items[2]->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));

    struct Case
    {
        CTreeNode* node;
        std::array<bool, 3> enabled;
    };
    const std::array<Case, 3> cases{{
        {Root(), {true, false, false}},
        {Search(), {false, false, false}},
        {m_family, {true, true, true}},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node->Number());
        Click(m_cousins);
        Click(c.node, Qt::RightButton);
        EXPECT_EQ(m_view.SelectedNode(), c.node);

        bool shown = false;
        std::array<bool, 3> enabled{};
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            shown = menu == m_view.TreePopupMenu();
            for (size_t i = 0; i < enabled.size(); ++i)
                enabled[i] = menu->actions().at(qsizetype(i))->isEnabled();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, At(c.node),
                                m_view.viewport()->mapToGlobal(At(c.node)));
        QApplication::sendEvent(m_view.viewport(), &event);
        EXPECT_TRUE(shown);
        EXPECT_EQ(enabled, c.enabled);
    }

    // The commands follow the selection after the menu has gone: a menu shown on the root
    // leaves F2 working for a category selected next, and Ins dead on a fixed node.
    Click(Root(), Qt::RightButton);
    QTimer::singleShot(0, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, At(Root()),
                            m_view.viewport()->mapToGlobal(At(Root())));
    QApplication::sendEvent(m_view.viewport(), &event);
    Click(m_work);
    Key(Qt::Key_F2);
    EXPECT_TRUE(Editing());
    CancelEditor();
    Click(Search());
    Key(Qt::Key_Insert);
    EXPECT_EQ(Shape(m_tree), kStartShape);
}

TEST_F(NavgTreeTest, GettingTheFocusFromAnotherControlIsAnnounced)
{
    struct Case
    {
        Qt::FocusReason reason;
        bool announced;
    };
    const std::array<Case, 5> cases{{
        {Qt::TabFocusReason, true},
        {Qt::BacktabFocusReason, true},
        {Qt::MouseFocusReason, true},
        {Qt::PopupFocusReason, false},        // a menu closed
        {Qt::ActiveWindowFocusReason, false}, // the window came back
    }};
    QSignalSpy entered(&m_view, &NavgTree::Entered);
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.reason));
        entered.clear();
        QFocusEvent event(QEvent::FocusIn, c.reason);
        QApplication::sendEvent(&m_view, &event);
        EXPECT_EQ(entered.count(), c.announced ? 1 : 0);
    }
}

TEST_F(NavgTreeTest, ShiftDelDeletesAnUnusedLeafOrSaysWhyNot)
{
    struct Case
    {
        const char* what;
        qint32 number;
        bool tellsUser;
        bool deleted;
        qint32 selectedAfter;
    };
    const std::array<Case, 5> cases{{
        {"a category with a child category", 1001, true, false, 1001},
        {"a category that entries use", 1003, true, false, 1003},
        {"the root", 1000, false, false, 1000},
        {"a fixed node", 101, false, false, 101},
        {"an unused leaf: its parent is selected after", 1002, false, true, 1001},
    }};
    // Entries still carry category 1003.
    m_view.SetCanDeleteCategory([this](CTreeNode* node) {
        return m_tree.DeleteCategoryNode(node, [](qint32 number) { return number == 1003; });
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_prompter.shown.clear();
        m_changed.clear();
        Click(m_tree.NodeOfNumber(c.number));
        m_selected.clear();
        Key(Qt::Key_Delete, Qt::ShiftModifier);

        if (c.tellsUser) {
            ASSERT_EQ(m_prompter.shown.size(), 1u);
            EXPECT_EQ(m_prompter.shown[0].text, QStringLiteral("Please delete items below first."));
            EXPECT_EQ(m_prompter.shown[0].icon, Prompter::Icon::Information);
            EXPECT_EQ(m_prompter.shown[0].buttons, Prompter::Buttons::Ok);
        } else {
            EXPECT_TRUE(m_prompter.shown.empty());
        }
        EXPECT_EQ(m_tree.IndexOfNumber(c.number) < 0, c.deleted);
        EXPECT_EQ(m_changed.count(), c.deleted ? 1 : 0);
        ASSERT_NE(m_view.SelectedNode(), nullptr);
        EXPECT_EQ(m_view.SelectedNode()->Number(), c.selectedAfter);
        if (c.deleted) {
            // The neighbour is announced once, after the node has gone.
            ASSERT_EQ(m_selected.count(), 1);
            EXPECT_EQ(m_selected.last().at(0).toInt(), c.selectedAfter);
        }
    }
    EXPECT_EQ(Shape(m_tree), "0:All Entries=1000 1:Search Results=101 1:Family=1001 1:Work=1003");
}

TEST_F(NavgTreeTest, ADeletedLastChildLeavesItsPreviousSiblingSelected)
{
    Click(m_work);
    Key(Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_NE(m_view.SelectedNode(), nullptr);
    EXPECT_EQ(m_view.SelectedNode(), m_family);
}

// Dropping categories: real drag enter, move and drop events on the tree's viewport.
struct DropCase
{
    const char* what;
    qint32 dragged;
    qint32 target;
    bool shift;
    bool accepted;     // the pointer shows the drop is taken
    const char* shape; // the tree afterwards
};

void PrintTo(const DropCase& c, std::ostream* os)
{
    *os << c.what;
}

class NavgTreeDrop : public NavgTreeTest, public ::testing::WithParamInterface<DropCase>
{
protected:
    // Sends enter, move and drop (the drop even when the move was refused, to check that
    // the drop refuses on its own). Returns whether the move was accepted.
    bool Drag(const QMimeData& data, const CTreeNode* target, bool shift,
              Qt::DropAction* action = nullptr, bool* dropped = nullptr)
    {
        const QPoint pos = target ? At(target) : QPoint(5, m_view.viewport()->height() - 5);
        const Qt::DropActions actions = Qt::MoveAction | Qt::LinkAction;
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QDragEnterEvent enter(pos, actions, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &enter);
        QDragMoveEvent move(pos, actions, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &move);
        if (action)
            *action = move.dropAction();
        QDropEvent drop(QPointF(pos), actions, &data, Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &drop);
        if (dropped)
            *dropped = drop.isAccepted();
        return enter.isAccepted() && move.isAccepted();
    }
};

TEST_P(NavgTreeDrop, MovesOrRefusesTheDraggedCategory)
{
    const DropCase& c = GetParam();
    CTreeNode* dragged = m_tree.NodeOfNumber(c.dragged);
    CTreeNode* target = m_tree.NodeOfNumber(c.target);
    Click(dragged);
    // Collapsed, so that the drop can be seen to open it; the target itself stays in view.
    m_view.collapse(m_view.ItemModel().IndexOf(target));
    const std::unique_ptr<QMimeData> data(m_view.CategoryDragData(dragged));
    Qt::DropAction action = Qt::IgnoreAction;
    bool dropped = false;
    EXPECT_EQ(Drag(*data, target, c.shift, &action, &dropped), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(action, c.shift ? Qt::LinkAction : Qt::MoveAction);
    }
    EXPECT_EQ(Shape(m_tree), c.shape);
    const bool moved = std::string(c.shape) != kStartShape;
    EXPECT_EQ(m_changed.count(), moved ? 1 : 0);
    // A drop that moves nothing ends the drag as cancelled.
    EXPECT_EQ(dropped, moved);
    if (moved) {
        // The target opens with everything below it, and the moved category stays selected.
        EXPECT_TRUE(m_view.isExpanded(m_view.ItemModel().IndexOf(target)));
        EXPECT_EQ(m_view.SelectedNode(), dragged);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Categories, NavgTreeDrop,
    ::testing::Values(
        DropCase{"onto another category it becomes the last child", 1003, 1001, false, true,
                 "0:All Entries=1000 1:Search Results=101 1:Family=1001 2:Cousins=1002 "
                 "2:Work=1003"},
        DropCase{"with Shift it goes just before the target", 1003, 1001, true, true,
                 "0:All Entries=1000 1:Search Results=101 1:Work=1003 1:Family=1001 "
                 "2:Cousins=1002"},
        DropCase{"with Shift onto a deeper category it joins that level", 1003, 1002, true, true,
                 "0:All Entries=1000 1:Search Results=101 1:Family=1001 2:Work=1003 "
                 "2:Cousins=1002"},
        DropCase{"with Shift onto the root it still becomes a child", 1002, 1000, true, true,
                 "0:All Entries=1000 1:Search Results=101 1:Family=1001 1:Work=1003 "
                 "1:Cousins=1002"},
        DropCase{"onto itself nothing changes", 1001, 1001, false, true, kStartShape},
        DropCase{"onto its own parent nothing changes", 1002, 1001, false, true, kStartShape},
        DropCase{"onto its own descendant nothing changes", 1001, 1002, false, true, kStartShape},
        DropCase{"onto a fixed node it is refused", 1003, 101, false, false, kStartShape},
        DropCase{"a fixed node is never dragged", 101, 1001, false, false, kStartShape},
        DropCase{"the root is never dragged", 1000, 1001, false, false, kStartShape}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(NavgTreeDrop, RefusesDataFromElsewhereAndEmptySpace)
{
    Click(m_work);
    // The same category number dragged from another tree window.
    CTreeMT otherTree;
    otherTree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
    RecordingTree other(otherTree, m_prompter);
    const std::unique_ptr<QMimeData> foreign(other.CategoryDragData(m_work));
    EXPECT_FALSE(Drag(*foreign, m_family, false));
    // Not a category at all.
    QMimeData text;
    text.setText(QStringLiteral("1003"));
    EXPECT_FALSE(Drag(text, m_family, false));
    // Dragged data that names another node than the selected one.
    const std::unique_ptr<QMimeData> stale(m_view.CategoryDragData(m_cousins));
    EXPECT_FALSE(Drag(*stale, m_family, false));
    // Below the last node.
    const std::unique_ptr<QMimeData> data(m_view.CategoryDragData(m_work));
    EXPECT_FALSE(Drag(*data, nullptr, false));
    EXPECT_EQ(Shape(m_tree), kStartShape);
    EXPECT_EQ(m_changed.count(), 0);
}

TEST_F(NavgTreeTest, EntriesAreTakenOnlyOnUserCategoriesAndCtrlCopiesThem)
{
    struct Case
    {
        const char* what;
        qint32 target; // 0: below the last node
        bool ctrl;
        bool accepted;
    };
    const std::array<Case, 6> cases{{
        {"a user category takes them as a move", 1002, false, true},
        {"with Ctrl as a copy", 1003, true, true},
        {"not the root", CTreeMT::RootNumber, false, false},
        {"not the search results", CTreeMT::SearchNodeNumber, true, false},
        {"not empty space", 0, false, false},
        {"the listed category itself", 1001, false, true},
    }};
    QSignalSpy dropped(&m_view, &NavgTree::EntriesDropped);
    const std::unique_ptr<QMimeData> data(NavgTree::EntriesDragData());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dropped.clear();
        Click(m_family);
        const CTreeNode* target = c.target ? m_tree.NodeOfNumber(c.target) : nullptr;
        const QPoint pos = target ? At(target) : QPoint(5, m_view.viewport()->height() - 5);
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
        const Qt::KeyboardModifiers modifiers = c.ctrl ? Qt::ControlModifier : Qt::NoModifier;
        QDragEnterEvent enter(pos, actions, data.get(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &enter);
        QDragMoveEvent move(pos, actions, data.get(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &move);
        EXPECT_EQ(move.isAccepted(), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(move.dropAction(), c.ctrl ? Qt::CopyAction : Qt::MoveAction);
        }
        QDropEvent drop(QPointF(pos), actions, data.get(), Qt::LeftButton, modifiers);
        QApplication::sendEvent(m_view.viewport(), &drop);
        EXPECT_EQ(drop.isAccepted(), c.accepted);
        ASSERT_EQ(dropped.count(), c.accepted ? 1 : 0);
        if (c.accepted) {
            EXPECT_EQ(dropped[0][0].toInt(), c.target);
            EXPECT_EQ(dropped[0][1].toBool(), c.ctrl);
        }
        // The tree itself is left as it was, selection included.
        EXPECT_EQ(Shape(m_tree), kStartShape);
        EXPECT_EQ(m_view.SelectedNode(), m_family);
    }
    // Entries of another running copy are not this list's selection.
    QMimeData foreign;
    foreign.setData(NavgTree::kEntriesMimeType, "1");
    const QPoint pos = At(m_work);
    QDragEnterEvent enter(pos, Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(NavgTreeTest, ADragBeginsOnlyAfterThePointerMovesMoreThanSixPixels)
{
    struct Case
    {
        const char* what;
        qint32 pressed;
        QPoint moved;
        bool begins;
    };
    const std::array<Case, 6> cases{{
        {"six to the right", 1003, {6, 0}, false},
        {"six up and six left", 1003, {-6, -6}, false},
        {"seven to the right", 1003, {7, 0}, true},
        {"seven down", 1003, {0, 7}, true},
        {"seven up", 1003, {0, -7}, true},
        {"a fixed node far away", 101, {0, 40}, false},
    }};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_view.drags.clear();
        CTreeNode* node = m_tree.NodeOfNumber(c.pressed);
        const QPoint from = At(node);
        QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, from);
        ASSERT_EQ(m_view.SelectedNode(), node);
        const QPoint to = from + c.moved;
        QMouseEvent move(QEvent::MouseMove, to, m_view.viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_view.viewport(), &move);
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, to);
        EXPECT_EQ(m_view.drags.size(), c.begins ? 1u : 0u);
        if (c.begins && !m_view.drags.empty()) {
            EXPECT_EQ(m_view.drags[0], node);
        }
        // The selection does not follow the pointer while a category may be dragged.
        if (c.pressed > CTreeMT::RootNumber) {
            EXPECT_EQ(m_view.SelectedNode(), node);
        }
    }
}

TEST(NavgTreeCursors, TheFourDragCursorsAndTheTwoTreeImagesAreDrawn)
{
    const std::array<QPixmap, 4> cursors{
        NavgTree::SubFolderCursor(), NavgTree::BrotherFolderCursor(),
        NavgTree::EntryCopyCursor(false), NavgTree::EntryCopyCursor(true)};
    for (size_t i = 0; i < cursors.size(); ++i) {
        EXPECT_FALSE(cursors[i].isNull());
        EXPECT_EQ(cursors[i].size(), QSize(32, 32));
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(cursors[i].toImage(), cursors[j].toImage());
    }
    for (int image : {0, 1})
        EXPECT_EQ(NavgTree::TreeImageList(image).size(), QSize(16, 16));
    EXPECT_NE(NavgTree::TreeImageList(0).toImage(), NavgTree::TreeImageList(1).toImage());
}

} // namespace
