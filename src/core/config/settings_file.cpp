#include "config/settings_file.h"

#include "common/delimited_reader.h"
#include "common/file_io.h"
#include "common/text.h"

namespace fenlark {

std::string PortSettings::lineSettings() const
{
    return baud + "," + parity + "," + dataBits + "," + stopBits;
}

SettingsRead parseSettings(std::string_view text)
{
    static constexpr const char* kWhat[] = {"port number", "baud rate", "parity", "data bits",
                                            "stop bits", "error character"};
    DelimitedReader in(text);
    std::string values[6];
    for (int i = 0; i < 6; ++i) {
        const int line = in.lineNumber();
        auto value = in.field();
        if (!value)
            return {std::nullopt, "it ends before the " + std::string(kWhat[i]) + " (line " +
                                      std::to_string(line) + ")"};
        values[i] = std::move(*value);
    }
    PortSettings s;
    const auto port = parseInt16(values[0]);
    if (!port)
        return {std::nullopt, "line 1: \"" + values[0] + "\" is not a port number"};
    s.port = *port;
    // Files of older releases hold the misprint 34800 for 38400.
    s.baud = values[1] == "34800" ? "38400" : values[1];
    s.parity = values[2];
    s.dataBits = values[3];
    s.stopBits = values[4];
    s.errchar = values[5];
    return {s, {}};
}

SettingsRead readSettingsFile(const std::string& path)
{
    const FileRead file = readWholeFile(path);
    if (!file.ok())
        return {std::nullopt, file.problem, file.kind == FileProblem::Missing};
    return parseSettings(file.bytes);
}

std::string formatSettings(const PortSettings& s)
{
    std::string out;
    for (const std::string& line :
         {printedNumber(s.port), s.baud, s.parity, s.dataBits, s.stopBits, s.errchar}) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace fenlark
