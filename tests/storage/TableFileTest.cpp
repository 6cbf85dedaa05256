// Table files: round trips of every field type, files made by the sqlite3 tool, malformed
// and damaged files, and writes that fail without touching the file they would replace.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <random>

#include "storage/DatabaseError.h"
#include "storage/TableFile.h"

namespace {

using ::testing::HasSubstr;

Cell Num(qint64 value)
{
    return Cell::FromNumber(value);
}

Cell Txt(const QString& text)
{
    return Cell::FromText(text);
}

Cell Day(int year, int month, int day)
{
    return Cell::FromNumber(QDate(year, month, day).toJulianDay());
}

std::vector<RecordView> Pointers(const std::vector<Record>& records)
{
    return std::vector<RecordView>(records.begin(), records.end());
}

std::vector<Record> Records(const TableContent& content)
{
    std::vector<Record> records;
    for (size_t i = 0; i < content.RecordCount(); ++i)
        records.emplace_back(content.At(i).begin(), content.At(i).end());
    return records;
}

// The message of the DatabaseError that the call throws, or a note that it threw none.
template <typename Call> std::string ErrorOf(Call call)
{
    try {
        call();
    } catch (const DatabaseError& error) {
        return error.Message().toStdString();
    }
    return "(no DatabaseError)";
}

class TableFileTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    // Runs an SQL script through the sqlite3 command-line tool on the given file.
    std::string RunSqlite(const QString& path, const QString& script) const
    {
        QProcess process;
        process.start(QStringLiteral("sqlite3"),
                      {QStringLiteral("-batch"), QStringLiteral("-bail"), path});
        EXPECT_TRUE(process.waitForStarted()) << "the sqlite3 tool is missing";
        process.write(script.toUtf8());
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }

    void WriteBytes(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QStringList FilesInFolder() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    }

    QTemporaryDir m_dir;
};

// One field of each type, with names that need quoting and one that takes the row id's
// name, so the stored order must come from the other names of the row id.
const FieldList kAllTypes{
    {QStringLiteral("ID"), FieldType::Integer, 0},
    {QStringLiteral("Name"), FieldType::Text, 50},
    {QStringLiteral("Notes"), FieldType::Memo, 0},
    {QStringLiteral("Born"), FieldType::Date, 0},
    {QStringLiteral("Yellow"), FieldType::Boolean, 0},
    {QStringLiteral("Say \"Hi\""), FieldType::Text, 20},
    {QStringLiteral("O'Brien; DROP"), FieldType::Text, 20},
    {QStringLiteral("rowid"), FieldType::Integer, 0},
};

TEST_F(TableFileTest, RoundTripKeepsEveryTypeValueAndOrder)
{
    const QString longMemo = QString(200000, u'x') + QStringLiteral("\r\nend");
    const std::vector<Record> records = {
        {Num(std::numeric_limits<qint32>::max()), Txt(QStringLiteral("Zhang Wei 张伟")),
         Txt(QStringLiteral("line one\r\nline two\r\n")), Day(1, 1, 1), Num(1),
         Txt(QStringLiteral("it's \"quoted\"")), Txt(QStringLiteral("'';--")), Num(3)},
        {Cell(), Cell(), Cell(), Cell(), Cell(), Cell(), Cell(), Cell()},
        {Num(std::numeric_limits<qint32>::min()), Txt(QStringLiteral("日本語のテキスト 한국어")),
         Txt(QStringLiteral("\uFEFFbegins with a byte-order mark")), Day(9999, 12, 31), Num(0),
         Txt(QStringLiteral("smile \U0001F600")), Txt(QString::fromUtf16(u"nul\0inside", 10)),
         Num(-1)},
        {Num(0), Txt(QStringLiteral("  spaces kept  ")), Txt(longMemo), Day(2024, 2, 29), Num(1),
         Txt(QStringLiteral("\"")), Txt(QStringLiteral("'")), Num(2)},
    };
    const QString path = PathOf(QStringLiteral("Names.dbf"));

    WriteTableFile(path, kAllTypes, Pointers(records));
    const TableContent content = ReadTableFile(path);

    EXPECT_EQ(content.fields, kAllTypes);
    const std::vector<Record> read = Records(content);
    ASSERT_EQ(read.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(read[i], records[i]) << "record " << i + 1;
    EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("Names.dbf")});
}

TEST_F(TableFileTest, TableWithoutRecordsRoundTrips)
{
    const QString path = PathOf(QStringLiteral("Agents.dbf"));
    WriteTableFile(path, kAllTypes, {});
    const TableContent content = ReadTableFile(path);
    EXPECT_EQ(content.fields, kAllTypes);
    EXPECT_EQ(content.RecordCount(), 0u);
}

// Other tools read the files: the layout is checked through the sqlite3 tool.
TEST_F(TableFileTest, StoresTheDocumentedLayout)
{
    const FieldList fields{{QStringLiteral("CoID"), FieldType::Integer, 0},
                           {QStringLiteral("Company"), FieldType::Text, 100},
                           {QStringLiteral("CMemo"), FieldType::Memo, 0},
                           {QStringLiteral("CUpdate"), FieldType::Date, 0},
                           {QStringLiteral("Yellow"), FieldType::Boolean, 0}};
    const std::vector<Record> records = {
        {Num(7), Txt(QStringLiteral("Acme")), Txt(QStringLiteral("a\r\nb")), Day(2023, 4, 5),
         Num(1)},
        {Num(0), Cell(), Cell(), Cell(), Num(0)},
    };
    const QString path = PathOf(QStringLiteral("Agents.dbf"));
    WriteTableFile(path, fields, Pointers(records));

    EXPECT_EQ(RunSqlite(path, QStringLiteral("SELECT position, name, type, quote(size) FROM fields "
                                             "ORDER BY position;")),
              "0|CoID|integer|NULL\n1|Company|text|100\n2|CMemo|memo|NULL\n"
              "3|CUpdate|date|NULL\n4|Yellow|boolean|NULL\n");
    EXPECT_EQ(RunSqlite(path, QStringLiteral(
                                  "SELECT typeof(CoID), CoID, typeof(Company), Company, "
                                  "hex(CMemo), typeof(CUpdate), CUpdate, typeof(Yellow), Yellow "
                                  "FROM records ORDER BY rowid;")),
              "integer|7|text|Acme|610D0A62|text|2023-04-05|integer|1\n"
              "integer|0|null|||null||integer|0\n");
}

TEST_F(TableFileTest, ReadsFileMadeBySqliteTool)
{
    const QString path = PathOf(QStringLiteral("Names.dbf"));
    RunSqlite(path, QStringLiteral(
                        "PRAGMA page_size=512;"
                        "CREATE TABLE fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                        "  type TEXT NOT NULL, size INTEGER);"
                        "INSERT INTO fields VALUES(0,'ClientID','integer',NULL),"
                        "  (1,'Name','text',50),(2,'Memo','memo',NULL),"
                        "  (3,'Birthday','date',NULL),(4,'Yellow','boolean',NULL);"
                        "CREATE TABLE records(\"ClientID\" INTEGER, \"Name\" TEXT, \"Memo\" TEXT,"
                        "  \"Birthday\" TEXT, \"Yellow\" INTEGER);"
                        "INSERT INTO records VALUES(2002,'李小龙','first'||char(13,10)||'second',"
                        "  '1940-11-27',0);"
                        "INSERT INTO records VALUES(2001,'O''Neil \"Jr\"',NULL,NULL,1);"
                        "INSERT INTO records VALUES(NULL,NULL,NULL,NULL,NULL);"));

    const TableContent content = ReadTableFile(path);

    const FieldList expectedFields{{QStringLiteral("ClientID"), FieldType::Integer, 0},
                                   {QStringLiteral("Name"), FieldType::Text, 50},
                                   {QStringLiteral("Memo"), FieldType::Memo, 0},
                                   {QStringLiteral("Birthday"), FieldType::Date, 0},
                                   {QStringLiteral("Yellow"), FieldType::Boolean, 0}};
    const std::vector<Record> expectedRecords = {
        {Num(2002), Txt(QStringLiteral("李小龙")), Txt(QStringLiteral("first\r\nsecond")),
         Day(1940, 11, 27), Num(0)},
        {Num(2001), Txt(QStringLiteral("O'Neil \"Jr\"")), Cell(), Cell(), Num(1)},
        {Cell(), Cell(), Cell(), Cell(), Cell()},
    };
    EXPECT_EQ(content.fields, expectedFields);
    EXPECT_EQ(Records(content), expectedRecords);
}

// A valid two-field table, to which each case adds or changes one thing.
const QString kFieldsTable = QStringLiteral(
    "CREATE TABLE fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL, "
    "size INTEGER);");
const QString kTwoFields =
    kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'ID','integer',NULL),"
                                  "(1,'Born','date',NULL);");
const QString kTwoColumns = QStringLiteral("CREATE TABLE records(ID INTEGER, Born TEXT);");

struct MalformedCase
{
    const char* label;
    QString script; // run by the sqlite3 tool on a new file
    const char* reason;
};

class MalformedTableFileTest : public TableFileTest,
                               public ::testing::WithParamInterface<MalformedCase>
{};

TEST_P(MalformedTableFileTest, IsRejectedWithReason)
{
    const QString path = PathOf(QStringLiteral("Names.dbf"));
    RunSqlite(path, GetParam().script);
    const std::string message = ErrorOf([&] { ReadTableFile(path); });
    EXPECT_THAT(message, HasSubstr("Table file 'Names.dbf' is not a valid table: "));
    EXPECT_THAT(message, HasSubstr(GetParam().reason));
}

const MalformedCase kMalformedCases[] = {
    {"NoTables", QStringLiteral("CREATE TABLE other(x); INSERT INTO other VALUES(1);"),
     "it has no fields table"},
    {"NoRecordsTable", kTwoFields, "it has no records table"},
    {"NoFields", kFieldsTable + kTwoColumns, "it has no fields"},
    {"FieldsTableWithOtherColumns",
     QStringLiteral("CREATE TABLE fields(position INTEGER PRIMARY KEY, name TEXT, type TEXT);") +
         kTwoColumns,
     "its fields table does not have the columns position, name, type and size"},
    {"UnknownType",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'ID','currency',NULL);") +
         QStringLiteral("CREATE TABLE records(ID);"),
     "field 'ID' has the unknown type 'currency'"},
    {"PositionsFromOne",
     kFieldsTable +
         QStringLiteral("INSERT INTO fields VALUES(1,'ID','integer',NULL),"
                        "(2,'Born','date',NULL);") +
         kTwoColumns,
     "the field positions do not run from 0 without gaps"},
    {"PositionGap",
     kFieldsTable +
         QStringLiteral("INSERT INTO fields VALUES(0,'ID','integer',NULL),"
                        "(2,'Born','date',NULL);") +
         kTwoColumns,
     "the field positions do not run from 0 without gaps"},
    {"NamesDifferingOnlyInCase",
     kFieldsTable +
         QStringLiteral("INSERT INTO fields VALUES(0,'EMail','text',10),"
                        "(1,'Email','text',10);") +
         QStringLiteral("CREATE TABLE records(a, b);"),
     "the field name 'Email' occurs twice"},
    {"EmptyName",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'','integer',NULL);") +
         QStringLiteral("CREATE TABLE records(a);"),
     "field 1 has no name"},
    {"TextWithoutSize",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'Name','text',NULL);") +
         QStringLiteral("CREATE TABLE records(Name);"),
     "text field 'Name' has size 0"},
    {"TextSizeBeyondLimit",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'Name','text',70000);") +
         QStringLiteral("CREATE TABLE records(Name);"),
     "field 'Name' has size 70000, not 1 to 65535"},
    {"TooManyFields",
     kFieldsTable +
         QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n "
                        "WHERE i < 1000) INSERT INTO fields SELECT i, 'F'||i, "
                        "'integer', NULL FROM n;") +
         kTwoColumns,
     "it has more than 1000 fields"},
    {"MissingColumn", kTwoFields + QStringLiteral("CREATE TABLE records(ID INTEGER);"),
     "the columns of its records table are not its 2 fields in order"},
    {"ExtraColumn", kTwoFields + QStringLiteral("CREATE TABLE records(ID, Born, Extra);"),
     "the columns of its records table are not its 2 fields in order"},
    {"ColumnsInOtherOrder", kTwoFields + QStringLiteral("CREATE TABLE records(Born, ID);"),
     "the columns of its records table are not its 2 fields in order"},
    {"TextInIntegerField",
     kTwoFields + kTwoColumns + QStringLiteral("INSERT INTO records VALUES(1,NULL),('two',NULL);"),
     "field 'ID' of record 2 holds a value that is not an integer"},
    {"RealInIntegerField",
     kTwoFields + kTwoColumns + QStringLiteral("INSERT INTO records VALUES(1.5,NULL);"),
     "field 'ID' of record 1 holds a value that is not an integer"},
    {"IntegerBeyond32Bits",
     kTwoFields + kTwoColumns + QStringLiteral("INSERT INTO records VALUES(4294967296,NULL);"),
     "field 'ID' of record 1 holds an integer beyond 32 bits"},
    {"DateThatDoesNotExist",
     kTwoFields + kTwoColumns + QStringLiteral("INSERT INTO records VALUES(1,'2023-02-29');"),
     "field 'Born' of record 1 holds a value that is not a date (yyyy-mm-dd)"},
    {"DateInOtherForm",
     kTwoFields + kTwoColumns + QStringLiteral("INSERT INTO records VALUES(1,'2023/02/01');"),
     "field 'Born' of record 1 holds a value that is not a date (yyyy-mm-dd)"},
    {"DateAsNumber",
     kTwoFields + kTwoColumns + QStringLiteral("INSERT INTO records VALUES(1,2460000);"),
     "field 'Born' of record 1 holds a value that is not a date (yyyy-mm-dd)"},
    {"BooleanTwo",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'Yellow','boolean',NULL);") +
         QStringLiteral("CREATE TABLE records(Yellow INTEGER); INSERT INTO records VALUES(2);"),
     "field 'Yellow' of record 1 holds a value that is not a boolean (0 or 1)"},
    {"NumberInTextField",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'Zip','text',10);") +
         QStringLiteral("CREATE TABLE records(Zip); INSERT INTO records VALUES(12345);"),
     "field 'Zip' of record 1 holds a value that is not text"},
    {"BlobInMemoField",
     kFieldsTable + QStringLiteral("INSERT INTO fields VALUES(0,'Memo','memo',NULL);") +
         QStringLiteral("CREATE TABLE records(Memo); INSERT INTO records VALUES(x'00ff');"),
     "field 'Memo' of record 1 holds a value that is not text"},
    {"RecordsIsView",
     kTwoFields + QStringLiteral("CREATE VIEW records AS WITH RECURSIVE c(x) AS (SELECT 1 UNION "
                                 "ALL SELECT x+1 FROM c) SELECT x AS ID, x AS Born FROM c;"),
     "its records table is not a stored table"},
    {"ComputedColumn",
     kTwoFields + QStringLiteral("CREATE TABLE records(ID INTEGER, Born AS (ID || '-01-01'));"),
     "its records table has computed columns"},
};

INSTANTIATE_TEST_SUITE_P(Cases, MalformedTableFileTest, ::testing::ValuesIn(kMalformedCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(TableFileTest, RejectsFilesThatAreNoDatabase)
{
    std::mt19937 random(1234);
    QByteArray noise(8192, Qt::Uninitialized);
    for (char& byte : noise)
        byte = char(random());
    const struct
    {
        const char* label;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", QByteArray(), "the file is empty"},
        {"text", QByteArrayLiteral("ClientID,Name\n1,Smith\n"), "it is not a database file"},
        {"noise", noise, "it is not a database file"},
        {"header only", QByteArrayLiteral("SQLite format 3") + QByteArray(1, '\0'),
         "it is not a database file"},
    };
    for (const auto& c : cases) {
        const QString path = PathOf(QStringLiteral("Names.dbf"));
        WriteBytes(path, c.bytes);
        EXPECT_THAT(ErrorOf([&] { ReadTableFile(path); }), HasSubstr(c.reason)) << c.label;
    }
}

// Reading never writes: neither the log files of a write-ahead log database nor the
// rollback of a journal that another program left beside the file.
TEST_F(TableFileTest, RejectsFilesWhoseReadingWouldWriteBesideThem)
{
    const QString wal = PathOf(QStringLiteral("Wal.dbf"));
    WriteTableFile(wal, kAllTypes, {});
    RunSqlite(wal, QStringLiteral("PRAGMA journal_mode=WAL;"));
    EXPECT_THAT(ErrorOf([&] { ReadTableFile(wal); }),
                HasSubstr("'Wal.dbf' is not a valid table: it is in write-ahead log mode"));
    EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("Wal.dbf")});

    const QString pending = PathOf(QStringLiteral("Pending.dbf"));
    WriteTableFile(pending, kAllTypes, {});
    WriteBytes(pending + QStringLiteral("-journal"), QByteArray(1024, 'j'));
    EXPECT_THAT(ErrorOf([&] { ReadTableFile(pending); }),
                HasSubstr("another program left an unfinished change to it"));
    EXPECT_TRUE(QFile::remove(pending + QStringLiteral("-journal")));
    EXPECT_EQ(ReadTableFile(pending).fields, kAllTypes);
}

TEST_F(TableFileTest, RejectsMissingFileAndFolder)
{
    EXPECT_EQ(ErrorOf([&] { ReadTableFile(PathOf(QStringLiteral("Absent.dbf"))); }),
              "Table file 'Absent.dbf' does not exist.");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Folder.dbf")));
    EXPECT_THAT(ErrorOf([&] { ReadTableFile(PathOf(QStringLiteral("Folder.dbf"))); }),
                HasSubstr("is not a valid table: it is not a regular file"));
}

// A file of many pages, cut short or overwritten in the middle, is reported, not read.
TEST_F(TableFileTest, RejectsTruncatedAndDamagedFiles)
{
    std::vector<Record> records;
    for (int i = 0; i < 3000; ++i)
        records.push_back({Num(i), Txt(QStringLiteral("entry %1 with some text").arg(i)),
                           Txt(QStringLiteral("memo %1").arg(i)), Day(2000, 1, 1 + i % 28),
                           Num(i % 2), Cell(), Cell(), Num(i)});
    const QString source = PathOf(QStringLiteral("Good.dbf"));
    WriteTableFile(source, kAllTypes, Pointers(records));
    QFile file(source);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    ASSERT_GT(good.size(), 64 * 1024);

    QByteArray scrambled = good;
    std::mt19937 random(99);
    for (qsizetype i = good.size() / 3; i < good.size() / 3 + 8192; ++i)
        scrambled[i] = char(random());
    const struct
    {
        const char* label;
        QByteArray bytes;
    } cases[] = {
        {"half", good.left(good.size() / 2)},
        {"first page", good.left(4096)},
        {"scrambled middle", scrambled},
    };
    for (const auto& c : cases) {
        const QString path = PathOf(QStringLiteral("Names.dbf"));
        WriteBytes(path, c.bytes);
        EXPECT_THAT(ErrorOf([&] { ReadTableFile(path); }),
                    HasSubstr("Table file 'Names.dbf' is not a valid table: "))
            << c.label;
    }
}

// A write that is refused, before or in the middle of the records, leaves the existing
// file as it was and no temporary file behind.
TEST_F(TableFileTest, FailedWriteLeavesExistingFileIntact)
{
    const FieldList fields{{QStringLiteral("ID"), FieldType::Integer, 0},
                           {QStringLiteral("Name"), FieldType::Text, 50},
                           {QStringLiteral("Born"), FieldType::Date, 0},
                           {QStringLiteral("Yellow"), FieldType::Boolean, 0}};
    const std::vector<Record> original = {
        {Num(1), Txt(QStringLiteral("Original")), Day(1990, 5, 6), Num(0)}};
    const QString path = PathOf(QStringLiteral("Names.dbf"));
    WriteTableFile(path, fields, Pointers(original));

    const Record good = {Num(2), Txt(QStringLiteral("New")), Cell(), Num(1)};
    std::vector<FieldDef> tooMany;
    for (int i = 0; i <= kMaxTableFields; ++i)
        tooMany.push_back({QStringLiteral("F%1").arg(i), FieldType::Integer, 0});
    const struct
    {
        const char* label;
        FieldList fields;
        Record bad;
        const char* reason;
    } cases[] = {
        {"text in integer field",
         fields,
         {Txt(QStringLiteral("x")), Cell(), Cell(), Cell()},
         "field 'ID' of record 3 holds text, not an integer"},
        {"integer beyond 32 bits",
         fields,
         {Num(qint64(1) << 40), Cell(), Cell(), Cell()},
         "field 'ID' of record 3 holds an integer beyond 32 bits"},
        {"number in text field",
         fields,
         {Cell(), Num(5), Cell(), Cell()},
         "field 'Name' of record 3 holds a number, not text"},
        {"date beyond year 9999",
         fields,
         {Cell(), Cell(), Num(QDate(10000, 1, 1).toJulianDay()), Cell()},
         "field 'Born' of record 3 holds a value that is not a date from year 1 to 9999"},
        {"boolean two",
         fields,
         {Cell(), Cell(), Cell(), Num(2)},
         "field 'Yellow' of record 3 holds a value that is not a boolean"},
        {"short record", fields, {Cell(), Cell()}, "record 3 has 2 values for 4 fields"},
        {"duplicate field name",
         FieldList{{QStringLiteral("ID"), FieldType::Integer, 0},
                   {QStringLiteral("id"), FieldType::Integer, 0}},
         {Cell(), Cell()},
         "the field name 'id' occurs twice"},
        {"text field without size",
         FieldList{{QStringLiteral("Name"), FieldType::Text, 0}},
         {Cell()},
         "text field 'Name' has size 0, not 1 to 65535"},
        {"no fields", FieldList{}, {}, "it has no fields"},
        {"too many fields", FieldList(tooMany), Record(tooMany.size()),
         "it has more than 1000 fields"},
    };
    for (const auto& c : cases) {
        const std::vector<Record> records = {Record(size_t(c.fields.Count())),
                                             Record(size_t(c.fields.Count())), c.bad};
        const std::string message =
            ErrorOf([&] { WriteTableFile(path, c.fields, Pointers(records)); });
        EXPECT_EQ(message,
                  "Table file 'Names.dbf' cannot be written: " + std::string(c.reason) + ".")
            << c.label;
        const TableContent content = ReadTableFile(path);
        EXPECT_EQ(content.fields, fields) << c.label;
        EXPECT_EQ(Records(content), original) << c.label;
        EXPECT_EQ(FilesInFolder(), QStringList{QStringLiteral("Names.dbf")}) << c.label;
    }

    // A write that succeeds replaces the file.
    WriteTableFile(path, fields, {RecordView(good)});
    EXPECT_EQ(Records(ReadTableFile(path)), std::vector<Record>{good});
}

TEST_F(TableFileTest, WriteIntoMissingFolderFails)
{
    const QString path = PathOf(QStringLiteral("absent/Names.dbf"));
    EXPECT_THAT(ErrorOf([&] { WriteTableFile(path, kAllTypes, {}); }),
                HasSubstr("Table file 'Names.dbf' cannot be written: "));
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
