// fenlark-stationgen: reading the station table and writing the station files from it.
#include "station_file.h"
#include "station_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace fenlark::stationgen {
namespace {

const std::string kHeader = std::string(kStationTableHeader) + "\r\n";

std::vector<StationRow> rowsOf(const std::string& body)
{
    std::istringstream in(kHeader + body);
    return readStationRows(in);
}

// Three rows for 518 kHz in block 0, a letter shared by three rows in block 13, a 490 kHz row
// and stations without a remark in block 24. CR LF line ends (as the header has) and an empty
// line are read too.
const std::string kSmallTable =
    "518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040 0440 0840 1240 1640 2040\tMCA\r\n"
    "518\t0\tB\tBodo\t(Norway)\tLGP\t67 16 N\t014 23 E\t0010 0410\tKystverket\n"
    "518\t0\tZ\tNo Fix\t\t\t\t\t\tnone\n"
    "\n"
    "518\t13\tV\tJukbyeon\t(S Korea)\t\t37 03 N\t129 26 E\t0330 0730\tWikipedia\n"
    "490\t1\tA\tLas Palmas\t(Canary Is) Spanish\tEAL\t27 46 N\t015 36 W\t0000\textract\n"
    "518\t13\tV\tGuam\t(USA)\tNRV\t13 29 N\t144 50 E\t0100 0500\textract\n"
    "518\t13\tV\tSaipan\t\t\t\t\t\tnone\n"
    "518\t24\tA\tPevek\t\t\t69 42 N\t170 17 E\t\tplanned\n"
    "518\t24\tB\tAmbarchik\t\t\t\t\t\tnone\n"
    "518\t24\tB\tTiksi\t\t\t\t\t\tnone\n";

TEST(StationFileText, WritesEachFrequencysRowsUnderTheirBlockAndLetter)
{
    // Line n of block b, letter L is at 27 * b + 1 + (L - 'A'); headings at 27 * b.
    const struct {
        const char* freq;
        std::size_t line;
        std::string text;
    } cases[] = {
        {"518", 0, "NAVAREA I - North Sea and Baltic - 518 kHz"},
        {"518", 1, "A - ,,,,"},
        {"518", 2, "B - Bodo (Norway),LGP,67 16 N,014 23 E,0010 0410"},
        {"518", 5, "E - Niton (UK),GNI,50 35 N,001 18 W,0040 0440 0840 1240 1640 2040"},
        {"518", 26, "Z - No Fix,,,,"},
        {"518", 27 + 1, "A - ,,,,"}, // the 490 kHz row stays out
        {"518", 27 * 13 + 22,
         "V - Jukbyeon (S Korea) also Guam also Saipan,,37 03 N,129 26 E,0330 0730"},
        {"518", 27 * 24, "NAVAREA XXI - East Russian Polar - 518 kHz"},
        {"518", 27 * 24 + 1, "A - Pevek,,69 42 N,170 17 E,"},
        {"518", 27 * 24 + 2, "B - Ambarchik (also Tiksi),,,,"},
        {"490", 27 + 1, "A - Las Palmas (Canary Is) Spanish,EAL,27 46 N,015 36 W,0000"},
        {"490", 5, "E - ,,,,"},
        {"4209.5", 27 * 5, "NAVAREA IVb - Carribean - 4209.5 kHz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.freq) + " kHz line " + std::to_string(c.line + 1));
        const std::string text = stationFileText(rowsOf(kSmallTable), c.freq);
        std::vector<std::string> lines; // 25 blocks of 27 lines, each ending in CR LF
        for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
             at = end + 2)
            lines.push_back(text.substr(at, end - at));
        ASSERT_EQ(lines.size(), 675u);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 675);
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
        EXPECT_EQ(lines[c.line], c.text);
    }
}

// One row for each rule a row must keep, so that it makes a readable station line.
TEST(ReadStationRows, RefusesRowsThatWouldBreakAStationLineNamingTheirLine)
{
    const std::pair<const char*, const char*> rows[] = {
        {"nine columns", "518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040"},
        {"unknown frequency", "500\t0\tE\tX\t\t\t\t\t\ts"},
        {"position 25", "518\t25\tE\tX\t\t\t\t\t\ts"},
        {"lower-case letter", "518\t0\te\tX\t\t\t\t\t\ts"},
        {"empty name", "518\t0\tE\t\t\t\t\t\t\ts"},
        {"bracket in the name", "518\t0\tE\tNiton (UK)\t\t\t\t\t\ts"},
        {"comma in the remark", "518\t0\tE\tX\t(UK), IoW\t\t\t\t\ts"},
        {"remark without bracket", "518\t0\tE\tX\tUK\t\t\t\t\ts"},
        {"space after the call", "518\t0\tE\tX\t\tGNI \t\t\t\ts"},
        {"latitude without longitude", "518\t0\tE\tX\t\t\t50 35 N\t\t\ts"},
        {"decimal latitude", "518\t0\tE\tX\t\t\t50.5 N\t001 18 W\t\ts"},
        {"latitude minutes 60", "518\t0\tE\tX\t\t\t50 60 N\t001 18 W\t\ts"},
        {"latitude 90 01", "518\t0\tE\tX\t\t\t90 01 N\t001 18 W\t\ts"},
        {"latitude east", "518\t0\tE\tX\t\t\t50 35 E\t001 18 W\t\ts"},
        {"longitude 181", "518\t0\tE\tX\t\t\t50 35 N\t181 00 E\t\ts"},
        {"time 2400", "518\t0\tE\tX\t\t\t\t\t0000 2400\ts"},
        {"time 0060", "518\t0\tE\tX\t\t\t\t\t0060\ts"},
        {"double blank in times", "518\t0\tE\tX\t\t\t\t\t0040  0440\ts"},
    };
    for (const auto& [why, row] : rows) {
        std::string error = "accepted";
        try {
            rowsOf("518\t0\tE\tNiton\t\tGNI\t50 35 N\t001 18 W\t0040\tok\n" + std::string(row));
        } catch (const StationRowError& e) {
            error = e.what();
        }
        EXPECT_NE(error.find("line 3"), std::string::npos) << why << ": " << error;
    }
    std::istringstream noHeader("518\t0\tE\tNiton\t(UK)\tGNI\t50 35 N\t001 18 W\t0040\tok\n");
    EXPECT_THROW(readStationRows(noHeader), StationRowError);
}

} // namespace
} // namespace fenlark::stationgen
