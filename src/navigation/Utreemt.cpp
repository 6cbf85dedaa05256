// The category tree model: node structure, number issuing, the category rules, the path cache
// and the tree file reader and writer. Every walk over the tree is iterative, so a tree file
// nested thousands of levels deep cannot exhaust the stack.
#include "navigation/Utreemt.h"

#include "storage/Package.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace {

// Splits at CR, LF or CR LF; a line break at the very end does not start another line.
QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool IsIndent(QChar c)
{
    return c == u'\t' || c == u' ';
}

// Reads a whole UTF-8 file; a byte-order mark at its start is skipped.
bool ReadText(const QString& path, QString& text, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open file \"%1\" (%2)")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read file \"%1\" (%2)")
                    .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    text = decoder.decode(bytes);
    return true;
}

// A category number: decimal digits with an optional sign, blanks around it tolerated.
std::optional<qint32> ParseNumber(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && IsIndent(line[begin]))
        ++begin;
    while (end > begin && IsIndent(line[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (line[begin] == u'-' || line[begin] == u'+')) {
        negative = line[begin] == u'-';
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    qint64 value = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = line[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return std::nullopt;
    }
    return qint32(negative ? -value : value);
}

// Names come from typing, callers and files. A line break would split the node over two lines
// of the tree file, and leading TABs or spaces would be read back as indentation, so neither
// reaches a node's text.
QString CleanName(const QString& name)
{
    QString clean = name;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    qsizetype lead = 0;
    while (lead < clean.size() && IsIndent(clean[lead]))
        ++lead;
    return clean.mid(lead);
}

TreeFileResult WriteFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {true, {}};
    return {false, QStringLiteral("Cannot write file \"%1\" (%2)")
                       .arg(QDir::toNativeSeparators(path), file.errorString())};
}

// A copy of the member under another letter case would be packed beside the new one, and the
// package would then hold the member twice.
void RemoveOtherCaseCopies(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (entry != name && Package::SameMemberName(entry, name))
            QFile::remove(dir.filePath(entry));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CTreeNode

CTreeNode::~CTreeNode()
{
    // Releases the subtree without recursing: each node is emptied before it is destroyed.
    std::vector<std::unique_ptr<CTreeNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<CTreeNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

CTreeNode* CTreeNode::Child(int row) const
{
    return row >= 0 && row < ChildCount() ? m_children[size_t(row)].get() : nullptr;
}

int CTreeNode::Row() const
{
    if (!m_parent)
        return -1;
    const auto& siblings = m_parent->m_children;
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this)
            return int(i);
    return -1;
}

int CTreeNode::Depth() const
{
    int depth = 0;
    for (const CTreeNode* p = m_parent; p && p->m_parent; p = p->m_parent)
        ++depth;
    return depth;
}

CTreeNode* CTreeNode::Parent() const
{
    // The holder of the top-level nodes is no category.
    return m_parent && m_parent->m_parent ? m_parent : nullptr;
}

// ---------------------------------------------------------------------------------------------
// CTreeMT

CTreeMT::CTreeMT() : m_holder(new CTreeNode(QString(), RootNumber)) {}

CTreeMT::~CTreeMT() = default;

CTreeNode* CTreeMT::Root() const
{
    return m_holder->Child(0);
}

CTreeNode* CTreeMT::TopLevel(int row) const
{
    return m_holder->Child(row);
}

int CTreeMT::NodeCount() const
{
    return int(Order().size());
}

const std::vector<CTreeNode*>& CTreeMT::Order() const
{
    if (!m_orderStale)
        return m_order;
    m_order.clear();
    std::vector<std::pair<CTreeNode*, int>> stack;
    for (auto it = m_holder->m_children.rbegin(); it != m_holder->m_children.rend(); ++it)
        stack.emplace_back(it->get(), 0);
    while (!stack.empty()) {
        auto [node, depth] = stack.back();
        stack.pop_back();
        node->m_index = int(m_order.size());
        node->m_depth = depth;
        m_order.push_back(node);
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
            stack.emplace_back(it->get(), depth + 1);
    }
    m_orderStale = false;
    return m_order;
}

std::optional<qint32> CTreeMT::NumberAtIndex(int index) const
{
    if (const CTreeNode* node = NodeAtIndex(index))
        return node->Number();
    return std::nullopt;
}

CTreeNode* CTreeMT::NodeAtIndex(int index) const
{
    const auto& order = Order();
    return index >= 0 && size_t(index) < order.size() ? order[size_t(index)] : nullptr;
}

int CTreeMT::IndexOfNumber(qint32 number) const
{
    const CTreeNode* node = NodeOfNumber(number);
    return node ? node->m_index : -1;
}

CTreeNode* CTreeMT::NodeOfNumber(qint32 number) const
{
    for (CTreeNode* node : Order())
        if (node->Number() == number)
            return node;
    return nullptr;
}

int CTreeMT::IndexOfNode(const CTreeNode* node) const
{
    if (!node)
        return -1;
    Order();
    return node->m_index;
}

bool CTreeMT::AcceptDrop(const CTreeNode* target, const CTreeNode* dragged)
{
    if (!target)
        return false;
    if (!dragged)
        return target->Number() > RootNumber;
    return target->Number() >= RootNumber && IsUserCategory(dragged);
}

void CTreeMT::MakeUniqueAmong(const CTreeNode* parent, const CTreeNode* except, QString& name)
{
    const auto taken = [&] {
        return std::any_of(parent->m_children.begin(), parent->m_children.end(),
                           [&](const auto& c) { return c.get() != except && c->m_text == name; });
    };
    while (taken())
        name += QStringLiteral(" I");
}

void CTreeMT::MakeSiblingNameUnique(const CTreeNode* node, QString& name)
{
    if (!node || node->Number() <= RootNumber)
        return;
    MakeUniqueAmong(node->m_parent, node, name);
    m_changed = true;
}

bool CTreeMT::RenameCategory(CTreeNode* node, const QString& typed)
{
    if (!CanRename(node))
        return false;
    QString name = CleanName(typed);
    if (name.isEmpty())
        name = kUnnamedCategory;
    MakeSiblingNameUnique(node, name);
    if (name == node->m_text)
        return false;
    node->m_text = name;
    if (m_view)
        m_view->Renamed(node);
    return true;
}

CTreeNode* CTreeMT::Insert(CTreeNode* parent, int row, std::unique_ptr<CTreeNode> node)
{
    CTreeNode* raw = node.get();
    if (m_view)
        m_view->BeforeInsert(parent == m_holder.get() ? nullptr : parent, row);
    raw->m_parent = parent;
    parent->m_children.insert(parent->m_children.begin() + row, std::move(node));
    Touch();
    if (m_view)
        m_view->AfterInsert(raw);
    return raw;
}

CTreeNode* CTreeMT::AddCategory(CTreeNode* parent, const QString& name)
{
    // The counter is never lowered, so a book that already carries the highest number takes no
    // more categories rather than wrapping round to a fixed number.
    if (!parent || parent->Number() < RootNumber || m_counter == std::numeric_limits<qint32>::max())
        return nullptr;
    QString unique = CleanName(name);
    MakeUniqueAmong(parent, nullptr, unique);
    ++m_counter;
    return Insert(parent, parent->ChildCount(),
                  std::unique_ptr<CTreeNode>(new CTreeNode(unique, m_counter)));
}

CTreeMT::DeleteOutcome CTreeMT::DeleteCategoryNode(CTreeNode* node, const CategoryInUse& inUse)
{
    if (!IsUserCategory(node))
        return DeleteOutcome::NotDeletable;
    if (node->ChildCount() > 0 || (inUse && inUse(node->Number())))
        return DeleteOutcome::ItemsBelow;
    CTreeNode* parent = node->m_parent;
    const int row = node->Row();
    if (m_view)
        m_view->BeforeRemove(node->Parent(), row);
    parent->m_children.erase(parent->m_children.begin() + row);
    Touch();
    if (m_view)
        m_view->AfterRemove();
    return DeleteOutcome::Deleted;
}

bool CTreeMT::MoveCategory(CTreeNode* node, CTreeNode* target, bool asChild)
{
    // Only user categories move; the root and the fixed nodes stay where they are.
    if (!node || !target || !IsUserCategory(node) || target->Number() < RootNumber)
        return false;
    if (target == node || target == node->m_parent || node->m_parent == m_holder.get())
        return false;
    for (const CTreeNode* p = target->m_parent; p; p = p->m_parent)
        if (p == node)
            return false;

    // Nothing may stand beside a top-level node: a drop beside one makes a child of it.
    CTreeNode* parent = target;
    int row = target->ChildCount();
    if (!asChild && target->m_parent != m_holder.get()) {
        parent = target->m_parent;
        row = target->Row();
    }
    QString name = node->m_text;
    MakeUniqueAmong(parent, node, name);

    CTreeNode* from = node->m_parent;
    const int fromRow = node->Row();
    const bool stays = from == parent && (row == fromRow || row == fromRow + 1);
    if (!stays) {
        if (m_view)
            m_view->BeforeMove(node, parent == m_holder.get() ? nullptr : parent, row);
        std::unique_ptr<CTreeNode> moved = std::move(from->m_children[size_t(fromRow)]);
        from->m_children.erase(from->m_children.begin() + fromRow);
        if (from == parent && row > fromRow)
            --row;
        moved->m_parent = parent;
        parent->m_children.insert(parent->m_children.begin() + row, std::move(moved));
        Touch();
        if (m_view)
            m_view->AfterMove(node);
    }
    if (name != node->m_text) {
        node->m_text = name;
        if (m_view)
            m_view->Renamed(node);
    }
    m_changed = true;
    return true;
}

CTreeNode* CTreeMT::AddFixedNode(qint32 anchor, const QString& name, bool insertBefore,
                                 qint32 number)
{
    if (anchor > RootNumber || number >= RootNumber)
        return nullptr;
    CTreeNode* anchorNode = NodeOfNumber(anchor);
    // The root stays the first node of the tree.
    if (!anchorNode || (insertBefore && anchorNode == Root()))
        return nullptr;
    CTreeNode* parent = anchorNode->m_parent;
    const int row = insertBefore ? anchorNode->Row() : parent->ChildCount();
    return Insert(parent, row, std::unique_ptr<CTreeNode>(new CTreeNode(CleanName(name), number)));
}

CTreeNode* CTreeMT::AddOrgContactsNode()
{
    if (NodeOfNumber(OrgContactsNumber))
        return nullptr;
    return AddFixedNode(SearchNodeNumber, kOrgContactsName, true, OrgContactsNumber);
}

const QStringList& CTreeMT::CategoryPaths()
{
    if (!m_changed)
        return m_paths;
    // Every node gets its entry, whatever its number, so entry i always belongs to the node at
    // index i; a further top-level node is named like a child of the root.
    const auto& order = Order();
    m_paths.clear();
    m_paths.reserve(qsizetype(order.size()));
    for (const CTreeNode* node : order) {
        if (node->m_index == 0)
            m_paths.append(QString());
        else if (node->m_parent == m_holder.get())
            m_paths.append(node->m_text + u'/');
        else
            m_paths.append(m_paths[node->m_parent->m_index] + node->m_text + u'/');
    }
    m_changed = false;
    return m_paths;
}

void CTreeMT::Touch()
{
    m_changed = true;
    m_orderStale = true;
}

void CTreeMT::ReplaceTree(std::unique_ptr<CTreeNode> holder)
{
    if (m_view)
        m_view->BeforeReset();
    m_holder.swap(holder);
    holder.reset();
    Touch();
    if (m_view)
        m_view->AfterReset();
}

void CTreeMT::CreateTemplateTree(const QString& rootName, const QString& searchName)
{
    std::unique_ptr<CTreeNode> holder(new CTreeNode(QString(), RootNumber));
    auto root = std::unique_ptr<CTreeNode>(new CTreeNode(CleanName(rootName), RootNumber));
    auto search =
        std::unique_ptr<CTreeNode>(new CTreeNode(CleanName(searchName), SearchNodeNumber));
    search->m_parent = root.get();
    root->m_children.push_back(std::move(search));
    root->m_parent = holder.get();
    holder->m_children.push_back(std::move(root));
    ReplaceTree(std::move(holder));
}

TreeFileResult CTreeMT::LoadTree(const QString& folder)
{
    QString treeText;
    QString numberText;
    QString error;
    if (!ReadText(Package::MemberFilePath(folder, kTreeFile), treeText, error) ||
        !ReadText(Package::MemberFilePath(folder, kNumberFile), numberText, error))
        return {false, error};

    // The new tree is built aside and takes the place of the present one only when both files
    // have been read without error.
    std::unique_ptr<CTreeNode> holder(new CTreeNode(QString(), RootNumber));
    std::vector<CTreeNode*> order;
    std::vector<CTreeNode*> line; // the last node read at each depth, top level first
    const QStringList treeLines = SplitLines(treeText);
    order.reserve(size_t(treeLines.size()));
    for (const QString& text : treeLines) {
        qsizetype level = 0;
        while (level < text.size() && IsIndent(text[level]))
            ++level;
        auto node = std::unique_ptr<CTreeNode>(new CTreeNode(text.mid(level), 0));
        // The first line is a top-level node whatever its indentation.
        if (order.empty())
            level = 0;
        else if (level > qsizetype(line.size()))
            return {false, QStringLiteral("Invalid level (%1) for item \"%2\"")
                               .arg(QString::number(level), node->m_text)};
        CTreeNode* parent = level == 0 ? holder.get() : line[size_t(level - 1)];
        line.resize(size_t(level));
        line.push_back(node.get());
        order.push_back(node.get());
        node->m_parent = parent;
        parent->m_children.push_back(std::move(node));
    }

    qint32 counter = m_counter;
    std::vector<qint32> numbers;
    const QStringList numberLines = SplitLines(numberText);
    for (const QString& text : numberLines) {
        const std::optional<qint32> number = ParseNumber(text);
        if (!number)
            return {false, QStringLiteral("'%1' is not a valid integer value").arg(text)};
        counter = std::max(counter, *number);
        numbers.push_back(*number);
    }
    // Surplus numbers belong to no node and are dropped; they still raise the counter, since
    // entries may carry them.
    if (numbers.size() < order.size())
        return {false,
                QStringLiteral("Missing category number for item \"%1\" (line %2)")
                    .arg(order[numbers.size()]->m_text, QString::number(numbers.size() + 1))};
    for (size_t i = 0; i < order.size(); ++i)
        order[i]->m_number = numbers[i];

    ReplaceTree(std::move(holder));
    m_counter = counter;
    return {true, {}};
}

TreeFileResult CTreeMT::SaveTree(const QString& folder) const
{
    QString tree;
    QString numbers;
    for (const CTreeNode* node : Order()) {
        tree += QString(node->m_depth, u'\t') + node->m_text + QStringLiteral("\r\n");
        numbers += QString::number(node->Number()) + QStringLiteral("\r\n");
    }
    QByteArray treeBytes = tree.toUtf8();
    // The reader skips a byte-order mark at the start of the file; a root name that begins with
    // that character keeps it behind a mark of its own.
    if (tree.startsWith(QChar(0xFEFF)))
        treeBytes.prepend("\xEF\xBB\xBF");

    const QDir dir(folder);
    TreeFileResult result = WriteFile(dir.filePath(kTreeFile), treeBytes);
    if (result)
        result = WriteFile(dir.filePath(kNumberFile), numbers.toUtf8());
    if (result) {
        RemoveOtherCaseCopies(folder, kTreeFile);
        RemoveOtherCaseCopies(folder, kNumberFile);
    }
    return result;
}
