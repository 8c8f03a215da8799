// One filed NAVTEX message, and the capacity of the message table.
#pragma once

#include "common/date_time.h"
#include "common/message_figures.h"

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
    // The frequency the latest copy came on, where the input said: kHz as the station files are
    // named (424, 490, 518, 4209 for 4209.5 kHz); 0 when not known. The log keeps it on the line
    // of the spare field, which older releases read and write back without looking at it.
    std::int16_t spare = 0;
    // What the source of the stored copy gave with it (a decoder's figures); not kept in the log.
    MessageFigures figures;
    friend bool operator==(const MessageRecord&, const MessageRecord&) = default;
};

// Slots 0 to 5000.
constexpr int kTableSlots = 5001;
constexpr std::int16_t kMaxRxCount = 32767;

} // namespace fenlark
