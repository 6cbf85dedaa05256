// The item model adapter over the category tree: under Qt's model checker it follows adds,
// deletes, moves, renames, fixed nodes and whole new trees, its rows always match the tree,
// its indexes keep following moved nodes, and editing goes through the tree's rename rule.
#include "navigation/TreeItemModel.h"
#include "support/TreeShape.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// The model's rows depth first, one "depth:text=number" item per row, read through the item
// model interface only, to compare with the tree itself.
std::string ModelShape(const QAbstractItemModel& model)
{
    QStringList items;
    std::vector<std::pair<QModelIndex, int>> stack;
    for (int row = model.rowCount() - 1; row >= 0; --row)
        stack.emplace_back(model.index(row, 0), 0);
    while (!stack.empty()) {
        const auto [index, depth] = stack.back();
        stack.pop_back();
        items << QStringLiteral("%1:%2=%3")
                     .arg(QString::number(depth), index.data().toString(),
                          index.data(TreeItemModel::CategoryNumberRole).toString());
        for (int row = model.rowCount(index) - 1; row >= 0; --row)
            stack.emplace_back(model.index(row, 0, index), depth + 1);
    }
    return items.join(u' ').toStdString();
}

class TreeItemModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const SampleTree sample = MakeSampleTree(m_tree);
        m_family = sample.family;
        m_cousins = sample.cousins;
        m_work = sample.work;
    }
    void ExpectInStep() { EXPECT_EQ(ModelShape(m_model), Shape(m_tree)); }

    CTreeMT m_tree;
    TreeItemModel m_model{m_tree};
    // Aborts the test program on the first broken rule of the item model contract.
    QAbstractItemModelTester m_tester{&m_model,
                                      QAbstractItemModelTester::FailureReportingMode::Fatal};
    CTreeNode* m_family = nullptr;
    CTreeNode* m_cousins = nullptr;
    CTreeNode* m_work = nullptr;
};

TEST_F(TreeItemModelTest, ShowsTextNumberAndEditableOnlyForUserCategories)
{
    ExpectInStep();
    const QModelIndex root = m_model.index(0, 0);
    const QModelIndex search = m_model.index(0, 0, root);
    const QModelIndex family = m_model.index(1, 0, root);
    EXPECT_EQ(m_model.NodeOf(family), m_family);
    EXPECT_EQ(m_model.IndexOf(m_cousins).parent(), family);
    EXPECT_EQ(family.data(Qt::EditRole).toString(), QStringLiteral("Family"));
    EXPECT_EQ(search.data(TreeItemModel::CategoryNumberRole).toInt(), 101);
    EXPECT_FALSE(m_model.flags(root) & Qt::ItemIsEditable);
    EXPECT_FALSE(m_model.flags(search) & Qt::ItemIsEditable);
    EXPECT_TRUE(m_model.flags(family) & Qt::ItemIsEditable);
}

TEST_F(TreeItemModelTest, FollowsEveryKindOfChange)
{
    struct Step
    {
        const char* what;
        std::function<bool()> change; // false when the tree refused it
    };
    const auto root = [&] { return m_tree.Root(); };
    const auto node = [&](qint32 number) { return m_tree.NodeOfNumber(number); };
    const std::vector<Step> steps{
        {"add", [&] { return m_tree.AddCategory(root(), QStringLiteral("Clients")) != nullptr; }},
        {"move forward among siblings",
         [&] { return m_tree.MoveCategory(m_family, node(1004), false); }},
        {"move back among siblings",
         [&] { return m_tree.MoveCategory(node(1004), m_work, false); }},
        {"move down into another subtree",
         [&] { return m_tree.MoveCategory(m_work, m_family, true); }},
        {"move up beside an ancestor's sibling",
         [&] { return m_tree.MoveCategory(m_cousins, node(1004), false); }},
        {"rename", [&] { return m_tree.RenameCategory(m_cousins, QStringLiteral("Family")); }},
        {"add a fixed node", [&] { return m_tree.AddOrgContactsNode() != nullptr; }},
        {"delete a leaf",
         [&] { return m_tree.DeleteCategoryNode(node(1004)) == CTreeMT::DeleteOutcome::Deleted; }},
        {"replace the tree",
         [&] {
             m_tree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
             return true;
         }},
        {"add to the new tree",
         [&] { return m_tree.AddCategory(root(), QStringLiteral("A")) != nullptr; }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        // What a view holds on to (its current node, its selection) across the change.
        std::vector<QPersistentModelIndex> held;
        for (int i = 0; i < m_tree.NodeCount(); ++i)
            held.emplace_back(m_model.IndexOf(m_tree.NodeAtIndex(i)));
        EXPECT_TRUE(step.change());
        ExpectInStep();
        const std::string what = step.what;
        // Only a delete and a new tree let nodes go; any other change keeps every index.
        const bool nodesGo = what == "delete a leaf" || what == "replace the tree";
        for (const QPersistentModelIndex& index : held) {
            EXPECT_TRUE(index.isValid() || nodesGo);
            if (!index.isValid())
                continue;
            const CTreeNode* node = m_model.NodeOf(index);
            EXPECT_EQ(index.row(), node->Row()) << node->Text().toStdString();
            EXPECT_EQ(QModelIndex(index), m_model.IndexOf(node)) << node->Text().toStdString();
        }
    }
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:Found=101 1:A=1005");
}

TEST_F(TreeItemModelTest, IndexesFollowAMovedNodeAndItsSubtree)
{
    const QPersistentModelIndex family = m_model.IndexOf(m_family);
    const QPersistentModelIndex cousins = m_model.IndexOf(m_cousins);
    QSignalSpy moved(&m_model, &QAbstractItemModel::rowsMoved);
    ASSERT_TRUE(m_tree.MoveCategory(m_family, m_work, true));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(m_model.NodeOf(family), m_family);
    EXPECT_EQ(family.parent(), m_model.IndexOf(m_work));
    EXPECT_EQ(m_model.NodeOf(cousins), m_cousins);
    EXPECT_EQ(cousins.parent(), QModelIndex(family));
    ExpectInStep();
}

TEST_F(TreeItemModelTest, AMoveThatRenamesTellsTheViews)
{
    m_tree.AddCategory(m_tree.Root(), QStringLiteral("Cousins"));
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(m_tree.MoveCategory(m_cousins, m_work, false));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), m_model.IndexOf(m_cousins));
    EXPECT_EQ(m_model.IndexOf(m_cousins).data().toString(), QStringLiteral("Cousins I"));
    ExpectInStep();
}

TEST_F(TreeItemModelTest, EditingRenamesThroughTheTreeRule)
{
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    const QModelIndex work = m_model.IndexOf(m_work);
    EXPECT_TRUE(m_model.setData(work, QStringLiteral("  ")));
    EXPECT_EQ(m_work->Text(), QStringLiteral("U Category"));
    EXPECT_TRUE(m_model.setData(work, QStringLiteral("Family")));
    EXPECT_EQ(m_work->Text(), QStringLiteral("Family I"));
    EXPECT_EQ(changed.count(), 2);
    // The same name again changes nothing and tells nobody.
    EXPECT_TRUE(m_model.setData(work, QStringLiteral("Family I")));
    EXPECT_EQ(changed.count(), 2);

    const QModelIndex root = m_model.index(0, 0);
    EXPECT_FALSE(m_model.setData(root, QStringLiteral("Everything")));
    EXPECT_FALSE(m_model.setData(m_model.index(0, 0, root), QStringLiteral("Found")));
    EXPECT_FALSE(m_model.setData(work, QStringLiteral("X"), Qt::DisplayRole + 100));
    EXPECT_EQ(Shape(m_tree), "0:All Entries=1000 1:Search Results=101 1:Family=1001 2:Cousins=1002 "
                             "1:Family I=1003");
}

TEST(TreeItemModelLifetime, DetachesFromTheTreeWhenDestroyed)
{
    CTreeMT tree;
    tree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
    {
        TreeItemModel model(tree);
        EXPECT_EQ(model.rowCount(), 1);
    }
    // A change after the adapter is gone must not reach it.
    EXPECT_NE(tree.AddCategory(tree.Root(), QStringLiteral("A")), nullptr);
}

} // namespace
