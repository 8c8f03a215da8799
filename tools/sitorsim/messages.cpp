#include "messages.h"

#include <array>

namespace fenlark::sitorsim {

std::string makeMessage(std::mt19937& random, int characters)
{
    static const std::array<const char*, 24> words = {
        "NAVAREA",  "WARNING", "GALE",     "WIND",   "SEA",   "ROUGH",    "BUOY",  "UNLIT",
        "POSITION", "VESSEL",  "ADRIFT",   "CANCEL", "THIS",  "MESSAGE",  "AREA",  "DANGEROUS",
        "WRECK",    "CHART",   "MARINERS", "KEEP",   "CLEAR", "FORECAST", "NORTH", "VISIBILITY"};
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::string m = "ZCZC ";
    m += static_cast<char>('A' + pick(24));
    m += static_cast<char>('A' + pick(12));
    m += static_cast<char>('0' + pick(10));
    m += static_cast<char>('0' + pick(10));
    m += "\r\n";
    int line = 0;
    const std::size_t start = m.size();
    while (static_cast<int>(m.size() - start) < characters) {
        std::string token;
        switch (pick(8)) {
        case 0:
            token = std::to_string(10 + pick(80)) + "-" + std::to_string(10 + pick(49)) + "." +
                    std::to_string(pick(10)) + "N";
            break;
        case 1:
            token = "+" + std::to_string(30 + pick(60)) + " " + std::to_string(1000 + pick(9000));
            break;
        case 2:
            token = "WIND=" + std::to_string(3 + pick(6)) + "/" + std::to_string(pick(10));
            break;
        default:
            token = words[static_cast<std::size_t>(pick(static_cast<int>(words.size())))];
        }
        if (line + static_cast<int>(token.size()) > 60) {
            m += "\r\n";
            line = 0;
        } else if (line > 0) {
            m += ' ';
            ++line;
        }
        m += token;
        line += static_cast<int>(token.size());
    }
    m += "\r\nNNNN\r\n\n";
    return m;
}

std::string headerOf(const std::string& message)
{
    return message.substr(5, 4);
}

} // namespace fenlark::sitorsim
