// The book commands: which package each one opens or writes, the questions asked on the
// way, and the book list with its menus.
#include "app/BookCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <filesystem>

#include "app/Prompter.h"
#include "storage/BookState.h"
#include "storage/OptionType.h"
#include "storage/PackageController.h"

namespace {

const QString kFilter = QStringLiteral("QV Package (*.qvp)|*.qvp");
const QString kExtension = QStringLiteral("qvp");
const QString kSuffix = QStringLiteral(".qvp");
const QString kSaveQuestion = QStringLiteral("Are you going to save ");
const QString kWhileCreating = QStringLiteral(" while creating a new addressbook.");
constexpr int kChinesePrc = 2052;

int UserLanguage()
{
    const QLocale locale = QLocale::system();
    return locale.language() == QLocale::Chinese && locale.territory() == QLocale::China
               ? kChinesePrc
               : 1033;
}

Prompter::FileChoice PackageChoice(const QString& caption)
{
    Prompter::FileChoice choice;
    choice.caption = caption;
    choice.filter = kFilter;
    choice.defaultExtension = kExtension;
    choice.initialFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return choice;
}

// Folders compare as the places they are, whatever the spelling of their paths.
bool SameFolder(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

// Copies the template beside the target and renames it over the target, so that a failed
// copy never leaves a half-written book or loses the one that was there.
QString CopyTemplate(const QString& templatePath, const QString& target)
{
    QFile source(templatePath);
    if (!source.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open the template \"%1\"").arg(templatePath);
    QTemporaryFile copy(target + QStringLiteral(".XXXXXX"));
    copy.setAutoRemove(true);
    if (!copy.open())
        return QStringLiteral("Cannot write \"%1\"").arg(target);
    const QByteArray bytes = source.readAll();
    if (copy.write(bytes) != bytes.size() || !copy.flush())
        return QStringLiteral("Cannot write \"%1\"").arg(target);
    copy.close();
    copy.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    std::error_code error;
    std::filesystem::rename(QFile(copy.fileName()).filesystemFileName(),
                            QFile(target).filesystemFileName(), error);
    if (error)
        return QStringLiteral("Cannot write \"%1\"").arg(target);
    copy.setAutoRemove(false);
    return {};
}

} // namespace

BookCommands::BookCommands(PackageController& package, OptionType& options, BookState& state,
                           BookWindow& window, Prompter& prompter)
    : m_package(package), m_options(options), m_state(state), m_window(window),
      m_prompter(prompter), m_language(UserLanguage())
{}

QString BookCommands::BookTitle() const
{
    switch (m_state.BookLocation) {
    case TBookLocation::InDataFolder:
        return m_options.BookName;
    case TBookLocation::Outside:
        return m_state.OutsidePath;
    case TBookLocation::OnNet:
        return QStringLiteral("Net Address Book");
    }
    return {};
}

// The question names the book it is about: the fixed pieces alone would leave a gap where
// the book's name belongs ("Are you going to save  before close?").
bool BookCommands::SaveBeforeGoingOn(const QString& tail, Prompter::Icon icon)
{
    if (!m_package.IsBookModified())
        return true;
    const Prompter::Answer answer = m_prompter.Message(kSaveQuestion + BookTitle() + tail, icon,
                                                       Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::Cancel)
        return false;
    if (answer == Prompter::Answer::Yes)
        SaveCurrentBook();
    return true;
}

void BookCommands::SaveCurrentBook()
{
    if (m_state.Saving)
        return;
    m_state.Saving = true;
    switch (m_state.BookLocation) {
    case TBookLocation::InDataFolder:
        m_package.SavePackage(m_state.DataFolder + m_options.BookName + kSuffix);
        break;
    case TBookLocation::Outside:
        m_package.SavePackage(m_state.OutsidePath);
        break;
    case TBookLocation::OnNet:
        SaveBookAs();
        break;
    }
    m_state.Saving = false;
}

// A book saved into the data folder becomes a book of the data folder and is listed at
// once; anywhere else it becomes an outside book.
void BookCommands::SaveBookAs()
{
    Prompter::FileChoice choice = PackageChoice(QStringLiteral("Save As"));
    choice.confirmOverwrite = true;
    const std::optional<QString> path = m_prompter.SaveFile(choice);
    if (!path || !m_package.SavePackage(*path))
        return;
    const QFileInfo file(*path);
    if (SameFolder(file.absolutePath(), m_state.DataFolder) &&
        file.fileName().endsWith(kSuffix, Qt::CaseInsensitive)) {
        const QString name = file.fileName().chopped(kSuffix.size());
        m_state.BookLocation = TBookLocation::InDataFolder;
        if (FindListed(name) < 0) {
            AddBookToMenus(name);
        } else {
            m_options.BookName = name;
        }
    } else {
        m_state.BookLocation = TBookLocation::Outside;
        m_state.OutsidePath = *path;
    }
    m_window.UpdateCaption();
}

void BookCommands::LoadBookFrom()
{
    if (!SaveBeforeGoingOn(QStringLiteral(" before loading another?"),
                           Prompter::Icon::Confirmation))
        return;
    const std::optional<QString> path =
        m_prompter.OpenFile(PackageChoice(QStringLiteral("Load from")));
    if (!path || !m_package.LoadPackage(*path))
        return;
    m_state.BookLocation = TBookLocation::Outside;
    m_state.OutsidePath = *path;
    m_window.UpdateCaption();
}

void BookCommands::OpenListedBook(int position)
{
    if (position < 0 || position >= m_options.BookList.size())
        return;
    if (!SaveBeforeGoingOn(QStringLiteral(" before loading another?"),
                           Prompter::Icon::Confirmation))
        return;
    const QString name = m_options.BookList.at(position);
    if (m_package.LoadPackage(m_state.DataFolder + name + kSuffix)) {
        m_state.BookLocation = TBookLocation::InDataFolder;
        m_options.BookName = name;
        m_window.UpdateCaption();
        return;
    }
    const Prompter::Answer answer = m_prompter.Message(
        LoadFailedMessage(name), Prompter::Icon::Warning, Prompter::Buttons::OkAbort);
    if (answer == Prompter::Answer::Abort)
        m_window.CloseMainWindow();
    else
        m_window.DisableBookUI();
}

void BookCommands::DeleteListedBook(int position)
{
    if (position < 0 || position >= m_options.BookList.size())
        return;
    const QString name = m_options.BookList.at(position);
    if (name == m_options.BookName && m_state.BookLocation == TBookLocation::InDataFolder) {
        m_prompter.Show(QStringLiteral("Can not delete an opening addressbook."));
        return;
    }
    if (m_prompter.Message(QStringLiteral("Are you sure to delete ") + name + QStringLiteral(" ?"),
                           Prompter::Icon::Confirmation,
                           Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    QFile::remove(m_state.DataFolder + name + kSuffix);
    m_options.BookList.removeAt(position);
    m_window.RemoveBookItems(position);
}

void BookCommands::NewBook()
{
    if (!SaveBeforeGoingOn(QStringLiteral("?"), Prompter::Icon::Warning))
        return;
    const std::optional<QString> name =
        m_prompter.Input(QStringLiteral("New"), QStringLiteral("Addressbook name"), {});
    if (name)
        CreateBook(*name);
}

bool BookCommands::CreateBook(const QString& typed)
{
    QString name = typed.trimmed();
    if (name.isEmpty())
        return false;
    // The book list holds one book per name whatever its letter case, so a name typed in
    // other case means the listed book.
    if (const int listed = FindListed(name); listed >= 0)
        name = m_options.BookList.at(listed);
    const QString target = m_state.DataFolder + name + kSuffix;
    // An existing book is replaced only when the user says so.
    if (QFileInfo::exists(target) &&
        m_prompter.Message(
            QStringLiteral("The addressbook ") + name +
                QStringLiteral(" exists already. Do you want to replace it with a new one?"),
            Prompter::Icon::Warning, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return false;
    if (const QString problem = CopyTemplate(TemplatePath(), target); !problem.isEmpty()) {
        m_prompter.Message(problem + kWhileCreating, Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    }
    if (FindListed(name) < 0) {
        AddBookToMenus(name);
    } else {
        m_options.BookName = name;
        m_options.WriteAll();
    }
    m_options.CurrentPassword.clear();
    m_state.BookLocation = TBookLocation::InDataFolder;
    m_package.LoadPackage(target);
    m_window.UpdateCaption();
    return true;
}

void BookCommands::AddBookToMenus(const QString& name)
{
    m_options.BookList.append(name);
    m_window.AddBookItems(name);
    m_options.BookName = name;
    m_options.WriteAll();
}

QString BookCommands::LoadFailedMessage(const QString& name)
{
    return QStringLiteral("Loading addressbook of ") + name +
           QStringLiteral(" fail, You may select another addressbook from the 'File' menu.");
}

QString BookCommands::TemplatePath() const
{
    const QString file =
        m_language == kChinesePrc ? QStringLiteral("qvdef.qvp") : QStringLiteral("qvdefbig5.qvp");
    const QString own = m_state.ProgramFolder + file;
    if (QFileInfo::exists(own))
        return own;
    // Beside the program in a build folder, under share/quillvane once installed.
    const QString programs = QCoreApplication::applicationDirPath();
    const QString installed = programs + QStringLiteral("/../share/quillvane/") + file;
    if (QFileInfo::exists(installed))
        return QFileInfo(installed).absoluteFilePath();
    return programs + u'/' + file;
}

int BookCommands::FindListed(const QString& name) const
{
    for (int i = 0; i < m_options.BookList.size(); ++i)
        if (m_options.BookList.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
