// Opening and saving packages through the controller, with real ZIP files (also made and
// read by the zip and unzip tools), real table files and a scripted user.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "storage/CardDataMod.h"
#include "storage/OptionType.h"
#include "storage/PackageController.h"
#include "support/Files.h"
#include "support/MemberKeepingHost.h"
#include "support/ScriptedPrompter.h"

namespace {

int RunTool(const QString& program, const QStringList& args, const QString& folder = {},
            QByteArray* output = nullptr, const QByteArray& input = {})
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, args);
    if (!input.isEmpty()) {
        process.write(input);
        process.closeWriteChannel();
    }
    process.waitForFinished(60000);
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

class PackageControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_state.WorkFolder = m_dir.filePath(QStringLiteral("QV")) + u'/';
        m_state.DataFolder = m_dir.filePath(QStringLiteral("Data")) + u'/';
        QDir().mkpath(m_state.DataFolder);
        AddOrg(0, QStringLiteral("Unknown Org"));
        AddOrg(2001, QStringLiteral("Acme"));
        AddEntry(2001, QStringLiteral("Ann Lee"), 2001);
        AddEntry(2002, QStringLiteral("张伟"), 0);
    }

    void AddOrg(int id, const QString& company) { m_data.AgentDataSet.AppendRecord({id, company}); }
    void AddEntry(int id, const QString& name, int org)
    {
        QVariantList values(29);
        values[0] = id;
        values[1] = name;
        values[16] = org;
        values[26] = false;
        m_data.NameDataSet.AppendRecord(values);
    }
    QString Book(const QString& name) const
    {
        return m_state.DataFolder + name + QStringLiteral(".qvp");
    }
    QStringList Names()
    {
        QStringList names;
        TableView& view = m_data.NameDataSet;
        for (view.First(); !view.Eof(); view.Next())
            names << view.FieldByName(u"Name").AsString();
        return names;
    }
    // The members of a package as the unzip tool lists them.
    QStringList UnzipNames(const QString& package, const QString& password = {})
    {
        QByteArray out;
        QStringList args{QStringLiteral("-Z1"), package};
        EXPECT_EQ(RunTool(QStringLiteral("unzip"), args, {}, &out), 0);
        if (!password.isEmpty()) {
            QTemporaryDir target;
            EXPECT_EQ(RunTool(QStringLiteral("unzip"),
                              {QStringLiteral("-P"), password, QStringLiteral("-o"), package,
                               QStringLiteral("-d"), target.path()}),
                      0);
        }
        return QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    TCardData m_data;
    OptionType m_options{m_dir.filePath(QStringLiteral("aa.ini"))};
    BookState m_state;
    MemberKeepingHost m_host;
    ScriptedPrompter m_prompter;
    PackageController m_controller{m_data, m_options, m_state, m_host, m_prompter};
};

TEST_F(PackageControllerTest, SavedBookReopensWithItsTablesAndMembers)
{
    const QString book = Book(QStringLiteral("Friends"));
    ASSERT_TRUE(m_controller.SavePackage(book));
    EXPECT_EQ(UnzipNames(book),
              (QStringList{"Agents.dbf", "Names.dbf", "surname.dff", "tree.dff", "treeno.dff"}));
    EXPECT_TRUE(QDir(m_state.WorkFolder).entryList(QDir::Files).isEmpty())
        << "the working folder is emptied";

    TCardData other;
    BookState state = m_state;
    MemberKeepingHost host;
    host.members.clear();
    host.members = {{QStringLiteral("tree.dff"), {}},
                    {QStringLiteral("treeno.dff"), {}},
                    {QStringLiteral("surname.dff"), {}}};
    ScriptedPrompter prompter;
    PackageController controller(other, m_options, state, host, prompter);
    ASSERT_TRUE(controller.LoadPackage(book));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(host.calls,
              (QStringList{"LoadMembers", "AttachTables", "BookOpened", "PasswordChanged"}));
    EXPECT_EQ(host.members, m_host.members);
    EXPECT_EQ(other.NameDataSet.RecordCount(), 2);
    EXPECT_EQ(other.NameLookDataset.RecordCount(), 2);
    EXPECT_EQ(other.AgentLookDataSet.RecordCount(), 2);
    EXPECT_FALSE(controller.IsBookModified());
    other.NameDataSet.First();
    EXPECT_EQ(other.AgentDataSet.FieldByName(u"Company").AsString(), QStringLiteral("Acme"));
    EXPECT_EQ(prompter.maxWaitDepth, 1);
    EXPECT_EQ(prompter.waitDepth, 0);
}

TEST_F(PackageControllerTest, SavingAFilteredListStillWritesEveryEntry)
{
    m_data.NameDataSet.SetFilter(QStringLiteral("OrgID=-1"));
    const QString book = Book(QStringLiteral("All"));
    ASSERT_TRUE(m_controller.SavePackage(book));
    m_data.NameDataSet.SetFilter(QString());
    m_data.NameDataSet.EmptyDataSet();
    ASSERT_TRUE(m_controller.LoadPackage(book));
    EXPECT_EQ(m_data.NameReadDataSet.RecordCount(), 2);
}

TEST_F(PackageControllerTest, ChangesMarkTheBookModifiedUntilSaved)
{
    m_controller.ResetModified();
    EXPECT_FALSE(m_controller.IsBookModified());
    AddEntry(2003, QStringLiteral("Bob"), 0);
    EXPECT_TRUE(m_controller.IsBookModified());
    ASSERT_TRUE(m_controller.SavePackage(Book(QStringLiteral("B"))));
    EXPECT_FALSE(m_controller.IsBookModified());
    m_state.TreeModified = true;
    EXPECT_TRUE(m_controller.IsBookModified());
}

TEST_F(PackageControllerTest, EncryptedBookAsksForItsPasswordAgainUntilRight)
{
    m_options.CurrentPassword = QStringLiteral("s3cret");
    const QString book = Book(QStringLiteral("Locked"));
    ASSERT_TRUE(m_controller.SavePackage(book));
    UnzipNames(book, QStringLiteral("s3cret")); // the unzip tool opens it with -P

    m_options.CurrentPassword.clear();
    m_prompter.passwords = {QStringLiteral("wrong"), QStringLiteral("s3cret")};
    ASSERT_TRUE(m_controller.LoadPackage(book));
    EXPECT_EQ(m_prompter.passwordLabels.first(),
              QStringLiteral("Enter Password for addressbook Locked"));
    EXPECT_GE(m_prompter.passwordLabels.size(), 2);
    EXPECT_EQ(m_options.CurrentPassword, QStringLiteral("s3cret"));
}

TEST_F(PackageControllerTest, CancelledPasswordKeepsTheOpenBookAndItsPassword)
{
    m_options.CurrentPassword = QStringLiteral("other");
    const QString locked = Book(QStringLiteral("Locked"));
    ASSERT_TRUE(m_controller.SavePackage(locked));
    m_options.CurrentPassword = QStringLiteral("mine");
    const auto before = m_data.NameDataSet.Store();

    m_prompter.passwords = {std::nullopt};
    EXPECT_FALSE(m_controller.LoadPackage(locked));
    EXPECT_EQ(m_prompter.Texts(),
              QStringList{"Loading addressbook fail due to invalid package format."});
    EXPECT_EQ(m_options.CurrentPassword, QStringLiteral("mine"));
    EXPECT_EQ(m_data.NameDataSet.Store(), before);
    EXPECT_EQ(Names(), (QStringList{"Ann Lee", "张伟"}));
}

TEST_F(PackageControllerTest, UnlockingWritesThePackageWithoutEncryption)
{
    m_options.CurrentPassword = QStringLiteral("pw");
    m_state.SaveWithPassword = false;
    m_prompter.answers = {Prompter::Answer::No};
    const QString book = Book(QStringLiteral("Unlock"));
    ASSERT_TRUE(m_controller.SavePackage(book));
    EXPECT_EQ(m_prompter.Texts(), QStringList{"Really want to unlock the address book?"});
    EXPECT_EQ(m_options.CurrentPassword, QStringLiteral("pw"));
    EXPECT_NE(RunTool(QStringLiteral("unzip"),
                      {QStringLiteral("-P"), QStringLiteral("x"), QStringLiteral("-t"), book}),
              0);

    m_prompter.answers = {Prompter::Answer::Yes};
    ASSERT_TRUE(m_controller.SavePackage(book));
    EXPECT_TRUE(m_options.CurrentPassword.isEmpty());
    EXPECT_EQ(RunTool(QStringLiteral("unzip"), {QStringLiteral("-t"), book}), 0)
        << "no password needed";
}

TEST_F(PackageControllerTest, OpensPackagesMadeByTheZipTool)
{
    ASSERT_TRUE(m_controller.SavePackage(Book(QStringLiteral("Source"))));
    QTemporaryDir members;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"),
                      {Book(QStringLiteral("Source")), QStringLiteral("-d"), members.path()}),
              0);
    // Member names in other letter case, as another writer may store them.
    QDir dir(members.path());
    dir.rename(QStringLiteral("Names.dbf"), QStringLiteral("NAMES.DBF"));
    dir.rename(QStringLiteral("tree.dff"), QStringLiteral("Tree.DFF"));
    const QStringList files = dir.entryList(QDir::Files);
    for (const bool encrypted : {false, true}) {
        const QString package = m_dir.filePath(encrypted ? QStringLiteral("zipped-pw.qvp")
                                                         : QStringLiteral("zipped.qvp"));
        QStringList args{QStringLiteral("-q")};
        if (encrypted)
            args << QStringLiteral("-P") << QStringLiteral("zippw");
        args << package << files;
        ASSERT_EQ(RunTool(QStringLiteral("zip"), args, members.path()), 0);
        m_data.NameDataSet.EmptyDataSet();
        m_prompter.passwords = {QStringLiteral("zippw")};
        ASSERT_TRUE(m_controller.LoadPackage(package))
            << m_prompter.Texts().join(u'|').toStdString();
        EXPECT_EQ(Names(), (QStringList{"Ann Lee", "张伟"}));
    }
}

TEST_F(PackageControllerTest, InvalidPackagesAreRefusedAndLeaveTheTables)
{
    ASSERT_TRUE(m_controller.SavePackage(Book(QStringLiteral("Source"))));
    QTemporaryDir members;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"),
                      {Book(QStringLiteral("Source")), QStringLiteral("-d"), members.path()}),
              0);
    const QString three = m_dir.filePath(QStringLiteral("three.qvp"));
    ASSERT_EQ(RunTool(QStringLiteral("zip"),
                      {QStringLiteral("-q"), three, QStringLiteral("Names.dbf"),
                       QStringLiteral("Agents.dbf"), QStringLiteral("tree.dff")},
                      members.path()),
              0);
    const QString noZip = m_dir.filePath(QStringLiteral("nozip.qvp"));
    QFile file(noZip);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is no archive");
    file.close();

    const auto before = m_data.NameDataSet.Store();
    EXPECT_FALSE(m_controller.LoadPackage(three));
    EXPECT_EQ(m_prompter.Texts(),
              QStringList{"Loading addressbook fail due to invalid package format."});
    m_prompter.shown.clear();
    EXPECT_FALSE(m_controller.LoadPackage(noZip));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_TRUE(m_prompter.shown[0].text.endsWith(QStringLiteral(" while loading addressbook.")));
    m_prompter.shown.clear();
    EXPECT_FALSE(m_controller.LoadPackage(m_dir.filePath(QStringLiteral("missing.qvp"))));
    EXPECT_TRUE(m_prompter.shown.empty()) << "a missing file fails without a message";
    EXPECT_EQ(m_data.NameDataSet.Store(), before);
}

TEST_F(PackageControllerTest, UnreadableTreeLeavesTheOpenBookWhole)
{
    const QString book = Book(QStringLiteral("NoSurnames"));
    ASSERT_TRUE(m_controller.SavePackage(book));
    // Remove one member the models need, keeping four.
    ASSERT_EQ(RunTool(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-d"), book,
                                              QStringLiteral("surname.dff")}),
              0);
    AddEntry(2003, QStringLiteral("Only here"), 0);
    EXPECT_FALSE(m_controller.LoadPackage(book));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_TRUE(m_prompter.shown[0].text.endsWith(
        QStringLiteral("surname.dff\" while loading addressbook.")));
    EXPECT_EQ(Names(), (QStringList{"Ann Lee", "Only here", "张伟"}));
    EXPECT_EQ(m_data.NameReadDataSet.RecordCount(), 3);
}

TEST_F(PackageControllerTest, InterruptedSaveLeavesTheOldPackageByteForByte)
{
    const QString book = Book(QStringLiteral("Keep"));
    ASSERT_TRUE(m_controller.SavePackage(book));
    const QByteArray before = ReadBytes(book);
    AddEntry(2003, QStringLiteral("New one"), 0);
    m_controller.SetWriteFaultHook(
        [](Package::WriteStep step) { return step == Package::WriteStep::ArchiveBegun; });
    EXPECT_FALSE(m_controller.SavePackage(book));
    EXPECT_EQ(ReadBytes(book), before);
    EXPECT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_TRUE(m_controller.IsBookModified());
    EXPECT_EQ(QDir(m_state.DataFolder).entryList(QDir::Files), QStringList{"Keep.qvp"});
}

// An old book: 24 person fields and 9 org fields, written by the sqlite3 tool.
void WriteOldTable(const QString& path, const FieldList& fields, int count, const QStringList& rows)
{
    QString sql =
        QStringLiteral("CREATE TABLE fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                       "type TEXT NOT NULL, size INTEGER);\n");
    QStringList columns;
    for (int i = 0; i < count; ++i) {
        const FieldDef& def = fields.At(i);
        sql += QStringLiteral("INSERT INTO fields VALUES(%1, '%2', '%3', %4);\n")
                   .arg(i)
                   .arg(def.name, FieldTypeName(def.type),
                        def.type == FieldType::Text ? QString::number(def.size)
                                                    : QStringLiteral("NULL"));
        const bool number = def.type == FieldType::Integer || def.type == FieldType::Boolean;
        columns << QStringLiteral("\"%1\" %2")
                       .arg(def.name, number ? QStringLiteral("INTEGER") : QStringLiteral("TEXT"));
    }
    sql += QStringLiteral("CREATE TABLE records(%1);\n").arg(columns.join(QStringLiteral(", ")));
    for (const QString& row : rows)
        sql += QStringLiteral("INSERT INTO records VALUES(%1);\n").arg(row);
    ASSERT_EQ(RunTool(QStringLiteral("sqlite3"), {path}, {}, nullptr, sql.toUtf8()), 0);
}

TEST_F(PackageControllerTest, OldFormatBookIsConvertedAndSavedInTheNewFormat)
{
    QTemporaryDir members;
    QStringList people;
    for (int i = 0; i < 3; ++i) {
        QStringList values(24, QStringLiteral("NULL"));
        values[0] = QString::number(2001 + i);
        values[1] = QStringLiteral("'Old %1'").arg(i);
        values[2] = QStringLiteral("'Old'");
        values[13] = QStringLiteral("'1970-01-0%1'").arg(i + 1);
        values[16] = QStringLiteral("0");
        values[18] = QStringLiteral("1000");
        people << values.join(u',');
    }
    WriteOldTable(members.filePath(QStringLiteral("Names.dbf")), TCardData::NameTableFields(), 24,
                  people);
    WriteOldTable(members.filePath(QStringLiteral("Agents.dbf")), TCardData::AgentTableFields(), 9,
                  {QStringLiteral("0,'Unknown',NULL,NULL,NULL,NULL,NULL,NULL,NULL")});
    for (auto it = m_host.members.cbegin(); it != m_host.members.cend(); ++it) {
        QFile file(members.filePath(it.key()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(it.value());
    }
    const QString book = Book(QStringLiteral("Old"));
    ASSERT_EQ(RunTool(QStringLiteral("zip"),
                      {QStringLiteral("-q"), book, QStringLiteral("Names.dbf"),
                       QStringLiteral("Agents.dbf"), QStringLiteral("tree.dff"),
                       QStringLiteral("treeno.dff"), QStringLiteral("surname.dff")},
                      members.path()),
              0);

    ASSERT_TRUE(m_controller.LoadPackage(book)) << m_prompter.Texts().join(u'|').toStdString();
    EXPECT_EQ(m_prompter.progressCaptions,
              QStringList{"Converting from old format into new one [0..3]"});
    EXPECT_EQ(m_prompter.progressPositions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(m_prompter.progressOpen, 0);
    EXPECT_EQ(m_data.NameDataSet.FieldCount(), 29);
    EXPECT_EQ(m_data.AgentDataSet.FieldCount(), 9);
    EXPECT_EQ(Names(), (QStringList{"Old 0", "Old 1", "Old 2"}));
    EXPECT_EQ(m_data.NameLookDataset.RecordCount(), 3);
    for (TableView& view = m_data.NameDataSet; !view.Eof(); view.Next()) {
    }
    m_data.NameDataSet.First();
    EXPECT_FALSE(m_data.NameDataSet.FieldByName(u"Yellow").IsNull());
    EXPECT_FALSE(m_data.NameDataSet.FieldByName(u"Yellow").AsBoolean());
    EXPECT_EQ(m_data.NameDataSet.FieldByName(u"Birthday").AsDate(), QDate(1970, 1, 1));
    EXPECT_EQ(m_data.NameDataSet.FieldByName(u"NID").AsInteger(), 0);

    ASSERT_TRUE(m_controller.SavePackage(book));
    QTemporaryDir saved;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"),
                      {QStringLiteral("-q"), book, QStringLiteral("-d"), saved.path()}),
              0);
    QByteArray count;
    RunTool(QStringLiteral("sqlite3"),
            {saved.filePath(QStringLiteral("Names.dbf")),
             QStringLiteral("SELECT count(*) FROM fields;")},
            {}, &count);
    EXPECT_EQ(count.trimmed(), "29");
    RunTool(QStringLiteral("sqlite3"),
            {saved.filePath(QStringLiteral("Agents.dbf")),
             QStringLiteral("SELECT count(*) FROM fields;")},
            {}, &count);
    EXPECT_EQ(count.trimmed(), "9");
}

} // namespace
