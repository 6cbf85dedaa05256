// The category tree model: the nodes of a book's category tree with their category numbers, the
// rules for adding, renaming, deleting and moving categories, the cached category paths, and
// the reader and writer of the tree files "tree.dff" and "treeno.dff".
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CTreeMT;

// One category of the tree. Nodes are owned by their CTreeMT and changed only through it; a
// pointer stays valid until the node is deleted or the tree is loaded or replaced.
class CTreeNode
{
public:
    CTreeNode(const CTreeNode&) = delete;
    CTreeNode& operator=(const CTreeNode&) = delete;
    ~CTreeNode();

    const QString& Text() const { return m_text; }
    qint32 Number() const { return m_number; }
    // nullptr for a top-level node.
    CTreeNode* Parent() const;
    int ChildCount() const { return int(m_children.size()); }
    CTreeNode* Child(int row) const;
    // The position among the parent's children (or among the top-level nodes).
    int Row() const;
    // 0 for a top-level node.
    int Depth() const;

private:
    friend class CTreeMT;
    CTreeNode(QString text, qint32 number) : m_text(std::move(text)), m_number(number) {}

    QString m_text;
    qint32 m_number;
    CTreeNode* m_parent = nullptr; // the model's holder for a top-level node
    std::vector<std::unique_ptr<CTreeNode>> m_children;
    // Valid while the model's order is current.
    int m_index = -1;
    int m_depth = 0;
};

// Follows the structure for a view, in the begin/end pairs that an item model adapter needs. A
// parent of nullptr is the top level; rows count the parent's children.
class CTreeObserver
{
public:
    virtual ~CTreeObserver() = default;
    virtual void BeforeInsert(CTreeNode* parent, int row) = 0;
    virtual void AfterInsert(CTreeNode* node) = 0;
    virtual void BeforeRemove(CTreeNode* parent, int row) = 0;
    virtual void AfterRemove() = 0;
    // Only for a real change of position. newRow is where the node goes, counted among
    // newParent's children before the move (the item model convention for moved rows).
    virtual void BeforeMove(CTreeNode* node, CTreeNode* newParent, int newRow) = 0;
    virtual void AfterMove(CTreeNode* node) = 0;
    virtual void Renamed(CTreeNode* node) = 0;
    // The whole tree is replaced: every node pointer held so far is invalid after BeforeReset.
    virtual void BeforeReset() = 0;
    virtual void AfterReset() = 0;
};

// The outcome of reading or writing the tree files: error is empty on success.
struct TreeFileResult
{
    bool ok = false;
    QString error;

    explicit operator bool() const { return ok; }
};

// The model of a book's category tree. It shows nothing: refusals and load errors come back as
// results for the controller to show.
class CTreeMT
{
public:
    static constexpr qint32 RootNumber = 1000;
    static constexpr qint32 SearchNodeNumber = 101;
    static constexpr qint32 OrgContactsNumber = 110;

    static inline const QString kTreeFile = QStringLiteral("tree.dff");
    static inline const QString kNumberFile = QStringLiteral("treeno.dff");
    static inline const QString kNewCategoryName = QStringLiteral("New Category");
    static inline const QString kUnnamedCategory = QStringLiteral("U Category");
    static inline const QString kOrgContactsName = QStringLiteral("Org Contacts");
    static inline const QString kDeleteItemsBelowFirst =
        QStringLiteral("Please delete items below first.");

    enum class DeleteOutcome
    {
        Deleted,
        ItemsBelow,   // a user category with child categories or entries: tell the user
        NotDeletable, // the root or a fixed node: nothing to tell
    };
    // Whether some entry still holds the category number in one of its slots.
    using CategoryInUse = std::function<bool(qint32 number)>;

    CTreeMT();
    ~CTreeMT();
    CTreeMT(const CTreeMT&) = delete;
    CTreeMT& operator=(const CTreeMT&) = delete;

    // The view that follows the structure (not owned); nullptr detaches.
    void AttachView(CTreeObserver* view) { m_view = view; }

    // Reads "tree.dff" and "treeno.dff" from folder, their names matched without regard to
    // letter case. On failure the previous tree, numbers and counter stay as they were.
    TreeFileResult LoadTree(const QString& folder);
    // Writes folder + "tree.dff" and folder + "treeno.dff" (UTF-8, CR LF), replacing them.
    TreeFileResult SaveTree(const QString& folder) const;
    // Replaces the tree by the one a new book starts with: the root and, under it, the search
    // results node.
    void CreateTemplateTree(const QString& rootName, const QString& searchName);

    // The first top-level node; nullptr for an empty tree.
    CTreeNode* Root() const;
    int TopLevelCount() const { return m_holder->ChildCount(); }
    CTreeNode* TopLevel(int row) const;
    int NodeCount() const;

    qint32 NumberOfNode(const CTreeNode* node) const { return node->Number(); }
    std::optional<qint32> NumberAtIndex(int index) const;
    // The first node carrying number, or -1.
    int IndexOfNumber(qint32 number) const;
    CTreeNode* NodeAtIndex(int index) const;
    CTreeNode* NodeOfNumber(qint32 number) const;
    int IndexOfNode(const CTreeNode* node) const;
    // The highest category number issued or loaded so far.
    qint32 NumberCounter() const { return m_counter; }

    static bool IsUserCategory(const CTreeNode* node)
    {
        return node && node->Number() > RootNumber;
    }
    static bool CanRename(const CTreeNode* node) { return IsUserCategory(node); }
    // Whether a drop on target is taken: entries (dragged is nullptr) on a user category, a
    // dragged user category on a node numbered 1000 or more.
    static bool AcceptDrop(const CTreeNode* target, const CTreeNode* dragged);

    // Appends " I" to name until no other child of node's parent carries it; nodes numbered
    // 1000 or less keep the name as it is.
    void MakeSiblingNameUnique(const CTreeNode* node, QString& name);
    // Names given to the operations below lose line breaks (made spaces) and leading TABs and
    // spaces, which the tree file could not hold.
    //
    // Renames a user category to the typed text: blank text becomes "U Category", the name is
    // made unique among the siblings. True when the node's text changed.
    bool RenameCategory(CTreeNode* node, const QString& typed);
    // A new last child of parent with the next number, its name made unique among the
    // children; nullptr under a fixed node or when the numbers are used up.
    CTreeNode* AddCategory(CTreeNode* parent, const QString& name);
    // Removes a childless user category that no entry uses.
    DeleteOutcome DeleteCategoryNode(CTreeNode* node, const CategoryInUse& inUse = {});
    // Moves a user category with its subtree under target (asChild, or target at the top
    // level) or just before target, its name made unique there. False, changing nothing, for
    // a target that is fixed, the node itself, its parent or inside its subtree.
    bool MoveCategory(CTreeNode* node, CTreeNode* target, bool asChild);
    // A fixed node (number below 1000) just before the node numbered anchor (1000 or less),
    // or after that node's last sibling; nullptr when refused. Nothing goes before the root.
    CTreeNode* AddFixedNode(qint32 anchor, const QString& name, bool insertBefore, qint32 number);
    // "Org Contacts" just before the search results node, unless the tree has it already or
    // has no search results node.
    CTreeNode* AddOrgContactsNode();

    // The path of every node in absolute-index order: "" for the root, then each node's
    // ancestors below the root and itself, each text followed by "/".
    const QStringList& CategoryPaths();
    // Set by every change to the tree, cleared when the paths are rebuilt.
    bool IsChanged() const { return m_changed; }

private:
    // Appends " I" to name while a child of parent other than except carries it.
    static void MakeUniqueAmong(const CTreeNode* parent, const CTreeNode* except, QString& name);
    CTreeNode* Insert(CTreeNode* parent, int row, std::unique_ptr<CTreeNode> node);
    void ReplaceTree(std::unique_ptr<CTreeNode> holder);
    void Touch();
    const std::vector<CTreeNode*>& Order() const;

    CTreeObserver* m_view = nullptr;
    // Holds the top-level nodes as its children; it is no category itself.
    std::unique_ptr<CTreeNode> m_holder;
    qint32 m_counter = RootNumber;
    bool m_changed = true;
    QStringList m_paths;
    // The nodes in absolute-index order: the number list and the index lookups read it.
    mutable std::vector<CTreeNode*> m_order;
    mutable bool m_orderStale = true;
};
