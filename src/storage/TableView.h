// A table view: a cursor over a record store with its own current record, filter,
// filter options and active index, the edit and insert states with a pending record,
// bookmarks, suspended display updates and the after-scroll event.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "storage/RecordFilter.h"
#include "storage/RecordStore.h"

class TableView;

enum class ViewState
{
    Browse,
    Edit,
    Insert
};

struct IndexDef
{
    QString name;
    QString fields; // field names joined by ";", e.g. "Yellow;Name"
};

// Names one record of a store for as long as the store's records are not replaced.
struct Bookmark
{
    quint64 generation = 0;
    RecordIndex index = 0;

    bool IsNull() const { return generation == 0; }
    bool operator==(const Bookmark&) const = default;
};

inline size_t qHash(const Bookmark& bookmark, size_t seed = 0)
{
    return ::qHash(quint64(bookmark.generation * 0x9E3779B97F4A7C15ull) ^ bookmark.index, seed);
}

// The rows selected in a list: bookmarks in the order they were added, with a fast test.
class BookmarkList
{
public:
    void Add(const Bookmark& bookmark);
    void Remove(const Bookmark& bookmark);
    bool Contains(const Bookmark& bookmark) const { return m_set.contains(bookmark); }
    void Clear();
    int Count() const { return int(m_items.size()); }
    const std::vector<Bookmark>& Items() const { return m_items; }

private:
    std::vector<Bookmark> m_items;
    QSet<Bookmark> m_set;
};

// One field of a view's current record (or of its pending record while editing).
class FieldRef
{
public:
    FieldRef(TableView& view, int field) : m_view(&view), m_field(field) {}

    QString Name() const;
    FieldType Type() const;
    int Index() const { return m_field; }
    bool IsNull() const;
    // int, bool, QDate or QString; invalid when the field has no value.
    QVariant Value() const;
    // Dates as "yyyy-mm-dd", booleans as "True"/"False", no value as empty text.
    QString AsString() const;
    int AsInteger() const;
    bool AsBoolean() const;
    QDate AsDate() const;
    // Only while the view is in edit or insert state; an invalid variant clears the field.
    void SetValue(const QVariant& value);
    void Clear() { SetValue({}); }

private:
    const Cell& Current() const;
    TableView* m_view;
    int m_field;
};

class TableView
{
public:
    explicit TableView(QString name = {});
    ~TableView();
    TableView(const TableView&) = delete;
    TableView& operator=(const TableView&) = delete;

    const QString& ObjectName() const { return m_name; }

    // A new empty store with these fields, shown by this view alone.
    void CreateDataSet(FieldList fields);
    // Points this view at the store of `source`. With keepSettings the view keeps its own
    // filter and index; otherwise it takes over the filter text, filter options, filtered
    // switch, index definitions and active index of `source`. The view moves to its first
    // record.
    void MakeViewFrom(const TableView& source, bool keepSettings);
    const std::shared_ptr<RecordStore>& Store() const { return m_store; }

    const FieldList& Fields() const { return m_store->Fields(); }
    int FieldCount() const { return Fields().Count(); }
    QStringList FieldNames() const { return Fields().Names(); }
    // Throws DatabaseError when the view's table has no such field.
    FieldRef FieldByName(QStringView name);
    int FieldIndex(QStringView name) const;

    // Navigation honours the filter. RecNo counts from 1 (0 when nothing is listed).
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;
    int RecNo() const;
    void SetRecNo(int recNo);
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    // The first listed record whose field equals the value exactly (case-sensitive)
    // becomes current; false leaves the current record where it was.
    bool Locate(QStringView field, const QVariant& value);

    // Rows of the view by position (from 0), for displays that show many rows at once.
    RecordView RowRecord(int row) const;
    Bookmark RowBookmark(int row) const;
    int RowOfBookmark(const Bookmark& bookmark) const; // -1 when not listed

    ViewState State() const { return m_state; }
    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Stores a complete record from values in field order (missing values are none) and
    // makes it current.
    void AppendRecord(const QVariantList& values);
    void EmptyDataSet();

    void SetFilter(const QString& text);
    const QString& Filter() const { return m_filterText; }
    void SetFiltered(bool on);
    bool Filtered() const { return m_filtered; }
    void SetFilterCaseInsensitive(bool on);
    bool FilterCaseInsensitive() const { return m_caseInsensitive; }

    void AddIndexDef(const QString& name, const QString& fields);
    void ClearIndexDefs();
    const std::vector<IndexDef>& IndexDefs() const { return m_indexDefs; }
    void SetIndexName(const QString& name);
    const QString& IndexName() const { return m_indexName; }
    // Checks the index definitions against the table's fields again (after a load);
    // throws DatabaseError naming a missing field.
    void RefreshIndexDefs();

    void SetLogChanges(bool on) { m_store->SetLogChanges(on); }
    bool LogChanges() const { return m_store->LogChanges(); }
    int SavePoint() const { return m_store->SavePoint(); }
    // Cancels any pending edit and undoes the changes after the savepoint.
    bool RollbackTo(int savePoint) { return m_store->RollbackTo(savePoint); }
    void MergeChangeLog() { m_store->MergeChangeLog(); }
    int ChangeCount() const { return m_store->ChangeCount(); }

    // The whole table, whatever the filter; throws DatabaseError.
    void SaveToFile(const QString& path);
    // Gives this view a new store holding the file's fields and records; other views go on
    // showing the old store until they are made from this one. Fails with DatabaseError,
    // keeping the old store, when an index definition of this view names a field the file
    // lacks.
    void LoadFromFile(const QString& path);
    // Points this view at a store again, keeping its settings (undoing a failed load).
    void UseStore(std::shared_ptr<RecordStore> store);

    Bookmark GetBookmark() const;
    bool GotoBookmark(const Bookmark& bookmark);
    bool BookmarkValid(const Bookmark& bookmark) const { return RowOfBookmark(bookmark) >= 0; }

    // Bound displays are not told of changes between these; EnableControls tells them
    // once of what happened meanwhile.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disabled > 0; }
    // Told when the listed rows or their values may have changed.
    void SetOnDataChanged(std::function<void()> handler) { m_onDataChanged = std::move(handler); }
    // Raised whenever the view's current record changes.
    void SetAfterScroll(std::function<void(TableView&)> handler)
    {
        m_afterScroll = std::move(handler);
    }

private:
    friend class FieldRef;

    void Attach(std::shared_ptr<RecordStore> store);
    void Detach();
    void Sync() const;
    void Rebuild() const;
    void Compile() const;
    bool Passes(RecordView record) const;
    bool Before(RecordIndex a, RecordIndex b) const;
    void MoveTo(int row);
    void CheckBrowse();
    void DataChanged();
    void CancelPending();
    const Cell& CurrentCell(int field) const;

    QString m_name;
    std::shared_ptr<RecordStore> m_store;
    int m_observer = 0;

    QString m_filterText;
    bool m_filtered = false;
    bool m_caseInsensitive = false;
    std::vector<IndexDef> m_indexDefs;
    QString m_indexName;

    // Derived from the settings and the store; rebuilt on demand.
    mutable RecordFilter m_filter;
    mutable std::vector<int> m_indexFields;
    mutable quint64 m_compiledGeneration = 0;
    mutable std::vector<RecordIndex> m_rows;
    mutable quint64 m_rowsVersion = 0;
    mutable quint64 m_rowsGeneration = 0;
    mutable bool m_rowsValid = false;
    mutable int m_row = -1;            // current row, -1 when nothing is listed
    mutable RecordIndex m_current = 0; // its record, to find it again after changes
    mutable bool m_hasCurrent = false;
    bool m_bof = true;
    bool m_eof = true;

    ViewState m_state = ViewState::Browse;
    Record m_pending;

    int m_disabled = 0;
    bool m_changedWhileDisabled = false;
    std::function<void()> m_onDataChanged;
    std::function<void(TableView&)> m_afterScroll;
};
