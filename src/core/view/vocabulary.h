// The vocabulary built into the main window: NAVAREAs, NAVTEX message types and frequencies.
#pragma once

#include <array>
#include <string_view>

namespace fenlark {

// NavAreaList entries; the position keys the station file block and the map extent.
inline constexpr std::array<std::string_view, 25> kNavAreas = {
    " I - North Sea and Baltic",
    " II - North Atlantic",
    " III - Mediterranean",
    " IIIb - Caspian Sea",
    " IV - North American Atlantic ",
    " IVb - Carribean",
    " V - Central S America, W",
    " VI - South  America",
    " VII - Southern Africa",
    " VIII - Indian Ocean",
    " IX - Persian Gulf",
    " X - Australia",
    " XIa - South East Asia",
    " XIb - Central West Pacific",
    " XIIa - American North Pacific",
    " XIIb - Central Eastern Pacific",
    " XIII - Russian Federation",
    " XIV - South Pacific",
    " XV - S American Pacific",
    " XVI - Central Eastern Pacific",
    " XVII - Alaska Polar",
    " XVIII - Canadian Polar",
    " XIX - Norwegian Polar",
    " XX - West Russian Polar",
    " XXI - East Russian Polar",
};

// MessageTypeList entries; all but the first begin with the type letter (B2 of an identifier).
inline constexpr std::array<std::string_view, 18> kMessageTypes = {
    " All Messages",
    "A - Navigation Warning",
    "B - Meteorological  Warning",
    "C - Ice Report",
    "D - SAR/ Piracy Info",
    "E - Weather Forecast",
    "F - Pilot Service Message",
    "G - AIS Message",
    "H - LORAN Message",
    "I - OMEGA Message",
    "J - SATNAV Message",
    "K - Other Navaid Message",
    "L - Sub/Gunfacts Additional Nav Info",
    "V - Additonal Nav Info",
    "W - service msg (trial basis)",
    "X -  service msg (trial basis)",
    "Y -  service msg (trial basis)",
    "Z - No Message  (QRU)",
};

struct Frequency {
    std::string_view caption;
    std::string_view stationFile;
    int kHz; // as inputs name it and a record keeps it
};

// The Frequency option buttons by index, with the station file each one reads.
inline constexpr std::array<Frequency, 4> kFrequencies = {{
    {"424 kHz", "424.txt", 424},
    {"490 kHz", "490.txt", 490},
    {"518 kHz", "518.txt", 518},
    {"4209.5 kHz", "4209.txt", 4209},
}};
inline constexpr int kStartFrequency = 2;

// The entry of a frequency a record keeps; none for 0 (not known) and any other number.
inline const Frequency* findFrequency(int kHz)
{
    for (const Frequency& f : kFrequencies)
        if (f.kHz == kHz)
            return &f;
    return nullptr;
}

inline constexpr std::string_view kAllStations = " All Stations";
inline constexpr std::string_view kAllMessages = " All Messages";

} // namespace fenlark
