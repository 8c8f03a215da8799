#include "station_file.h"
#include "station_rows.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace fenlark::stationgen {
namespace {

const std::string kHeader = std::string(kStationTableHeader) + "\n";

std::vector<StationRow> rowsOf(const std::string &body) {
    std::istringstream in(kHeader + body);
    return readStationRows(in);
}

// The file cut at CR LF; fails the test if any line end is not CR LF.
std::vector<std::string> crlfLines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: \"" << text.substr(start) << "\"";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string &line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line end: " << line;
    return lines;
}

// Index into a station file's lines of a block's station line for a letter.
std::size_t at(std::size_t block, char letter) {
    return 27 * block + 1 + static_cast<std::size_t>(letter - 'A');
}

// Three rows for 518 kHz in block 0, one shared letter in block 13 and a 490 kHz row; letters
// not in the table stay empty, and the row order in the table decides the shared letter.
const std::string kSmallTable =
    "518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040 0440 0840 1240 1640 2040\tMCA\n"
    "518\t0\tB\tBodo\t(Norway)\tLGP\t67 16 N\t014 23 E\t0010 0410\tKystverket\n"
    "518\t0\tZ\tNo Fix\t\t\t\t\t\tnone\n"
    "518\t13\tV\tJukbyeon\t(S Korea)\t\t37 03 N\t129 26 E\t0330 0730\tWikipedia\n"
    "490\t1\tA\tLas Palmas\t(Canary Is) Spanish\tEAL\t27 46 N\t015 36 W\t0000\textract\n"
    "518\t13\tV\tGuam\t(USA)\tNRV\t13 29 N\t144 50 E\t0100 0500\textract\n"
    "518\t13\tV\tSaipan\t\t\t\t\t\tnone\n"
    "518\t24\tA\tPevek\t\t\t69 42 N\t170 17 E\t\tplanned\n";

TEST(StationFileText, WritesTwentyFiveBlocksOfAHeadingAndTwentySixLetters) {
    const std::vector<std::string> lines = crlfLines(stationFileText(rowsOf(kSmallTable), "518"));
    ASSERT_EQ(lines.size(), 675u);
    EXPECT_EQ(lines[0], "NAVAREA I - North Sea and Baltic - 518 kHz");
    EXPECT_EQ(lines[27], "NAVAREA II - North Atlantic - 518 kHz");
    EXPECT_EQ(lines[27 * 4], "NAVAREA IV - North American Atlantic - 518 kHz");
    EXPECT_EQ(lines[27 * 24], "NAVAREA XXI - East Russian Polar - 518 kHz");
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (n % 27 == 0)
            continue;
        const char letter = static_cast<char>('A' + n % 27 - 1);
        EXPECT_EQ(lines[n].substr(0, 4), std::string(1, letter) + " - ") << "line " << n + 1;
    }
}

TEST(StationFileText, WritesStationsUnderTheirLettersAndEmptyLettersAsPlaceholders) {
    const std::vector<std::string> lines = crlfLines(stationFileText(rowsOf(kSmallTable), "518"));
    ASSERT_EQ(lines.size(), 675u);
    EXPECT_EQ(lines[at(0, 'A')], "A - ,,,,");
    EXPECT_EQ(lines[at(0, 'B')], "B - Bodo (Norway),LGP,67 16 N,014 23 E,0010 0410");
    EXPECT_EQ(lines[at(0, 'E')],
              "E - Niton (UK),GNI,50 35 N,001 18 W,0040 0440 0840 1240 1640 2040");
    EXPECT_EQ(lines[at(0, 'Z')], "Z - No Fix,,,,");
    EXPECT_EQ(lines[at(13, 'U')], "U - ,,,,");
    EXPECT_EQ(lines[at(13, 'V')],
              "V - Jukbyeon (S Korea) also Guam also Saipan,,37 03 N,129 26 E,0330 0730");
    EXPECT_EQ(lines[at(13, 'W')], "W - ,,,,");
    EXPECT_EQ(lines[at(24, 'A')], "A - Pevek,,69 42 N,170 17 E,");
    EXPECT_EQ(lines[at(1, 'A')], "A - ,,,,"); // the 490 kHz row stays out of the 518 kHz file
}

TEST(StationFileText, KeepsEachFrequencyToItsOwnFile) {
    const std::vector<StationRow> rows = rowsOf(kSmallTable);
    const std::vector<std::string> lines490 = crlfLines(stationFileText(rows, "490"));
    ASSERT_EQ(lines490.size(), 675u);
    EXPECT_EQ(lines490[0], "NAVAREA I - North Sea and Baltic - 490 kHz");
    EXPECT_EQ(lines490[at(1, 'A')], "A - Las Palmas (Canary Is) Spanish,EAL,27 46 N,015 36 W,0000");
    EXPECT_EQ(lines490[at(0, 'E')], "E - ,,,,");

    const std::vector<std::string> lines4209 = crlfLines(stationFileText(rows, "4209.5"));
    ASSERT_EQ(lines4209.size(), 675u);
    EXPECT_EQ(lines4209[27 * 5], "NAVAREA IVb - Carribean - 4209.5 kHz");
    for (std::size_t n = 0; n < lines4209.size(); ++n) {
        if (n % 27 == 0)
            continue;
        EXPECT_EQ(lines4209[n].substr(1), " - ,,,,") << "line " << n + 1;
    }
}

TEST(StationFileTargets, PairTheTableFrequenciesWithTheFourFilesInButtonOrder) {
    const std::vector<StationFileTarget> targets = stationFileTargets();
    ASSERT_EQ(targets.size(), 4u);
    EXPECT_EQ(targets[0].freqKhz + " " + targets[0].fileName, "424 424.txt");
    EXPECT_EQ(targets[1].freqKhz + " " + targets[1].fileName, "490 490.txt");
    EXPECT_EQ(targets[2].freqKhz + " " + targets[2].fileName, "518 518.txt");
    EXPECT_EQ(targets[3].freqKhz + " " + targets[3].fileName, "4209.5 4209.txt");
}

TEST(ReadStationRows, ReadsColumnsAndAcceptsCrLfLinesAndBlankLines) {
    std::istringstream in(std::string(kStationTableHeader) +
                          "\r\n518\t3\tW\tAstrakhan\t(Russia)\t\t46 18 N\t047 58 E\t0340\tx\r\n\n");
    const std::vector<StationRow> rows = readStationRows(in);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].lineNumber, 2);
    EXPECT_EQ(rows[0].freqKhz, "518");
    EXPECT_EQ(rows[0].navareaPos, 3);
    EXPECT_EQ(rows[0].letter, 'W');
    EXPECT_EQ(rows[0].name, "Astrakhan");
    EXPECT_EQ(rows[0].remark, "(Russia)");
    EXPECT_EQ(rows[0].call, "");
    EXPECT_EQ(rows[0].lat, "46 18 N");
    EXPECT_EQ(rows[0].lon, "047 58 E");
    EXPECT_EQ(rows[0].txTimes, "0340");
}

struct BadRow {
    const char *why;
    const char *row;
};

class ReadStationRowsRejects : public testing::TestWithParam<BadRow> {};

TEST_P(ReadStationRowsRejects, RowsThatWouldBreakAStationLine) {
    std::istringstream in(kHeader + "518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040\tok\n" +
                          GetParam().row + "\n");
    try {
        readStationRows(in);
        ADD_FAILURE() << GetParam().why << ": accepted " << GetParam().row;
    } catch (const StationRowError &e) {
        EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadStationRowsRejects,
    testing::Values(BadRow{"nine columns", "518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040"},
                    BadRow{"unknown frequency", "500\t0\tE\tX\t\t\t\t\t\ts"},
                    BadRow{"position 25", "518\t25\tE\tX\t\t\t\t\t\ts"},
                    BadRow{"no position", "518\t\tE\tX\t\t\t\t\t\ts"},
                    BadRow{"lower-case letter", "518\t0\te\tX\t\t\t\t\t\ts"},
                    BadRow{"two letters", "518\t0\tEE\tX\t\t\t\t\t\ts"},
                    BadRow{"empty name", "518\t0\tE\t\t\t\t\t\t\ts"},
                    BadRow{"bracket in the name", "518\t0\tE\tNiton (UK)\t\t\t\t\t\ts"},
                    BadRow{"comma in the name", "518\t0\tE\tNiton, Wight\t\t\t\t\t\ts"},
                    BadRow{"comma in the remark", "518\t0\tE\tX\t(UK), IoW\t\t\t\t\ts"},
                    BadRow{"comma in the times", "518\t0\tE\tX\t\t\t\t\t0040,0440\ts"},
                    BadRow{"remark without bracket", "518\t0\tE\tX\tUK\t\t\t\t\ts"},
                    BadRow{"space after the call", "518\t0\tE\tX\t\tGNI \t\t\t\ts"},
                    BadRow{"space before the name", "518\t0\tE\t X\t\t\t\t\t\ts"},
                    BadRow{"latitude without longitude", "518\t0\tE\tX\t\t\t50 35 N\t\t\ts"},
                    BadRow{"decimal latitude", "518\t0\tE\tX\t\t\t50.5 N\t001 18 W\t\ts"},
                    BadRow{"latitude minutes 60", "518\t0\tE\tX\t\t\t50 60 N\t001 18 W\t\ts"},
                    BadRow{"latitude 91", "518\t0\tE\tX\t\t\t91 00 N\t001 18 W\t\ts"},
                    BadRow{"latitude east", "518\t0\tE\tX\t\t\t50 35 E\t001 18 W\t\ts"},
                    BadRow{"two-digit longitude", "518\t0\tE\tX\t\t\t50 35 N\t01 18 W\t\ts"},
                    BadRow{"longitude 181", "518\t0\tE\tX\t\t\t50 35 N\t181 00 E\t\ts"},
                    BadRow{"time 2400", "518\t0\tE\tX\t\t\t\t\t0000 2400\ts"},
                    BadRow{"time 0060", "518\t0\tE\tX\t\t\t\t\t0060\ts"},
                    BadRow{"three-digit time", "518\t0\tE\tX\t\t\t\t\t040\ts"},
                    BadRow{"double blank in times", "518\t0\tE\tX\t\t\t\t\t0040  0440\ts"}));

TEST(ReadStationRows, WantsTheHeaderLine) {
    std::istringstream noHeader("518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040\tok\n");
    EXPECT_THROW(readStationRows(noHeader), StationRowError);
    std::istringstream empty("");
    EXPECT_THROW(readStationRows(empty), StationRowError);
}

} // namespace
} // namespace fenlark::stationgen
