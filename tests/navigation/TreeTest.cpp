// The category tree model against real tree files on disk: the reader's indentation and line
// rules and its errors, the number counter, and the category rules for adding, renaming,
// deleting and moving, the fixed nodes, the path list and what a view is told.
#include "navigation/Utreemt.h"
#include "support/Files.h"
#include "support/TreeShape.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <utility>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class TreeFiles : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    TreeFileResult Load(const QByteArray& tree, const QByteArray& numbers)
    {
        Write(QStringLiteral("tree.dff"), tree);
        Write(QStringLiteral("treeno.dff"), numbers);
        return m_tree.LoadTree(m_dir.path());
    }
    QString Folder() const { return m_dir.path(); }

    QTemporaryDir m_dir;
    CTreeMT m_tree;
};

// ---------------------------------------------------------------------------------------------
// Reading tree.dff and treeno.dff

struct LevelCase
{
    const char* what;
    const char* tree;
    const char* numbers;
    const char* shape;
};

void PrintTo(const LevelCase& c, std::ostream* os)
{
    *os << c.what;
}

class TreeLevels : public TreeFiles, public ::testing::WithParamInterface<LevelCase>
{};

TEST_P(TreeLevels, ReadsEachLevelCase)
{
    const LevelCase& c = GetParam();
    const TreeFileResult result = Load(c.tree, c.numbers);
    ASSERT_TRUE(result) << result.error.toStdString();
    EXPECT_EQ(Shape(m_tree), c.shape);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, TreeLevels,
    ::testing::Values(
        LevelCase{"same level is a sibling, one deeper a child", "All\r\n\tA\r\n\tB\r\n\t\tB1\r\n",
                  "1000\r\n1001\r\n1002\r\n1003\r\n", "0:All=1000 1:A=1001 1:B=1002 2:B1=1003"},
        LevelCase{"a shallower line follows the ancestor at its level",
                  "All\r\n\tA\r\n\t\tA1\r\n\t\t\tA11\r\n\tB\r\nOther\r\n",
                  "1000\r\n1\r\n2\r\n3\r\n4\r\n5\r\n",
                  "0:All=1000 1:A=1 2:A1=2 3:A11=3 1:B=4 0:Other=5"},
        LevelCase{"spaces and TABs each count one level", "All\r\n A\r\n\t B\r\n",
                  "1\r\n2\r\n3\r\n", "0:All=1 1:A=2 2:B=3"},
        LevelCase{"the first line is top-level whatever its indentation", "\t\t All\r\n\tA\r\n",
                  "1000\r\n1001\r\n", "0:All=1000 1:A=1001"},
        LevelCase{"text keeps inner and trailing blanks", "All \r\n\tMy  Friends \r\n",
                  "1000\r\n1001\r\n", "0:All =1000 1:My  Friends =1001"},
        LevelCase{"numbers may be negative or padded", "All\r\n\tA\r\n\tB\r\n",
                  "1000\r\n-7\r\n +1001 \r\n", "0:All=1000 1:A=-7 1:B=1001"},
        LevelCase{"an empty tree file is an empty tree", "", "", ""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

struct LineEndCase
{
    const char* what;
    const char* tree;
    const char* numbers;
};

void PrintTo(const LineEndCase& c, std::ostream* os)
{
    *os << c.what;
}

class TreeLineEnds : public TreeFiles, public ::testing::WithParamInterface<LineEndCase>
{};

TEST_P(TreeLineEnds, SplitsAtCrLfAndCrLf)
{
    const LineEndCase& c = GetParam();
    ASSERT_TRUE(Load(c.tree, c.numbers));
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:A=1001 1:B=1002");
}

INSTANTIATE_TEST_SUITE_P(
    Reader, TreeLineEnds,
    ::testing::Values(LineEndCase{"CR LF", "All\r\n\tA\r\n\tB\r\n", "1000\r\n1001\r\n1002\r\n"},
                      LineEndCase{"LF", "All\n\tA\n\tB\n", "1000\n1001\n1002\n"},
                      LineEndCase{"CR", "All\r\tA\r\tB\r", "1000\r1001\r1002\r"},
                      LineEndCase{"mixed, no final break", "All\r\tA\n\tB", "1000\n1001\r\n1002"},
                      LineEndCase{"UTF-8 byte-order marks",
                                  "\xEF\xBB\xBF"
                                  "All\r\n\tA\r\n\tB\r\n",
                                  "\xEF\xBB\xBF"
                                  "1000\r\n1001\r\n1002\r\n"}));

TEST_F(TreeFiles, CrBeforeCrLfEndsTwoLines)
{
    ASSERT_TRUE(Load("All\r\r\n\tA\r\n", "1000\r\n1\r\n1001\r\n"));
    EXPECT_EQ(Shape(m_tree), "0:All=1000 0:=1 1:A=1001");
}

// Every failure leaves the tree, its numbers and the counter as they were.
class TreeLoadFailure : public TreeFiles
{
protected:
    void SetUp() override
    {
        TreeFiles::SetUp();
        ASSERT_TRUE(Load("All\r\n\tA\r\n", "1000\r\n1001\r\n"));
        m_before = Shape(m_tree);
    }
    void ExpectUnchanged()
    {
        EXPECT_EQ(Shape(m_tree), m_before);
        EXPECT_EQ(m_tree.NumberCounter(), 1001);
    }
    std::string m_before;
};

TEST_F(TreeLoadFailure, LevelMoreThanOneDeeperNamesLevelAndItem)
{
    TreeFileResult result = Load("Book\r\n\t\tDeep\r\n", "5000\r\n5001\r\n");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, QStringLiteral("Invalid level (2) for item \"Deep\""));
    ExpectUnchanged();

    result = Load("Book\r\n\tA\r\n\t\tB\r\n \t \t \tFar off\r\n", "5000\r\n1\r\n2\r\n3\r\n");
    EXPECT_EQ(result.error, QStringLiteral("Invalid level (6) for item \"Far off\""));
    ExpectUnchanged();
}

TEST_F(TreeLoadFailure, NumberLineThatIsNoIntegerIsAConversionError)
{
    for (const char* line : {"10x1", "", "1.5", "0x10", "- 5", "2147483648", "一千"}) {
        const TreeFileResult result =
            Load("Book\r\n\tA\r\n", QByteArray("5000\r\n") + line + "\r\n");
        EXPECT_FALSE(result) << line;
        EXPECT_EQ(result.error,
                  QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(line)));
        ExpectUnchanged();
    }
}

TEST_F(TreeLoadFailure, ConversionErrorAlsoInSurplusLines)
{
    EXPECT_FALSE(Load("Book\r\n", "5000\r\nlost\r\n"));
    ExpectUnchanged();
}

TEST_F(TreeLoadFailure, FewerNumbersThanNodes)
{
    const TreeFileResult result = Load("Book\r\n\tA\r\n\tB\r\n", "5000\r\n5001\r\n");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, QStringLiteral("Missing category number for item \"B\" (line 3)"));
    ExpectUnchanged();
}

TEST_F(TreeLoadFailure, MissingFile)
{
    QFile::remove(m_dir.filePath(QStringLiteral("treeno.dff")));
    TreeFileResult result = m_tree.LoadTree(Folder());
    EXPECT_FALSE(result);
    EXPECT_THAT(result.error.toStdString(), HasSubstr("treeno.dff"));
    ExpectUnchanged();

    QFile::remove(m_dir.filePath(QStringLiteral("tree.dff")));
    result = m_tree.LoadTree(Folder());
    EXPECT_THAT(result.error.toStdString(), HasSubstr("tree.dff"));
    ExpectUnchanged();
}

TEST_F(TreeFiles, MemberNamesMatchWithoutLetterCase)
{
    Write(QStringLiteral("Tree.dff"), "All\r\n\tA\r\n");
    Write(QStringLiteral("TREENO.DFF"), "1000\r\n1001\r\n");
    ASSERT_TRUE(m_tree.LoadTree(Folder()));
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:A=1001");
}

TEST_F(TreeFiles, SurplusNumbersAreDroppedButRaiseTheCounter)
{
    ASSERT_TRUE(Load("All\r\n\tA\r\n", "1000\r\n1001\r\n1700\r\n"));
    EXPECT_EQ(m_tree.NodeCount(), 2);
    EXPECT_EQ(m_tree.IndexOfNumber(1700), -1);
    EXPECT_EQ(m_tree.NumberCounter(), 1700);
    ASSERT_TRUE(m_tree.SaveTree(Folder()));
    EXPECT_EQ(ReadBytes(m_dir.filePath(QStringLiteral("treeno.dff"))), "1000\r\n1001\r\n");
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST_F(TreeFiles, SavesUtf8WithCrLfAndReadsBack)
{
    m_tree.CreateTemplateTree(QStringLiteral("全部联系人"), QStringLiteral("搜索结果"));
    CTreeNode* friends = m_tree.AddCategory(m_tree.Root(), QStringLiteral("朋友"));
    m_tree.AddCategory(friends, QStringLiteral("同学 Ünï"));
    m_tree.AddOrgContactsNode();
    // A stale copy under another letter case would be packed beside the new file.
    Write(QStringLiteral("Tree.dff"), "stale");

    ASSERT_TRUE(m_tree.SaveTree(Folder()));
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files),
              QStringList({QStringLiteral("tree.dff"), QStringLiteral("treeno.dff")}));
    EXPECT_EQ(
        ReadBytes(m_dir.filePath(QStringLiteral("tree.dff"))),
        QStringLiteral("全部联系人\r\n\tOrg Contacts\r\n\t搜索结果\r\n\t朋友\r\n\t\t同学 Ünï\r\n")
            .toUtf8());
    EXPECT_EQ(ReadBytes(m_dir.filePath(QStringLiteral("treeno.dff"))),
              "1000\r\n110\r\n101\r\n1001\r\n1002\r\n");

    CTreeMT again;
    ASSERT_TRUE(again.LoadTree(Folder()));
    EXPECT_EQ(Shape(again), Shape(m_tree));
}

TEST_F(TreeFiles, RootNameBeginningWithByteOrderMarkSurvives)
{
    ASSERT_TRUE(Load("\xEF\xBB\xBF\xEF\xBB\xBF"
                     "All\r\n",
                     "1000\r\n"));
    ASSERT_EQ(m_tree.Root()->Text(), QStringLiteral("\uFEFFAll"));
    ASSERT_TRUE(m_tree.SaveTree(Folder()));
    CTreeMT again;
    ASSERT_TRUE(again.LoadTree(Folder()));
    EXPECT_EQ(again.Root()->Text(), QStringLiteral("\uFEFFAll"));
}

TEST_F(TreeFiles, SaveIntoMissingFolderFails)
{
    m_tree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
    const TreeFileResult result = m_tree.SaveTree(m_dir.filePath(QStringLiteral("gone")));
    EXPECT_FALSE(result);
    EXPECT_THAT(result.error.toStdString(), HasSubstr("tree.dff"));
}

// ---------------------------------------------------------------------------------------------
// Category numbers

TEST_F(TreeFiles, CounterFollowsTheHighestNumberAndIsNeverLowered)
{
    CTreeMT fresh;
    EXPECT_EQ(fresh.NumberCounter(), 1000);

    ASSERT_TRUE(Load("All\r\n\tFound\r\n", "1000\r\n101\r\n"));
    EXPECT_EQ(m_tree.AddCategory(m_tree.Root(), QStringLiteral("First"))->Number(), 1001);

    ASSERT_TRUE(Load("All\r\n\tA\r\n\tB\r\n", "1000\r\n1005\r\n1002\r\n"));
    EXPECT_EQ(m_tree.NumberCounter(), 1005);
    CTreeNode* added = m_tree.AddCategory(m_tree.Root(), QStringLiteral("C"));
    EXPECT_EQ(added->Number(), 1006);
    EXPECT_EQ(m_tree.IndexOfNumber(1006), 3);

    // A deleted number is not issued again, and a book with lower numbers keeps the counter.
    ASSERT_EQ(m_tree.DeleteCategoryNode(added), CTreeMT::DeleteOutcome::Deleted);
    ASSERT_TRUE(Load("All\r\n", "1000\r\n"));
    EXPECT_EQ(m_tree.AddCategory(m_tree.Root(), QStringLiteral("D"))->Number(), 1007);
}

TEST_F(TreeFiles, NoCategoryBeyondTheHighestNumber)
{
    ASSERT_TRUE(Load("All\r\n\tLast\r\n", "1000\r\n2147483647\r\n"));
    EXPECT_EQ(m_tree.AddCategory(m_tree.Root(), QStringLiteral("More")), nullptr);
    EXPECT_EQ(m_tree.NodeCount(), 2);
}

TEST_F(TreeFiles, IndexLookups)
{
    ASSERT_TRUE(Load("All\r\n\tFound\r\n\tA\r\n\t\tA1\r\n\tDup\r\n",
                     "1000\r\n101\r\n1001\r\n1002\r\n1001\r\n"));
    EXPECT_EQ(m_tree.NumberAtIndex(3), 1002);
    EXPECT_EQ(m_tree.NumberAtIndex(5), std::nullopt);
    EXPECT_EQ(m_tree.NumberAtIndex(-1), std::nullopt);
    EXPECT_EQ(m_tree.IndexOfNumber(1001), 2); // the first node carrying it
    EXPECT_EQ(m_tree.IndexOfNumber(4711), -1);
    EXPECT_EQ(m_tree.NodeOfNumber(1002)->Text(), QStringLiteral("A1"));
    EXPECT_EQ(m_tree.IndexOfNode(m_tree.NodeOfNumber(1002)), 3);
    EXPECT_EQ(m_tree.NodeAtIndex(5), nullptr);
}

// ---------------------------------------------------------------------------------------------
// The category rules, on a small book:
//   All(1000): Found(101), Work(1001): Team(1003), Clients(1002)

class Categories : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
        m_root = m_tree.Root();
        m_found = m_tree.NodeOfNumber(CTreeMT::SearchNodeNumber);
        m_work = m_tree.AddCategory(m_root, QStringLiteral("Work"));
        m_clients = m_tree.AddCategory(m_root, QStringLiteral("Clients"));
        m_team = m_tree.AddCategory(m_work, QStringLiteral("Team"));
        ASSERT_EQ(Shape(m_tree), "0:All=1000 1:Found=101 1:Work=1001 2:Team=1003 1:Clients=1002");
    }

    CTreeMT m_tree;
    CTreeNode* m_root = nullptr;
    CTreeNode* m_found = nullptr;
    CTreeNode* m_work = nullptr;
    CTreeNode* m_clients = nullptr;
    CTreeNode* m_team = nullptr;
};

TEST_F(Categories, SameNameUnderOneParentGetsISuffixes)
{
    for (const char* expected : {"New Category", "New Category I", "New Category I I"})
        EXPECT_EQ(m_tree.AddCategory(m_clients, CTreeMT::kNewCategoryName)->Text(),
                  QString::fromUtf8(expected));
    // Case counts, and another parent's children do not.
    EXPECT_EQ(m_tree.AddCategory(m_clients, QStringLiteral("new category"))->Text(),
              QStringLiteral("new category"));
    EXPECT_EQ(m_tree.AddCategory(m_root, QStringLiteral("Team"))->Text(), QStringLiteral("Team"));
}

TEST_F(Categories, NoCategoryUnderAFixedNode)
{
    const std::string before = Shape(m_tree);
    EXPECT_EQ(m_tree.AddCategory(m_found, QStringLiteral("X")), nullptr);
    EXPECT_EQ(m_tree.AddCategory(nullptr, QStringLiteral("X")), nullptr);
    EXPECT_EQ(Shape(m_tree), before);
    EXPECT_EQ(m_tree.NumberCounter(), 1003);
}

TEST_F(Categories, OnlyUserCategoriesTakeNewNames)
{
    EXPECT_FALSE(CTreeMT::CanRename(m_root));
    EXPECT_FALSE(CTreeMT::CanRename(m_found));
    EXPECT_TRUE(CTreeMT::CanRename(m_team));
    EXPECT_FALSE(m_tree.RenameCategory(m_root, QStringLiteral("Everybody")));
    EXPECT_FALSE(m_tree.RenameCategory(m_found, QStringLiteral("Results")));
    EXPECT_EQ(m_root->Text(), QStringLiteral("All"));
    EXPECT_EQ(m_found->Text(), QStringLiteral("Found"));

    QString name = QStringLiteral("Work");
    m_tree.MakeSiblingNameUnique(m_found, name);
    EXPECT_EQ(name, QStringLiteral("Work"));
}

struct RenameCase
{
    const char* typed;
    const char* result;
    bool changed;
};

void PrintTo(const RenameCase& c, std::ostream* os)
{
    *os << '"' << c.typed << '"';
}

class Renaming : public Categories, public ::testing::WithParamInterface<RenameCase>
{};

TEST_P(Renaming, AppliesBlankAndSiblingRules)
{
    const RenameCase& c = GetParam();
    m_tree.AddCategory(m_root, CTreeMT::kUnnamedCategory);
    EXPECT_EQ(m_tree.RenameCategory(m_clients, QString::fromUtf8(c.typed)), c.changed);
    EXPECT_EQ(m_clients->Text(), QString::fromUtf8(c.result));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Renaming,
    ::testing::Values(RenameCase{"", "U Category I", true},    // blank, made unique
                      RenameCase{"   ", "U Category I", true}, // only spaces
                      RenameCase{"Work", "Work I", true},      // a sibling's name
                      RenameCase{"Team", "Team", true},        // a nephew's name is free
                      RenameCase{"Clients", "Clients", false}, // its own name
                      RenameCase{"work", "work", true},        // case counts
                      RenameCase{"Key clients  ", "Key clients  ", true},
                      // Leading blanks would be read back as indentation, line breaks as lines.
                      RenameCase{" \tVIP", "VIP", true}, RenameCase{"A\r\nB", "A  B", true},
                      RenameCase{"客户", "客户", true}));

TEST_F(Categories, DeleteRefusals)
{
    std::vector<qint32> asked;
    const auto inUse = [&](qint32 number) {
        asked.push_back(number);
        return number == 1002;
    };
    EXPECT_EQ(m_tree.DeleteCategoryNode(m_work, inUse), CTreeMT::DeleteOutcome::ItemsBelow);
    EXPECT_EQ(m_tree.DeleteCategoryNode(m_clients, inUse), CTreeMT::DeleteOutcome::ItemsBelow);
    EXPECT_EQ(m_tree.DeleteCategoryNode(m_root, inUse), CTreeMT::DeleteOutcome::NotDeletable);
    EXPECT_EQ(m_tree.DeleteCategoryNode(m_found, inUse), CTreeMT::DeleteOutcome::NotDeletable);
    EXPECT_EQ(m_tree.DeleteCategoryNode(nullptr, inUse), CTreeMT::DeleteOutcome::NotDeletable);
    EXPECT_THAT(asked, ElementsAre(1002));
    EXPECT_EQ(m_tree.NodeCount(), 5);

    EXPECT_EQ(m_tree.DeleteCategoryNode(m_team, inUse), CTreeMT::DeleteOutcome::Deleted);
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:Found=101 1:Work=1001 1:Clients=1002");
    EXPECT_EQ(m_tree.IndexOfNumber(1002), 3);
    EXPECT_EQ(m_tree.DeleteCategoryNode(m_work, inUse), CTreeMT::DeleteOutcome::Deleted);
}

TEST_F(Categories, MoveRefusalsChangeNothing)
{
    CTreeNode* org = m_tree.AddOrgContactsNode();
    const std::string before = Shape(m_tree);
    const struct
    {
        CTreeNode* node;
        CTreeNode* target;
        bool asChild;
    } refused[] = {
        {m_team, m_team, true},     // onto itself
        {m_team, m_work, true},     // onto its parent
        {m_team, m_work, false},    // beside its parent is refused too
        {m_work, m_team, true},     // into its own subtree
        {m_work, m_team, false},    // beside a node of its own subtree
        {m_clients, m_found, true}, // onto a fixed node
        {m_clients, org, false},    // beside a fixed node
        {m_root, m_clients, true},  // the root
        {m_found, m_clients, true}, // a fixed node
        {m_team, nullptr, true},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(m_tree.MoveCategory(r.node, r.target, r.asChild));
        EXPECT_EQ(Shape(m_tree), before);
    }
}

TEST_F(Categories, MovesCarryTheSubtreeAndItsNumbers)
{
    ASSERT_TRUE(m_tree.MoveCategory(m_work, m_clients, true));
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:Found=101 1:Clients=1002 2:Work=1001 3:Team=1003");
    EXPECT_EQ(m_tree.IndexOfNumber(1003), 4);

    // Beside a target: just before it, under the target's parent.
    ASSERT_TRUE(m_tree.MoveCategory(m_team, m_clients, false));
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:Found=101 1:Team=1003 1:Clients=1002 2:Work=1001");

    // Beside the root still means under the root.
    ASSERT_TRUE(m_tree.MoveCategory(m_work, m_root, false));
    EXPECT_EQ(Shape(m_tree), "0:All=1000 1:Found=101 1:Team=1003 1:Clients=1002 1:Work=1001");
    EXPECT_EQ(m_tree.NumberAtIndex(4), 1001);
}

TEST_F(Categories, MovedCategoryTakesISuffixAmongNewSiblings)
{
    CTreeNode* clients2 = m_tree.AddCategory(m_team, QStringLiteral("Clients"));
    ASSERT_TRUE(m_tree.MoveCategory(clients2, m_clients, false));
    EXPECT_EQ(clients2->Text(), QStringLiteral("Clients I"));
    EXPECT_EQ(m_clients->Text(), QStringLiteral("Clients"));
    EXPECT_EQ(clients2->Parent(), m_root);

    // Among its present siblings a category does not clash with itself.
    ASSERT_TRUE(m_tree.MoveCategory(m_clients, m_work, false));
    EXPECT_EQ(m_clients->Text(), QStringLiteral("Clients"));
}

TEST_F(Categories, OrgContactsIsAddedOnceBeforeTheSearchNode)
{
    CTreeNode* org = m_tree.AddOrgContactsNode();
    ASSERT_NE(org, nullptr);
    EXPECT_EQ(Shape(m_tree),
              "0:All=1000 1:Org Contacts=110 1:Found=101 1:Work=1001 2:Team=1003 1:Clients=1002");
    EXPECT_EQ(m_tree.AddOrgContactsNode(), nullptr);
    EXPECT_EQ(m_tree.NodeCount(), 6);
    EXPECT_FALSE(CTreeMT::CanRename(org));
    EXPECT_EQ(m_tree.DeleteCategoryNode(org), CTreeMT::DeleteOutcome::NotDeletable);

    CTreeMT noSearchNode;
    QTemporaryDir dir;
    QFile tree(dir.filePath(QStringLiteral("tree.dff")));
    QFile numbers(dir.filePath(QStringLiteral("treeno.dff")));
    ASSERT_TRUE(tree.open(QIODevice::WriteOnly) && numbers.open(QIODevice::WriteOnly));
    tree.write("All\r\n\tWork\r\n");
    numbers.write("1000\r\n1001\r\n");
    tree.close();
    numbers.close();
    ASSERT_TRUE(noSearchNode.LoadTree(dir.path()));
    EXPECT_EQ(noSearchNode.AddOrgContactsNode(), nullptr);
    EXPECT_EQ(noSearchNode.NodeCount(), 2);
}

TEST_F(Categories, FixedNodeRefusals)
{
    const std::string before = Shape(m_tree);
    EXPECT_EQ(m_tree.AddFixedNode(1001, QStringLiteral("X"), true, 120), nullptr); // user anchor
    EXPECT_EQ(m_tree.AddFixedNode(101, QStringLiteral("X"), true, 1000), nullptr); // not fixed
    EXPECT_EQ(m_tree.AddFixedNode(102, QStringLiteral("X"), true, 120), nullptr);  // no anchor
    EXPECT_EQ(m_tree.AddFixedNode(1000, QStringLiteral("X"), true, 120), nullptr); // before root
    EXPECT_EQ(Shape(m_tree), before);

    ASSERT_NE(m_tree.AddFixedNode(101, QStringLiteral("Later"), false, 120), nullptr);
    EXPECT_EQ(m_tree.NumberAtIndex(5), 120);
    EXPECT_EQ(m_tree.NodeAtIndex(5)->Depth(), 1);
}

TEST(TreeDrop, AcceptDrop)
{
    CTreeMT tree;
    tree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
    CTreeNode* root = tree.Root();
    CTreeNode* found = tree.NodeOfNumber(CTreeMT::SearchNodeNumber);
    CTreeNode* org = tree.AddOrgContactsNode();
    CTreeNode* a = tree.AddCategory(root, QStringLiteral("A"));
    CTreeNode* b = tree.AddCategory(root, QStringLiteral("B"));
    // Entries only on user categories.
    EXPECT_TRUE(CTreeMT::AcceptDrop(a, nullptr));
    for (CTreeNode* target : {root, found, org, static_cast<CTreeNode*>(nullptr)})
        EXPECT_FALSE(CTreeMT::AcceptDrop(target, nullptr));
    // User categories on the root and on user categories.
    EXPECT_TRUE(CTreeMT::AcceptDrop(root, a));
    EXPECT_TRUE(CTreeMT::AcceptDrop(b, a));
    EXPECT_FALSE(CTreeMT::AcceptDrop(found, a));
    EXPECT_FALSE(CTreeMT::AcceptDrop(b, found));
}

// ---------------------------------------------------------------------------------------------
// The path list

TEST_F(Categories, PathsFollowAbsoluteIndexAndAreRebuiltAfterChanges)
{
    EXPECT_TRUE(m_tree.IsChanged());
    EXPECT_THAT(m_tree.CategoryPaths(),
                ElementsAre("", "Found/", "Work/", "Work/Team/", "Clients/"));
    EXPECT_FALSE(m_tree.IsChanged());
    const QStringList* cached = &m_tree.CategoryPaths();
    EXPECT_EQ(&m_tree.CategoryPaths(), cached);

    m_tree.RenameCategory(m_work, QStringLiteral("Job"));
    EXPECT_TRUE(m_tree.IsChanged());
    EXPECT_THAT(m_tree.CategoryPaths(), ElementsAre("", "Found/", "Job/", "Job/Team/", "Clients/"));

    m_tree.MoveCategory(m_work, m_clients, true);
    EXPECT_THAT(m_tree.CategoryPaths(),
                ElementsAre("", "Found/", "Clients/", "Clients/Job/", "Clients/Job/Team/"));

    m_tree.AddOrgContactsNode();
    EXPECT_EQ(m_tree.CategoryPaths().value(1), QStringLiteral("Org Contacts/"));

    m_tree.DeleteCategoryNode(m_team);
    EXPECT_EQ(m_tree.CategoryPaths().size(), 5);
    EXPECT_FALSE(m_tree.IsChanged());

    // A refused operation marks nothing.
    m_tree.MoveCategory(m_root, m_clients, true);
    EXPECT_FALSE(m_tree.IsChanged());
}

TEST_F(TreeFiles, PathsStayAlignedForOddShapes)
{
    // Children under a fixed node and a second top-level node, as a file may hold them.
    ASSERT_TRUE(Load("All\r\n\tFound\r\n\t\tInside\r\n\tA\r\nSecond\r\n\tB\r\n",
                     "1000\r\n101\r\n1003\r\n1001\r\n1002\r\n1004\r\n"));
    EXPECT_THAT(m_tree.CategoryPaths(),
                ElementsAre("", "Found/", "Found/Inside/", "A/", "Second/", "Second/B/"));
}

// ---------------------------------------------------------------------------------------------
// What a view is told

class Recorder : public CTreeObserver
{
public:
    explicit Recorder(const CTreeMT& tree) : m_tree(tree) {}

    void BeforeInsert(CTreeNode* parent, int row) override
    {
        Log(QStringLiteral("insert %1 %2 (count %3)")
                .arg(Name(parent))
                .arg(row)
                .arg(parent ? parent->ChildCount() : m_tree.TopLevelCount()));
    }
    void AfterInsert(CTreeNode* node) override { Log(QStringLiteral("inserted ") + Name(node)); }
    void BeforeRemove(CTreeNode* parent, int row) override
    {
        Log(QStringLiteral("remove %1 %2 %3")
                .arg(Name(parent))
                .arg(row)
                .arg(Name(parent->Child(row))));
    }
    void AfterRemove() override { Log(QStringLiteral("removed")); }
    void BeforeMove(CTreeNode* node, CTreeNode* newParent, int newRow) override
    {
        Log(QStringLiteral("move %1 from %2 %3 to %4 %5")
                .arg(Name(node), Name(node->Parent()))
                .arg(node->Row())
                .arg(Name(newParent))
                .arg(newRow));
    }
    void AfterMove(CTreeNode* node) override
    {
        Log(QStringLiteral("moved %1 now %2 %3")
                .arg(Name(node), Name(node->Parent()))
                .arg(node->Row()));
    }
    void Renamed(CTreeNode* node) override { Log(QStringLiteral("renamed ") + Name(node)); }
    void BeforeReset() override { Log(QStringLiteral("reset")); }
    void AfterReset() override { Log(QStringLiteral("reset done %1").arg(m_tree.NodeCount())); }

    std::vector<std::string> Take() { return std::exchange(m_log, {}); }

private:
    static QString Name(const CTreeNode* node) { return node ? node->Text() : QStringLiteral("-"); }
    void Log(const QString& line) { m_log.push_back(line.toStdString()); }

    const CTreeMT& m_tree;
    std::vector<std::string> m_log;
};

TEST_F(Categories, ViewIsToldBeforeAndAfterEachChange)
{
    Recorder view(m_tree);
    m_tree.AttachView(&view);

    m_tree.AddCategory(m_work, QStringLiteral("Team"));
    EXPECT_THAT(view.Take(), ElementsAre("insert Work 1 (count 1)", "inserted Team I"));

    m_tree.AddOrgContactsNode();
    EXPECT_THAT(view.Take(), ElementsAre("insert All 0 (count 3)", "inserted Org Contacts"));

    m_tree.RenameCategory(m_clients, QStringLiteral("Clients"));
    EXPECT_THAT(view.Take(), ElementsAre());
    m_tree.RenameCategory(m_clients, QStringLiteral("Buyers"));
    EXPECT_THAT(view.Take(), ElementsAre("renamed Buyers"));

    // Down within one parent: the row counts the children before the move.
    CTreeNode* last = m_tree.AddCategory(m_root, QStringLiteral("Last"));
    view.Take();
    ASSERT_TRUE(m_tree.MoveCategory(m_work, last, false));
    EXPECT_THAT(view.Take(), ElementsAre("move Work from All 2 to All 4", "moved Work now All 3"));
    // To where it already stands: no move to show.
    ASSERT_TRUE(m_tree.MoveCategory(m_clients, m_work, false));
    EXPECT_THAT(view.Take(), ElementsAre());
    // Into another parent, taking a new name.
    CTreeNode* team = m_tree.AddCategory(m_clients, QStringLiteral("Team"));
    view.Take();
    ASSERT_TRUE(m_tree.MoveCategory(team, m_work, true));
    EXPECT_THAT(view.Take(), ElementsAre("move Team from Buyers 0 to Work 2",
                                         "moved Team now Work 2", "renamed Team I I"));

    m_tree.DeleteCategoryNode(team);
    EXPECT_THAT(view.Take(), ElementsAre("remove Work 2 Team I I", "removed"));

    m_tree.CreateTemplateTree(QStringLiteral("New"), QStringLiteral("Found"));
    EXPECT_THAT(view.Take(), ElementsAre("reset", "reset done 2"));

    m_tree.AttachView(nullptr);
    m_tree.AddCategory(m_tree.Root(), QStringLiteral("Quiet"));
    EXPECT_THAT(view.Take(), ElementsAre());
}

} // namespace
