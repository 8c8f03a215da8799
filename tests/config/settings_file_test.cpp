// The settings file "fenlark.ini" as text: written by the dialog, read at start-up.
#include "config/com_port_form.h"
#include "config/settings_file.h"

#include <gtest/gtest.h>

namespace fenlark {
namespace {

TEST(SettingsFile, ReadsTheSixValues)
{
    const SettingsRead read = parseSettings(" 1 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n");
    ASSERT_TRUE(read.settings) << read.problem;
    EXPECT_EQ(read.settings->port, 1);
    EXPECT_EQ(read.settings->lineSettings(), "9600,n,8,1");
    EXPECT_EQ(read.settings->errchar, "~");
}

TEST(SettingsFile, SkipsLeadingBlanksAndSplitsAtCommas)
{
    const SettingsRead read = parseSettings("  3 ,  4800,e\r\n7\r\n1.5\r\n,\r\n");
    ASSERT_TRUE(read.settings) << read.problem;
    EXPECT_EQ(read.settings->port, 3);
    EXPECT_EQ(read.settings->lineSettings(), "4800,e,7,1.5");
    // An error character that is a comma reads back as empty: the comma separates values.
    EXPECT_EQ(read.settings->errchar, "");
}

TEST(SettingsFile, ABlankErrorCharacterReadsBackEmpty)
{
    const SettingsRead read = parseSettings(" 1 \r\n9600\r\nn\r\n8\r\n1\r\n \r\n");
    ASSERT_TRUE(read.settings) << read.problem;
    EXPECT_EQ(read.settings->errchar, "");
}

TEST(SettingsFile, FailsWhenAValueIsMissingOrThePortIsNotANumber)
{
    EXPECT_FALSE(parseSettings(" 1 \r\n9600\r\nn\r\n8\r\n1\r\n").settings);
    EXPECT_FALSE(parseSettings("").settings);
    const SettingsRead bad = parseSettings("COM1\r\n9600\r\nn\r\n8\r\n1\r\n~\r\n");
    EXPECT_FALSE(bad.settings);
    EXPECT_NE(bad.problem.find("COM1"), std::string::npos) << bad.problem;
}

TEST(SettingsFile, WritesNumbersWithBlanksAndTextsAsTheyStand)
{
    PortSettings s;
    s.port = 2;
    s.baud = "19200";
    s.parity = "o";
    s.dataBits = "7";
    s.stopBits = "2";
    s.errchar = "\x7f";
    EXPECT_EQ(formatSettings(s), " 2 \r\n19200\r\no\r\n7\r\n2\r\n\x7f\r\n");
    const SettingsRead back = parseSettings(formatSettings(s));
    ASSERT_TRUE(back.settings);
    EXPECT_EQ(back.settings->errchar, "\x7f");
}

TEST(ErrorCharacterFromChoice, TakesTheFirstCharacterOrACharacterCode)
{
    struct Case {
        const char* text;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"~ (default)", "~"}, {"#", "#"},       {"?", "?"},         {"*", "*"},
        {"&H7F ", "\x7f"},    {"&h41", "A"},    {"&O101", "A"},     {"xyz", "x"},
        {"", ""},             {"&", std::nullopt}, {"&H", std::nullopt}, {"&HZZ", std::nullopt},
        {"&H100", std::nullopt}, {"&amp", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorCharacterFromChoice(c.text), c.expected) << '"' << c.text << '"';
}

} // namespace
} // namespace fenlark
