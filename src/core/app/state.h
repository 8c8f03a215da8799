// The program's shared variables, one instance per running program (never C++ globals).
#pragma once

#include "browse/station_table.h"
#include "reception/message_record.h"
#include "reception/received_streams.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fenlark {

struct State {
    // Message table: slots 0 .. msgcount - 1 are in use, in the order filed or loaded.
    std::vector<MessageRecord> MessageTable = std::vector<MessageRecord>(kTableSlots);
    std::int16_t msgcount = 0;

    // Reception state.
    std::string rxchar;
    std::string rxbuffer;
    std::string rxline;
    bool inmessage = false;
    std::string curid;
    std::string curtext;
    long long msgerrors = 0;
    // The frequency and figures of the message in progress (see InputSource), given by the caller
    // of getmsg with each line.
    int curfrequency = 0;
    MessageFigures curfigures;
    // The received streams: their line ends, NRX sentences, and the framing of every source of
    // text but the port's own plain text, which is the variables above. A source's framing is
    // swapped into them while its lines are filed.
    ReceivedStreams streams;

    std::string lastid;
    std::string lastnewid;
    std::string errchar; // the receiver's error mark; empty: nothing counts

    // Message log: whether messages were filed since the last successful save or load, and whether
    // this run has dealt with the log of earlier runs (loaded it, or kept it before a save).
    bool filedSinceSaveOrLoad = false;
    bool earlierLogSettled = false;

    // Browsing.
    StationTable stations;
    int curstation = 0;
    std::string selid;
    std::int16_t navareaindex = 0;
};

} // namespace fenlark
