#include "recording.h"

#include <sndfile.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fenlark::sitorsim {

bool readRecording(const std::string& path, double rawRateHz, const std::string& rawFormat,
                   Recording& out, std::string& error)
{
    if (path.size() > 4 && path.substr(path.size() - 4) == ".wav") {
        SF_INFO info{};
        SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
        if (!f) {
            error = path + ": " + sf_strerror(nullptr);
            return false;
        }
        std::vector<float> frames(static_cast<std::size_t>(info.frames) *
                                  static_cast<std::size_t>(info.channels));
        const sf_count_t got = sf_readf_float(f, frames.data(), info.frames);
        sf_close(f);
        out.sampleRateHz = info.samplerate;
        out.samples.resize(static_cast<std::size_t>(got));
        for (sf_count_t i = 0; i < got; ++i)
            out.samples[static_cast<std::size_t>(i)] =
                frames[static_cast<std::size_t>(i * info.channels)];
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in || rawRateHz <= 0) {
        error = path + ": cannot read (raw files need --rate)";
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    out.sampleRateHz = rawRateHz;
    if (rawFormat == "f32") {
        out.samples.resize(bytes.size() / 4);
        std::memcpy(out.samples.data(), bytes.data(), out.samples.size() * 4);
    } else {
        out.samples.resize(bytes.size() / 2);
        for (std::size_t i = 0; i < out.samples.size(); ++i) {
            std::int16_t v;
            std::memcpy(&v, bytes.data() + 2 * i, 2);
            out.samples[i] = static_cast<float>(v) / 32768.0f;
        }
    }
    return true;
}

} // namespace fenlark::sitorsim
