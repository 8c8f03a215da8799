// Figures a source of received text keeps for each message of its own: a decoder's
// signal-to-noise estimate, its count of doubtful characters, and the like.
#pragma once

#include <string>
#include <vector>

namespace fenlark {

struct MessageFigure {
    std::string name; // chosen by the source ("snr_db", "doubtful")
    double value = 0;
    friend bool operator==(const MessageFigure&, const MessageFigure&) = default;
};
using MessageFigures = std::vector<MessageFigure>;

} // namespace fenlark
