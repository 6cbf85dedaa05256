// qvtool's book: package loading and saving for the command line.
#include "qvtool/ToolBook.h"

#include <QFileInfo>
#include <QTextStream>

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
    m_edit.SetTree(m_tree);
    AttachTables(m_data);
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

void ToolBook::AttachTables(TCardData& data)
{
    m_edit.AttachEntryTable(data.NameDataSet);
    m_edit.AttachOrgTable(data.AgentDataSet);
}

QString ToolBook::LoadMembers(const QString& folder)
{
    return m_members.Load(folder);
}

QString ToolBook::SaveMembers(const QString& folder)
{
    return m_members.Save(folder);
}
