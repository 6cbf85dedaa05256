// The entry list and the initial grid offscreen, driven by real mouse and key events: row
// selection with plain, Shift and Ctrl clicks and Shift+arrows, the row colours, leaving the
// list, double-click editing, the drag start, following the table; the initial grid's cells.
#include "navigation/RecDBGrid.h"
#include "navigation/NavgTree.h"
#include "navigation/SurNameGrid.h"
#include "navigation/URecListMT.h"
#include "storage/CardDataMod.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A list whose drags are counted instead of run.
class CountingGrid : public RecDBGrid
{
public:
    using RecDBGrid::RecDBGrid;
    int drags = 0;
    int selectedAtDrag = 0;

protected:
    void BeginEntryDrag() override
    {
        ++drags;
        selectedAtDrag = List().Selection().Count();
    }
};

class GridWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int id = 2001;
        for (const char* name : {"Anna", "Bob", "Carl", "Dora", "Eve", "Fay"})
            m_data.NameDataSet.AppendRecord({id++, QString::fromLatin1(name)});
        for (const char* name : {"Acme Ltd", "Zenith Corp"}) {
            m_data.NameDataSet.Append();
            m_data.NameDataSet.FieldByName(u"ClientID").SetValue(id++);
            m_data.NameDataSet.FieldByName(u"Name").SetValue(QString::fromLatin1(name));
            m_data.NameDataSet.FieldByName(u"Yellow").SetValue(true);
            m_data.NameDataSet.Post();
        }
        m_data.MakeLookupViews();
        m_list.AttachTables(m_data.NameDataSet, m_data.AgentDataSet);
        m_list.ListAll();
        m_data.NameDataSet.First();

        m_grid = new CountingGrid(m_controller, &m_window);
        m_other = new QLineEdit(&m_window);
        auto* layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_grid);
        layout->addWidget(m_other);
        m_window.resize(240, 400);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        m_grid->setFocus(Qt::OtherFocusReason);
    }

    QPoint RowPoint(int row) const
    {
        return m_grid->visualRect(m_grid->model()->index(row, 0)).center();
    }

    void Click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers, RowPoint(row));
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_grid, key, modifiers);
    }

    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (int row = 0; row < m_data.NameDataSet.RecordCount(); ++row)
            if (m_controller.IsRowSelected(row))
                rows.push_back(row);
        return rows;
    }

    int CurrentRow() const { return m_data.NameDataSet.RecNo() - 1; }

    QColor Background(int row) const
    {
        return m_grid->model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
    }

    TCardData m_data;
    CRecListMT m_list;
    RowSelection m_selection;
    ScriptedPrompter m_prompter;
    EntryListController m_controller{m_data.NameDataSet, m_data.NameLookDataset, m_selection,
                                     m_prompter};
    QWidget m_window;
    CountingGrid* m_grid = nullptr;
    QLineEdit* m_other = nullptr;
};

const QColor kPurple(128, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);

TEST_F(GridWindow, ClicksSelectFromTheAnchorAndToggle)
{
    Click(1);
    EXPECT_THAT(SelectedRows(), ElementsAre(1));
    EXPECT_EQ(CurrentRow(), 1);
    Click(4, Qt::ShiftModifier);
    EXPECT_THAT(SelectedRows(), ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(CurrentRow(), 4);
    Click(2, Qt::ControlModifier);
    EXPECT_THAT(SelectedRows(), ElementsAre(1, 3, 4));
    Click(0, Qt::ShiftModifier); // from the Ctrl+click's row back to the top
    EXPECT_THAT(SelectedRows(), ElementsAre(0, 1, 2, 3, 4));
    Click(3); // a plain click on a selected row keeps the selection
    EXPECT_THAT(SelectedRows(), ElementsAre(0, 1, 2, 3, 4));
    Click(6);
    EXPECT_THAT(SelectedRows(), ElementsAre(6));
    EXPECT_EQ(CurrentRow(), 6);
}

TEST_F(GridWindow, ShiftArrowsExtendAndShrinkTheSelection)
{
    Click(2);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_THAT(SelectedRows(), ElementsAre(2, 3, 4));
    EXPECT_EQ(CurrentRow(), 4);
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_THAT(SelectedRows(), ElementsAre(2, 3));
    Key(Qt::Key_Down); // moves without touching the selection
    EXPECT_THAT(SelectedRows(), ElementsAre(2, 3));
    EXPECT_EQ(CurrentRow(), 4);
}

TEST_F(GridWindow, ColoursOfSelectedCurrentAndYellowRows)
{
    Click(6);                          // Acme Ltd, yellow
    Click(1, Qt::ControlModifier);     // Bob, selected
    Click(3, Qt::ControlModifier);     // Dora selected ...
    Click(3, Qt::ControlModifier);     // ... and released: current but not selected
    EXPECT_EQ(Background(6), kPurple); // selected wins over yellow
    EXPECT_EQ(Background(1), kPurple);
    EXPECT_EQ(Background(3), kBlue);
    EXPECT_EQ(Background(7), kYellow);
    EXPECT_FALSE(m_grid->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(m_grid->model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::white));

    // What is painted is what the model says: sample the right end of each row.
    const QImage image = m_grid->viewport()->grab().toImage();
    const auto painted = [&](int row) {
        const QRect rect = m_grid->visualRect(m_grid->model()->index(row, 0));
        return image.pixelColor(rect.right() - 3, rect.center().y());
    };
    EXPECT_EQ(painted(1), kPurple);
    EXPECT_EQ(painted(3), kBlue);
    EXPECT_EQ(painted(7), kYellow);
}

TEST_F(GridWindow, LeavingForAnotherControlClearsTheSelectionAMenuDoesNot)
{
    Click(1);
    Click(2, Qt::ShiftModifier);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(m_grid, &popup);
    EXPECT_THAT(SelectedRows(), ElementsAre(1, 2));

    m_other->setFocus(Qt::TabFocusReason);
    EXPECT_THAT(SelectedRows(), IsEmpty());
}

TEST_F(GridWindow, EnteringTheListIsAnnounced)
{
    QSignalSpy entered(m_grid, &RecDBGrid::Entered);
    m_other->setFocus(Qt::TabFocusReason);
    m_grid->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(entered.count(), 1);
}

TEST_F(GridWindow, DoubleClickAsksForTheEditOfTheClickedEntry)
{
    QSignalSpy edit(m_grid, &RecDBGrid::EditRequested);
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, RowPoint(4));
    EXPECT_EQ(edit.count(), 1);
    EXPECT_EQ(CurrentRow(), 4);
}

TEST_F(GridWindow, DragStartsPastEightPixelsWithRowsSelectedAndTheLeftButton)
{
    const QPoint start = RowPoint(2);
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, start);
    QTest::mouseMove(m_grid->viewport(), start + QPoint(7, 0));
    EXPECT_EQ(m_grid->drags, 0);
    QTest::mouseMove(m_grid->viewport(), start + QPoint(0, 8));
    EXPECT_EQ(m_grid->drags, 1);
    EXPECT_EQ(m_grid->selectedAtDrag, 1);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, start);

    // A Ctrl+press that releases the only selected row leaves nothing to drag.
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, Qt::ControlModifier, start);
    QTest::mouseMove(m_grid->viewport(), start + QPoint(20, 20));
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, Qt::ControlModifier, start);
    EXPECT_EQ(m_grid->drags, 1);
}

TEST_F(GridWindow, DragCursorsTellOneEntryFromSeveral)
{
    EXPECT_NE(RecDBGrid::DragCursor(false).toImage(), RecDBGrid::DragCursor(true).toImage());
}

TEST_F(GridWindow, TheListFollowsStoredChangesOnceDisplaysAreResumed)
{
    QSignalSpy resets(m_grid->model(), &QAbstractItemModel::modelReset);
    m_data.NameDataSet.DisableControls();
    m_data.NameDataSet.AppendRecord({3001, QStringLiteral("Ben")});
    m_data.NameDataSet.AppendRecord({3002, QStringLiteral("Cleo")});
    EXPECT_EQ(resets.count(), 0);
    m_data.NameDataSet.EnableControls();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(m_grid->model()->rowCount(), 10);
    // The list's current row is the entry view's current record.
    EXPECT_EQ(m_grid->currentIndex().row(), CurrentRow());
    EXPECT_EQ(m_grid->currentIndex().data().toString(), QStringLiteral("Cleo"));

    m_list.ListOrgContacts();
    EXPECT_EQ(m_grid->model()->rowCount(), 2);
    EXPECT_EQ(m_grid->model()->index(0, 0).data().toString(), QStringLiteral("Acme Ltd"));
    EXPECT_EQ(m_grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
}

TEST_F(GridWindow, ContextMenuOffersDeleteFromCategoryForATreeCategoryOnly)
{
    QMenu menu;
    QAction deleteCategory(QStringLiteral("Delete from current Categor&y"));
    qint32 node = 1001;
    m_grid->SetPopupMenu(&menu, &deleteCategory, [&node] { return node; });
    m_grid->RecPopupMenuPopup();
    EXPECT_TRUE(deleteCategory.isEnabled());
    node = 1000;
    m_grid->RecPopupMenuPopup();
    EXPECT_FALSE(deleteCategory.isEnabled());
    node = 1001;
    m_controller.SetSource(ListSource::FromLookup);
    m_grid->RecPopupMenuPopup();
    EXPECT_FALSE(deleteCategory.isEnabled());
}

// ---------------------------------------------------------------------------------------------
// The initial grid

class InitialGrid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_grid.resize(200, 120);
        m_grid.Fill({"A", "B", "C", "D", "E", "F", "G", "H"}, 5);
        m_grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_grid));
    }

    void Click(int row, int column)
    {
        const QRect rect = m_grid.visualRect(m_grid.model()->index(row, column));
        QTest::mouseClick(m_grid.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
    }

    SurNameGrid m_grid;
};

TEST_F(InitialGrid, FillsRowByRowAfterTheTreeCell)
{
    EXPECT_EQ(m_grid.rowCount(), 2);
    EXPECT_EQ(m_grid.columnCount(), 5);
    EXPECT_EQ(m_grid.InitialAt(0, 1), "A");
    EXPECT_EQ(m_grid.InitialAt(1, 0), "E");
    EXPECT_EQ(m_grid.InitialAt(1, 3), "H");
    EXPECT_EQ(m_grid.InitialAt(1, 4), "");
    EXPECT_EQ(m_grid.currentRow(), 0);
    EXPECT_EQ(m_grid.currentColumn(), 0);
    EXPECT_EQ(m_grid.DefaultColumnWidth(), SurNameGrid::kCellWidth);

    m_grid.Fill({}, 4); // a book without white page entries
    EXPECT_EQ(m_grid.rowCount(), 1);
    EXPECT_EQ(m_grid.columnCount(), 4);
    EXPECT_EQ(m_grid.InitialAt(0, 1), "");
}

TEST_F(InitialGrid, ClickingAnInitialSelectsItAndReleasingLeadsBackToTheTree)
{
    QSignalSpy selected(&m_grid, &SurNameGrid::CellSelected);
    QSignalSpy released(&m_grid, &SurNameGrid::Released);
    Click(0, 3);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).toString(), "C");
    ASSERT_EQ(released.count(), 1);
    EXPECT_FALSE(released.at(0).at(0).toBool());

    Click(0, 3); // the same initial again lists it again
    EXPECT_EQ(selected.count(), 2);

    Click(0, 0);
    EXPECT_EQ(selected.last().at(0).toString(), "");
    EXPECT_TRUE(released.last().at(0).toBool());
}

TEST_F(InitialGrid, EmptyCellsCannotBeSelectedByMouseOrKeys)
{
    Click(1, 2);
    QSignalSpy selected(&m_grid, &SurNameGrid::CellSelected);
    Click(1, 4);
    EXPECT_EQ(selected.count(), 0);
    EXPECT_EQ(m_grid.currentColumn(), 2);
    QTest::keyClick(&m_grid, Qt::Key_Right);
    QTest::keyClick(&m_grid, Qt::Key_Right);
    EXPECT_EQ(m_grid.currentColumn(), 3);
    EXPECT_EQ(selected.count(), 1);
}

TEST_F(InitialGrid, TreeCellIsPaintedWhiteWithTheTreeImage)
{
    const QImage image = m_grid.viewport()->grab().toImage();
    const QRect cell = m_grid.visualRect(m_grid.model()->index(0, 0));
    // The 16-pixel image leaves the cell's right edge white.
    EXPECT_EQ(image.pixelColor(cell.left() + 18, cell.top() + 8), QColor(Qt::white));
    const QImage tree = NavgTree::TreeImageList(1).toImage();
    EXPECT_EQ(image.pixelColor(cell.left() + 1 + 8, cell.top() + 8).rgb(),
              tree.pixelColor(8, 8).rgb());
}

} // namespace
