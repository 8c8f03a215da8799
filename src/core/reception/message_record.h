// One filed NAVTEX message, and the capacity of the message table.
#pragma once

#include "common/date_time.h"

#include <cstdint>
#include <string>

namespace fenlark {

struct MessageRecord {
    std::string msgid;       // the four-character NAVTEX identifier (fewer when the header was short)
    std::string msgtext;     // body lines, each preceded by CR LF
    std::int16_t errcount = 0; // error characters in the stored copy
    DateTime firstrx;
    DateTime lastrx;
    std::int16_t rxcount = 0;
    std::int16_t spare = 0;  // reserved; kept by the message log
    friend bool operator==(const MessageRecord&, const MessageRecord&) = default;
};

// Slots 0 to 5000.
constexpr int kTableSlots = 5001;
constexpr std::int16_t kMaxRxCount = 32767;

} // namespace fenlark
