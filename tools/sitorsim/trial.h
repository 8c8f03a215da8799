// Simulated receptions for measuring the decoder: a message sent through a channel into the
// decoder, the text it printed and when.
#pragma once

#include "channel.h"

#include <string>
#include <vector>

namespace fenlark::sitorsim {

struct Conditions {
    double sampleRateHz = 8000;
    double centreHz = 1000; // audio centre; for IQ the band's centre (518 kHz is sent)
    double snrDb = 99;
    double offsetHz = 0;
    double driftHzPerMinute = 0;
    double clockError = 0;
    bool reversed = false;
    bool swapped = false; // IQ with I and Q swapped: the band mirrored, the sense reversed
    bool fading = false;
    bool iq = false;
    double levelDb = 0; // the audio input's level against full scale: a quiet sound card
    double phasingSeconds = 10;
    double leadSeconds = 1; // noise before the emission
    double tailSeconds = 2; // noise after it
    unsigned seed = 1;
};

struct Reception {
    std::string text;
    std::vector<double> seconds; // when each character came out, from the emission's start
};

Reception receive(const std::string& message, const Conditions& c);

} // namespace fenlark::sitorsim
