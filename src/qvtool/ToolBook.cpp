// qvtool's book: package loading and saving for the command line.
#include "qvtool/ToolBook.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "storage/Package.h"

namespace {

const QString kSurnameFile = QStringLiteral("surname.dff");

} // namespace

Prompter::Answer CommandLinePrompter::Message(const QString& text, Icon, Buttons buttons)
{
    QTextStream(stderr) << text << '\n';
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
}

std::optional<QString> CommandLinePrompter::Password(const QString&)
{
    if (m_asked || m_password.isEmpty())
        return std::nullopt;
    m_asked = true;
    return m_password;
}

ToolBook::ToolBook(const QString& password)
    : m_options(m_scratch.filePath(QStringLiteral("aa.ini"))), m_prompter(password),
      m_controller(m_data, m_options, m_state, *this, m_prompter), m_password(password)
{
    m_state.WorkFolder = m_scratch.filePath(QStringLiteral("QV")) + u'/';
}

bool ToolBook::Open(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        QTextStream(stderr) << "qvtool: no such file: " << path << '\n';
        return false;
    }
    return m_controller.LoadPackage(path);
}

bool ToolBook::Save(const QString& path)
{
    m_options.CurrentPassword = m_password;
    return m_controller.SavePackage(path);
}

QString ToolBook::LoadMembers(const QString& folder)
{
    QFile surnames(Package::MemberFilePath(folder, kSurnameFile));
    if (!surnames.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open file \"%1\" (%2)")
            .arg(surnames.fileName(), surnames.errorString());
    const TreeFileResult tree = m_tree.LoadTree(folder);
    if (!tree)
        return tree.error;
    m_surnames = surnames.readAll();
    return {};
}

QString ToolBook::SaveMembers(const QString& folder)
{
    if (const TreeFileResult tree = m_tree.SaveTree(folder); !tree)
        return tree.error;
    QFile surnames(folder + kSurnameFile);
    if (!surnames.open(QIODevice::WriteOnly) || surnames.write(m_surnames) != m_surnames.size())
        return QStringLiteral("Cannot write file \"%1\" (%2)")
            .arg(surnames.fileName(), surnames.errorString());
    return {};
}
