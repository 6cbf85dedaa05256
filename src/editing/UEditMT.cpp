// The edit model: edit transactions through both tables' savepoints, the name rule, org
// linking by name, the number counters, category slots, deletions and isolated orgs.
#include "editing/UEditMT.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <limits>

#include "navigation/RowSelection.h"
#include "storage/DatabaseError.h"
#include "storage/TextWidth.h"

namespace {

// Given names of wide-character names are cut at this width.
constexpr int kWideGivenNameWidth = 20;

// The columns of the four category slots in the entry store (-1 for a missing one).
std::array<int, 4> SlotColumns(const RecordStore& store)
{
    std::array<int, 4> columns{};
    for (size_t slot = 0; slot < columns.size(); ++slot)
        columns[slot] = store.Fields().IndexOf(CEditMT::kCategorySlots[slot]);
    return columns;
}

bool IsBlank(QChar c)
{
    return c.unicode() <= u' ';
}

// Leading and trailing blanks and control characters removed.
QStringView TrimBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.mid(first, last - first);
}

// The length in UTF-16 units of the first `count` characters (surrogate pairs kept whole).
qsizetype CharactersLength(QStringView text, int count)
{
    qsizetype at = 0;
    for (int n = 0; n < count && at < text.size(); ++n)
        at += (text[at].isHighSurrogate() && at + 1 < text.size()) ? 2 : 1;
    return at;
}

// The highest number of the field over every record of the view's table, at least `floor`.
qint32 HighestNumber(const TableView& view, QStringView field, qint32 floor)
{
    const RecordStore& store = *view.Store();
    const int column = store.Fields().IndexOf(field);
    qint64 highest = floor;
    if (column < 0)
        return floor;
    for (RecordIndex index = 0; index < store.SlotCount(); ++index)
        if (store.IsLive(index) && store.At(index)[size_t(column)].IsNumber())
            highest = std::max(highest, store.At(index)[size_t(column)].Number());
    return qint32(std::min<qint64>(highest, std::numeric_limits<qint32>::max()));
}

} // namespace

CEditMT::CEditMT() = default;

void CEditMT::AttachEntryTable(TableView& entries)
{
    m_entries = &entries;
    m_entryCounter = HighestNumber(entries, u"ClientID", kFirstCounter);
    m_entrySavePoint = -1;
}

void CEditMT::AttachOrgTable(TableView& orgs)
{
    m_orgs = &orgs;
    m_orgCounter = HighestNumber(orgs, u"CoID", kFirstCounter);
    m_orgSavePoint = -1;
    m_isolatedOrgs.clear();
}

bool CEditMT::LoadCompoundSurnames(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot open file \"%1\" (%2)")
                         .arg(file.fileName(), file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read file \"%1\" (%2)")
                         .arg(file.fileName(), file.errorString());
        return false;
    }
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QStringList compounds;
    for (const QString& line : QString::fromUtf8(text).split(u'\n')) {
        const QStringView name = TrimBlanks(line);
        if (!name.isEmpty())
            compounds << name.toString();
    }
    m_compounds = compounds;
    m_compoundFile = bytes;
    return true;
}

bool CEditMT::SaveCompoundSurnames(const QString& path, QString* error) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_compoundFile) != m_compoundFile.size() ||
        !file.flush()) {
        if (error)
            *error = QStringLiteral("Cannot write file \"%1\" (%2)")
                         .arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

void CEditMT::SetCompoundSurnames(const QStringList& compounds, const QByteArray& file)
{
    m_compounds = compounds;
    m_compoundFile = file;
    if (!file.isEmpty() || compounds.isEmpty())
        return;
    for (const QString& name : compounds)
        m_compoundFile += name.toUtf8() + "\r\n";
}

const QStringList& CEditMT::CategoryPaths()
{
    return m_tree->CategoryPaths();
}

std::optional<qint32> CEditMT::NumberAtIndex(int index) const
{
    return m_tree->NumberAtIndex(index);
}

int CEditMT::IndexOfNumber(qint32 number) const
{
    return m_tree->IndexOfNumber(number);
}

bool CEditMT::RebuildInitials()
{
    return m_initials.Rebuild(*m_entries);
}

bool CEditMT::PutEntryInEditState()
{
    if (m_entries->State() != ViewState::Browse)
        return true;
    // Edit on an empty listing would append a blank entry.
    if (m_entries->IsEmpty())
        return false;
    m_entries->Edit();
    return true;
}

void CEditMT::NewEntry()
{
    m_entrySavePoint = m_entries->SavePoint();
    m_orgSavePoint = m_orgs->SavePoint();
    m_editMode = ::EditMode::Adding;
    m_entries->Append();
    m_orgs->Locate(u"CoID", kDefaultOrg);
    ++m_entryCounter;
    m_entries->FieldByName(u"ClientID").SetValue(m_entryCounter);
    m_entries->FieldByName(u"OrgID").SetValue(kDefaultOrg);
    m_entries->FieldByName(u"Yellow").SetValue(false);
}

void CEditMT::EditEntry(int rowNumber)
{
    m_editMode = ::EditMode::Editing;
    m_entrySavePoint = m_entries->SavePoint();
    m_orgSavePoint = m_orgs->SavePoint();
    m_entries->SetRecNo(rowNumber);
    const QVariant orgId = m_entries->FieldByName(u"OrgID").Value();
    // An entry whose org is gone is edited with the default org, never with whichever org
    // the table happened to show.
    if (!orgId.isValid() || !m_orgs->Locate(u"CoID", orgId))
        m_orgs->Locate(u"CoID", kDefaultOrg);
    PutEntryInEditState();
    if (m_orgs->State() == ViewState::Browse && !m_orgs->IsEmpty())
        m_orgs->Edit();
}

void CEditMT::Rollback()
{
    m_orgs->Cancel();
    m_entries->Cancel();
    if (m_orgSavePoint >= 0)
        m_orgs->RollbackTo(m_orgSavePoint);
    if (m_entrySavePoint >= 0)
        m_entries->RollbackTo(m_entrySavePoint);
}

void CEditMT::CommitEntry()
{
    // The org first: posting the entry moves the org view to the entry's org.
    m_orgs->Post();
    m_entries->Post();
}

int CEditMT::SplitName(QStringView name, QStringView delimiters, const QStringList& compounds,
                       NameParts& parts)
{
    parts = {};
    const QString s = TrimBlanks(name).toString() + u' ';

    if (StartsWithWide(s)) {
        const qsizetype two = CharactersLength(s, 2);
        const QStringView compound = QStringView(s).left(two);
        const qsizetype surnameLength = compounds.contains(compound) ? two : CharactersLength(s, 1);
        parts.surName = s.left(surnameLength);
        parts.givenName =
            TrimBlanks(LeftByWidth(QStringView(s).mid(surnameLength), kWideGivenNameWidth))
                .toString();
        return 1;
    }

    const auto isDelimiter = [&](qsizetype at) { return delimiters.contains(s[at]); };
    qsizetype at = 0;
    const auto word = [&] {
        const qsizetype start = at;
        while (at < s.size() && !isDelimiter(at))
            ++at;
        return s.mid(start, at - start);
    };
    const auto skipDelimiters = [&] {
        while (at < s.size() && isDelimiter(at))
            ++at;
    };

    parts.givenName = word();
    skipDelimiters();
    const QString second = word();
    skipDelimiters();
    if (at < s.size()) {
        parts.midName = second;
        parts.surName = word();
        skipDelimiters();
    } else {
        parts.surName = second;
    }
    return at < s.size() ? 0 : 2;
}

QString CEditMT::JoinName(const QString& surName, const QString& givenName, const QString& midName)
{
    if (StartsWithWide(surName))
        return surName + givenName;
    const QString joined = midName.isEmpty() ? givenName + u' ' + surName
                                             : givenName + u' ' + midName + u' ' + surName;
    return TrimBlanks(joined).toString();
}

void CEditMT::ApplyNameRule(QString& name, bool& nameChanged, bool& partsChanged)
{
    if (nameChanged && !partsChanged) {
        NameParts parts;
        // Four or more words: the parts hold the first three, and the name keeps them all.
        if (SplitName(name, kNameDelimiters, m_compounds, parts) != 0)
            name = JoinName(parts.surName, parts.givenName, parts.midName);
        if (PutEntryInEditState()) {
            m_entries->FieldByName(u"SurName").SetValue(parts.surName);
            m_entries->FieldByName(u"GivenName").SetValue(parts.givenName);
            m_entries->FieldByName(u"MidName").SetValue(parts.midName);
        }
    } else if (partsChanged) {
        // A null part reads as the empty string.
        name = JoinName(m_entries->FieldByName(u"SurName").AsString(),
                        m_entries->FieldByName(u"GivenName").AsString(),
                        m_entries->FieldByName(u"MidName").AsString());
        partsChanged = false;
    }
    m_lastName = name;
    nameChanged = false;
}

OrgLink CEditMT::LinkOrg(const QString& orgName)
{
    if (TrimBlanks(orgName).isEmpty()) {
        if (PutEntryInEditState())
            m_entries->FieldByName(u"OrgID").SetValue(kDefaultOrg);
        return OrgLink::DefaultOrg;
    }
    RecordStore& orgStore = *m_orgs->Store();
    const int company = orgStore.Fields().IndexOf(u"Company");
    const int coId = orgStore.Fields().IndexOf(u"CoID");
    if (company >= 0 && coId >= 0) {
        // Copied: moving the view may refresh the index.
        const std::vector<RecordIndex> matches = orgStore.MatchingIgnoringCase(company, orgName);
        for (RecordIndex index : matches) {
            if (!m_orgs->GotoBookmark({orgStore.Generation(), index}))
                continue;
            if (PutEntryInEditState())
                m_entries->FieldByName(u"OrgID").SetValue(m_orgs->FieldByName(u"CoID").Value());
            return OrgLink::ExistingOrg;
        }
    }
    NewOrg(orgName);
    return OrgLink::NewOrg;
}

int CEditMT::NewOrg(const QString& orgName)
{
    ++m_orgCounter;
    m_orgs->Append();
    m_orgs->FieldByName(u"CoID").SetValue(m_orgCounter);
    m_orgs->FieldByName(u"Company").SetValue(orgName);
    m_orgs->Post();
    m_orgs->Edit();
    if (PutEntryInEditState())
        m_entries->FieldByName(u"OrgID").SetValue(m_orgCounter);
    return m_orgCounter;
}

bool CEditMT::SetCategorySlot(int slot, qint32 number)
{
    if (slot < 1 || slot > 4 || !PutEntryInEditState())
        return false;
    m_entries->FieldByName(kCategorySlots[slot - 1]).SetValue(number);
    return true;
}

bool CEditMT::AssignCategory(qint32 number)
{
    if (!PutEntryInEditState())
        return false;
    if (number == kEmptySlot)
        return true;
    std::optional<int> free;
    for (int slot = 0; slot < 4; ++slot) {
        const FieldRef field = m_entries->FieldByName(kCategorySlots[slot]);
        // Null slots count as taken: only 1000 marks a free slot.
        if (field.IsNull())
            continue;
        if (field.AsInteger() == number)
            return true;
        if (field.AsInteger() == kEmptySlot && !free)
            free = slot;
    }
    if (!free)
        return false;
    m_entries->FieldByName(kCategorySlots[*free]).SetValue(number);
    return true;
}

bool CEditMT::RemoveCategory(qint32 number)
{
    if (!PutEntryInEditState())
        return false;
    for (const QString& name : kCategorySlots) {
        FieldRef field = m_entries->FieldByName(name);
        if (!field.IsNull() && field.AsInteger() == number) {
            field.SetValue(kEmptySlot);
            break;
        }
    }
    return true;
}

// Straight through the store: making each selected row current in turn would search the
// listing once per row, which a Select All of a large book cannot afford.
bool CEditMT::RemoveCategoryFromSelected(qint32 number, RowSelection& selection)
{
    m_entries->Post();
    RecordStore& store = *m_entries->Store();
    const std::array<int, 4> slotFields = SlotColumns(store);
    m_entries->DisableControls();
    for (const Bookmark& row : selection.Rows().Items()) {
        if (row.generation != store.Generation() || !store.IsLive(row.index))
            continue;
        const RecordView stored = store.At(row.index);
        for (int field : slotFields) {
            if (field < 0 || !stored[size_t(field)].IsNumber() ||
                stored[size_t(field)].Number() != number)
                continue;
            Record record(stored.begin(), stored.end());
            record[size_t(field)] = Cell::FromNumber(kEmptySlot);
            store.Update(row.index, std::move(record));
            break;
        }
    }
    m_entries->EnableControls();
    selection.Clear();
    return true;
}

// Every entry counts, not only the listed ones: a category deleted while an entry outside
// the list still held it would hand that entry to whichever category takes the number next.
bool CEditMT::CategoryInUse(qint32 number) const
{
    if (!m_entries)
        return false;
    const RecordStore& store = *m_entries->Store();
    const std::array<int, 4> slotFields = SlotColumns(store);
    for (RecordIndex index = 0; index < store.SlotCount(); ++index) {
        if (!store.IsLive(index))
            continue;
        const RecordView record = store.At(index);
        for (int field : slotFields)
            if (field >= 0 && record[size_t(field)].IsNumber() &&
                record[size_t(field)].Number() == number)
                return true;
    }
    return false;
}

CTreeMT::DeleteOutcome CEditMT::CanDeleteCategory(CTreeNode* node)
{
    return m_tree->DeleteCategoryNode(node,
                                      [this](qint32 number) { return CategoryInUse(number); });
}

bool CEditMT::DeleteCurrentEntry()
{
    try {
        m_entries->Delete();
        m_entries->First();
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

// Straight through the store, for the same reason as above; the order of the removals
// then makes no difference to what remains.
bool CEditMT::DeleteSelectedEntries(RowSelection& selection)
{
    m_entries->Cancel();
    RecordStore& store = *m_entries->Store();
    m_entries->DisableControls();
    for (const Bookmark& row : selection.Rows().Items())
        if (row.generation == store.Generation() && store.IsLive(row.index))
            store.Remove(row.index);
    m_entries->EnableControls();
    selection.Clear();
    m_entries->First();
    return true;
}

const std::vector<Bookmark>& CEditMT::FindIsolatedOrgs()
{
    m_isolatedOrgs.clear();
    // Reading the stores directly sees every record, whatever the views' filters.
    const RecordStore& entries = *m_entries->Store();
    const RecordStore& orgs = *m_orgs->Store();
    const int orgId = entries.Fields().IndexOf(u"OrgID");
    const int coId = orgs.Fields().IndexOf(u"CoID");
    if (orgId < 0 || coId < 0)
        return m_isolatedOrgs;
    QSet<qint64> used;
    for (RecordIndex index = 0; index < entries.SlotCount(); ++index)
        if (entries.IsLive(index) && entries.At(index)[size_t(orgId)].IsNumber())
            used.insert(entries.At(index)[size_t(orgId)].Number());
    for (RecordIndex index = 0; index < orgs.SlotCount(); ++index) {
        if (!orgs.IsLive(index))
            continue;
        const Cell& number = orgs.At(index)[size_t(coId)];
        if (number.IsNumber() && number.Number() == kDefaultOrg)
            continue;
        if (!number.IsNumber() || !used.contains(number.Number()))
            m_isolatedOrgs.push_back({orgs.Generation(), index});
    }
    return m_isolatedOrgs;
}

bool CEditMT::DeleteIsolatedOrgs()
{
    m_orgs->Post();
    RecordStore& orgs = *m_orgs->Store();
    m_orgs->DisableControls();
    for (const Bookmark& org : m_isolatedOrgs)
        if (org.generation == orgs.Generation())
            orgs.Remove(org.index);
    m_orgs->EnableControls();
    return true;
}
