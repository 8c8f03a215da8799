// The settings file "fenlark.ini": six lines, port number, baud rate, parity, data bits, stop bits
// and the receiver's error character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fenlark {

inline constexpr const char* kSettingsFileName = "fenlark.ini";

struct PortSettings {
    int port = 1;            // 0: leave the port's number and line settings as they are
    std::string baud = "9600";
    std::string parity = "n";
    std::string dataBits = "8";
    std::string stopBits = "1";
    std::string errchar = "~";
    // The line settings as the serial port takes them: "9600,n,8,1".
    std::string lineSettings() const;
};

struct SettingsRead {
    std::optional<PortSettings> settings; // all six values, or nothing
    std::string problem;                  // why not, naming the line
    bool missing = false;                 // there is no settings file
};

// Reads the six values as comma- and line-delimited fields (leading blanks skipped).
SettingsRead parseSettings(std::string_view text);
SettingsRead readSettingsFile(const std::string& path = kSettingsFileName);
// The file's bytes: the port number as a printed number (" 1 "), the other values as they stand,
// each line ended by CR LF.
std::string formatSettings(const PortSettings& settings);

} // namespace fenlark
