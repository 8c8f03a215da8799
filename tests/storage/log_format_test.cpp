// The message log's bytes: written exactly, read back exactly, and nothing read half.
#include "storage/log_format.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

namespace fenlark {
namespace {

std::string testLog(const std::string& name)
{
    std::ifstream in(std::string(FENLARK_TEST_DATA_DIR) + "/logs/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

DateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return DateTime::fromCivil({y, mo, d, h, mi, s});
}

TEST(LogFormat, WritesTheOneRecordExampleByteForByte)
{
    std::vector<MessageRecord> table(1);
    table[0] = {"GA12", "\r\nFIRST BODY LINE\r\nSECOND BODY LINE", 0, at(2026, 12, 5, 8, 10, 11),
                at(2026, 12, 5, 12, 40, 1), 2, 0};
    EXPECT_EQ(formatLog(table, 1), testLog("one-record.txt"));
}

TEST(LogFormat, AnEmptyTableIsTheCountLineAlone)
{
    EXPECT_EQ(formatLog({}, 0), " 0 \r\n");
}

TEST(LogFormat, ReadsBackWhatItWrote)
{
    const std::string bytes = testLog("three-records.txt");
    const LogRead read = parseLog(bytes);
    ASSERT_TRUE(read.ok()) << read.problem << " at line " << read.line;
    ASSERT_EQ(read.records.size(), 3u);
    const MessageRecord& za = read.records[0];
    EXPECT_EQ(za.msgid, "ZA01");
    EXPECT_EQ(za.msgtext, "\r\nWIND NW 5 TO 6.  \r\n  OCCASIONALLY 7 LATER");
    EXPECT_EQ(za.firstrx, at(2026, 12, 4, 0, 0, 0)); // a date alone is midnight
    EXPECT_EQ(za.lastrx, at(2026, 12, 5, 12, 40, 1));
    EXPECT_EQ(za.errcount, 2);
    EXPECT_EQ(za.spare, 7);
    EXPECT_EQ(za.rxcount, 5);
    EXPECT_EQ(read.records[1].msgtext, ""); // an empty body is one empty line
    EXPECT_EQ(read.records[2].spare, -1);
    EXPECT_EQ(read.records[2].msgtext, "\r\nNAVAREA I 123/26\r\nNNNN LATER");
    EXPECT_EQ(formatLog(read.records, 3), bytes);
}

TEST(LogFormat, EveryBodyAndIdentifierReadsBackByteForByte)
{
    const char* bodies[] = {"", "\r\n", "\r\nA\r\n\r\nB", "\r\n\r\nA", "\r\nA\r\n", "\r\n  X ,\"Y"};
    const char* ids[] = {"E,02", "\"A12", "  04", "", "AB\"1", " ,\" "};
    std::vector<MessageRecord> table;
    for (const char* body : bodies)
        for (const char* id : ids)
            table.push_back(
                {id, body, 3, at(2026, 12, 5, 8, 0, 0), at(2026, 12, 5, 9, 0, 0), 2, -1});
    const std::string bytes = formatLog(table, static_cast<int>(table.size()));
    const LogRead read = parseLog(bytes);
    ASSERT_TRUE(read.ok()) << read.problem << " at line " << read.line;
    EXPECT_EQ(formatLog(read.records, static_cast<int>(read.records.size())), bytes);
}

TEST(LogFormat, MidnightIsWrittenAsTheDateAloneAndReadBackAsMidnight)
{
    std::vector<MessageRecord> table(1);
    table[0] = {"XA00", "\r\nX", 0, at(2026, 1, 31, 0, 0, 0), at(2026, 2, 1, 0, 0, 0), 1, 0};
    const std::string bytes = formatLog(table, 1);
    EXPECT_NE(bytes.find("\r\n01/02/2026\r\n31/01/2026\r\n"), std::string::npos) << bytes;
    const LogRead read = parseLog(bytes);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.records[0], table[0]);
}

TEST(LogFormat, DatesMayHaveOneDigitDayMonthAndHourAndTrailingBlanks)
{
    const std::pair<const char*, std::optional<DateTime>> cases[] = {
        {"5/12/2026 9:40:01", at(2026, 12, 5, 9, 40, 1)},
        {"05/1/2026 19:40:01  ", at(2026, 1, 5, 19, 40, 1)},
        {"5/1/2026 ", at(2026, 1, 5, 0, 0, 0)},
        {"005/12/2026", std::nullopt},
        {"5/12/2026 9:4:01", std::nullopt},
        {"5/12/2026 9:40:01x", std::nullopt},
        {"31/2/2026", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DateTime::parse(text), expected) << '"' << text << '"';
}

struct BadLog {
    const char* file;
    int line;
    const char* problemPart;
};

class LogFormatRejects : public testing::TestWithParam<BadLog> {};

TEST_P(LogFormatRejects, ABadLogWithTheLineOfItsProblem)
{
    const BadLog& bad = GetParam();
    const LogRead read = parseLog(testLog(bad.file));
    EXPECT_FALSE(read.ok()) << bad.file;
    EXPECT_TRUE(read.records.empty()) << bad.file;
    EXPECT_EQ(read.line, bad.line) << bad.file << ": " << read.problem;
    EXPECT_NE(read.problem.find(bad.problemPart), std::string::npos)
        << bad.file << ": " << read.problem;
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, LogFormatRejects,
    testing::Values(BadLog{"bad-empty.txt", 1, "empty"},
                    BadLog{"bad-count-text.txt", 1, "not a number"},
                    BadLog{"bad-count-too-big.txt", 1, "5002"},
                    BadLog{"bad-count-negative.txt", 1, "-1"},
                    BadLog{"bad-date.txt", 2, "35/12/2026"},
                    BadLog{"bad-number.txt", 5, "zero"},
                    BadLog{"bad-number-range.txt", 7, "40000"},
                    BadLog{"bad-received-zero.txt", 7, "received 0 times"},
                    BadLog{"bad-ends-before-records.txt", 11, "record 2"},
                    BadLog{"bad-ends-before-nnnn.txt", 10, "NNNN"}),
    [](const testing::TestParamInfo<BadLog>& info) {
        std::string name = info.param.file;
        name = name.substr(4, name.size() - 8);
        for (char& c : name)
            if (c == '-')
                c = '_';
        return name;
    });

} // namespace
} // namespace fenlark
