// The working folder on a real file system: created private to the user whatever the umask,
// refused (and left alone) when an entry there is a link, a file or another user's, and
// cleared of exactly the book's member files.
#include "storage/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode;
}

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

class WorkFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(WorkFolderTest, IsCreatedPrivateWhateverTheUmask)
{
    const mode_t old = ::umask(0);
    const WorkFolderResult result = PrepareWorkFolder(Path(QStringLiteral("tmp/QV/")));
    ::umask(old);

    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const mode_t mode = ModeOf(Path(QStringLiteral("tmp/QV")));
    EXPECT_TRUE(S_ISDIR(mode));
    EXPECT_EQ(mode & 07777, 0700u);
}

TEST_F(WorkFolderTest, ExistingFolderOfTheUserIsMadePrivate)
{
    const QString folder = Path(QStringLiteral("QV"));
    ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0755), 0);
    Touch(folder + QStringLiteral("/keep.txt"));

    ASSERT_TRUE(PrepareWorkFolder(folder + u'/').ok);

    EXPECT_EQ(ModeOf(folder) & 07777, 0700u);
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/keep.txt")));
}

enum class Intruder
{
    LinkToFolder,
    LinkToFolderWithSeparator, // "QV/" would follow the link if asked carelessly
    File,
    OtherUsersFolder
};

class RefusedWorkFolderTest : public WorkFolderTest, public ::testing::WithParamInterface<Intruder>
{};

TEST_P(RefusedWorkFolderTest, IsRefusedAndLeftAlone)
{
    const QString folder = Path(QStringLiteral("QV"));
    const QString elsewhere = Path(QStringLiteral("elsewhere"));
    ASSERT_EQ(::mkdir(QFile::encodeName(elsewhere).constData(), 0755), 0);
    QString asked = folder;
    switch (GetParam()) {
    case Intruder::LinkToFolderWithSeparator:
        asked += u'/';
        [[fallthrough]];
    case Intruder::LinkToFolder:
        ASSERT_TRUE(QFile::link(elsewhere, folder));
        break;
    case Intruder::File:
        Touch(folder);
        break;
    case Intruder::OtherUsersFolder:
        if (::geteuid() != 0)
            GTEST_SKIP() << "making a folder of another user needs root";
        ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0755), 0);
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        break;
    }
    const mode_t before = ModeOf(folder);

    const WorkFolderResult result = PrepareWorkFolder(asked);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("QV"))) << result.error.toStdString();
    EXPECT_EQ(ModeOf(folder), before);
    EXPECT_EQ(ModeOf(elsewhere) & 07777, 0755u);
}

std::string IntruderName(const ::testing::TestParamInfo<Intruder>& info)
{
    switch (info.param) {
    case Intruder::LinkToFolder:
        return "LinkToFolder";
    case Intruder::LinkToFolderWithSeparator:
        return "LinkToFolderWithSeparator";
    case Intruder::File:
        return "File";
    case Intruder::OtherUsersFolder:
        return "OtherUsersFolder";
    }
    return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(Intruders, RefusedWorkFolderTest,
                         ::testing::Values(Intruder::LinkToFolder,
                                           Intruder::LinkToFolderWithSeparator, Intruder::File,
                                           Intruder::OtherUsersFolder),
                         IntruderName);

TEST_F(WorkFolderTest, ClearingDeletesExactlyTheMemberFilesInAnyCase)
{
    const QString folder = Path(QStringLiteral("QV"));
    ASSERT_TRUE(PrepareWorkFolder(folder).ok);
    for (const char* name : {"names.dbf", "AGENTS.DBF", "Tree.dff", "treeno.dff", "notes.txt",
                             "other.dbf", "surname.dff.bak"})
        Touch(folder + u'/' + QLatin1String(name));

    EXPECT_TRUE(ClearWorkFolder(folder + u'/'));

    QStringList left = QDir(folder).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"notes.txt", "other.dbf", "surname.dff.bak"}));
    EXPECT_TRUE(ClearWorkFolder(folder)); // nothing left to delete is no failure
}

} // namespace
