// `fenlark --decode`: a recording decoded as fast as it can be, one channel's text written out.
#pragma once

#include "recordings/recording.h"

#include <ostream>

namespace fenlark::recordings {

struct DecodeRequest {
    RecordingSpec recording;
    double centreHz = 0;  // IQ: the radio frequency at 0 Hz
    int channelKhz = 518; // IQ: the channel written out
};

// Writes the channel's text to `out` (CR LF line ends, as received) and returns 0; a recording
// that cannot be read, or has no such channel inside, is named on `err` with the reason and 2
// is returned. A recording cut short is decoded as far as it goes and named on `err`.
int decodeRecording(const DecodeRequest& request, std::ostream& out, std::ostream& err);

} // namespace fenlark::recordings
