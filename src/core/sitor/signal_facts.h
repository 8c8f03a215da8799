// The facts of the NAVTEX (SITOR collective B-mode) signal the decoder relies on, in one place.
#pragma once

#include <array>

namespace fenlark::sitor::signal {

// Binary FSK, 100 Bd, synchronous: one unit lasts 10 ms (ITU-R M.476/M.625).
inline constexpr double unitSeconds = 0.010;
inline constexpr double unitsPerSecond = 1.0 / unitSeconds;
// Shift 170 Hz: the tones lie 85 Hz either side of the assigned frequency.
inline constexpr double shiftHz = 170.0;
inline constexpr double toneOffsetHz = shiftHz / 2.0;
// A character is 7 units with exactly 4 B and 3 Y.
inline constexpr int unitsPerWord = 7;
inline constexpr int bUnitsPerWord = 4;
// Every character is sent twice: the RX copy follows its DX copy 5 positions (35 units) later.
inline constexpr int repeatPositions = 5;
inline constexpr int repeatUnits = repeatPositions * unitsPerWord;

// The channels NAVTEX is sent on, in Hz: 518 kHz international, 490 kHz national, 4209.5 kHz HF,
// 424 kHz in Japan.
inline constexpr std::array<double, 4> channelsHz = {490000.0, 518000.0, 4209500.0, 424000.0};

// What the decoder is built to find and follow (not facts of the signal but of the receivers that
// deliver it): an audio centre anywhere in this band, and this far from where it is tuned.
inline constexpr double audioCentreLowHz = 300.0;
inline constexpr double audioCentreHighHz = 3000.0;
inline constexpr double channelOffsetHz = 300.0;

} // namespace fenlark::sitor::signal
