// Table files over SQLite: the writer that builds the database at a temporary name and
// renames it over the target, and the reader that treats every file as untrusted input.
#include "storage/TableFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <system_error>

#include "storage/DatabaseError.h"

namespace {

// No single value (a memo, in practice) may be larger; the same limit holds for writing
// and reading, so that every file written can be read back.
constexpr int kMaxValueBytes = 64 * 1024 * 1024;

// VM steps a read may take per byte of the file before it is given up. A sound file
// needs a few per byte; the budget only stops a hostile file that makes the reader work
// far beyond its size.
constexpr qint64 kStepsPerFileByte = 64;
constexpr qint64 kBaseSteps = 10'000'000;
constexpr int kStepsPerProgressCall = 1000;

QString FileLabel(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

[[noreturn]] void ThrowInvalid(const QString& path, const QString& reason)
{
    throw DatabaseError(
        QStringLiteral("Table file '%1' is not a valid table: %2.").arg(FileLabel(path), reason));
}

[[noreturn]] void ThrowUnwritable(const QString& path, const QString& reason)
{
    throw DatabaseError(
        QStringLiteral("Table file '%1' cannot be written: %2.").arg(FileLabel(path), reason));
}

// Owns one connection; closing it finalizes nothing, so statements must go first.
class Database
{
public:
    Database() = default;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database() { Close(); }

    sqlite3*& Handle() { return m_db; }
    sqlite3* Get() const { return m_db; }
    // Closes the connection and reports whether the file was closed cleanly.
    bool Close()
    {
        const int rc = m_db ? sqlite3_close(m_db) : SQLITE_OK;
        m_db = nullptr;
        return rc == SQLITE_OK;
    }

private:
    sqlite3* m_db = nullptr;
};

class Statement
{
public:
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(m_stmt); }

    sqlite3_stmt*& Handle() { return m_stmt; }
    sqlite3_stmt* Get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

QString SqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

QString QuoteIdentifier(QStringView name)
{
    QString quoted;
    quoted.reserve(name.size() + 2);
    quoted += u'"';
    for (QChar c : name) {
        if (c == u'"')
            quoted += u'"';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

QString QuoteName(QStringView name)
{
    return QLatin1Char('\'') + name.toString() + QLatin1Char('\'');
}

// The rules every field list of a table file keeps, for writing and reading alike; a
// description of the first rule broken, or nothing.
std::optional<QString> FieldListProblem(const std::vector<FieldDef>& defs)
{
    if (defs.empty())
        return QStringLiteral("it has no fields");
    if (defs.size() > size_t(kMaxTableFields))
        return QStringLiteral("it has more than %1 fields").arg(kMaxTableFields);
    QSet<QString> seen;
    for (size_t i = 0; i < defs.size(); ++i) {
        const FieldDef& def = defs[i];
        if (def.name.isEmpty())
            return QStringLiteral("field %1 has no name").arg(i + 1);
        if (def.name.size() > kMaxFieldNameLength)
            return QStringLiteral("the name of field %1 is longer than %2 characters")
                .arg(i + 1)
                .arg(kMaxFieldNameLength);
        for (QChar c : def.name)
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                return QStringLiteral("the name of field %1 holds a control character").arg(i + 1);
        // SQLite, like the field lookup, matches column names without regard to a-z case.
        const QString folded = FoldAsciiCase(def.name);
        if (seen.contains(folded))
            return QStringLiteral("the field name %1 occurs twice").arg(QuoteName(def.name));
        seen.insert(folded);
        if (def.type == FieldType::Text) {
            if (def.size < 1 || def.size > kMaxTextFieldSize)
                return QStringLiteral("text field %1 has size %2, not 1 to %3")
                    .arg(QuoteName(def.name))
                    .arg(def.size)
                    .arg(kMaxTextFieldSize);
        } else if (def.size != 0) {
            return QStringLiteral("field %1 is not a text field but has a size")
                .arg(QuoteName(def.name));
        }
    }
    return std::nullopt;
}

QString ColumnType(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
    case FieldType::Boolean:
        return QStringLiteral("INTEGER");
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Date:
        return QStringLiteral("TEXT");
    }
    return {};
}

// Dates are Julian day numbers in a cell and yyyy-mm-dd in the file; only years 1 to 9999
// have that form.
constexpr int kDateLength = 10;

bool FormatDate(qint64 julianDay, char* out)
{
    const QDate date = QDate::fromJulianDay(julianDay);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return false;
    auto put = [&out](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i) {
            out[i] = char('0' + value % 10);
            value /= 10;
        }
        out += digits;
    };
    put(date.year(), 4);
    *out++ = '-';
    put(date.month(), 2);
    *out++ = '-';
    put(date.day(), 2);
    return true;
}

std::optional<qint64> ParseDate(const unsigned char* text, int bytes)
{
    if (bytes != kDateLength || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    auto number = [text](int from, int digits) {
        int value = 0;
        for (int i = from; i < from + digits; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 1 || month < 0 || day < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date.toJulianDay();
}

// ---- writing ----

// Removes the temporary file unless the finished file took the target's place.
class TemporaryFileGuard
{
public:
    explicit TemporaryFileGuard(QString path) : m_path(std::move(path)) {}
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;
    ~TemporaryFileGuard()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    void Release() { m_path.clear(); }

private:
    QString m_path;
};

class TableWriter
{
public:
    TableWriter(const QString& targetPath, const FieldList& fields)
        : m_target(targetPath), m_fields(fields)
    {}

    void Write(const QString& tempPath, const std::vector<RecordView>& records)
    {
        Open(tempPath);
        // The file is private until renamed, so it needs no journal: a failure discards it
        // whole. The one sync at commit puts the data on disk before the file can replace
        // the target. Large pages halve the writing work of a big table.
        Exec("PRAGMA page_size=16384");
        Exec("PRAGMA journal_mode=OFF");
        Exec("PRAGMA synchronous=NORMAL");
        Exec("PRAGMA locking_mode=EXCLUSIVE");
        Exec("BEGIN");
        CreateTables();
        WriteFields();
        WriteRecords(records);
        Exec("COMMIT");
        m_insert.reset();
        if (!m_db.Close())
            ThrowUnwritable(m_target, QStringLiteral("the new file could not be closed"));
    }

private:
    void Open(const QString& tempPath)
    {
        const int rc = sqlite3_open_v2(
            tempPath.toUtf8().constData(), &m_db.Handle(),
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK)
            Fail();
        sqlite3_limit(m_db.Get(), SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    }

    [[noreturn]] void Fail() { ThrowUnwritable(m_target, SqliteMessage(m_db.Get())); }

    void Exec(const char* sql)
    {
        if (sqlite3_exec(m_db.Get(), sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail();
    }

    void Prepare(const QString& sql, Statement& statement)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db.Get(), utf8.constData(), int(utf8.size()), &statement.Handle(),
                               nullptr) != SQLITE_OK)
            Fail();
    }

    // A value the statement did not take must not be stored as no value.
    void Bind(int rc)
    {
        if (rc != SQLITE_OK)
            Fail();
    }

    void Step(sqlite3_stmt* statement)
    {
        if (sqlite3_step(statement) != SQLITE_DONE)
            Fail();
        sqlite3_reset(statement);
    }

    void CreateTables()
    {
        Exec("CREATE TABLE fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
             "type TEXT NOT NULL, size INTEGER)");
        QString sql = QStringLiteral("CREATE TABLE records(");
        for (int i = 0; i < m_fields.Count(); ++i) {
            if (i > 0)
                sql += QLatin1String(", ");
            sql += QuoteIdentifier(m_fields.At(i).name) + u' ' + ColumnType(m_fields.At(i).type);
        }
        sql += u')';
        const QByteArray utf8 = sql.toUtf8();
        Exec(utf8.constData());
    }

    void WriteFields()
    {
        Statement insert;
        Prepare(QStringLiteral("INSERT INTO fields(position, name, type, size) VALUES(?, ?, ?, ?)"),
                insert);
        for (int i = 0; i < m_fields.Count(); ++i) {
            const FieldDef& def = m_fields.At(i);
            const QByteArray name = def.name.toUtf8();
            const QByteArray type = FieldTypeName(def.type).toUtf8();
            Bind(sqlite3_bind_int(insert.Get(), 1, i));
            Bind(sqlite3_bind_text(insert.Get(), 2, name.constData(), int(name.size()),
                                   SQLITE_STATIC));
            Bind(sqlite3_bind_text(insert.Get(), 3, type.constData(), int(type.size()),
                                   SQLITE_STATIC));
            Bind(def.type == FieldType::Text ? sqlite3_bind_int(insert.Get(), 4, def.size)
                                             : sqlite3_bind_null(insert.Get(), 4));
            Step(insert.Get());
        }
    }

    [[noreturn]] void FailCell(size_t record, int field, const char* problem)
    {
        ThrowUnwritable(m_target, QStringLiteral("field %1 of record %2 %3")
                                      .arg(QuoteName(m_fields.At(field).name))
                                      .arg(record + 1)
                                      .arg(QLatin1String(problem)));
    }

    void WriteRecords(const std::vector<RecordView>& records)
    {
        m_insert = std::make_unique<Statement>();
        QString sql = QStringLiteral("INSERT INTO records VALUES(");
        for (int i = 0; i < m_fields.Count(); ++i)
            sql += i == 0 ? QLatin1String("?") : QLatin1String(", ?");
        sql += u')';
        Prepare(sql, *m_insert);
        sqlite3_stmt* insert = m_insert->Get();

        const int fieldCount = m_fields.Count();
        QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        std::vector<char> buffer;
        for (size_t r = 0; r < records.size(); ++r) {
            const RecordView record = records[r];
            if (record.size() != size_t(fieldCount))
                ThrowUnwritable(m_target, QStringLiteral("record %1 has %2 values for %3 fields")
                                              .arg(r + 1)
                                              .arg(record.size())
                                              .arg(fieldCount));
            // Every text of the row is encoded into one buffer that stays put until the
            // row is stored, so the statement can use the bytes without copying them.
            qsizetype needed = 0;
            for (int f = 0; f < fieldCount; ++f) {
                const Cell& cell = record[size_t(f)];
                if (cell.IsText())
                    needed += encoder.requiredSpace(cell.Text().size());
                else if (cell.IsNumber() && m_fields.At(f).type == FieldType::Date)
                    needed += kDateLength;
            }
            if (buffer.size() < size_t(needed))
                buffer.resize(size_t(needed));
            char* out = buffer.data();

            for (int f = 0; f < fieldCount; ++f) {
                const Cell& cell = record[size_t(f)];
                const int param = f + 1;
                if (cell.IsNull()) {
                    Bind(sqlite3_bind_null(insert, param));
                    continue;
                }
                switch (m_fields.At(f).type) {
                case FieldType::Integer:
                    if (!cell.IsNumber())
                        FailCell(r, f, "holds text, not an integer");
                    if (cell.Number() < std::numeric_limits<qint32>::min() ||
                        cell.Number() > std::numeric_limits<qint32>::max())
                        FailCell(r, f, "holds an integer beyond 32 bits");
                    Bind(sqlite3_bind_int64(insert, param, cell.Number()));
                    break;
                case FieldType::Boolean:
                    if (!cell.IsNumber() || (cell.Number() != 0 && cell.Number() != 1))
                        FailCell(r, f, "holds a value that is not a boolean");
                    Bind(sqlite3_bind_int(insert, param, int(cell.Number())));
                    break;
                case FieldType::Date:
                    if (!cell.IsNumber() || !FormatDate(cell.Number(), out))
                        FailCell(r, f, "holds a value that is not a date from year 1 to 9999");
                    Bind(sqlite3_bind_text(insert, param, out, kDateLength, SQLITE_STATIC));
                    out += kDateLength;
                    break;
                case FieldType::Text:
                case FieldType::Memo: {
                    if (!cell.IsText())
                        FailCell(r, f, "holds a number, not text");
                    if (cell.Text().size() > kMaxValueBytes)
                        FailCell(r, f, "holds a text too long for a table file");
                    char* end = encoder.appendToBuffer(out, cell.Text());
                    Bind(sqlite3_bind_text(insert, param, out, int(end - out), SQLITE_STATIC));
                    out = end;
                    break;
                }
                }
            }
            Step(insert);
        }
    }

    const QString& m_target;
    const FieldList& m_fields;
    Database m_db;
    std::unique_ptr<Statement> m_insert;
};

// ---- reading ----

// The start of every SQLite database file: its magic text (with the final zero), and
// the two format version bytes, 1 for rollback journal files and 2 for write-ahead logs.
constexpr char kMagic[] = "SQLite format 3";
constexpr qint64 kHeaderSize = 100;
constexpr int kVersionOffset = 18;

class TableReader
{
public:
    explicit TableReader(const QString& path) : m_path(path) {}

    TableContent Read(qint64 fileSize)
    {
        Open(fileSize);
        TableContent content;
        content.fields = ReadFields();
        content.cells = ReadRecords(content.fields);
        return content;
    }

private:
    [[noreturn]] void Invalid(const QString& reason) { ThrowInvalid(m_path, reason); }

    [[noreturn]] void SqliteFailure(int rc)
    {
        switch (rc & 0xff) {
        case SQLITE_NOTADB:
            Invalid(QStringLiteral("it is not a database file"));
        case SQLITE_CORRUPT:
            Invalid(QStringLiteral("the file is damaged"));
        case SQLITE_INTERRUPT:
            Invalid(QStringLiteral("reading it takes far more work than its size allows"));
        case SQLITE_NOMEM:
            Invalid(QStringLiteral("it does not fit in memory"));
        case SQLITE_READONLY:
            // Only an unfinished change that another program left behind in a journal
            // beside the file makes a read try to write.
            Invalid(QStringLiteral("another program left an unfinished change to it"));
        case SQLITE_TOOBIG:
            Invalid(QStringLiteral("it is damaged or holds a value larger than %1 MiB")
                        .arg(kMaxValueBytes / (1024 * 1024)));
        default:
            Invalid(SqliteMessage(m_db.Get()));
        }
    }

    static int StopWhenSpent(void* budget) { return --*static_cast<qint64*>(budget) < 0 ? 1 : 0; }

    void Open(qint64 fileSize)
    {
        // A plain path, never a URI: a file name cannot switch on options of its own. The
        // connection serves this one call, so it needs no locking of its own.
        int rc = sqlite3_open_v2(m_path.toUtf8().constData(), &m_db.Handle(),
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK)
            SqliteFailure(rc);
        sqlite3* db = m_db.Get();
        // The schema in the file is not ours: it may not run triggers or views, use
        // functions that have side effects, or write anything.
        const int options[] = {
            SQLITE_DBCONFIG_DEFENSIVE,      1, SQLITE_DBCONFIG_TRUSTED_SCHEMA,        0,
            SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, SQLITE_DBCONFIG_ENABLE_VIEW,           0,
            SQLITE_DBCONFIG_DQS_DML,        0, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0};
        for (size_t i = 0; i < std::size(options); i += 2)
            if (sqlite3_db_config(db, options[i], options[i + 1], nullptr) != SQLITE_OK)
                Invalid(QStringLiteral("the database engine refused a safety setting"));
        sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
        sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
        m_stepBudget = (kBaseSteps + fileSize * kStepsPerFileByte) / kStepsPerProgressCall;
        sqlite3_progress_handler(db, kStepsPerProgressCall, &TableReader::StopWhenSpent,
                                 &m_stepBudget);
    }

    void Prepare(const QString& sql, Statement& statement)
    {
        const QByteArray utf8 = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(m_db.Get(), utf8.constData(), int(utf8.size()),
                                          &statement.Handle(), nullptr);
        if (rc != SQLITE_OK)
            SqliteFailure(rc);
    }

    // Steps to the next row: true on a row, false at the end.
    bool Next(sqlite3_stmt* statement)
    {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            SqliteFailure(rc);
        return false;
    }

    QString TextColumn(sqlite3_stmt* statement, int column)
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
    }

    // The table must be an ordinary stored table, whose columns are plain stored values:
    // no view, virtual table or computed column, whose reading would run the file's code.
    QStringList CheckTable(const char* table)
    {
        const QString name = QString::fromLatin1(table);
        Statement schema;
        Prepare(QStringLiteral("SELECT type, rootpage FROM main.sqlite_schema "
                               "WHERE name = ?1 COLLATE NOCASE AND type IN ('table', 'view')"),
                schema);
        sqlite3_bind_text(schema.Get(), 1, table, -1, SQLITE_STATIC);
        if (!Next(schema.Get()))
            Invalid(QStringLiteral("it has no %1 table").arg(name));
        if (TextColumn(schema.Get(), 0) != QLatin1String("table") ||
            sqlite3_column_type(schema.Get(), 1) != SQLITE_INTEGER ||
            sqlite3_column_int64(schema.Get(), 1) <= 0)
            Invalid(QStringLiteral("its %1 table is not a stored table").arg(name));

        Statement columns;
        Prepare(QStringLiteral("SELECT name, hidden FROM pragma_table_xinfo(?1, 'main') "
                               "ORDER BY cid"),
                columns);
        sqlite3_bind_text(columns.Get(), 1, table, -1, SQLITE_STATIC);
        QStringList names;
        while (Next(columns.Get())) {
            if (sqlite3_column_int64(columns.Get(), 1) != 0)
                Invalid(QStringLiteral("its %1 table has computed columns").arg(name));
            if (names.size() > kMaxTableFields)
                Invalid(QStringLiteral("its %1 table has more than %2 columns")
                            .arg(name)
                            .arg(kMaxTableFields));
            names << TextColumn(columns.Get(), 0);
        }
        return names;
    }

    FieldList ReadFields()
    {
        const QStringList columns = CheckTable("fields");
        const QStringList expected = {QStringLiteral("position"), QStringLiteral("name"),
                                      QStringLiteral("type"), QStringLiteral("size")};
        bool same = columns.size() == expected.size();
        for (qsizetype i = 0; same && i < columns.size(); ++i)
            same = FoldAsciiCase(columns[i]) == expected[i];
        if (!same)
            Invalid(QStringLiteral("its fields table does not have the columns position, name, "
                                   "type and size"));

        Statement select;
        Prepare(QStringLiteral("SELECT position, name, type, size FROM main.fields "
                               "ORDER BY position"),
                select);
        sqlite3_stmt* row = select.Get();
        std::vector<FieldDef> defs;
        while (Next(row)) {
            const int index = int(defs.size());
            if (index == kMaxTableFields)
                Invalid(QStringLiteral("it has more than %1 fields").arg(kMaxTableFields));
            if (sqlite3_column_type(row, 0) != SQLITE_INTEGER ||
                sqlite3_column_int64(row, 0) != index)
                Invalid(QStringLiteral("the field positions do not run from 0 without gaps"));
            if (sqlite3_column_type(row, 1) != SQLITE_TEXT)
                Invalid(QStringLiteral("field %1 has no name").arg(index + 1));
            FieldDef def;
            def.name = TextColumn(row, 1);
            const QString typeName =
                sqlite3_column_type(row, 2) == SQLITE_TEXT ? TextColumn(row, 2) : QString();
            const std::optional<FieldType> type = FieldTypeFromName(typeName);
            if (!type)
                Invalid(QStringLiteral("field %1 has the unknown type %2")
                            .arg(QuoteName(def.name), QuoteName(typeName.left(20))));
            def.type = *type;
            const int sizeType = sqlite3_column_type(row, 3);
            if (sizeType == SQLITE_INTEGER) {
                const qint64 size = sqlite3_column_int64(row, 3);
                if (size < 0 || size > kMaxTextFieldSize)
                    Invalid(QStringLiteral("field %1 has size %2, not 1 to %3")
                                .arg(QuoteName(def.name))
                                .arg(size)
                                .arg(kMaxTextFieldSize));
                def.size = int(size);
            } else if (sizeType != SQLITE_NULL) {
                Invalid(QStringLiteral("field %1 has a size that is not a number")
                            .arg(QuoteName(def.name)));
            }
            defs.push_back(std::move(def));
        }
        if (const std::optional<QString> problem = FieldListProblem(defs))
            Invalid(*problem);
        return FieldList(std::move(defs));
    }

    [[noreturn]] void InvalidCell(const FieldList& fields, int field, size_t record,
                                  const char* problem)
    {
        Invalid(QStringLiteral("field %1 of record %2 %3")
                    .arg(QuoteName(fields.At(field).name))
                    .arg(record + 1)
                    .arg(QLatin1String(problem)));
    }

    // The number of records, so that their cells are allocated once; a count beyond what
    // the file could hold is not believed.
    size_t CountRecords()
    {
        Statement count;
        Prepare(QStringLiteral("SELECT count(*) FROM main.records"), count);
        if (!Next(count.Get()))
            return 0;
        const qint64 records = sqlite3_column_int64(count.Get(), 0);
        return records > 0 && records < (qint64(1) << 24) ? size_t(records) : 0;
    }

    std::vector<Cell> ReadRecords(const FieldList& fields)
    {
        const QStringList columns = CheckTable("records");
        const int fieldCount = fields.Count();
        bool same = columns.size() == fieldCount;
        for (int i = 0; same && i < fieldCount; ++i)
            same = FoldAsciiCase(columns[i]) == FoldAsciiCase(fields.At(i).name);
        if (!same)
            Invalid(QStringLiteral("the columns of its records table are not its %1 fields "
                                   "in order")
                        .arg(fieldCount));

        QString sql = QStringLiteral("SELECT ");
        for (int i = 0; i < fieldCount; ++i) {
            if (i > 0)
                sql += QLatin1String(", ");
            sql += QuoteIdentifier(fields.At(i).name);
        }
        sql += QLatin1String(" FROM main.records");
        // A field may be named like the row id; any of its three names that no field
        // takes orders the rows. Were all three taken, a plain scan of a table with row
        // ids still visits them in row id order.
        for (const char* rowId : {"rowid", "_rowid_", "oid"}) {
            if (fields.IndexOf(QString::fromLatin1(rowId)) < 0) {
                sql += QLatin1String(" ORDER BY ") + QLatin1String(rowId);
                break;
            }
        }
        Statement select;
        Prepare(sql, select);
        sqlite3_stmt* row = select.Get();

        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        std::vector<QChar> buffer;
        std::vector<Cell> cells;
        cells.reserve(CountRecords() * size_t(fieldCount));
        size_t r = 0;
        while (Next(row)) {
            for (int f = 0; f < fieldCount; ++f) {
                const int storage = sqlite3_column_type(row, f);
                if (storage == SQLITE_NULL) {
                    cells.emplace_back();
                    continue;
                }
                switch (fields.At(f).type) {
                case FieldType::Integer: {
                    if (storage != SQLITE_INTEGER)
                        InvalidCell(fields, f, r, "holds a value that is not an integer");
                    const qint64 value = sqlite3_column_int64(row, f);
                    if (value < std::numeric_limits<qint32>::min() ||
                        value > std::numeric_limits<qint32>::max())
                        InvalidCell(fields, f, r, "holds an integer beyond 32 bits");
                    cells.push_back(Cell::FromNumber(value));
                    break;
                }
                case FieldType::Boolean: {
                    if (storage != SQLITE_INTEGER)
                        InvalidCell(fields, f, r, "holds a value that is not a boolean (0 or 1)");
                    const qint64 value = sqlite3_column_int64(row, f);
                    if (value != 0 && value != 1)
                        InvalidCell(fields, f, r, "holds a value that is not a boolean (0 or 1)");
                    cells.push_back(Cell::FromNumber(value));
                    break;
                }
                case FieldType::Date: {
                    if (storage != SQLITE_TEXT)
                        InvalidCell(fields, f, r, "holds a value that is not a date (yyyy-mm-dd)");
                    const std::optional<qint64> day =
                        ParseDate(sqlite3_column_text(row, f), sqlite3_column_bytes(row, f));
                    if (!day)
                        InvalidCell(fields, f, r, "holds a value that is not a date (yyyy-mm-dd)");
                    cells.push_back(Cell::FromNumber(*day));
                    break;
                }
                case FieldType::Text:
                case FieldType::Memo: {
                    if (storage != SQLITE_TEXT)
                        InvalidCell(fields, f, r, "holds a value that is not text");
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, f));
                    const int bytes = sqlite3_column_bytes(row, f);
                    const size_t space = size_t(decoder.requiredSpace(bytes));
                    if (buffer.size() < space)
                        buffer.resize(space);
                    const QChar* end =
                        decoder.appendToBuffer(buffer.data(), QByteArrayView(text, bytes));
                    cells.push_back(Cell::FromText(QStringView(buffer.data(), end)));
                    break;
                }
                }
            }
            ++r;
        }
        return cells;
    }

    const QString& m_path;
    Database m_db;
    qint64 m_stepBudget = 0;
};

// The database header is checked before the engine sees the file. A file in write-ahead
// log mode is refused: its content may lie partly in another file, and even reading it
// would create files beside it.
void CheckHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("Table file '%1' cannot be read: %2.")
                                .arg(FileLabel(path), file.errorString()));
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() < kHeaderSize || !header.startsWith(QByteArrayView(kMagic, sizeof kMagic)))
        ThrowInvalid(path, QStringLiteral("it is not a database file"));
    const char writeVersion = header[kVersionOffset], readVersion = header[kVersionOffset + 1];
    if (writeVersion == 2 || readVersion == 2)
        ThrowInvalid(path, QStringLiteral("it is in write-ahead log mode"));
    if (writeVersion != 1 || readVersion != 1)
        ThrowInvalid(path, QStringLiteral("it is not a database file"));
}

} // namespace

void WriteTableFile(const QString& path, const FieldList& fields,
                    const std::vector<RecordView>& records)
{
    if (const std::optional<QString> problem = FieldListProblem(fields.Defs()))
        ThrowUnwritable(path, *problem);

    // The new file is made beside the target so that the rename stays on one file system.
    QTemporaryFile temp(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    temp.setAutoRemove(false);
    if (!temp.open())
        ThrowUnwritable(
            path,
            QStringLiteral("no new file can be made in its folder (%1)").arg(temp.errorString()));
    const QString tempPath = temp.fileName();
    temp.close();
    TemporaryFileGuard guard(tempPath);

    TableWriter(path, fields).Write(tempPath, records);
    // The new file gets the old one's permissions, or those of a new document.
    const QFileInfo target(path);
    QFile::setPermissions(tempPath, target.exists() ? target.permissions()
                                                    : QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ReadGroup | QFile::ReadOther);

    std::error_code error;
    std::filesystem::rename(QFile(tempPath).filesystemFileName(), QFile(path).filesystemFileName(),
                            error);
    if (error)
        ThrowUnwritable(path, QString::fromStdString(error.message()));
    guard.Release();
}

TableContent ReadTableFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw DatabaseError(QStringLiteral("Table file '%1' does not exist.").arg(FileLabel(path)));
    if (!info.isFile())
        ThrowInvalid(path, QStringLiteral("it is not a regular file"));
    if (info.size() == 0)
        ThrowInvalid(path, QStringLiteral("the file is empty"));
    CheckHeader(path);
    return TableReader(path).Read(info.size());
}
