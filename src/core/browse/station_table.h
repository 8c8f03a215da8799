// The station table: the stations of the chosen NAVAREA and frequency, slot k = StationList position k.
#pragma once

#include <array>
#include <string>

namespace fenlark {

constexpr int kStationSlots = 27; // slot 0 belongs to " All Stations" and stays empty

struct StationTable {
    std::array<std::string, kStationSlots> stnentry;
    std::array<std::string, kStationSlots> stncall;
    std::array<std::string, kStationSlots> stnlat;
    std::array<std::string, kStationSlots> stnlon;
    std::array<std::string, kStationSlots> stntxtimes;

    // Empties slots 1 to 26.
    void clearStations();
};

inline void StationTable::clearStations()
{
    for (int k = 1; k < kStationSlots; ++k) {
        stnentry[k].clear();
        stncall[k].clear();
        stnlat[k].clear();
        stnlon[k].clear();
        stntxtimes[k].clear();
    }
}

} // namespace fenlark
