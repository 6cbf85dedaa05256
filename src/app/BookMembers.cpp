// Reading and writing the tree and the compound surname list of a book.
#include "app/BookMembers.h"

#include <QFile>

#include "navigation/Utreemt.h"
#include "storage/Package.h"

namespace {

const QString kSurnameFile = QStringLiteral("surname.dff");

} // namespace

QString BookMembers::Load(const QString& folder)
{
    QFile surnames(Package::MemberFilePath(folder, kSurnameFile));
    if (!surnames.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open file \"%1\" (%2)")
            .arg(surnames.fileName(), surnames.errorString());
    const QByteArray list = surnames.readAll();
    if (const TreeFileResult tree = m_tree.LoadTree(folder); !tree)
        return tree.error;
    m_surnames = list;
    return {};
}

QString BookMembers::Save(const QString& folder) const
{
    if (const TreeFileResult tree = m_tree.SaveTree(folder); !tree)
        return tree.error;
    QFile surnames(folder + kSurnameFile);
    if (!surnames.open(QIODevice::WriteOnly) || surnames.write(m_surnames) != m_surnames.size())
        return QStringLiteral("Cannot write file \"%1\" (%2)")
            .arg(surnames.fileName(), surnames.errorString());
    return {};
}
