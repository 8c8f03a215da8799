// The message log's bytes: each field written and read in its place, and dates read leniently.
#include "storage/log_format.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <optional>

namespace fenlark {
namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return DateTime::fromCivil({y, mo, d, h, mi, s});
}

TEST(LogFormat, EveryFieldIsWrittenAndReadInItsPlace)
{
    const std::vector<MessageRecord> gale = {{"GA12", "\r\nFIRST BODY LINE\r\nSECOND BODY LINE", 0,
                                              at(2026, 12, 5, 8, 10, 11),
                                              at(2026, 12, 5, 12, 40, 1), 2, 0, {}}};
    EXPECT_EQ(formatLog(gale, 1), test::readFile(FENLARK_TEST_DATA_DIR "/logs/one-record.txt"));
    // Error count, spare field and reception count differ here, and a date alone is midnight.
    const LogRead read = parseLog(test::readFile(FENLARK_TEST_DATA_DIR "/logs/three-records.txt"));
    ASSERT_TRUE(read.ok()) << read.problem << " at line " << read.line;
    EXPECT_EQ(read.records[0],
              (MessageRecord{"ZA01", "\r\nWIND NW 5 TO 6.  \r\n  OCCASIONALLY 7 LATER", 2,
                             at(2026, 12, 4), at(2026, 12, 5, 12, 40, 1), 5, 7, {}}));
}

TEST(LogFormat, DatesMayHaveOneDigitDayMonthAndHourAndTrailingBlanks)
{
    const std::pair<const char*, std::optional<DateTime>> cases[] = {
        {"5/12/2026 9:40:01", at(2026, 12, 5, 9, 40, 1)},
        {"05/1/2026 19:40:01  ", at(2026, 1, 5, 19, 40, 1)},
        {"29/2/2028 ", at(2028, 2, 29)},
        {"005/12/2026", std::nullopt},
        {"5/13/2026", std::nullopt},
        {"29/2/2026", std::nullopt},
        {"5/12/2026 9:4:01", std::nullopt},
        {"5/12/2026 9:60:00", std::nullopt},
        {"5/12/2026 24:00:00", std::nullopt},
        {"5/12/2026 9:40:01x", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DateTime::parse(text), expected) << '"' << text << '"';
}

} // namespace
} // namespace fenlark
