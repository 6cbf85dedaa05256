// Record store: records, change log, orderings and value indexes kept up to date from
// the change journal, so that one change costs a few searches, not a rebuild.
#include "storage/RecordStore.h"

#include "storage/OrderedRows.h"

#include <algorithm>
#include <cstring>

namespace {

// Past this many journal entries the oldest are dropped; views that lag that far behind
// rebuild their rows instead.
constexpr size_t kJournalLimit = 16384;

// Up to this many changes are applied one by one; more are cheaper as a rebuild.
size_t IncrementalLimit(size_t rows)
{
    return std::max<size_t>(256, rows / 32);
}

void EraseValue(std::vector<RecordIndex>& ids, RecordIndex index)
{
    const auto it = std::find(ids.begin(), ids.end(), index);
    if (it != ids.end())
        ids.erase(it);
}

quint64 NewGeneration()
{
    static quint64 last = 0;
    return ++last;
}

} // namespace

RecordStore::RecordStore(FieldList fields)
    : m_fields(std::move(fields)), m_generation(NewGeneration())
{}

std::vector<RecordIndex> RecordStore::InStoreOrder() const
{
    std::vector<RecordIndex> order;
    order.reserve(size_t(m_liveCount));
    for (RecordIndex i = 0; i < m_live.size(); ++i)
        if (m_live[i])
            order.push_back(i);
    return order;
}

void RecordStore::Put(RecordIndex index, Record record)
{
    record.resize(Width());
    std::move(record.begin(), record.end(), m_cells.begin() + ptrdiff_t(size_t(index) * Width()));
}

Record RecordStore::Take(RecordIndex index)
{
    const auto first = m_cells.begin() + ptrdiff_t(size_t(index) * Width());
    Record taken(std::make_move_iterator(first),
                 std::make_move_iterator(first + ptrdiff_t(Width())));
    return taken;
}

RecordIndex RecordStore::Insert(Record record)
{
    const auto index = RecordIndex(m_live.size());
    m_cells.resize(m_cells.size() + Width());
    m_live.push_back(1);
    Put(index, std::move(record));
    ++m_liveCount;
    Log({LogEntry::Kind::Insert, index, {}, 0});
    Changed(index);
    return index;
}

void RecordStore::Update(RecordIndex index, Record record)
{
    if (!IsLive(index))
        return;
    // Storing what is there already is no change, so an entry opened and closed unchanged
    // leaves the book unmodified.
    const RecordView stored = At(index);
    if (std::equal(record.begin(), record.end(), stored.begin(), stored.end()))
        return;
    Record before = Take(index);
    Put(index, std::move(record));
    Log({LogEntry::Kind::Update, index, std::move(before), 0});
    Changed(index);
}

void RecordStore::Remove(RecordIndex index)
{
    if (!IsLive(index))
        return;
    Record before = Take(index);
    m_live[index] = 0;
    --m_liveCount;
    Log({LogEntry::Kind::Remove, index, std::move(before), 0});
    Changed(index);
}

void RecordStore::Empty()
{
    Replace(m_fields, {});
}

void RecordStore::Replace(FieldList fields, std::vector<Cell> cells)
{
    CancelPending();
    m_fields = std::move(fields);
    m_cells = std::move(cells);
    m_cells.resize(Width() ? m_cells.size() / Width() * Width() : 0);
    m_live.assign(Width() ? m_cells.size() / Width() : 0, 1);
    m_liveCount = int(m_live.size());
    m_log.clear();
    ++m_savePoint;
    m_logFloor = m_savePoint;
    Replaced();
}

void RecordStore::Log(LogEntry entry)
{
    ++m_savePoint;
    if (!m_logChanges) {
        m_logFloor = m_savePoint;
        return;
    }
    entry.savePoint = m_savePoint;
    m_log.push_back(std::move(entry));
}

bool RecordStore::RollbackTo(int savePoint)
{
    if (savePoint < m_logFloor)
        return false;
    if (savePoint >= m_savePoint)
        return true;
    CancelPending();
    while (!m_log.empty() && m_log.back().savePoint > savePoint) {
        LogEntry entry = std::move(m_log.back());
        m_log.pop_back();
        switch (entry.kind) {
        case LogEntry::Kind::Insert:
            Take(entry.index);
            m_live[entry.index] = 0;
            --m_liveCount;
            break;
        case LogEntry::Kind::Update:
            Put(entry.index, std::move(entry.before));
            break;
        case LogEntry::Kind::Remove:
            Put(entry.index, std::move(entry.before));
            m_live[entry.index] = 1;
            ++m_liveCount;
            break;
        }
        Changed(entry.index);
    }
    m_savePoint = savePoint;
    return true;
}

void RecordStore::MergeChangeLog()
{
    m_log.clear();
    m_logFloor = m_savePoint;
}

void RecordStore::Changed(RecordIndex index)
{
    ++m_version;
    if (m_journal.size() >= kJournalLimit) {
        m_journal.erase(m_journal.begin(), m_journal.begin() + ptrdiff_t(kJournalLimit / 2));
        m_journalFloor = m_journal.front().first - 1;
    }
    m_journal.emplace_back(m_version, index);
    Notify();
}

void RecordStore::Replaced()
{
    m_generation = NewGeneration();
    ++m_version;
    m_journal.clear();
    m_journalFloor = m_version;
    Notify();
}

bool RecordStore::ChangesSince(quint64 version, std::vector<RecordIndex>& changed) const
{
    changed.clear();
    if (version < m_journalFloor)
        return false;
    auto it = std::upper_bound(m_journal.begin(), m_journal.end(), version,
                               [](quint64 v, const auto& entry) { return v < entry.first; });
    for (; it != m_journal.end(); ++it)
        changed.push_back(it->second);
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    return true;
}

int RecordStore::AddObserver(Observer observer)
{
    m_observers.emplace_back(m_nextObserver, std::move(observer));
    return m_nextObserver++;
}

void RecordStore::RemoveObserver(int id)
{
    std::erase_if(m_observers, [id](const auto& entry) { return entry.first == id; });
}

void RecordStore::Notify()
{
    for (const auto& [id, observer] : m_observers)
        if (observer.changed)
            observer.changed();
}

void RecordStore::CancelPending()
{
    for (const auto& [id, observer] : m_observers)
        if (observer.cancelPending)
            observer.cancelPending();
}

int RecordStore::Compare(const std::vector<int>& fields, RecordIndex a, RecordIndex b) const
{
    const RecordView ra = At(a);
    const RecordView rb = At(b);
    for (int field : fields) {
        const Cell& ca = ra[size_t(field)];
        const Cell& cb = rb[size_t(field)];
        if (ca.IsNull() || cb.IsNull()) {
            if (ca.IsNull() != cb.IsNull())
                return ca.IsNull() ? -1 : 1;
            continue;
        }
        if (ca.IsText() && cb.IsText()) {
            const int c = m_collation.Compare(ca.Text(), cb.Text());
            if (c != 0)
                return c;
            continue;
        }
        if (ca.IsText() != cb.IsText())
            return ca.IsText() ? 1 : -1;
        if (ca.Number() != cb.Number())
            return ca.Number() < cb.Number() ? -1 : 1;
    }
    return a < b ? -1 : (a > b ? 1 : 0);
}

bool RecordStore::Less(const std::vector<int>& fields, RecordIndex a, RecordIndex b) const
{
    return Compare(fields, a, b) < 0;
}

const std::vector<RecordIndex>& RecordStore::Ordered(const std::vector<int>& fields)
{
    auto it = std::find_if(m_orderings.begin(), m_orderings.end(),
                           [&](const auto& ordering) { return ordering->fields == fields; });
    if (it == m_orderings.end()) {
        m_orderings.push_back(std::make_unique<Ordering>());
        m_orderings.back()->fields = fields;
        it = m_orderings.end() - 1;
    }
    Refresh(**it);
    return (*it)->ids;
}

void RecordStore::Refresh(Ordering& ordering)
{
    if (ordering.built && ordering.generation == m_generation && ordering.version == m_version)
        return;
    std::vector<RecordIndex> changed;
    if (!ordering.built || ordering.generation != m_generation ||
        !ChangesSince(ordering.version, changed) ||
        changed.size() > IncrementalLimit(ordering.ids.size())) {
        Rebuild(ordering);
        return;
    }
    UpdateOrderedRows(
        ordering.ids, changed, [this](RecordIndex index) { return IsLive(index); },
        [&](RecordIndex a, RecordIndex b) { return Compare(ordering.fields, a, b) < 0; });
    ordering.version = m_version;
}

// A full sort compares one byte key per record, made once: the fields' keys one after
// the other (no value before any value; numbers as biased big-endian bytes; text as its
// collation key), so that byte order is the records' order. The first eight bytes sit
// beside each record's place in the sort and settle most comparisons without a lookup.
void RecordStore::Rebuild(Ordering& ordering)
{
    const std::vector<RecordIndex> ids = InStoreOrder();
    struct Item
    {
        quint64 prefix;
        quint32 offset;
        quint32 length;
        RecordIndex index;
    };
    std::vector<std::uint8_t> keys;
    std::vector<Item> items;
    items.reserve(ids.size());
    for (RecordIndex index : ids) {
        const size_t start = keys.size();
        const RecordView record = At(index);
        for (int field : ordering.fields) {
            const Cell& cell = record[size_t(field)];
            if (cell.IsNull()) {
                keys.push_back(1);
            } else if (cell.IsText()) {
                keys.push_back(3);
                m_collation.AppendKey(cell.Text(), keys);
            } else {
                keys.push_back(2);
                const quint64 biased = quint64(cell.Number()) ^ (quint64(1) << 63);
                for (int shift = 56; shift >= 0; shift -= 8)
                    keys.push_back(std::uint8_t(biased >> shift));
            }
        }
        items.push_back({0, quint32(start), quint32(keys.size() - start), index});
    }
    for (Item& item : items) {
        quint64 prefix = 0;
        for (quint32 i = 0; i < 8; ++i)
            prefix = prefix << 8 | (i < item.length ? keys[item.offset + i] : 0);
        item.prefix = prefix;
    }
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const quint32 common = std::min(a.length, b.length);
        if (common > 8) {
            const int c = std::memcmp(&keys[a.offset + 8], &keys[b.offset + 8], common - 8);
            if (c != 0)
                return c < 0;
        }
        if (a.length != b.length)
            return a.length < b.length;
        return a.index < b.index;
    });
    ordering.ids.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        ordering.ids[i] = items[i].index;
    ordering.built = true;
    ordering.generation = m_generation;
    ordering.version = m_version;
}

RecordStore::ValueIndex& RecordStore::IndexOf(int field, bool folded)
{
    auto it = std::find_if(m_valueIndexes.begin(), m_valueIndexes.end(), [&](const auto& index) {
        return index->field == field && index->folded == folded;
    });
    if (it == m_valueIndexes.end()) {
        m_valueIndexes.push_back(std::make_unique<ValueIndex>());
        m_valueIndexes.back()->field = field;
        m_valueIndexes.back()->folded = folded;
        it = m_valueIndexes.end() - 1;
    }
    ValueIndex& index = **it;
    Refresh(index);
    return index;
}

QString RecordStore::TextKey(const ValueIndex& index, QStringView text)
{
    return index.folded ? FoldAsciiCase(text) : text.toString();
}

const std::vector<RecordIndex>& RecordStore::Matching(int field, const Cell& value)
{
    static const std::vector<RecordIndex> none;
    const ValueIndex& index = IndexOf(field, false);
    if (value.IsText()) {
        const auto found = index.texts.constFind(value.Text().toString());
        return found == index.texts.cend() ? none : *found;
    }
    if (value.IsNumber()) {
        const auto found = index.numbers.constFind(value.Number());
        return found == index.numbers.cend() ? none : *found;
    }
    return none;
}

const std::vector<RecordIndex>& RecordStore::MatchingIgnoringCase(int field, QStringView text)
{
    static const std::vector<RecordIndex> none;
    const ValueIndex& index = IndexOf(field, true);
    const auto found = index.texts.constFind(FoldAsciiCase(text));
    return found == index.texts.cend() ? none : *found;
}

void RecordStore::File(ValueIndex& index, RecordIndex record)
{
    const Cell& key = At(record)[size_t(index.field)];
    index.keyOf[record] = key;
    if (key.IsText())
        index.texts[TextKey(index, key.Text())].push_back(record);
    else if (key.IsNumber())
        index.numbers[key.Number()].push_back(record);
}

void RecordStore::Unfile(ValueIndex& index, RecordIndex record)
{
    Cell& key = index.keyOf[record];
    if (key.IsText()) {
        const auto found = index.texts.find(TextKey(index, key.Text()));
        if (found != index.texts.end()) {
            EraseValue(*found, record);
            if (found->empty())
                index.texts.erase(found);
        }
    } else if (key.IsNumber()) {
        const auto found = index.numbers.find(key.Number());
        if (found != index.numbers.end()) {
            EraseValue(*found, record);
            if (found->empty())
                index.numbers.erase(found);
        }
    }
    key = Cell();
}

void RecordStore::Refresh(ValueIndex& index)
{
    if (index.built && index.generation == m_generation && index.version == m_version)
        return;
    std::vector<RecordIndex> changed;
    if (!index.built || index.generation != m_generation || !ChangesSince(index.version, changed)) {
        index.texts.clear();
        index.numbers.clear();
        index.keyOf.assign(m_live.size(), Cell());
        for (RecordIndex record = 0; record < m_live.size(); ++record)
            if (m_live[record])
                File(index, record);
    } else {
        index.keyOf.resize(m_live.size());
        for (RecordIndex record : changed) {
            Unfile(index, record);
            if (IsLive(record))
                File(index, record);
        }
    }
    index.built = true;
    index.generation = m_generation;
    index.version = m_version;
}
