// Table files: one whole table (field definitions and records) as one SQLite database,
// written in one transaction beside the target and read with SQLite's defences on.
#pragma once

#include <QString>
#include <vector>

#include "storage/Cell.h"
#include "storage/FieldDef.h"

// The file holds two tables:
//   fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL, size INTEGER)
//     one row per field; positions run 0 to n-1 in table order; type is a FieldTypeName;
//     size is the text size of text fields and NULL for the other types;
//   records, one column per field, named as the field and in field order; integers and
//     booleans (0 or 1) are INTEGER, text and memo are UTF-8 TEXT, dates are TEXT
//     yyyy-mm-dd, no value is NULL; rows in store order by rowid.
// Field names are unique without regard to a-z case (as SQLite compares column names) and
// hold no control characters; integers fit in 32 bits; the database uses a rollback
// journal, never a write-ahead log.
struct TableContent
{
    FieldList fields;
    // The records side by side in file order, fields.Count() cells each, ready to become
    // a store's records without being copied again.
    std::vector<Cell> cells;

    size_t RecordCount() const
    {
        return fields.Count() ? cells.size() / size_t(fields.Count()) : 0;
    }
    RecordView At(size_t record) const
    {
        return RecordView(cells.data() + record * size_t(fields.Count()), size_t(fields.Count()));
    }
};

// Limits that every table file keeps; a file beyond them is not a table file.
inline constexpr int kMaxTableFields = 1000;
inline constexpr int kMaxFieldNameLength = 255;
inline constexpr int kMaxTextFieldSize = 65535;

// Writes the whole table in one transaction to a new file beside the target, and replaces
// an existing file only once the new one is complete. Throws DatabaseError.
void WriteTableFile(const QString& path, const FieldList& fields,
                    const std::vector<RecordView>& records);

// Reads a table file, which may come from anywhere; throws DatabaseError with a clear
// message for anything that is not a valid table file.
TableContent ReadTableFile(const QString& path);
