// The package reader and writer against real archives on disk: packages we write are read by
// the unzip tool, packages made by the zip tool are read by us, and damaged, hostile or
// interrupted packages never lose the old book or write outside the target folder.
#include "storage/Package.h"
#include "support/Files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zip.h>

#include <deque>
#include <sys/stat.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;
using ::testing::UnorderedElementsAreArray;

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Runs a command-line tool; returns its exit code, -1 when it could not run.
int RunTool(const QString& program, const QStringList& args, const QString& folder,
            QByteArray* output = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForFinished(30000))
        return -1;
    if (output)
        *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Text that compresses, different for every member so that a mix-up shows.
QByteArray MemberContent(const QString& name)
{
    QByteArray content;
    for (int line = 0; line < 400; ++line)
        content += name.toUtf8() + " line " + QByteArray::number(line) + " of the address book\n";
    return content;
}

int Count(const QByteArray& text, const char* pattern)
{
    int count = 0;
    auto it = QRegularExpression(QString::fromLatin1(pattern)).globalMatch(QString::fromUtf8(text));
    for (; it.hasNext(); it.next())
        ++count;
    return count;
}

// Every file under folder, relative to it, so that a file written elsewhere shows.
QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

quint32 Le16(const QByteArray& b, qsizetype at)
{
    return quint8(b[at]) | quint32(quint8(b[at + 1])) << 8;
}

quint32 Le32(const QByteArray& b, qsizetype at)
{
    return Le16(b, at) | Le16(b, at + 2) << 16;
}

void PutLe32(QByteArray& b, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((value >> (8 * i)) & 0xff);
}

// Where a member's entries sit in the archive, found through its central directory entry.
struct MemberPlace
{
    qsizetype central = -1; // the central directory entry
    qsizetype local = -1;   // the local header
    qsizetype data = -1;    // the first byte of the stored data
    quint32 compressedSize = 0;
};

MemberPlace FindMember(const QByteArray& zip, const QByteArray& name)
{
    MemberPlace place;
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0;
         at = zip.indexOf("PK\x01\x02", at + 1)) {
        if (at + 46 + name.size() > zip.size() || Le16(zip, at + 28) != quint32(name.size()) ||
            zip.mid(at + 46, name.size()) != name)
            continue;
        place.central = at;
        place.compressedSize = Le32(zip, at + 20);
        place.local = Le32(zip, at + 42);
        place.data = place.local + 30 + Le16(zip, place.local + 26) + Le16(zip, place.local + 28);
        return place;
    }
    return place;
}

// Flips a byte in the middle of a member's stored data.
void DamageMember(const QString& package, const QByteArray& name)
{
    QByteArray zip = ReadBytes(package);
    const MemberPlace place = FindMember(zip, name);
    ASSERT_GE(place.data, 0) << name.toStdString();
    zip[place.data + place.compressedSize / 2] =
        char(zip[place.data + place.compressedSize / 2] ^ 0x5a);
    WriteBytes(package, zip);
}

// Writes an archive with libzip itself, for member names the zip tool would not store.
void MakeArchive(const QString& path, const QList<QPair<QByteArray, QByteArray>>& members)
{
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, content] : members) {
        zip_source_t* source = zip_source_buffer(archive, content.constData(), content.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// Records the events of one unpacking and answers password requests from a list.
struct Recorder
{
    std::deque<QString> answers; // an empty list cancels the next request
    std::vector<PasswordRequest> asked;
    std::vector<std::pair<QString, bool>> ends;
    QStringList problems;
    std::vector<int> problemCodes;

    UnpackEvents Events()
    {
        UnpackEvents events;
        events.onPassword = [this](const PasswordRequest& request) -> std::optional<QString> {
            asked.push_back(request);
            if (answers.empty())
                return std::nullopt;
            QString answer = answers.front();
            answers.pop_front();
            return answer;
        };
        events.onMemberEnd = [this](const QString& member, bool ok) {
            ends.emplace_back(member, ok);
        };
        events.onProblem = [this](const ProblemReport& report) {
            problems.append(report.Line());
            problemCodes.push_back(report.code);
        };
        return events;
    }
};

class PackageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("src")));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Src() const { return Path(QStringLiteral("src")); }
    QString Out() const { return Path(QStringLiteral("out")); }
    QString Book() const { return Path(QStringLiteral("book.qvp")); }

    // Writes the given member files into src, in this order.
    QStringList MakeMembers(const QStringList& names) const
    {
        QStringList files;
        for (const QString& name : names) {
            files.append(QDir(Src()).filePath(name));
            WriteBytes(files.last(), MemberContent(name));
        }
        return files;
    }

    QStringList MakeBookMembers() const
    {
        return MakeMembers({kPackageMembers.begin(), kPackageMembers.end()});
    }

    // Packs files with the zip tool: bare names (-j), in the order given.
    void ZipTool(const QStringList& files, const QString& password = {},
                 const QStringList& extra = {}) const
    {
        QStringList args = extra;
        if (!password.isEmpty())
            args << QStringLiteral("-P") << password;
        args << QStringLiteral("-q") << QStringLiteral("-j") << Book();
        args += files;
        QByteArray output;
        ASSERT_EQ(RunTool(QStringLiteral("zip"), args, Src(), &output), 0) << output.toStdString();
    }

    UnpackResult Unpack(Recorder& recorder, const UnpackOptions& options = {}) const
    {
        return Package(Book()).Unpack(Out(), recorder.Events(), options);
    }

    QTemporaryDir m_dir;
};

// ---- Writing, read back by the unzip tool ----------------------------------------------

class WrittenPackageTest : public PackageTest, public ::testing::WithParamInterface<const char*>
{};

TEST_P(WrittenPackageTest, IsReadByTheUnzipTool)
{
    const QString password = QString::fromLatin1(GetParam());
    MakeBookMembers();
    const PackResult written = Package(Book()).WriteFolder(Src(), password);
    ASSERT_TRUE(written.ok) << written.error.toStdString();

    QByteArray listing;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"), {QStringLiteral("-Z1"), Book()}, Path({}), &listing),
              0);
    QStringList names = QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_THAT(names, UnorderedElementsAreArray(kPackageMembers.begin(), kPackageMembers.end()));

    QByteArray details;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"), {QStringLiteral("-Zv"), Book()}, Path({}), &details),
              0);
    EXPECT_EQ(Count(details, "compression method: +deflated"), 5) << details.toStdString();
    EXPECT_EQ(Count(details, "file security status: +encrypted"), password.isEmpty() ? 0 : 5);

    QStringList args{QStringLiteral("-q"), QStringLiteral("-o")};
    if (!password.isEmpty())
        args << QStringLiteral("-P") << password;
    args << Book() << QStringLiteral("-d") << Out();
    QByteArray output;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"), args, Path({}), &output), 0) << output.toStdString();
    for (const QString& name : kPackageMembers)
        EXPECT_EQ(ReadBytes(QDir(Out()).filePath(name)), MemberContent(name)) << name.toStdString();

    if (!password.isEmpty()) {
        const QString other = Path(QStringLiteral("other"));
        EXPECT_NE(RunTool(QStringLiteral("unzip"),
                          {QStringLiteral("-q"), QStringLiteral("-P"), QStringLiteral("wrong"),
                           Book(), QStringLiteral("-d"), other},
                          Path({})),
                  0);
    }
}

INSTANTIATE_TEST_SUITE_P(Passwords, WrittenPackageTest, ::testing::Values("", "pw"));

TEST_F(PackageTest, WriteFolderPacksOnlyMemberFilesOfTheFolderItself)
{
    MakeMembers({QStringLiteral("Names.dbf"), QStringLiteral("TREE.DFF"),
                 QStringLiteral("other.DBF"), QStringLiteral("notes.txt"),
                 QStringLiteral("tree.dff.bak")});
    ASSERT_TRUE(QDir(Src()).mkpath(QStringLiteral("sub")));
    WriteBytes(QDir(Src()).filePath(QStringLiteral("sub/inner.dbf")), "inner");
    ASSERT_TRUE(QFile::link(QDir(Src()).filePath(QStringLiteral("notes.txt")),
                            QDir(Src()).filePath(QStringLiteral("link.dbf"))));

    ASSERT_TRUE(Package(Book()).WriteFolder(Src(), {}).ok);

    QByteArray listing;
    ASSERT_EQ(RunTool(QStringLiteral("unzip"), {QStringLiteral("-Z1"), Book()}, Path({}), &listing),
              0);
    EXPECT_THAT(QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts),
                UnorderedElementsAreArray({QStringLiteral("Names.dbf"), QStringLiteral("TREE.DFF"),
                                           QStringLiteral("other.DBF")}));
}

// ---- Replacing the package -----------------------------------------------------------

TEST_F(PackageTest, ReplacingAPackageKeepsItsPermissions)
{
    const QStringList files = MakeBookMembers();
    ASSERT_TRUE(Package(Book()).Write(files, {}).ok);
    ASSERT_EQ(::chmod(QFile::encodeName(Book()).constData(), 0600), 0);
    const QByteArray old = ReadBytes(Book());

    WriteBytes(files[0], "changed");
    ASSERT_TRUE(Package(Book()).Write(files, QStringLiteral("pw")).ok);

    EXPECT_NE(ReadBytes(Book()), old);
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(Book()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(FilesUnder(Path({})).filter(QStringLiteral("book")), QStringList{"book.qvp"});
}

struct FailedWriteCase
{
    const char* label;
    std::optional<Package::WriteStep> fault;
    enum
    {
        BookFiles,
        OneMissing,
        NoFiles,
        SameNameTwice
    } files;
};

void PrintTo(const FailedWriteCase& c, std::ostream* os)
{
    *os << c.label;
}

class FailedWriteTest : public PackageTest, public ::testing::WithParamInterface<FailedWriteCase>
{};

TEST_P(FailedWriteTest, LeavesTheOldPackageByteForByte)
{
    QStringList files = MakeBookMembers();
    ASSERT_TRUE(Package(Book()).Write(files, QStringLiteral("old")).ok);
    const QByteArray old = ReadBytes(Book());
    ASSERT_FALSE(old.isEmpty());
    for (const QString& file : files)
        WriteBytes(file, "new content");

    switch (GetParam().files) {
    case FailedWriteCase::BookFiles:
        break;
    case FailedWriteCase::OneMissing:
        ASSERT_TRUE(QFile::remove(files[2]));
        break;
    case FailedWriteCase::NoFiles:
        files.clear();
        break;
    case FailedWriteCase::SameNameTwice:
        files.append(QDir(Src()).filePath(QStringLiteral("NAMES.DBF")));
        WriteBytes(files.last(), "twin");
        break;
    }
    Package package(Book());
    if (const auto fault = GetParam().fault)
        package.SetWriteFaultHook([fault](Package::WriteStep step) { return step == *fault; });

    const PackResult result = package.Write(files, {});

    EXPECT_FALSE(result.ok);
    EXPECT_THAT(result.error.toStdString(), HasSubstr("book.qvp"));
    EXPECT_EQ(ReadBytes(Book()), old);
    // No temporary file is left beside the package either.
    EXPECT_EQ(QDir(Path({})).entryList(QDir::Files | QDir::Hidden), QStringList{"book.qvp"});
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedWriteTest,
    ::testing::Values(
        FailedWriteCase{"FailsAfterArchiveBegun", Package::WriteStep::ArchiveBegun,
                        FailedWriteCase::BookFiles},
        FailedWriteCase{"FailsAfterArchiveClosed", Package::WriteStep::ArchiveClosed,
                        FailedWriteCase::BookFiles},
        FailedWriteCase{"FailsAfterTempFileWritten", Package::WriteStep::TempFileWritten,
                        FailedWriteCase::BookFiles},
        FailedWriteCase{"MemberFileMissing", std::nullopt, FailedWriteCase::OneMissing},
        FailedWriteCase{"NoMemberFiles", std::nullopt, FailedWriteCase::NoFiles},
        FailedWriteCase{"TwoFilesSameNameButCase", std::nullopt, FailedWriteCase::SameNameTwice}),
    [](const auto& info) { return std::string(info.param.label); });

// ---- Reading packages made by the zip tool --------------------------------------------

struct ZipToolCase
{
    const char* label;
    const char* password;
    QStringList names; // as stored, in the order stored
};

void PrintTo(const ZipToolCase& c, std::ostream* os)
{
    *os << c.label;
}

class ZipToolPackageTest : public PackageTest, public ::testing::WithParamInterface<ZipToolCase>
{};

TEST_P(ZipToolPackageTest, IsReadWithMemberNamesLookedUpWithoutCase)
{
    const QString password = QString::fromLatin1(GetParam().password);
    ZipTool(MakeMembers(GetParam().names), password);
    Recorder recorder;
    recorder.answers = {password};

    const UnpackResult result = Unpack(recorder);

    EXPECT_TRUE(result.Succeeded()) << result.error.toStdString();
    EXPECT_EQ(result.unpacked, 5);
    EXPECT_EQ(result.password, password);
    ASSERT_EQ(recorder.asked.size(), password.isEmpty() ? 0u : 1u);
    if (!password.isEmpty()) {
        EXPECT_EQ(recorder.asked[0].member, GetParam().names[0]);
        EXPECT_EQ(recorder.asked[0].attempt, 1);
    }
    ASSERT_EQ(recorder.ends.size(), 5u);
    for (qsizetype i = 0; i < 5; ++i)
        EXPECT_EQ(recorder.ends[i], std::make_pair(GetParam().names[i], true));
    // The names the book loader asks for.
    const QStringList asked{"names.dbf", "agents.dbf", "Tree.dff", "Treeno.dff", "Surname.dff"};
    for (qsizetype i = 0; i < asked.size(); ++i)
        EXPECT_EQ(ReadBytes(Package::MemberFilePath(Out(), asked[i])),
                  MemberContent(GetParam().names[i]))
            << asked[i].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Packages, ZipToolPackageTest,
    ::testing::Values(
        ZipToolCase{
            "Plain", "", {"Names.dbf", "Agents.dbf", "tree.dff", "treeno.dff", "surname.dff"}},
        ZipToolCase{"Encrypted",
                    "pw",
                    {"Names.dbf", "Agents.dbf", "tree.dff", "treeno.dff", "surname.dff"}},
        ZipToolCase{"UpperCaseNames",
                    "",
                    {"NAMES.DBF", "AGENTS.DBF", "TREE.DFF", "TREENO.DFF", "SURNAME.DFF"}},
        ZipToolCase{"EncryptedMixedCaseNames",
                    "secret",
                    {"names.DBF", "aGeNtS.dbf", "Tree.Dff", "TREENO.dff", "Surname.DFF"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PackageTest, MemberWritesOverAFileWhoseNameDiffersOnlyInCase)
{
    WriteBytes(QDir(Out()).filePath(QStringLiteral("names.dbf")), "stale");
    ZipTool(MakeMembers({QStringLiteral("NAMES.DBF")}));
    Recorder recorder;

    ASSERT_TRUE(Unpack(recorder).Succeeded());

    EXPECT_EQ(QDir(Out()).entryList(QDir::Files), QStringList{"names.dbf"});
    EXPECT_EQ(ReadBytes(Package::MemberFilePath(Out(), QStringLiteral("Names.dbf"))),
              MemberContent(QStringLiteral("NAMES.DBF")));
}

// ---- Passwords -------------------------------------------------------------------------

TEST_F(PackageTest, WrongPasswordsAreAskedAgainUntilOneOpensTheMembers)
{
    ASSERT_TRUE(Package(Book()).Write(MakeBookMembers(), QStringLiteral("pw")).ok);
    Recorder recorder;
    recorder.answers = {QStringLiteral("nope"), QStringLiteral("PW"), QStringLiteral("pw")};
    UnpackOptions options;
    options.password = QStringLiteral("stale"); // tried first, and wrong as well

    const UnpackResult result = Unpack(recorder, options);

    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(result.unpacked, 5);
    EXPECT_EQ(result.password, QStringLiteral("pw"));
    ASSERT_EQ(recorder.asked.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(recorder.asked[i].member, kPackageMembers[0]);
        EXPECT_EQ(recorder.asked[i].attempt, i + 1);
    }
    for (const QString& name : kPackageMembers)
        EXPECT_EQ(ReadBytes(QDir(Out()).filePath(name)), MemberContent(name));
}

TEST_F(PackageTest, CancellingThePasswordRequestFailsTheUnpacking)
{
    ZipTool(MakeBookMembers(), QStringLiteral("pw"));
    Recorder recorder;
    recorder.answers = {QStringLiteral("wrong")}; // then cancel

    const UnpackResult result = Unpack(recorder);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.unpacked, 0);
    EXPECT_EQ(recorder.asked.size(), 2u);
    EXPECT_THAT(recorder.ends, ElementsAre(Pair(kPackageMembers[0], false)));
    EXPECT_TRUE(recorder.problems.isEmpty()) << recorder.problems.join(u'\n').toStdString();
    EXPECT_TRUE(FilesUnder(Out()).isEmpty());
}

// ---- Damaged members -------------------------------------------------------------------

class DamagedMemberTest : public PackageTest, public ::testing::WithParamInterface<bool>
{};

TEST_P(DamagedMemberTest, FailsTheUnpackingEvenWhenNotTheLastMember)
{
    const bool stored = GetParam();
    ZipTool(MakeBookMembers(), {}, stored ? QStringList{"-0"} : QStringList{});
    DamageMember(Book(), "Names.dbf");
    Recorder recorder;

    const UnpackResult result = Unpack(recorder);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.unpacked, 4);
    EXPECT_EQ(result.failed, 1);
    ASSERT_EQ(recorder.ends.size(), 5u);
    EXPECT_EQ(recorder.ends[0], std::make_pair(QStringLiteral("Names.dbf"), false));
    for (size_t i = 1; i < 5; ++i)
        EXPECT_TRUE(recorder.ends[i].second) << recorder.ends[i].first.toStdString();
    ASSERT_EQ(recorder.problems.size(), 1);
    EXPECT_THAT(recorder.problems[0].toStdString(), HasSubstr("Names.dbf"));
    EXPECT_TRUE(recorder.problems[0].startsWith(u"Error: "));
    if (stored) {
        EXPECT_EQ(recorder.problems[0], QStringLiteral("Error: 7 - Names.dbf: CRC error"));
    }
    // The damaged data is not left where the loader would read it.
    EXPECT_FALSE(QFile::exists(QDir(Out()).filePath(QStringLiteral("Names.dbf"))));
    EXPECT_EQ(FilesUnder(Out()).size(), 4);
}

INSTANTIATE_TEST_SUITE_P(StoredAndDeflated, DamagedMemberTest, ::testing::Bool());

TEST_F(PackageTest, DamagedEncryptedMemberIsNotTakenForAWrongPassword)
{
    ASSERT_TRUE(Package(Book()).Write(MakeBookMembers(), QStringLiteral("pw")).ok);
    DamageMember(Book(), "Agents.dbf");
    Recorder recorder;
    recorder.answers = {QStringLiteral("pw")};

    const UnpackResult result = Unpack(recorder);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.unpacked, 4);
    EXPECT_EQ(recorder.asked.size(), 1u); // the password opened Names.dbf: no second request
    ASSERT_EQ(recorder.ends.size(), 5u);
    EXPECT_EQ(recorder.ends[1], std::make_pair(QStringLiteral("Agents.dbf"), false));
    EXPECT_THAT(recorder.problems.join(u'\n').toStdString(), HasSubstr("Agents.dbf"));
}

// ---- Hostile members -------------------------------------------------------------------

struct RefusedNameCase
{
    const char* label;
    QByteArray name;
    int code;
};

void PrintTo(const RefusedNameCase& c, std::ostream* os)
{
    *os << c.label;
}

class RefusedNameTest : public PackageTest, public ::testing::WithParamInterface<RefusedNameCase>
{};

TEST_P(RefusedNameTest, IsNotWrittenAnywhere)
{
    QByteArray name = GetParam().name;
    name.replace("@TMP@", QFile::encodeName(Path(QStringLiteral("abs.dbf"))));
    MakeArchive(Book(), {{"Names.dbf", "good"}, {name, "hostile"}});
    Recorder recorder;

    const UnpackResult result = Unpack(recorder);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.unpacked, 1);
    EXPECT_EQ(result.failed, 1);
    EXPECT_THAT(recorder.ends, ElementsAre(Pair(QStringLiteral("Names.dbf"), true),
                                           Pair(QString::fromUtf8(name), false)));
    EXPECT_EQ(recorder.problemCodes, std::vector<int>{GetParam().code});
    EXPECT_EQ(FilesUnder(Path({})), (QStringList{"book.qvp", "out/Names.dbf"}));
    EXPECT_EQ(ReadBytes(QDir(Out()).filePath(QStringLiteral("Names.dbf"))), "good");
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNameTest,
    ::testing::Values(RefusedNameCase{"ParentFolder", "../escape.dbf", MemberNameHasFolder},
                      RefusedNameCase{"AbsolutePath", "@TMP@", MemberNameHasFolder},
                      RefusedNameCase{"SubFolder", "sub/tree.dff", MemberNameHasFolder},
                      RefusedNameCase{"BackslashFolder", "..\\escape.dbf", MemberNameHasFolder},
                      RefusedNameCase{"DotDot", "..", MemberNameHasFolder},
                      RefusedNameCase{"FolderEntry", "sub/", MemberNameHasFolder},
                      RefusedNameCase{"SameNameOtherCase", "NAMES.DBF", MemberNameRepeated}),
    [](const auto& info) { return std::string(info.param.label); });

struct OversizedCase
{
    const char* label;
    int size;             // of each member, all zero bytes
    int members;          // named m0.dbf, m1.dbf, ...
    quint32 declaredSize; // written into the headers of m0.dbf when not 0
    UnpackOptions options;
    int unpacked;
};

void PrintTo(const OversizedCase& c, std::ostream* os)
{
    *os << c.label;
}

UnpackOptions Limits(qint64 member, qint64 total)
{
    UnpackOptions options;
    options.maxMemberSize = member;
    options.maxTotalSize = total;
    return options;
}

class OversizedMemberTest : public PackageTest, public ::testing::WithParamInterface<OversizedCase>
{};

TEST_P(OversizedMemberTest, IsStoppedBeforeItReachesTheDisk)
{
    const OversizedCase& c = GetParam();
    QList<QPair<QByteArray, QByteArray>> members;
    for (int i = 0; i < c.members; ++i)
        members.append({"m" + QByteArray::number(i) + ".dbf", QByteArray(c.size, '\0')});
    MakeArchive(Book(), members);
    if (c.declaredSize != 0) {
        // A bomb: the headers claim a small member that inflates to far more.
        QByteArray zip = ReadBytes(Book());
        const MemberPlace place = FindMember(zip, "m0.dbf");
        ASSERT_GE(place.central, 0);
        PutLe32(zip, place.local + 22, c.declaredSize);
        PutLe32(zip, place.central + 24, c.declaredSize);
        WriteBytes(Book(), zip);
    }
    Recorder recorder;

    const UnpackResult result = Unpack(recorder, c.options);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.unpacked, c.unpacked);
    EXPECT_EQ(result.failed, c.members - c.unpacked);
    EXPECT_EQ(recorder.problemCodes, std::vector<int>(c.members - c.unpacked, MemberTooLarge));
    EXPECT_EQ(FilesUnder(Out()).size(), c.unpacked); // no partial or temporary file either
}

INSTANTIATE_TEST_SUITE_P(
    Limits, OversizedMemberTest,
    ::testing::Values(OversizedCase{"DeclaredOverMemberLimit", 5000, 1, 0, Limits(1000, 10000), 0},
                      OversizedCase{"InflatesBeyondDeclared", 1 << 20, 1, 100, Limits(1000, 10000),
                                    0},
                      OversizedCase{"TogetherOverTotalLimit", 600, 3, 0, Limits(1000, 1300), 2}),
    [](const auto& info) { return std::string(info.param.label); });

// ---- Archives that cannot be read --------------------------------------------------------

struct UnreadableCase
{
    const char* label;
    std::function<void(PackageTest&, const QString& book)> make;
    qint64 maxMembers;
};

void PrintTo(const UnreadableCase& c, std::ostream* os)
{
    *os << c.label;
}

class UnreadableArchiveTest : public PackageTest,
                              public ::testing::WithParamInterface<UnreadableCase>
{
public:
    void MakeValid() { ZipTool(MakeBookMembers()); }
};

TEST_P(UnreadableArchiveTest, GivesAnErrorAndUnpacksNothing)
{
    GetParam().make(*this, Book());
    Recorder recorder;
    UnpackOptions options;
    options.maxMembers = GetParam().maxMembers;

    const UnpackResult result = Unpack(recorder, options);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_THAT(result.error.toStdString(), HasSubstr("book.qvp"));
    EXPECT_EQ(result.unpacked, 0);
    EXPECT_TRUE(recorder.ends.empty());
    EXPECT_TRUE(FilesUnder(Out()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Archives, UnreadableArchiveTest,
    ::testing::Values(
        UnreadableCase{"Missing", [](PackageTest&, const QString&) {}, 1000},
        UnreadableCase{"EmptyFile", [](PackageTest&, const QString& book) { WriteBytes(book, {}); },
                       1000},
        UnreadableCase{"NotAZip",
                       [](PackageTest&, const QString& book) {
                           WriteBytes(book, "ClientID;Name;SurName\n1;Smith John;Smith\n");
                       },
                       1000},
        UnreadableCase{"Truncated",
                       [](PackageTest& test, const QString& book) {
                           static_cast<UnreadableArchiveTest&>(test).MakeValid();
                           const QByteArray zip = ReadBytes(book);
                           WriteBytes(book, zip.left(zip.size() * 3 / 5));
                       },
                       1000},
        UnreadableCase{"NoMembers",
                       [](PackageTest&, const QString& book) {
                           WriteBytes(book, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
                       },
                       1000},
        UnreadableCase{"TooManyMembers",
                       [](PackageTest& test, const QString&) {
                           static_cast<UnreadableArchiveTest&>(test).MakeValid();
                       },
                       4}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PackageTest, MissingTargetFolderIsOneErrorRatherThanOnePerMember)
{
    ZipTool(MakeBookMembers());
    ASSERT_TRUE(QDir(Out()).removeRecursively());
    Recorder recorder;

    const UnpackResult result = Unpack(recorder);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_THAT(result.error.toStdString(), HasSubstr("out"));
    EXPECT_TRUE(recorder.ends.empty());
    EXPECT_TRUE(recorder.problems.isEmpty());
}

// ---- Problem lines ------------------------------------------------------------------------

TEST(ProblemReportTest, LineHasTheFormOfItsKind)
{
    EXPECT_EQ((ProblemReport{ProblemReport::Kind::Notice, 26001, QStringLiteral("Skipped")}.Line()),
              QStringLiteral("Message: 26001 - Skipped"));
    EXPECT_EQ((ProblemReport{ProblemReport::Kind::Error, 7, QStringLiteral("Names.dbf: CRC error")}
                   .Line()),
              QStringLiteral("Error: 7 - Names.dbf: CRC error"));
}

} // namespace
