// Reads a recording for the measuring program: WAV (any format libsndfile reads; the first
// channel) or raw mono s16le / f32le at a given rate.
#pragma once

#include <string>
#include <vector>

namespace fenlark::sitorsim {

struct Recording {
    double sampleRateHz = 0;
    std::vector<float> samples;
};

bool readRecording(const std::string& path, double rawRateHz, const std::string& rawFormat,
                   Recording& out, std::string& error);

} // namespace fenlark::sitorsim
