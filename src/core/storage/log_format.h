// The message log "navtex.txt": the table written as text, and read back.
#pragma once

#include "reception/message_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fenlark {

inline constexpr const char* kLogFileName = "navtex.txt";
// A log is never read past this: more than a full table of the longest messages (5001 of 64 KiB)
// takes, so every log the program writes loads again.
inline constexpr std::uint64_t kMaxLogBytes = std::uint64_t(512) << 20;

// The log's bytes for records [0, count): the count line, then per record its last and first
// reception, identifier, error count, spare, reception count, body and "NNNN", lines ended by CR LF.
std::string formatLog(const std::vector<MessageRecord>& table, int count);

struct LogRead {
    std::vector<MessageRecord> records;
    int line = 0;        // where a problem was found
    std::string problem; // empty when the whole log was read
    bool ok() const { return problem.empty(); }
};

// Reads a whole log; whatever formatLog wrote reads back byte for byte, the identifier and every
// body line taken as whole lines. Nothing is returned half read: any problem (a field that does not
// parse, an end before the announced records or a record's "NNNN", a count outside 0-5001, a
// reception count below 1) gives no records.
LogRead parseLog(std::string_view bytes);

} // namespace fenlark
