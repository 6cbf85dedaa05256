// Reading and writing the tree and the compound surname list of a book.
#include "app/BookMembers.h"

#include "editing/UEditMT.h"
#include "navigation/Utreemt.h"
#include "storage/Package.h"

namespace {

const QString kSurnameFile = QStringLiteral("surname.dff");

} // namespace

QString BookMembers::Load(const QString& folder)
{
    // The open book keeps its list when the new book's tree fails to load.
    const QStringList previous = m_edit.CompoundSurnames();
    const QByteArray previousFile = m_edit.CompoundSurnameFile();
    QString error;
    if (!m_edit.LoadCompoundSurnames(Package::MemberFilePath(folder, kSurnameFile), &error))
        return error;
    if (const TreeFileResult tree = m_tree.LoadTree(folder); !tree) {
        m_edit.SetCompoundSurnames(previous, previousFile);
        return tree.error;
    }
    return {};
}

QString BookMembers::Save(const QString& folder) const
{
    if (const TreeFileResult tree = m_tree.SaveTree(folder); !tree)
        return tree.error;
    QString error;
    if (!m_edit.SaveCompoundSurnames(folder + kSurnameFile, &error))
        return error;
    return {};
}
