// Fuzz target for the category tree files: the input up to its first NUL byte is "tree.dff", the
// rest "treeno.dff". Any bytes load or fail cleanly; a loaded tree keeps its paths aligned with
// its nodes, survives a few edits, and reads back unchanged after a save.
#include "navigation/Utreemt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Check(file.write(bytes) == bytes.size());
}

void CheckConsistent(CTreeMT& tree)
{
    const int count = tree.NodeCount();
    Check(tree.CategoryPaths().size() == count);
    for (int i = 0; i < count; ++i) {
        const CTreeNode* node = tree.NodeAtIndex(i);
        Check(node && tree.IndexOfNode(node) == i);
        Check(tree.NumberAtIndex(i) == node->Number());
        Check(tree.IndexOfNumber(node->Number()) <= i);
        Check(node->Number() <= tree.NumberCounter());
    }
    Check(!tree.NumberAtIndex(count));
}

void CheckSame(const CTreeMT& a, const CTreeMT& b)
{
    Check(a.NodeCount() == b.NodeCount());
    for (int i = 0; i < a.NodeCount(); ++i) {
        const CTreeNode* x = a.NodeAtIndex(i);
        const CTreeNode* y = b.NodeAtIndex(i);
        Check(x->Text() == y->Text() && x->Number() == y->Number() && x->Depth() == y->Depth());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    Check(folder.isValid());
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    Write(folder.filePath(QStringLiteral("tree.dff")), split < 0 ? input : input.left(split));
    Write(folder.filePath(QStringLiteral("treeno.dff")),
          split < 0 ? QByteArray() : input.mid(split + 1));

    CTreeMT tree;
    tree.CreateTemplateTree(QStringLiteral("All"), QStringLiteral("Found"));
    const TreeFileResult loaded = tree.LoadTree(folder.path());
    if (!loaded) {
        // A failed load keeps the tree that was there.
        Check(!loaded.error.isEmpty());
        Check(tree.NodeCount() == 2 && tree.NumberCounter() == CTreeMT::RootNumber);
        return 0;
    }
    CheckConsistent(tree);

    // A few edits on whatever shape was read.
    if (CTreeNode* root = tree.Root()) {
        CTreeNode* added = tree.AddCategory(root, QStringLiteral("\t New\r\nCategory"));
        if (CTreeNode* last = tree.NodeAtIndex(tree.NodeCount() - 1); added && last != added)
            tree.MoveCategory(added, last, true);
        if (CTreeNode* second = tree.NodeAtIndex(1))
            tree.RenameCategory(second, QStringLiteral(" "));
        tree.AddOrgContactsNode();
        CheckConsistent(tree);
    }

    Check(bool(tree.SaveTree(folder.path())));
    CTreeMT again;
    Check(bool(again.LoadTree(folder.path())));
    CheckSame(tree, again);
    return 0;
}
