#include "station_file.h"

#include "view/vocabulary.h"

#include <array>
#include <cstddef>
#include <map>
#include <utility>

namespace fenlark::stationgen {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kLetters = 26;

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string stationLine(const StationRow &row, const std::vector<std::string> &alsoNames) {
    std::string entry = std::string(1, row.letter) + " - " + row.name;
    std::string remark = row.remark;
    for (const std::string &other : alsoNames)
        remark += (remark.empty() ? "(also " : " also ") + other;
    if (row.remark.empty() && !alsoNames.empty())
        remark += ")";
    if (!remark.empty())
        entry += " " + remark;
    return entry + "," + row.call + "," + row.lat + "," + row.lon + "," + row.txTimes;
}

} // namespace

std::vector<StationFileTarget> stationFileTargets() {
    std::vector<StationFileTarget> targets;
    for (const Frequency &f : kFrequencies) {
        std::string_view freq = f.caption;
        freq.remove_suffix(freq.size() - freq.find(' '));
        targets.push_back({std::string(freq), std::string(f.stationFile), std::string(f.caption)});
    }
    return targets;
}

std::string stationFileText(const std::vector<StationRow> &rows, std::string_view freqKhz) {
    std::string caption;
    for (const StationFileTarget &target : stationFileTargets())
        if (target.freqKhz == freqKhz)
            caption = target.caption;

    // Per block and letter: the first row in table order, then the names of any others.
    std::map<std::pair<int, char>, std::pair<const StationRow *, std::vector<std::string>>> slots;
    for (const StationRow &row : rows) {
        if (row.freqKhz != freqKhz)
            continue;
        auto [slot, isNew] =
            slots.try_emplace({row.navareaPos, row.letter}, &row, std::vector<std::string>{});
        if (!isNew)
            slot->second.second.push_back(row.name);
    }

    std::string text;
    for (std::size_t block = 0; block < kNavAreas.size(); ++block) {
        text += "NAVAREA ";
        text += trimBlanks(kNavAreas[block]);
        text += " - " + caption;
        text += kCrLf;
        for (std::size_t k = 0; k < kLetters; ++k) {
            const char letter = static_cast<char>('A' + k);
            const auto slot = slots.find({static_cast<int>(block), letter});
            if (slot == slots.end())
                text += std::string(1, letter) + " - ,,,,";
            else
                text += stationLine(*slot->second.first, slot->second.second);
            text += kCrLf;
        }
    }
    return text;
}

} // namespace fenlark::stationgen
