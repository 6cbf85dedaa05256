// The profile-file layer shared by the settings and the print templates: the number rule,
// section reading in file order, and writes that keep what the file already holds.
#include "storage/IniFile.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct NumberCase
{
    const char* text;
    std::optional<int> expected;
};

class ParseInteger : public ::testing::TestWithParam<NumberCase>
{};

TEST_P(ParseInteger, ReadsSignedDecimalWithin32Bits)
{
    EXPECT_EQ(IniFile::ParseInteger(QString::fromLatin1(GetParam().text)), GetParam().expected)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ParseInteger,
    ::testing::Values(NumberCase{"0", 0}, NumberCase{"7", 7}, NumberCase{"-16777201", -16777201},
                      NumberCase{"+12", 12}, NumberCase{" 42 ", 42}, NumberCase{"007", 7},
                      NumberCase{"2147483647", 2147483647},
                      NumberCase{"-2147483648", -2147483647 - 1},
                      NumberCase{"2147483648", std::nullopt},
                      NumberCase{"-2147483649", std::nullopt},
                      NumberCase{"99999999999999999999", std::nullopt},
                      NumberCase{"", std::nullopt}, NumberCase{"-", std::nullopt},
                      NumberCase{"abc", std::nullopt}, NumberCase{"1 2", std::nullopt},
                      NumberCase{"1.0", std::nullopt}, NumberCase{"0x1F", std::nullopt},
                      NumberCase{"$1F", std::nullopt}, NumberCase{"--1", std::nullopt}));

TEST(IniFile, ReadsWhatItWritesAndKeepsTheRest)
{
    IniFile ini;
    ini.LoadText("[A]\nb=1\n[C]\nd=x\n");
    ini.WriteInteger(QStringLiteral("a"), QStringLiteral("B"), 5);
    ini.WriteBool(QStringLiteral("New"), QStringLiteral("flag"), false);
    ini.WriteString(QStringLiteral("C"), QStringLiteral("e"), QStringLiteral("y"));
    EXPECT_EQ(ini.Text(), QByteArray("[A]\nb=5\n\n\n[C]\nd=x\ne=y\n\n\n[New]\nflag=0\n"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("b"), 0), 5);
    EXPECT_FALSE(ini.ReadBool(QStringLiteral("new"), QStringLiteral("FLAG"), true));
    EXPECT_EQ(ini.ReadString(QStringLiteral("C"), QStringLiteral("none"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
}

TEST(IniFile, ADuplicateSectionIsMergedInto)
{
    IniFile ini;
    ini.LoadText("[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n");
    const KeyValueList lines = ini.ReadSection(QStringLiteral("A"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], (KeyValue{QStringLiteral("x"), QStringLiteral("1")}));
    EXPECT_EQ(lines[1], (KeyValue{QStringLiteral("z"), QStringLiteral("3")}));
}

TEST(IniFile, EmptyNamesAreNotWritten)
{
    IniFile ini;
    ini.WriteString(QString(), QStringLiteral("k"), QStringLiteral("v"));
    ini.WriteString(QStringLiteral("S"), QString(), QStringLiteral("v"));
    EXPECT_TRUE(ini.Text().isEmpty());
}

} // namespace
