// The main window controller: start-up, the default book, the close question, and the
// hand-over of a loaded book to the models.
#include "app/MainController.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

#include "app/Prompter.h"
#include "storage/WorkFolder.h"

namespace {

const QString kNoBooks =
    QStringLiteral("There may not be any addressbook in the default location.");
const QString kUserSection = QStringLiteral("User");

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

MainController::MainController(MainWindowView& window, Prompter& prompter,
                               const QString& programFolder)
    : m_window(window), m_prompter(prompter),
      m_options(WithSeparator(programFolder) + QStringLiteral("aa.ini")),
      m_package(m_data, m_options, m_state, *this, prompter),
      m_commands(m_package, m_options, m_state, window, prompter),
      m_entryCommands(m_edit, m_list, m_search, m_tree, m_selection, m_options, window, prompter),
      m_entryDrop(m_edit, m_list, m_selection, prompter)
{
    m_edit.SetTree(m_tree);
    m_state.ProgramFolder = WithSeparator(programFolder);
    m_options.ReadAll();
    if (!m_options.DataDir.isEmpty()) {
        m_state.DataFolder = WithSeparator(m_options.DataDir);
    } else {
        m_state.DataFolder = m_state.ProgramFolder + QStringLiteral("Data/");
        m_options.DataDir = m_state.DataFolder;
    }
    m_options.CurrentPassword.clear();
    m_state.SaveWithPassword = true;
    m_state.BookLocation = TBookLocation::InDataFolder;
    m_state.NetBusy = false;
    m_state.Saving = false;
}

// Each running copy has a folder of its own, so that two copies never unpack into or pack
// from each other's members.
QString MainController::DefaultWorkFolder()
{
    const qint64 process = QCoreApplication::applicationPid();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return WithSeparator(runtime) + QStringLiteral("QV-%1/").arg(process);
    return WithSeparator(QDir::tempPath()) +
           QStringLiteral("QV-%1-%2/").arg(::getuid()).arg(process);
}

MainController::~MainController()
{
    // Loads and saves leave the folder empty; an empty folder is all that goes.
    if (!m_state.WorkFolder.isEmpty())
        QDir().rmdir(m_state.WorkFolder);
}

void MainController::FormShow()
{
    m_window.ApplyFonts(m_options);
    if (m_options.HasSection(kUserSection))
        ConvertUserFolders();
    if (m_state.WorkFolder.isEmpty())
        m_state.WorkFolder = DefaultWorkFolder();

    // The books of the data folder, sorted without regard to case, each name once.
    QStringList books;
    for (const QString& file :
         QDir(m_state.DataFolder).entryList({QStringLiteral("*.qvp")}, QDir::Files)) {
        const QString name = file.chopped(4);
        const bool listed = std::any_of(books.begin(), books.end(), [&](const QString& book) {
            return book.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!listed)
            books << name;
    }
    std::sort(books.begin(), books.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    if (books.isEmpty())
        m_prompter.Show(kNoBooks);
    m_options.BookList = books;
    for (const QString& name : books)
        m_window.AddBookItems(name);

    if (m_options.ToSaveSize)
        m_window.ApplySizes({m_options.GridHeight, m_options.FormHeight, m_options.FormWidth,
                             m_options.LeftPanelWidth, false});

    const QString book = m_state.DataFolder + m_options.BookName + QStringLiteral(".qvp");
    if (books.isEmpty() || !m_package.LoadPackage(book)) {
        m_prompter.Message(BookCommands::LoadFailedMessage(m_options.BookName),
                           Prompter::Icon::Warning, Prompter::Buttons::Ok);
        m_package.LoadPackage(m_commands.TemplatePath());
        m_options.CurrentPassword.clear();
        m_window.DisableBookUI();
    }
    m_window.UpdateCaption();
    m_package.SetChangeLogging(true);
    m_window.UpdateNetServicesMenu();
    m_window.SetOutlookPasteVisible(m_options.WhichEmailer() == 2);
}

bool MainController::FormCloseQuery()
{
    if (!m_commands.SaveBeforeGoingOn(QStringLiteral(" before close?"), Prompter::Icon::Warning))
        return false;
    if (m_options.ToSaveSize) {
        const MainWindowView::Sizes sizes = m_window.CurrentSizes();
        m_options.WindowMax = sizes.maximized;
        m_options.LeftPanelWidth = sizes.leftPanelWidth;
        m_options.GridHeight = sizes.searchPanelHeight;
        m_options.FormHeight = sizes.formHeight;
        m_options.FormWidth = sizes.formWidth;
    }
    m_options.QuickSearchOpen = m_window.QuickSearchOpen();
    m_options.WriteAll();
    return true;
}

// Books of an older layout were folders of member files beside the program; each becomes
// a package of the same name.
void MainController::ConvertUserFolders()
{
    const QString savedWorkFolder = m_state.WorkFolder;
    bool firstConverted = false;
    for (int n = 0; n <= 100; ++n) {
        const QString value = m_options.ReadString(
            kUserSection, QStringLiteral("UserName%1").arg(n), QStringLiteral("----"));
        if (value == QStringLiteral("----") || !QFileInfo(value).isDir())
            continue;
        m_state.WorkFolder = m_state.ProgramFolder + value + u'/';
        if (m_package.PackWorkFolder(m_state.DataFolder + value + QStringLiteral(".qvp"))) {
            ClearWorkFolder(m_state.WorkFolder);
            QDir().rmdir(m_state.WorkFolder);
            if (n == 0)
                firstConverted = true;
        }
    }
    m_options.BookName = firstConverted
                             ? m_options.ReadString(kUserSection, QStringLiteral("UserName0"), {})
                             : QString();
    m_state.WorkFolder = savedWorkFolder;
    m_options.EraseSection(kUserSection);
    m_options.WriteBookName();
}

QString MainController::Caption() const
{
    return QStringLiteral("Quillvane (") + m_commands.BookTitle() + u')';
}

void MainController::SelectCategory(qint32 number)
{
    if (number == CTreeMT::RootNumber) {
        m_list.ListAll();
    } else if (number > CTreeMT::RootNumber) {
        m_list.ListCategory(number);
    } else if (number == CTreeMT::SearchNodeNumber) {
        WaitCursor wait(m_prompter);
        m_search.ApplySearch();
    } else if (number == CTreeMT::OrgContactsNumber) {
        m_list.ListOrgContacts();
    }
}

void MainController::AttachTables(TCardData& data)
{
    m_list.AttachTables(data.NameDataSet, data.AgentDataSet);
    m_edit.AttachEntryTable(data.NameDataSet);
    m_edit.AttachOrgTable(data.AgentDataSet);
    m_search.SetTables(data.NameDataSet, data.AgentLookDataSet);
}

QString MainController::LoadMembers(const QString& folder)
{
    return m_members.Load(folder);
}

QString MainController::SaveMembers(const QString& folder)
{
    return m_members.Save(folder);
}

void MainController::RefillInitials()
{
    m_edit.RebuildInitials();
    m_window.FillSurnameGrid(m_edit.InitialsList());
}

void MainController::BookOpened()
{
    RefillInitials();
    if (m_edit.HasYellowEntries())
        m_tree.AddOrgContactsNode();
    if (!m_window.BookUIEnabled())
        m_window.EnableBookUI();
    m_list.ListAll();
    m_window.ShowTreeTop();
}

void MainController::BookSaved()
{
    RefillInitials();
    m_window.ShowTreeTop();
}

void MainController::PasswordChanged()
{
    m_window.ShowLock(!m_options.CurrentPassword.isEmpty());
}
