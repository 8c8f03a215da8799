// The settings file "fenlark.ini" as start-up reads it, and the error character the dialog takes
// from its choice.
#include "config/com_port_form.h"
#include "config/settings_file.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace fenlark {
namespace {

TEST(SettingsFile, SixLinesWrittenSixValuesRead)
{
    EXPECT_EQ(formatSettings({2, "19200", "o", "7", "2", "\x7f"}),
              " 2 \r\n19200\r\no\r\n7\r\n2\r\n\x7f\r\n");
    // Values split at line ends and commas after leading blanks, quoted ones without what follows
    // the closing quote: what is read as "port|line settings|error character", or "" when the
    // file is refused.
    const std::pair<const char*, const char*> cases[] = {
        {" 1 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n", "1|9600,n,8,1|~"},
        {"  3 ,  4800,e\r\n7\r\n1.5\r\n,\r\n", "3|4800,e,7,1.5|"},
        {" 2 \r\n9600\r\nn\r\n8\r\n1\r\n \r\n", "2|9600,n,8,1|"},
        {"\"5\" x\r\n\"9600\"00\r\nn\r\n8\r\n1\r\n\"~\"", "5|9600,n,8,1|~"},
        {" 1 \r\n9600\r\nn\r\n8\r\n1\r\n", ""},
        {"COM1\r\n9600\r\nn\r\n8\r\n1\r\n~\r\n", ""},
    };
    for (const auto& [text, expected] : cases) {
        const SettingsRead read = parseSettings(text);
        EXPECT_EQ(read.settings ? std::to_string(read.settings->port) + "|" +
                                      read.settings->lineSettings() + "|" + read.settings->errchar
                                : "",
                  expected)
            << test::visible(text);
    }
}

TEST(ErrorCharacterFromChoice, TakesTheFirstCharacterOrACharacterCode)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"~ (default)", "~"},   {"&H7F ", "\x7f"},      {"&h4a", "J"},
        {"&O101", "A"},         {"xyz", "x"},           {"", ""},
        {"&amp", std::nullopt}, {"&X0", std::nullopt},  {"&HZZ", std::nullopt},
        {"&H100", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(errorCharacterFromChoice(text), expected) << '"' << text << '"';
}

} // namespace
} // namespace fenlark
