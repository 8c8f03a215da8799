// One simulated reception: a message sent through a channel into the decoder, the text it printed.
#pragma once

#include "channel.h"

#include <string>

namespace fenlark::sitorsim {

struct Conditions {
    double sampleRateHz = 8000;
    double centreHz = 1000;
    double snrDb = 99;
    double offsetHz = 0;
    double driftHzPerMinute = 0;
    double clockError = 0;
    bool reversed = false;
    bool fading = false;
    bool iq = false;             // complex baseband around centreHz (518 kHz sent at its offset)
    double phasingSeconds = 10;
    double leadSeconds = 1;      // noise before the emission
    double tailSeconds = 2;      // noise after it
    unsigned seed = 1;
};

struct Reception {
    std::string text;
    double firstCharacterSeconds = -1; // when the first character came out, from the emission's start
};

Reception receive(const std::string& message, const Conditions& c);

} // namespace fenlark::sitorsim
