// The package loader and writer of the main window controller.
#include "storage/PackageController.h"

#include <QFileInfo>

#include "app/Prompter.h"
#include "storage/BookHost.h"
#include "storage/CardDataMod.h"
#include "storage/DatabaseError.h"
#include "storage/OptionType.h"
#include "storage/WorkFolder.h"

namespace {

const QString kWhileLoading = QStringLiteral(" while loading addressbook.");
const QString kInvalidPackage =
    QStringLiteral("Loading addressbook fail due to invalid package format.");
const QString kConverting = QStringLiteral("Converting from old format into new one");
const QString kUnlock = QStringLiteral("Really want to unlock the address book?");
const QString kNameIndexFields = QStringLiteral("Yellow;Name");
const QString kOldNameIndexFields = QStringLiteral("SurName");

// Kind names that head the messages of a failed table load.
const QString kDatabaseErrorKind = QStringLiteral("DatabaseError");
const QString kFileErrorKind = QStringLiteral("FileError");

// The views of both tables as they were before a load, to go back to when it fails.
struct SavedStores
{
    explicit SavedStores(TCardData& data)
        : data(data), nameRead(data.NameReadDataSet.Store()), names(data.NameDataSet.Store()),
          agentRead(data.AgentReadDataSet.Store()), agents(data.AgentDataSet.Store())
    {}
    void Restore()
    {
        data.NameReadDataSet.UseStore(nameRead);
        data.NameDataSet.UseStore(names);
        data.AgentReadDataSet.UseStore(agentRead);
        data.AgentDataSet.UseStore(agents);
    }
    TCardData& data;
    std::shared_ptr<RecordStore> nameRead, names, agentRead, agents;
};

// Copies the fields the target shares by name with the source, record by record in store
// order; the target's other fields take the values given in `rest` (by field name).
void CopyByName(TableView& source, TableView& target, const QVariantMap& rest,
                const std::function<void(int)>& progress)
{
    const FieldList& from = source.Fields();
    const FieldList& to = target.Fields();
    std::vector<int> sourceOf(size_t(to.Count()), -1);
    for (int f = 0; f < to.Count(); ++f)
        sourceOf[size_t(f)] = from.IndexOf(to.At(f).name);
    target.DisableControls();
    int position = 0;
    for (RecordIndex index : source.Store()->InStoreOrder()) {
        if (progress)
            progress(position);
        const RecordView record = source.Store()->At(index);
        QVariantList values;
        for (int f = 0; f < to.Count(); ++f) {
            const int s = sourceOf[size_t(f)];
            values << (s >= 0 ? record[size_t(s)].ToVariant(from.At(s).type)
                              : rest.value(to.At(f).name));
        }
        target.AppendRecord(values);
        ++position;
    }
    target.EnableControls();
}

} // namespace

PackageController::PackageController(TCardData& data, OptionType& options, BookState& state,
                                     BookHost& host, Prompter& prompter)
    : m_data(data), m_options(options), m_state(state), m_host(host), m_prompter(prompter)
{}

bool PackageController::LoadPackage(const QString& path)
{
    m_state.ExtractCrcOk = true;
    if (!QFileInfo(path).isFile())
        return false;

    const QString folder = m_state.WorkFolder;
    ClearWorkFolder(folder);
    if (const WorkFolderResult prepared = PrepareWorkFolder(folder); !prepared) {
        m_prompter.Message(prepared.error + kWhileLoading, Prompter::Icon::Error,
                           Prompter::Buttons::Ok);
        return false;
    }

    // The password of the book being opened takes effect only once it has opened, so a
    // failed open keeps the open book's password.
    const QString bookName =
        QFileInfo(path).fileName().chopped(qMin<qsizetype>(4, QFileInfo(path).fileName().size()));
    UnpackEvents events;
    events.onPassword = [&](const PasswordRequest&) {
        return m_prompter.Password(QStringLiteral("Enter Password for addressbook ") + bookName);
    };
    // Every member must pass its CRC check, not only the last one unpacked.
    events.onMemberEnd = [&](const QString&, bool crcOk) {
        if (!crcOk)
            m_state.ExtractCrcOk = false;
    };
    events.onProblem = [&](const ProblemReport& problem) {
        m_prompter.Message(problem.Line(),
                           problem.kind == ProblemReport::Kind::Notice ? Prompter::Icon::Information
                                                                       : Prompter::Icon::Warning,
                           Prompter::Buttons::Ok);
    };
    const UnpackResult unpacked = Package(path).Unpack(folder, events);
    if (!unpacked.error.isEmpty()) {
        m_prompter.Message(unpacked.error + kWhileLoading, Prompter::Icon::Error,
                           Prompter::Buttons::Ok);
        return false;
    }
    if (unpacked.unpacked < 4 || !m_state.ExtractCrcOk || !unpacked.Succeeded()) {
        m_prompter.Show(kInvalidPackage);
        return false;
    }

    WaitCursor wait(m_prompter);
    SavedStores saved(m_data);
    m_progressShown = false;
    const auto closeProgress = [this] {
        if (m_progressShown)
            m_prompter.EndProgress();
        m_progressShown = false;
    };
    if (!LoadNames(folder) || !LoadOrgs(folder)) {
        closeProgress();
        saved.Restore();
        return false;
    }
    closeProgress();

    // The models read their members before they take the tables, so that a book whose
    // tree or surname list is unreadable leaves everything as it was.
    if (const QString problem = m_host.LoadMembers(folder); !problem.isEmpty()) {
        saved.Restore();
        m_prompter.Message(problem + kWhileLoading, Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    }
    m_host.AttachTables(m_data);
    ResetModified();
    m_data.MakeLookupViews();
    m_host.BookOpened();
    m_state.TreeModified = false;
    ClearWorkFolder(folder);
    m_options.CurrentPassword = unpacked.password;
    m_host.PasswordChanged();
    return true;
}

bool PackageController::LoadNames(const QString& folder)
{
    const QString file = Package::MemberFilePath(folder, QStringLiteral("names.dbf"));
    const QString suffix = kWhileLoading + QStringLiteral(" names.dbf");
    if (!QFileInfo(file).isFile()) {
        m_prompter.Message(kFileErrorKind + QStringLiteral("  Cannot open file \"%1\"").arg(file) +
                               suffix,
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    }
    TableView& read = m_data.NameReadDataSet;
    try {
        read.LoadFromFile(file);
    } catch (const DatabaseError& first) {
        // A file without the fields of the name order may be a book of the older format.
        try {
            read.AddIndexDef(QStringLiteral("NameIndex"), kOldNameIndexFields);
            read.LoadFromFile(file);
            read.AddIndexDef(QStringLiteral("NameIndex"), kNameIndexFields);
            if (read.FieldCount() >= TCardData::NameTableFields().Count())
                throw DatabaseError(first.Message());
            ConvertOldNames();
            read.RefreshIndexDefs();
        } catch (const DatabaseError& error) {
            read.AddIndexDef(QStringLiteral("NameIndex"), kNameIndexFields);
            m_prompter.Message(kDatabaseErrorKind + QStringLiteral("  ") + error.Message() + suffix,
                               Prompter::Icon::Error, Prompter::Buttons::Ok);
            return false;
        }
    }
    m_data.NameDataSet.MakeViewFrom(read, true);
    m_data.NameDataSet.RefreshIndexDefs();
    return true;
}

void PackageController::ConvertOldNames()
{
    TableView& read = m_data.NameReadDataSet;
    m_prompter.BeginProgress(kConverting, 0, read.Store()->LiveCount());
    m_progressShown = true;
    TableView converted;
    converted.CreateDataSet(TCardData::NameTableFields());
    const QVariantMap rest{{QStringLiteral("Yellow"), false}, {QStringLiteral("NID"), 0}};
    CopyByName(read, converted, rest, [this](int position) { m_prompter.SetProgress(position); });
    read.UseStore(converted.Store());
}

bool PackageController::LoadOrgs(const QString& folder)
{
    const QString file = Package::MemberFilePath(folder, QStringLiteral("agents.dbf"));
    const QString suffix = kWhileLoading + QStringLiteral(" agent.dbf");
    if (!QFileInfo(file).isFile()) {
        m_prompter.Message(QStringLiteral("Cannot open file \"%1\"").arg(file) + suffix,
                           Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    }
    TableView& read = m_data.AgentReadDataSet;
    try {
        read.LoadFromFile(file);
    } catch (const DatabaseError&) {
        try {
            const std::vector<IndexDef> defs = read.IndexDefs();
            read.ClearIndexDefs();
            try {
                read.LoadFromFile(file);
            } catch (const DatabaseError&) {
                for (const IndexDef& def : defs)
                    read.AddIndexDef(def.name, def.fields);
                throw;
            }
            for (const IndexDef& def : defs)
                read.AddIndexDef(def.name, def.fields);
            if (read.FieldCount() < TCardData::AgentTableFields().Count())
                ConvertOldOrgs();
            read.RefreshIndexDefs();
        } catch (const DatabaseError& error) {
            m_prompter.Message(error.Message() + suffix, Prompter::Icon::Error,
                               Prompter::Buttons::Ok);
            return false;
        }
    }
    m_data.AgentDataSet.MakeViewFrom(read, true);
    m_data.AgentDataSet.RefreshIndexDefs();
    return true;
}

void PackageController::ConvertOldOrgs()
{
    TableView& read = m_data.AgentReadDataSet;
    TableView converted;
    converted.CreateDataSet(TCardData::AgentTableFields());
    CopyByName(read, converted, {}, {});
    read.UseStore(converted.Store());
}

bool PackageController::SavePackage(const QString& path)
{
    MergeTableChanges();
    WaitCursor wait(m_prompter);
    const QString folder = m_state.WorkFolder;
    const auto fail = [&](const QString& message) {
        ClearWorkFolder(folder);
        m_prompter.Message(message, Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    };
    if (const WorkFolderResult prepared = PrepareWorkFolder(folder); !prepared)
        return fail(prepared.error);
    try {
        m_data.NameDataSet.SaveToFile(folder + QStringLiteral("Names.dbf"));
        m_data.AgentDataSet.SaveToFile(folder + QStringLiteral("Agents.dbf"));
    } catch (const DatabaseError& error) {
        return fail(error.Message());
    }
    if (const QString problem = m_host.SaveMembers(folder); !problem.isEmpty())
        return fail(problem);
    // The old package stays until the new one is complete: it is never deleted first.
    if (!PackWorkFolder(path)) {
        ClearWorkFolder(folder);
        return false;
    }
    m_host.PasswordChanged();
    ResetModified();
    m_state.TreeModified = false;
    ClearWorkFolder(folder);
    m_host.BookSaved();
    return true;
}

bool PackageController::PackWorkFolder(const QString& path)
{
    if (!m_state.SaveWithPassword && !m_options.CurrentPassword.isEmpty() &&
        m_prompter.Message(kUnlock, Prompter::Icon::Confirmation, Prompter::Buttons::YesNo) ==
            Prompter::Answer::Yes) {
        m_options.CurrentPassword.clear();
    }
    Package package(path);
    package.SetWriteFaultHook(m_writeFault);
    const PackResult packed = package.WriteFolder(m_state.WorkFolder, m_options.CurrentPassword);
    if (!packed) {
        m_prompter.Message(packed.error, Prompter::Icon::Error, Prompter::Buttons::Ok);
        return false;
    }
    return true;
}

bool PackageController::IsBookModified() const
{
    return m_data.NameDataSet.SavePoint() >= m_state.NameSavePoint + 1 ||
           m_data.AgentDataSet.SavePoint() >= m_state.AgentSavePoint + 1 || m_state.TreeModified;
}

void PackageController::ResetModified()
{
    m_state.NameSavePoint = m_data.NameDataSet.SavePoint();
    m_state.AgentSavePoint = m_data.AgentDataSet.SavePoint();
}

void PackageController::MergeTableChanges()
{
    m_data.NameDataSet.MergeChangeLog();
    m_data.AgentDataSet.MergeChangeLog();
}

void PackageController::SetChangeLogging(bool on)
{
    m_data.NameDataSet.SetLogChanges(on);
    m_data.AgentDataSet.SetLogChanges(on);
}
