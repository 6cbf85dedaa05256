// A record store: the field definitions and records of one table, its change log with
// savepoints, the orderings and value indexes its views use, and a journal of changes
// from which every view of the store brings its own rows up to date.
#pragma once

#include <QHash>
#include <functional>
#include <memory>
#include <vector>

#include "storage/Cell.h"
#include "storage/Collation.h"
#include "storage/FieldDef.h"

using RecordIndex = quint32;

class RecordStore
{
public:
    explicit RecordStore(FieldList fields = {});
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    const FieldList& Fields() const { return m_fields; }
    // Changes whenever the records are replaced wholesale (load, empty): bookmarks and
    // record indexes of an older generation no longer name anything. Generations are
    // unique across all stores, so a bookmark never names a record of another store.
    quint64 Generation() const { return m_generation; }
    // Grows with every change of any kind; views compare it with what they last saw.
    quint64 Version() const { return m_version; }

    int LiveCount() const { return m_liveCount; }
    RecordIndex SlotCount() const { return RecordIndex(m_live.size()); }
    bool IsLive(RecordIndex index) const { return index < m_live.size() && m_live[index]; }
    RecordView At(RecordIndex index) const
    {
        return RecordView(m_cells.data() + size_t(index) * Width(), Width());
    }
    // Live records in the order they were stored.
    std::vector<RecordIndex> InStoreOrder() const;

    // Each stored change raises the savepoint by one and is logged while logging is on.
    RecordIndex Insert(Record record);
    void Update(RecordIndex index, Record record);
    void Remove(RecordIndex index);
    // Removes every record, keeping the field definitions.
    void Empty();
    // Replaces the field definitions and all records (a table file was loaded): `cells`
    // holds the records side by side, fields.Count() cells each.
    void Replace(FieldList fields, std::vector<Cell> cells);

    int SavePoint() const { return m_savePoint; }
    bool LogChanges() const { return m_logChanges; }
    void SetLogChanges(bool on) { m_logChanges = on; }
    // Undoes every logged change made after the savepoint. False, with nothing undone,
    // when a change after it was not logged or the log was merged since.
    bool RollbackTo(int savePoint);
    // The current data become the base; the log is emptied.
    void MergeChangeLog();
    int ChangeCount() const { return int(m_log.size()); }

    // Live records ordered by the fields (ascending; text by the locale's collation with
    // case as the tie-breaker; no value first; equal keys in store order).
    const std::vector<RecordIndex>& Ordered(const std::vector<int>& fields);
    bool Less(const std::vector<int>& fields, RecordIndex a, RecordIndex b) const;

    // Live records whose field holds exactly this value, through a hash index kept for
    // the field from its first use.
    const std::vector<RecordIndex>& Matching(int field, const Cell& value);
    // Live records whose text field equals the text with a to z folded, through a second
    // hash index of folded texts kept for the field from its first use.
    const std::vector<RecordIndex>& MatchingIgnoringCase(int field, QStringView text);

    // Record indexes changed after `version` (each once), or false when the journal no
    // longer reaches back that far and the caller must rebuild from scratch.
    bool ChangesSince(quint64 version, std::vector<RecordIndex>& changed) const;

    // Observers: views are told of every change (to refresh displays) and of rollbacks
    // and replacements (which cancel their pending edits).
    struct Observer
    {
        std::function<void()> changed;
        std::function<void()> cancelPending;
    };
    int AddObserver(Observer observer);
    void RemoveObserver(int id);

private:
    struct LogEntry
    {
        enum class Kind
        {
            Insert,
            Update,
            Remove
        } kind;
        RecordIndex index;
        Record before; // Update and Remove: the record as it was
        int savePoint; // the savepoint this change raised the store to
    };
    struct Ordering
    {
        std::vector<int> fields;
        std::vector<RecordIndex> ids;
        quint64 version = 0;
        quint64 generation = 0;
        bool built = false;
    };
    struct ValueIndex
    {
        int field = -1;
        bool folded = false;     // texts filed with a to z folded
        std::vector<Cell> keyOf; // per record index: the value it is filed under
        QHash<QString, std::vector<RecordIndex>> texts;
        QHash<qint64, std::vector<RecordIndex>> numbers;
        quint64 version = 0;
        quint64 generation = 0;
        bool built = false;
    };

    void Changed(RecordIndex index);
    void Replaced();
    void Log(LogEntry entry);
    void Notify();
    void CancelPending();
    int Compare(const std::vector<int>& fields, RecordIndex a, RecordIndex b) const;
    void Rebuild(Ordering& ordering);
    void Refresh(Ordering& ordering);
    void File(ValueIndex& index, RecordIndex record);
    void Unfile(ValueIndex& index, RecordIndex record);
    void Refresh(ValueIndex& index);
    ValueIndex& IndexOf(int field, bool folded);
    static QString TextKey(const ValueIndex& index, QStringView text);

    size_t Width() const { return size_t(m_fields.Count()); }
    void Put(RecordIndex index, Record record);
    Record Take(RecordIndex index);

    FieldList m_fields;
    // All records side by side, one slot of Width() cells each, so that a scan over the
    // records reads memory in order; a removed record leaves an empty, dead slot.
    std::vector<Cell> m_cells;
    std::vector<char> m_live;
    int m_liveCount = 0;
    quint64 m_generation;
    quint64 m_version = 0;

    std::vector<LogEntry> m_log;
    bool m_logChanges = true;
    int m_savePoint = 0;
    int m_logFloor = 0; // the earliest savepoint that can still be rolled back to

    std::vector<std::pair<quint64, RecordIndex>> m_journal;
    quint64 m_journalFloor = 0; // changes after this version are all in the journal

    std::vector<std::unique_ptr<Ordering>> m_orderings;
    std::vector<std::unique_ptr<ValueIndex>> m_valueIndexes;
    Collation m_collation;

    std::vector<std::pair<int, Observer>> m_observers;
    int m_nextObserver = 1;
};
