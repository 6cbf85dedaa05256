// The settings object against real "aa.ini" files on disk: defaults, the round trip of every
// key, the number and flag rules, the size keys, what a write keeps, and the installed lists.
#include "storage/OptionType.h"

#include "storage/CardDataMod.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const KeyValue& line, std::ostream* os)
{
    *os << line.key.toStdString() << '=' << line.value.toStdString();
}

namespace {

using ::testing::ElementsAre;

class OptionTypeTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Path(const QString& name = QStringLiteral("aa.ini")) const
    {
        return m_dir.filePath(name);
    }

    void WriteFile(const QByteArray& text, const QString& name = QStringLiteral("aa.ini")) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QByteArray ReadFile(const QString& name = QStringLiteral("aa.ini")) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The non-blank lines of the file, in order.
    QStringList Lines() const
    {
        QStringList lines;
        for (const QString& line : QString::fromUtf8(ReadFile()).split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                lines.append(line);
        }
        return lines;
    }

    // A settings object on the test file that does not fall back to the installed lists.
    OptionType Options() const
    {
        OptionType options(Path());
        options.SetDefaultsPath(Path(QStringLiteral("no-defaults.ini")));
        return options;
    }

    OptionType Read() const
    {
        OptionType options = Options();
        EXPECT_TRUE(options.ReadAll());
        return options;
    }

    QTemporaryDir m_dir;
};

void ExpectTableDefaults(const OptionType& o)
{
    EXPECT_EQ(o.BookName, QStringLiteral("Default"));
    EXPECT_TRUE(o.FieldsList.isEmpty());
    EXPECT_TRUE(o.SearchableFieldsList.isEmpty());
    EXPECT_TRUE(o.CheckedFieldsList.isEmpty());
    for (const QString& name :
         {o.SurnameGridFontname, o.TreeFontname, o.RecListFontname, o.RecViewFontname})
        EXPECT_EQ(name, QStringLiteral("MS Sans Serif"));
    for (int color :
         {o.SurnameGridFontColor, o.TreeFontColor, o.RecListFontColor, o.RecViewFontColor})
        EXPECT_EQ(color, 0);
    for (int size : {o.SurnameGridFontSize, o.TreeFontSize, o.RecListFontSize, o.RecViewFontSize})
        EXPECT_EQ(size, 10);
    EXPECT_TRUE(o.ConfirmDeletion);
    EXPECT_TRUE(o.CheckOrgSameName);
    EXPECT_TRUE(o.QuickSearchOpen);
    EXPECT_TRUE(o.ToSaveSize);
    EXPECT_EQ(o.DataDir, QString());
    EXPECT_EQ(o.WhichEmailer(), 1);
    EXPECT_EQ(o.LeftPanelWidth, 138);
    EXPECT_EQ(o.MiddlePanelWidth, 128);
    EXPECT_EQ(o.RightPanelWidth, 360);
    EXPECT_EQ(o.FormWidth, 638);
    EXPECT_EQ(o.FormHeight, 480);
    EXPECT_EQ(o.GridHeight, 144);
    EXPECT_FALSE(o.WindowMax);
}

TEST_F(OptionTypeTest, CreationSetsTheStartValues)
{
    OptionType o(Path());
    EXPECT_EQ(o.BookName, QStringLiteral("default"));
    EXPECT_TRUE(o.BookList.isEmpty());
    EXPECT_TRUE(o.FieldsList.isEmpty());
    EXPECT_TRUE(o.FieldNames.isEmpty());
    EXPECT_TRUE(o.CurrentPassword.isEmpty());
    EXPECT_EQ(o.IniFolder, QDir(m_dir.path()).absolutePath());
    EXPECT_FALSE(o.IniFolder.endsWith(QLatin1Char('/')));
    EXPECT_EQ(o.IniPath(), Path());
    ASSERT_EQ(o.ImportMap.size(), 81u);
    for (const auto& row : o.ImportMap) {
        ASSERT_EQ(row.size(), 5u);
        for (int column : row)
            EXPECT_EQ(column, 0);
    }
    EXPECT_EQ(o.LeftPanelWidth, 0);
    EXPECT_EQ(o.FormWidth, 0);
}

TEST_F(OptionTypeTest, MissingFileGivesTheDefaultsAndIsNotCreatedByReading)
{
    const OptionType o = Read();
    ExpectTableDefaults(o);
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(OptionTypeTest, MissingKeysGiveTheDefaults)
{
    WriteFile("[DefaultAddressBook]\n"
              "[Fonts]\nTreeFontSize=12\n"
              "[MiscOption]\nDataDir=/books/\n");
    const OptionType o = Read();
    EXPECT_EQ(o.TreeFontSize, 12);
    EXPECT_EQ(o.DataDir, QStringLiteral("/books/"));
    EXPECT_EQ(o.BookName, QStringLiteral("Default"));
    EXPECT_EQ(o.TreeFontname, QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(o.RecViewFontSize, 10);
    EXPECT_TRUE(o.ConfirmDeletion);
    EXPECT_EQ(o.WhichEmailer(), 1);
    EXPECT_EQ(o.GridHeight, 144);
}

TEST_F(OptionTypeTest, EveryKeyMakesTheRoundTrip)
{
    OptionType o = Options();
    o.BookName = QStringLiteral("Friends");
    o.FieldsList = {{"Name", "Name"}, {"Phone", "Home Phone"}, {"Company", "Org"}};
    o.CheckedFieldsList = {{"Name", "True"}, {"Phone", "False"}, {"Company", "True"}};
    o.SurnameGridFontname = QStringLiteral("Arial");
    o.SurnameGridFontSize = 8;
    o.SurnameGridFontColor = 255;
    o.TreeFontname = QStringLiteral("Courier New");
    o.TreeFontSize = 9;
    o.TreeFontColor = 65280;
    o.RecListFontname = QStringLiteral("Times New Roman");
    o.RecListFontSize = 11;
    o.RecListFontColor = 16711680;
    o.RecViewFontname = QStringLiteral("DejaVu Sans");
    o.RecViewFontSize = 14;
    o.RecViewFontColor = -16777201;
    o.ConfirmDeletion = false;
    o.CheckOrgSameName = false;
    o.QuickSearchOpen = false;
    o.ToSaveSize = true;
    o.DataDir = QStringLiteral("/home/user/Books/");
    o.SetEmailer(2);
    o.LeftPanelWidth = 201;
    o.MiddlePanelWidth = 202;
    o.RightPanelWidth = 203;
    o.FormWidth = 1024;
    o.FormHeight = 768;
    o.GridHeight = 99;
    o.WindowMax = true;
    ASSERT_TRUE(o.WriteAll());

    const OptionType r = Read();
    EXPECT_EQ(r.BookName, QStringLiteral("Friends"));
    EXPECT_EQ(r.FieldsList, o.FieldsList);
    EXPECT_EQ(r.CheckedFieldsList, o.CheckedFieldsList);
    EXPECT_TRUE(r.SearchableFieldsList.isEmpty());
    EXPECT_EQ(r.SurnameGridFontname, QStringLiteral("Arial"));
    EXPECT_EQ(r.SurnameGridFontSize, 8);
    EXPECT_EQ(r.SurnameGridFontColor, 255);
    EXPECT_EQ(r.TreeFontname, QStringLiteral("Courier New"));
    EXPECT_EQ(r.TreeFontSize, 9);
    EXPECT_EQ(r.TreeFontColor, 65280);
    EXPECT_EQ(r.RecListFontname, QStringLiteral("Times New Roman"));
    EXPECT_EQ(r.RecListFontSize, 11);
    EXPECT_EQ(r.RecListFontColor, 16711680);
    EXPECT_EQ(r.RecViewFontname, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(r.RecViewFontSize, 14);
    EXPECT_EQ(r.RecViewFontColor, -16777201);
    EXPECT_FALSE(r.ConfirmDeletion);
    EXPECT_FALSE(r.CheckOrgSameName);
    EXPECT_FALSE(r.QuickSearchOpen);
    EXPECT_TRUE(r.ToSaveSize);
    EXPECT_EQ(r.DataDir, QStringLiteral("/home/user/Books/"));
    EXPECT_EQ(r.WhichEmailer(), 2);
    EXPECT_EQ(r.LeftPanelWidth, 201);
    EXPECT_EQ(r.MiddlePanelWidth, 202);
    EXPECT_EQ(r.RightPanelWidth, 203);
    EXPECT_EQ(r.FormWidth, 1024);
    EXPECT_EQ(r.FormHeight, 768);
    EXPECT_EQ(r.GridHeight, 99);
    EXPECT_TRUE(r.WindowMax);
}

TEST_F(OptionTypeTest, WritingCreatesTheFileInTheStatedSectionAndKeyOrder)
{
    OptionType o = Options();
    o.FieldsList = {{"Name", "Name"}, {"Company", "Org"}};
    o.CheckedFieldsList = {{"Name", "True"}, {"Company", "False"}};
    o.DataDir = QStringLiteral("/data/");
    ASSERT_TRUE(o.WriteAll());

    EXPECT_THAT(
        Lines(),
        ElementsAre("[DefaultAddressBook]", "UserName0=default", "[FieldsList]", "Name=Name",
                    "Company=Org", "[CheckedFieldsList]", "Name=True", "Company=False", "[Fonts]",
                    "SurnameGridFontname=MS Sans Serif", "SurnameGridFontColor=0",
                    "SurnameGridFontSize=10", "TreeFontname=MS Sans Serif", "TreeFontColor=0",
                    "TreeFontSize=10", "RecListFontname=MS Sans Serif", "RecListFontColor=0",
                    "RecListFontSize=10", "RecViewFontname=MS Sans Serif", "RecViewFontColor=0",
                    "RecViewFontSize=10", "[MiscOption]", "ConfirmDeletion=1", "CheckOrgSameName=1",
                    "QuickSearchOpen=1", "ToSaveSize=1", "DataDir=/data/", "WhichEmailer=1",
                    "LeftPanelWidth=0", "MiddlePanelWidth=0", "RightPanelWidth=0", "FormWidth=0",
                    "FormHeight=0", "GridHeight=0", "WindowMax=0"));
}

TEST_F(OptionTypeTest, FlagsAreWrittenAsOneAndZero)
{
    OptionType o = Options();
    o.ConfirmDeletion = false;
    o.QuickSearchOpen = true;
    o.WindowMax = true;
    ASSERT_TRUE(o.WriteAll());
    const QStringList lines = Lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("ConfirmDeletion=0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("QuickSearchOpen=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("WindowMax=1")));
}

struct FlagCase
{
    const char* text;
    bool expected;
};

class FlagReading : public OptionTypeTest, public ::testing::WithParamInterface<FlagCase>
{};

TEST_P(FlagReading, ZeroIsFalseAnyOtherIntegerIsTrue)
{
    const QByteArray text = GetParam().text;
    WriteFile("[MiscOption]\nConfirmDeletion=" + text + "\nCheckOrgSameName=" + text +
              "\nQuickSearchOpen=" + text + "\nToSaveSize=1\nWindowMax=" + text + "\n");
    const OptionType o = Read();
    EXPECT_EQ(o.ConfirmDeletion, GetParam().expected);
    EXPECT_EQ(o.CheckOrgSameName, GetParam().expected);
    EXPECT_EQ(o.QuickSearchOpen, GetParam().expected);
    EXPECT_EQ(o.WindowMax, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FlagReading,
                         ::testing::Values(FlagCase{"0", false}, FlagCase{"1", true},
                                           FlagCase{"7", true}, FlagCase{"-1", true},
                                           FlagCase{"00", false}));

TEST_F(OptionTypeTest, AFlagThatIsNoNumberGivesItsDefault)
{
    WriteFile("[MiscOption]\nConfirmDeletion=yes\nToSaveSize=true\nWindowMax=on\n");
    const OptionType o = Read();
    EXPECT_TRUE(o.ConfirmDeletion);
    EXPECT_TRUE(o.ToSaveSize);
    EXPECT_FALSE(o.WindowMax);
}

class NonNumber : public OptionTypeTest, public ::testing::WithParamInterface<const char*>
{};

TEST_P(NonNumber, GivesTheDefault)
{
    const QByteArray text = GetParam();
    WriteFile("[Fonts]\nTreeFontSize=" + text + "\nTreeFontColor=" + text +
              "\n[MiscOption]\nWhichEmailer=" + text + "\nLeftPanelWidth=" + text +
              "\nFormHeight=" + text + "\n");
    const OptionType o = Read();
    EXPECT_EQ(o.TreeFontSize, 10);
    EXPECT_EQ(o.TreeFontColor, 0);
    EXPECT_EQ(o.WhichEmailer(), 1);
    EXPECT_EQ(o.LeftPanelWidth, 138);
    EXPECT_EQ(o.FormHeight, 480);
}

INSTANTIATE_TEST_SUITE_P(Values, NonNumber,
                         ::testing::Values("abc", "", "12px", "1.5", "0x10", "--3", "+",
                                           "4294967296", "2147483648", "-2147483649"));

TEST_F(OptionTypeTest, NegativeColoursAreSigned32BitValues)
{
    WriteFile("[Fonts]\nSurnameGridFontColor=-16777201\nTreeFontColor=-2147483648\n"
              "RecListFontColor=2147483647\nRecViewFontColor=-1\n");
    OptionType o = Read();
    EXPECT_EQ(o.SurnameGridFontColor, -16777201);
    EXPECT_EQ(o.TreeFontColor, -2147483647 - 1);
    EXPECT_EQ(o.RecListFontColor, 2147483647);
    EXPECT_EQ(o.RecViewFontColor, -1);

    o.RecViewFontColor = -16777211;
    ASSERT_TRUE(o.WriteAll());
    EXPECT_TRUE(Lines().contains(QStringLiteral("RecViewFontColor=-16777211")));
    EXPECT_TRUE(Lines().contains(QStringLiteral("TreeFontColor=-2147483648")));
    EXPECT_EQ(Read().RecViewFontColor, -16777211);
}

TEST_F(OptionTypeTest, SizeKeysAreNeitherReadNorWrittenWhileToSaveSizeIsOff)
{
    const QByteArray sizes = "LeftPanelWidth=500\nMiddlePanelWidth=501\nRightPanelWidth=502\n"
                             "FormWidth=900\nFormHeight=700\nGridHeight=300\nWindowMax=1\n";
    WriteFile("[MiscOption]\nToSaveSize=0\n" + sizes);
    OptionType o = Read();
    EXPECT_FALSE(o.ToSaveSize);
    EXPECT_EQ(o.LeftPanelWidth, 0);
    EXPECT_EQ(o.MiddlePanelWidth, 0);
    EXPECT_EQ(o.RightPanelWidth, 0);
    EXPECT_EQ(o.FormWidth, 0);
    EXPECT_EQ(o.FormHeight, 0);
    EXPECT_EQ(o.GridHeight, 0);
    EXPECT_FALSE(o.WindowMax);

    o.LeftPanelWidth = 10;
    o.FormWidth = 20;
    o.WindowMax = false;
    ASSERT_TRUE(o.WriteAll());
    const QStringList lines = Lines();
    for (const QString& line :
         QString::fromLatin1(sizes).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("ToSaveSize=0")));
}

TEST_F(OptionTypeTest, SizeKeysAreReadWhileToSaveSizeIsOn)
{
    WriteFile("[MiscOption]\nToSaveSize=1\nLeftPanelWidth=500\nFormWidth=900\nWindowMax=1\n");
    const OptionType o = Read();
    EXPECT_EQ(o.LeftPanelWidth, 500);
    EXPECT_EQ(o.FormWidth, 900);
    EXPECT_EQ(o.FormHeight, 480);
    EXPECT_TRUE(o.WindowMax);
}

TEST_F(OptionTypeTest, AWriteKeepsUnknownSectionsKeysAndComments)
{
    WriteFile("; kept comment\n"
              "[Other]\nfoo=bar\n"
              "[MiscOption]\nExtra=42\nConfirmDeletion=1\n"
              "[FieldsList]\nName=Name\nOld=Old Label\n"
              "[User]\nUserName3=abc\n");
    OptionType o = Read();
    o.ConfirmDeletion = false;
    o.FieldsList = {{"Name", "Full Name"}};
    ASSERT_TRUE(o.WriteAll());

    const QStringList lines = Lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("; kept comment")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[Other]")));
    EXPECT_TRUE(lines.contains(QStringLiteral("foo=bar")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Extra=42")));
    EXPECT_TRUE(lines.contains(QStringLiteral("ConfirmDeletion=0")));
    EXPECT_TRUE(lines.contains(QStringLiteral("UserName3=abc")));
    // Each line is written back under its key; other lines of the section stay.
    EXPECT_TRUE(lines.contains(QStringLiteral("Name=Full Name")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Old=Old Label")));
}

TEST_F(OptionTypeTest, SectionsAndKeysInOtherLetterCaseAreTheSame)
{
    WriteFile("[defaultaddressbook]\nusername0=Work\n"
              "[FONTS]\ntreefontsize=12\nRECVIEWFONTNAME=Arial\n"
              "[miscoption]\nconfirmdeletion=0\nWHICHEMAILER=2\n");
    OptionType o = Read();
    EXPECT_EQ(o.BookName, QStringLiteral("Work"));
    EXPECT_EQ(o.TreeFontSize, 12);
    EXPECT_EQ(o.RecViewFontname, QStringLiteral("Arial"));
    EXPECT_FALSE(o.ConfirmDeletion);
    EXPECT_EQ(o.WhichEmailer(), 2);

    o.TreeFontSize = 9;
    ASSERT_TRUE(o.WriteAll());
    const QStringList lines = Lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("treefontsize=9")));
    EXPECT_EQ(lines.filter(QStringLiteral("treefontsize"), Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("[fonts]"), Qt::CaseInsensitive).size(), 1);
}

TEST_F(OptionTypeTest, FieldListsKeepTheirFileOrder)
{
    WriteFile("[FieldsList]\nName=Name\nZip=Home Zip\nAddress=Home Address\nCompany=Org\n"
              "[SearchableFieldsList]\nOrg=\nName=\n"
              "[CheckedFieldsList]\nName=True\nZip=false\nAddress=TRUE\nCompany=x\n");
    const OptionType o = Read();
    EXPECT_THAT(o.FieldsList,
                ElementsAre(KeyValue{"Name", "Name"}, KeyValue{"Zip", "Home Zip"},
                            KeyValue{"Address", "Home Address"}, KeyValue{"Company", "Org"}));
    EXPECT_THAT(o.SearchableFieldsList, ElementsAre(KeyValue{"Org", ""}, KeyValue{"Name", ""}));
    EXPECT_THAT(o.CheckedFieldsList,
                ElementsAre(KeyValue{"Name", "True"}, KeyValue{"Zip", "false"},
                            KeyValue{"Address", "TRUE"}, KeyValue{"Company", "x"}));
}

TEST_F(OptionTypeTest, FieldOfLabelFindsTheFirstKeyIgnoringCase)
{
    OptionType o = Options();
    o.FieldsList = {{"Phone", "Home Phone"},
                    {"CPhone", "Org Phone"},
                    {"DPhone", "org phone"},
                    {"Name", "Ärzte"}};
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("Home Phone")), QStringLiteral("Phone"));
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("HOME PHONE")), QStringLiteral("Phone"));
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("ORG phone")), QStringLiteral("CPhone"));
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("Ärzte")), QStringLiteral("Name"));
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("Home")), QString());
    EXPECT_EQ(o.FieldOfLabel(QString()), QString());
    // Letter case counts only for a to z.
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("äRZTE")), QString());
}

TEST_F(OptionTypeTest, RebuildFieldNamesTakesTheKeysInOrder)
{
    OptionType o = Options();
    o.FieldNames = {QStringLiteral("stale")};
    o.FieldsList = {{"Name", "Name"}, {"SurName", "Surname"}, {"CZip", "Org Zip"}};
    o.RebuildFieldNames();
    EXPECT_THAT(o.FieldNames, ElementsAre("Name", "SurName", "CZip"));
}

TEST_F(OptionTypeTest, TheMailerHookHearsReadingAndSetting)
{
    WriteFile("[MiscOption]\nWhichEmailer=2\n");
    OptionType o = Options();
    std::vector<int> heard;
    o.SetEmailerListener([&heard](int which) { heard.push_back(which); });
    ASSERT_TRUE(o.ReadAll());
    EXPECT_EQ(o.WhichEmailer(), 2);
    o.SetEmailer(1);
    EXPECT_EQ(o.WhichEmailer(), 1);
    EXPECT_THAT(heard, ElementsAre(2, 1));
}

TEST_F(OptionTypeTest, TheBookNameIsWrittenAlone)
{
    const QByteArray before = "[DefaultAddressBook]\nUserName0=Old\n"
                              "[Fonts]\nTreeFontSize=12\n"
                              "[MiscOption]\nConfirmDeletion=1\n";
    WriteFile(before);
    OptionType o = Read();
    o.BookName = QStringLiteral("Converted");
    o.TreeFontSize = 8;
    o.ConfirmDeletion = false;
    ASSERT_TRUE(o.WriteBookName());
    EXPECT_THAT(Lines(), ElementsAre("[DefaultAddressBook]", "UserName0=Converted", "[Fonts]",
                                     "TreeFontSize=12", "[MiscOption]", "ConfirmDeletion=1"));
}

TEST_F(OptionTypeTest, TheBookNameAloneCreatesTheFile)
{
    OptionType o = Options();
    o.BookName = QString();
    ASSERT_TRUE(o.WriteBookName());
    EXPECT_THAT(Lines(), ElementsAre("[DefaultAddressBook]", "UserName0="));
    EXPECT_EQ(Read().BookName, QString());
}

TEST_F(OptionTypeTest, TheOlderUserSectionCanBeReadAndErased)
{
    WriteFile("[User]\nUserName0=Home\nusername1=Work\n[Other]\nk=v\n");
    OptionType o = Options();
    EXPECT_TRUE(o.HasSection(QStringLiteral("user")));
    EXPECT_FALSE(o.HasSection(QStringLiteral("Missing")));
    EXPECT_EQ(
        o.ReadString(QStringLiteral("User"), QStringLiteral("UserName0"), QStringLiteral("----")),
        QStringLiteral("Home"));
    EXPECT_EQ(
        o.ReadString(QStringLiteral("User"), QStringLiteral("UserName1"), QStringLiteral("----")),
        QStringLiteral("Work"));
    EXPECT_EQ(
        o.ReadString(QStringLiteral("User"), QStringLiteral("UserName2"), QStringLiteral("----")),
        QStringLiteral("----"));
    EXPECT_THAT(o.ReadSection(QStringLiteral("User")),
                ElementsAre(KeyValue{"UserName0", "Home"}, KeyValue{"username1", "Work"}));

    ASSERT_TRUE(o.EraseSection(QStringLiteral("User")));
    EXPECT_FALSE(o.HasSection(QStringLiteral("User")));
    EXPECT_THAT(Lines(), ElementsAre("[Other]", "k=v"));
}

TEST_F(OptionTypeTest, AnEmptySectionLineCountsAsNoSection)
{
    WriteFile("[User]\n[Other]\nk=v\n");
    EXPECT_FALSE(Options().HasSection(QStringLiteral("User")));
}

TEST_F(OptionTypeTest, ErasingInAMissingFileCreatesNothing)
{
    EXPECT_TRUE(Options().EraseSection(QStringLiteral("User")));
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(OptionTypeTest, TextIsUtf8AndAByteOrderMarkIsSkipped)
{
    WriteFile("\xEF\xBB\xBF[DefaultAddressBook]\nUserName0=\xE9\x80\x9A\xE8\xAE\xAF\xE5\xBD\x95\n"
              "[FieldsList]\nName=\xE5\xA7\x93\xE5\x90\x8D\n");
    OptionType o = Read();
    EXPECT_EQ(o.BookName, QStringLiteral("通讯录"));
    EXPECT_EQ(o.FieldOfLabel(QStringLiteral("姓名")), QStringLiteral("Name"));

    o.BookName = QStringLiteral("Café");
    ASSERT_TRUE(o.WriteAll());
    EXPECT_FALSE(ReadFile().startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(ReadFile().contains("UserName0=Caf\xC3\xA9"));
    EXPECT_EQ(Read().BookName, QStringLiteral("Café"));
}

TEST_F(OptionTypeTest, ALineBreakInAValueCannotForgeKeys)
{
    OptionType o = Options();
    o.DataDir = QStringLiteral("/books/\n[Fonts]\nTreeFontSize=99");
    ASSERT_TRUE(o.WriteAll());
    const OptionType r = Read();
    EXPECT_EQ(r.TreeFontSize, 10);
    EXPECT_EQ(r.DataDir, QStringLiteral("/books/ [Fonts] TreeFontSize=99"));
}

TEST_F(OptionTypeTest, AFileThatCannotBeReadIsNotReplaced)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("aa.ini")));
    OptionType o = Options();
    EXPECT_FALSE(o.ReadAll());
    ExpectTableDefaults(o);
    EXPECT_FALSE(o.WriteAll());
    EXPECT_FALSE(o.WriteBookName());
    EXPECT_TRUE(QFileInfo(Path()).isDir());
}

TEST_F(OptionTypeTest, AFileWithoutFieldListsTakesTheInstalledOnes)
{
    WriteFile("[MiscOption]\nConfirmDeletion=0\n");
    OptionType o(Path());
    ASSERT_TRUE(o.ReadAll());
    OptionType installed(OptionType::DefaultsFile());
    ASSERT_TRUE(installed.ReadAll());
    ASSERT_FALSE(installed.FieldsList.isEmpty());
    EXPECT_EQ(o.FieldsList, installed.FieldsList);
    EXPECT_EQ(o.CheckedFieldsList, installed.CheckedFieldsList);
    EXPECT_EQ(o.SearchableFieldsList, installed.SearchableFieldsList);
    EXPECT_FALSE(o.ConfirmDeletion);
}

TEST_F(OptionTypeTest, AMissingFileTakesTheInstalledFieldLists)
{
    OptionType o(Path());
    ASSERT_TRUE(o.ReadAll());
    EXPECT_EQ(o.FieldsList.value(0).key, QStringLiteral("Name"));
    EXPECT_GE(o.SearchableFieldsList.size(), 19);
}

TEST_F(OptionTypeTest, TheFileKeepsItsOwnFieldListAndTakesTheInstalledSearchableOne)
{
    // A file this program wrote has FieldsList and CheckedFieldsList but no searchable list.
    WriteFile("[FieldsList]\nName=Full Name\nCompany=Firm\n"
              "[CheckedFieldsList]\nName=True\nCompany=False\n");
    OptionType o(Path());
    ASSERT_TRUE(o.ReadAll());
    EXPECT_THAT(o.FieldsList,
                ElementsAre(KeyValue{"Name", "Full Name"}, KeyValue{"Company", "Firm"}));
    EXPECT_THAT(o.CheckedFieldsList,
                ElementsAre(KeyValue{"Name", "True"}, KeyValue{"Company", "False"}));
    EXPECT_GE(o.SearchableFieldsList.size(), 19);
    EXPECT_EQ(o.SearchableFieldsList.value(0).key, QStringLiteral("Name"));
}

TEST_F(OptionTypeTest, TheFileKeepsItsOwnSearchableList)
{
    WriteFile("[SearchableFieldsList]\nName=\n");
    OptionType o(Path());
    ASSERT_TRUE(o.ReadAll());
    EXPECT_THAT(o.SearchableFieldsList, ElementsAre(KeyValue{"Name", ""}));
    EXPECT_EQ(o.FieldsList.value(0).key, QStringLiteral("Name"));
}

TEST_F(OptionTypeTest, TheInstalledListsAreWrittenBackLikeTheFilesOwn)
{
    OptionType o(Path());
    ASSERT_TRUE(o.ReadAll());
    ASSERT_TRUE(o.WriteAll());
    OptionType r = Options();
    ASSERT_TRUE(r.ReadAll());
    EXPECT_EQ(r.FieldsList, o.FieldsList);
    EXPECT_EQ(r.CheckedFieldsList, o.CheckedFieldsList);
    // The searchable list is never written.
    EXPECT_TRUE(r.SearchableFieldsList.isEmpty());
}

// The installed "aa.ini" carries what the import, export and search rely on.
class InstalledFieldLists : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::exists(OptionType::DefaultsFile()));
        ASSERT_TRUE(m_options.ReadAll());
    }

    static QSet<QString> Set(std::initializer_list<const char*> names)
    {
        QSet<QString> set;
        for (const char* name : names)
            set.insert(QString::fromLatin1(name));
        return set;
    }

    // Whether key names a field of the table, spelled as the table spells it.
    static bool Names(const FieldList& table, const QString& key)
    {
        const int index = table.IndexOf(key);
        return index >= 0 && table.At(index).name == key;
    }

    const FieldList m_entryFields = TCardData::NameTableFields();
    const FieldList m_orgFields = TCardData::AgentTableFields();
    OptionType m_options{OptionType::DefaultsFile()};
};

TEST_F(InstalledFieldLists, FieldsListBeginsWithTheNamePartsAndListsEntryFieldsFirst)
{
    const KeyValueList& fields = m_options.FieldsList;
    ASSERT_GE(fields.size(), 4);
    EXPECT_LE(fields.size(), OptionType::ImportMapRows);
    EXPECT_EQ(fields[0].key, QStringLiteral("Name"));
    EXPECT_EQ(fields[1].key, QStringLiteral("SurName"));
    EXPECT_EQ(fields[2].key, QStringLiteral("MidName"));
    EXPECT_EQ(fields[3].key, QStringLiteral("GivenName"));

    bool orgSeen = false;
    QSet<QString> keys;
    QSet<QString> labels;
    for (const KeyValue& line : fields) {
        const bool entry = Names(m_entryFields, line.key);
        const bool org = Names(m_orgFields, line.key);
        EXPECT_TRUE(entry || org) << line.key.toStdString();
        if (org)
            orgSeen = true;
        EXPECT_FALSE(entry && orgSeen) << line.key.toStdString() << " after an org field";
        EXPECT_FALSE(line.value.trimmed().isEmpty()) << line.key.toStdString();
        EXPECT_FALSE(keys.contains(line.key)) << line.key.toStdString();
        EXPECT_FALSE(labels.contains(line.value.toLower())) << line.value.toStdString();
        keys.insert(line.key);
        labels.insert(line.value.toLower());
    }
    EXPECT_TRUE(orgSeen);
    EXPECT_TRUE(keys.contains(QStringLiteral("Company")));
}

TEST_F(InstalledFieldLists, CheckedFieldsListHasTheSameKeysInTheSameOrder)
{
    ASSERT_EQ(m_options.CheckedFieldsList.size(), m_options.FieldsList.size());
    for (qsizetype i = 0; i < m_options.FieldsList.size(); ++i) {
        EXPECT_EQ(m_options.CheckedFieldsList[i].key, m_options.FieldsList[i].key);
        const QString value = m_options.CheckedFieldsList[i].value;
        EXPECT_TRUE(value == QStringLiteral("True") || value == QStringLiteral("False"));
    }
}

TEST_F(InstalledFieldLists, SearchableLabelsAreLabelsOfFieldsList)
{
    const KeyValueList& searchable = m_options.SearchableFieldsList;
    ASSERT_GE(searchable.size(), 19);
    for (const KeyValue& line : searchable)
        EXPECT_FALSE(m_options.FieldOfLabel(line.key).isEmpty()) << line.key.toStdString();
}

TEST_F(InstalledFieldLists, QuickSearchPositionsHoldAddressAndPhoneFields)
{
    const KeyValueList& searchable = m_options.SearchableFieldsList;
    ASSERT_GE(searchable.size(), 19);
    const QSet<QString> place = Set({"Address", "CAddress", "Zip", "CZip"});
    const QSet<QString> phone =
        Set({"Phone", "Fax", "Mobile", "Pager", "DPhone", "CPhone", "CFax"});
    QSet<QString> placeFields;
    for (int position : {5, 14, 15}) {
        const QString field = m_options.FieldOfLabel(searchable[position].key);
        EXPECT_TRUE(place.contains(field)) << position << ": " << field.toStdString();
        placeFields.insert(field);
    }
    EXPECT_TRUE(placeFields.contains(QStringLiteral("Address")));
    EXPECT_TRUE(placeFields.contains(QStringLiteral("CAddress")));

    QSet<QString> phoneFields;
    for (int position : {8, 9, 10, 11, 13, 17, 18}) {
        const QString field = m_options.FieldOfLabel(searchable[position].key);
        EXPECT_TRUE(phone.contains(field)) << position << ": " << field.toStdString();
        phoneFields.insert(field);
    }
    EXPECT_EQ(phoneFields, phone);

    // No other position holds a phone field, so a place search never matches a number.
    for (qsizetype i = 0; i < searchable.size(); ++i) {
        if (i == 8 || i == 9 || i == 10 || i == 11 || i == 13 || i == 17 || i == 18)
            continue;
        EXPECT_FALSE(phone.contains(m_options.FieldOfLabel(searchable[i].key))) << i;
    }
}

} // namespace
