// Table views: rows kept in step with the store's change journal, navigation, editing
// with a pending record, filters, indexes, bookmarks and events.
#include "storage/TableView.h"

#include <algorithm>

#include "storage/DatabaseError.h"
#include "storage/OrderedRows.h"
#include "storage/TableFile.h"

namespace {

// Views with at most this many rows locate by scanning; larger ones use the store's
// value index.
constexpr int kScanLimit = 64;

constexpr RecordIndex kPrefetchAhead = 8;

void PrefetchRecord(RecordView record)
{
    const char* first = reinterpret_cast<const char*>(record.data());
    const char* end = first + record.size_bytes();
    for (const char* line = first; line < end; line += 64)
        __builtin_prefetch(line);
}

size_t IncrementalLimit(size_t rows)
{
    return std::max<size_t>(256, rows / 32);
}

QStringList SplitIndexFields(const QString& fields)
{
    QStringList names;
    for (const QString& part : fields.split(u';', Qt::SkipEmptyParts))
        if (!part.trimmed().isEmpty())
            names << part.trimmed();
    return names;
}

} // namespace

void BookmarkList::Add(const Bookmark& bookmark)
{
    if (m_set.contains(bookmark))
        return;
    m_set.insert(bookmark);
    m_items.push_back(bookmark);
}

void BookmarkList::Remove(const Bookmark& bookmark)
{
    if (m_set.remove(bookmark))
        std::erase(m_items, bookmark);
}

void BookmarkList::Clear()
{
    m_items.clear();
    m_set.clear();
}

TableView::TableView(QString name) : m_name(std::move(name))
{
    Attach(std::make_shared<RecordStore>());
}

TableView::~TableView()
{
    Detach();
}

void TableView::Attach(std::shared_ptr<RecordStore> store)
{
    Detach();
    m_store = std::move(store);
    m_observer = m_store->AddObserver({[this] { DataChanged(); }, [this] { CancelPending(); }});
    m_rowsValid = false;
    m_compiledGeneration = 0;
}

void TableView::Detach()
{
    if (m_store && m_observer)
        m_store->RemoveObserver(m_observer);
    m_observer = 0;
}

void TableView::CreateDataSet(FieldList fields)
{
    CancelPending();
    Attach(std::make_shared<RecordStore>(std::move(fields)));
    First();
}

void TableView::MakeViewFrom(const TableView& source, bool keepSettings)
{
    CancelPending();
    if (!keepSettings) {
        m_filterText = source.m_filterText;
        m_filtered = source.m_filtered;
        m_caseInsensitive = source.m_caseInsensitive;
        m_indexDefs = source.m_indexDefs;
        m_indexName = source.m_indexName;
    }
    Attach(source.m_store);
    First();
    DataChanged();
}

int TableView::FieldIndex(QStringView name) const
{
    return Fields().IndexOf(name);
}

FieldRef TableView::FieldByName(QStringView name)
{
    const int field = FieldIndex(name);
    if (field < 0)
        throw DatabaseError(
            QStringLiteral("%1: Field '%2' not found").arg(m_name, name.toString()));
    return FieldRef(*this, field);
}

// Resolves the filter text and the active index against the store's current fields;
// the fields change only when the store's records are replaced.
void TableView::Compile() const
{
    if (m_compiledGeneration == m_store->Generation())
        return;
    m_filter = RecordFilter::Parse(m_filterText, Fields());
    m_indexFields.clear();
    if (!m_indexName.isEmpty()) {
        const auto def =
            std::find_if(m_indexDefs.begin(), m_indexDefs.end(), [&](const IndexDef& d) {
                return d.name.compare(m_indexName, Qt::CaseInsensitive) == 0;
            });
        if (def != m_indexDefs.end())
            for (const QString& name : SplitIndexFields(def->fields)) {
                const int field = FieldIndex(name);
                if (field >= 0)
                    m_indexFields.push_back(field);
            }
    }
    m_compiledGeneration = m_store->Generation();
}

bool TableView::Passes(RecordView record) const
{
    return !m_filtered || m_filter.Matches(record, m_caseInsensitive);
}

bool TableView::Before(RecordIndex a, RecordIndex b) const
{
    return m_indexFields.empty() ? a < b : m_store->Less(m_indexFields, a, b);
}

// The filter runs over the records in store order, which is the order they lie in
// memory, and the listing then picks the matches in the index's order.
void TableView::Rebuild() const
{
    Compile();
    if (m_indexFields.empty()) {
        m_rows = m_store->InStoreOrder();
    } else {
        m_rows = m_store->Ordered(m_indexFields);
    }
    if (!m_filtered || m_filter.MatchesAll())
        return;
    const RecordIndex slotCount = m_store->SlotCount();
    std::vector<bool> matches(slotCount, false);
    for (RecordIndex index = 0; index < slotCount; ++index) {
        // Asking for the records a few places ahead hides the memory's latency, which
        // otherwise dominates a scan that reads only a few fields of each record.
        if (index + 2 * kPrefetchAhead < slotCount)
            PrefetchRecord(m_store->At(index + 2 * kPrefetchAhead));
        if (index + kPrefetchAhead < slotCount)
            for (int field : m_filter.TextFields())
                m_store->At(index + kPrefetchAhead)[size_t(field)].PrefetchText();
        if (m_store->IsLive(index))
            matches[index] = m_filter.Matches(m_store->At(index), m_caseInsensitive);
    }
    std::erase_if(m_rows, [&](RecordIndex index) { return !matches[index]; });
}

void TableView::Sync() const
{
    const bool sameGeneration = m_rowsValid && m_rowsGeneration == m_store->Generation();
    if (sameGeneration && m_rowsVersion == m_store->Version())
        return;
    std::vector<RecordIndex> changed;
    if (!sameGeneration || !m_store->ChangesSince(m_rowsVersion, changed) ||
        changed.size() > IncrementalLimit(m_rows.size())) {
        Rebuild();
    } else {
        Compile();
        UpdateOrderedRows(
            m_rows, changed,
            [this](RecordIndex index) {
                return m_store->IsLive(index) && Passes(m_store->At(index));
            },
            [this](RecordIndex a, RecordIndex b) { return Before(a, b); });
    }
    if (!sameGeneration)
        m_hasCurrent = false;
    m_rowsValid = true;
    m_rowsGeneration = m_store->Generation();
    m_rowsVersion = m_store->Version();

    // The current record stays current while it is listed; otherwise the row at the same
    // position (the next record) takes its place.
    if (m_hasCurrent) {
        const auto it = std::find(m_rows.begin(), m_rows.end(), m_current);
        if (it != m_rows.end()) {
            m_row = int(it - m_rows.begin());
            return;
        }
    }
    if (m_rows.empty()) {
        m_row = -1;
        m_hasCurrent = false;
        return;
    }
    m_row = std::clamp(m_row, 0, int(m_rows.size()) - 1);
    m_current = m_rows[size_t(m_row)];
    m_hasCurrent = true;
}

void TableView::MoveTo(int row)
{
    Sync();
    if (m_rows.empty()) {
        m_row = -1;
        m_hasCurrent = false;
    } else {
        m_row = std::clamp(row, 0, int(m_rows.size()) - 1);
        m_current = m_rows[size_t(m_row)];
        m_hasCurrent = true;
    }
    if (m_afterScroll)
        m_afterScroll(*this);
}

// Moving away from a pending record stores it first, as a data-entry user expects.
void TableView::CheckBrowse()
{
    if (m_state != ViewState::Browse)
        Post();
}

void TableView::First()
{
    CheckBrowse();
    MoveTo(0);
    m_bof = true;
    m_eof = m_rows.empty();
}

void TableView::Last()
{
    CheckBrowse();
    Sync();
    MoveTo(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.empty();
}

void TableView::Next()
{
    CheckBrowse();
    Sync();
    if (m_row + 1 < int(m_rows.size())) {
        MoveTo(m_row + 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void TableView::Prior()
{
    CheckBrowse();
    Sync();
    if (m_row > 0) {
        MoveTo(m_row - 1);
        m_bof = false;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

bool TableView::Eof() const
{
    Sync();
    return m_eof || m_rows.empty();
}

bool TableView::Bof() const
{
    Sync();
    return m_bof || m_rows.empty();
}

int TableView::RecNo() const
{
    if (m_state == ViewState::Insert)
        return 0;
    Sync();
    return m_row + 1;
}

void TableView::SetRecNo(int recNo)
{
    CheckBrowse();
    Sync();
    if (recNo < 1 || recNo > int(m_rows.size()))
        return;
    MoveTo(recNo - 1);
    m_bof = m_eof = false;
}

int TableView::RecordCount() const
{
    Sync();
    return int(m_rows.size());
}

RecordView TableView::RowRecord(int row) const
{
    Sync();
    return m_store->At(m_rows.at(size_t(row)));
}

Bookmark TableView::RowBookmark(int row) const
{
    Sync();
    return {m_store->Generation(), m_rows.at(size_t(row))};
}

int TableView::RowOfBookmark(const Bookmark& bookmark) const
{
    Sync();
    if (bookmark.generation != m_store->Generation())
        return -1;
    const auto it = std::find(m_rows.begin(), m_rows.end(), bookmark.index);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

bool TableView::Locate(QStringView fieldName, const QVariant& value)
{
    CheckBrowse();
    const int field = FieldIndex(fieldName);
    if (field < 0)
        throw DatabaseError(
            QStringLiteral("%1: Field '%2' not found").arg(m_name, fieldName.toString()));
    const FieldType type = Fields().At(field).type;
    if (type == FieldType::Integer && value.isValid()) {
        bool ok = false;
        value.toString().toInt(&ok);
        if (!ok)
            return false;
    }
    const Cell wanted = Cell::FromVariant(value, type);
    Sync();
    int found = -1;
    if (m_rows.size() <= size_t(kScanLimit) || wanted.IsNull()) {
        for (size_t row = 0; row < m_rows.size() && found < 0; ++row)
            if (m_store->At(m_rows[row])[size_t(field)] == wanted)
                found = int(row);
    } else {
        bool any = false;
        RecordIndex best = 0;
        for (RecordIndex index : m_store->Matching(field, wanted)) {
            if (!Passes(m_store->At(index)))
                continue;
            if (!any || Before(index, best))
                best = index;
            any = true;
        }
        if (any) {
            const auto it = std::find(m_rows.begin(), m_rows.end(), best);
            found = it == m_rows.end() ? -1 : int(it - m_rows.begin());
        }
    }
    if (found < 0)
        return false;
    MoveTo(found);
    m_bof = m_eof = false;
    return true;
}

void TableView::Append()
{
    CheckBrowse();
    m_pending.assign(size_t(FieldCount()), Cell());
    m_state = ViewState::Insert;
}

void TableView::Edit()
{
    if (m_state != ViewState::Browse)
        return;
    Sync();
    if (!m_hasCurrent) {
        Append();
        return;
    }
    const RecordView current = m_store->At(m_current);
    m_pending.assign(current.begin(), current.end());
    m_state = ViewState::Edit;
}

void TableView::Post()
{
    if (m_state == ViewState::Browse)
        return;
    const ViewState state = std::exchange(m_state, ViewState::Browse);
    Record record = std::move(m_pending);
    m_pending.clear();
    if (state == ViewState::Insert) {
        m_current = m_store->Insert(std::move(record));
        m_hasCurrent = true;
    } else {
        m_store->Update(m_current, std::move(record));
    }
    if (m_afterScroll)
        m_afterScroll(*this);
}

void TableView::Cancel()
{
    if (m_state == ViewState::Browse)
        return;
    CancelPending();
    if (m_afterScroll)
        m_afterScroll(*this);
}

void TableView::CancelPending()
{
    m_state = ViewState::Browse;
    m_pending.clear();
}

void TableView::Delete()
{
    if (m_state == ViewState::Insert) {
        Cancel();
        return;
    }
    CancelPending();
    Sync();
    if (!m_hasCurrent)
        throw DatabaseError(
            QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(m_name));
    const int row = m_row;
    m_store->Remove(m_current);
    m_hasCurrent = false;
    m_row = row;
    MoveTo(row);
}

void TableView::AppendRecord(const QVariantList& values)
{
    CheckBrowse();
    const FieldList& fields = Fields();
    Record record(size_t(fields.Count()));
    for (int i = 0; i < fields.Count() && i < values.size(); ++i)
        record[size_t(i)] = Cell::FromVariant(values[i], fields.At(i).type);
    m_current = m_store->Insert(std::move(record));
    m_hasCurrent = true;
    if (m_afterScroll)
        m_afterScroll(*this);
}

void TableView::EmptyDataSet()
{
    CancelPending();
    m_store->Empty();
    First();
}

void TableView::SetFilter(const QString& text)
{
    CheckBrowse();
    RecordFilter parsed = RecordFilter::Parse(text, Fields());
    m_filterText = text;
    m_filter = std::move(parsed);
    m_compiledGeneration = 0;
    m_rowsValid = false;
    First();
    DataChanged();
}

void TableView::SetFiltered(bool on)
{
    if (on == m_filtered)
        return;
    CheckBrowse();
    m_filtered = on;
    m_rowsValid = false;
    First();
    DataChanged();
}

void TableView::SetFilterCaseInsensitive(bool on)
{
    if (on == m_caseInsensitive)
        return;
    CheckBrowse();
    m_caseInsensitive = on;
    m_rowsValid = false;
    First();
    DataChanged();
}

void TableView::AddIndexDef(const QString& name, const QString& fields)
{
    const auto it = std::find_if(m_indexDefs.begin(), m_indexDefs.end(), [&](const IndexDef& d) {
        return d.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (it != m_indexDefs.end())
        it->fields = fields;
    else
        m_indexDefs.push_back({name, fields});
    m_compiledGeneration = 0;
    m_rowsValid = false;
}

void TableView::ClearIndexDefs()
{
    m_indexDefs.clear();
    m_compiledGeneration = 0;
    m_rowsValid = false;
}

void TableView::SetIndexName(const QString& name)
{
    CheckBrowse();
    m_indexName = name;
    m_compiledGeneration = 0;
    m_rowsValid = false;
    First();
    DataChanged();
}

void TableView::RefreshIndexDefs()
{
    for (const IndexDef& def : m_indexDefs)
        for (const QString& name : SplitIndexFields(def.fields))
            if (FieldIndex(name) < 0)
                throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    m_compiledGeneration = 0;
    m_rowsValid = false;
}

void TableView::SaveToFile(const QString& path)
{
    CheckBrowse();
    std::vector<RecordView> records;
    for (RecordIndex index : m_store->InStoreOrder())
        records.push_back(m_store->At(index));
    WriteTableFile(path, Fields(), records);
}

void TableView::LoadFromFile(const QString& path)
{
    CancelPending();
    TableContent content = ReadTableFile(path);
    for (const IndexDef& def : m_indexDefs)
        for (const QString& name : SplitIndexFields(def.fields))
            if (content.fields.IndexOf(name) < 0)
                throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
    auto store = std::make_shared<RecordStore>();
    store->Replace(std::move(content.fields), std::move(content.cells));
    UseStore(std::move(store));
}

void TableView::UseStore(std::shared_ptr<RecordStore> store)
{
    CancelPending();
    Attach(std::move(store));
    First();
    DataChanged();
}

Bookmark TableView::GetBookmark() const
{
    Sync();
    if (!m_hasCurrent)
        return {};
    return {m_store->Generation(), m_current};
}

bool TableView::GotoBookmark(const Bookmark& bookmark)
{
    CheckBrowse();
    const int row = RowOfBookmark(bookmark);
    if (row < 0)
        return false;
    MoveTo(row);
    m_bof = m_eof = false;
    return true;
}

void TableView::DisableControls()
{
    ++m_disabled;
}

void TableView::EnableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        if (m_onDataChanged)
            m_onDataChanged();
    }
}

void TableView::DataChanged()
{
    if (m_disabled > 0) {
        m_changedWhileDisabled = true;
        return;
    }
    if (m_onDataChanged)
        m_onDataChanged();
}

const Cell& TableView::CurrentCell(int field) const
{
    static const Cell none;
    if (m_state != ViewState::Browse)
        return m_pending[size_t(field)];
    // Reading the current record needs no up-to-date rows, so loops that store record
    // after record do not pay for keeping the list in order each time.
    if (m_hasCurrent && m_rowsGeneration == m_store->Generation() && m_store->IsLive(m_current))
        return m_store->At(m_current)[size_t(field)];
    Sync();
    if (!m_hasCurrent)
        return none;
    return m_store->At(m_current)[size_t(field)];
}

const Cell& FieldRef::Current() const
{
    return m_view->CurrentCell(m_field);
}

QString FieldRef::Name() const
{
    return m_view->Fields().At(m_field).name;
}

FieldType FieldRef::Type() const
{
    return m_view->Fields().At(m_field).type;
}

bool FieldRef::IsNull() const
{
    return Current().IsNull();
}

QVariant FieldRef::Value() const
{
    return Current().ToVariant(Type());
}

QString FieldRef::AsString() const
{
    const Cell& cell = Current();
    if (cell.IsNull())
        return {};
    switch (Type()) {
    case FieldType::Text:
    case FieldType::Memo:
        return cell.Text().toString();
    case FieldType::Integer:
        return QString::number(cell.Number());
    case FieldType::Boolean:
        return cell.Number() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Date:
        return QDate::fromJulianDay(cell.Number()).toString(Qt::ISODate);
    }
    return {};
}

int FieldRef::AsInteger() const
{
    const Cell& cell = Current();
    if (cell.IsText())
        return cell.Text().toInt();
    return int(cell.Number());
}

bool FieldRef::AsBoolean() const
{
    return Current().Number() != 0;
}

QDate FieldRef::AsDate() const
{
    const Cell& cell = Current();
    return Type() == FieldType::Date && cell.IsNumber() ? QDate::fromJulianDay(cell.Number())
                                                        : QDate();
}

void FieldRef::SetValue(const QVariant& value)
{
    if (m_view->m_state == ViewState::Browse)
        throw DatabaseError(
            QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_view->m_name));
    m_view->m_pending[size_t(m_field)] = Cell::FromVariant(value, Type());
}
