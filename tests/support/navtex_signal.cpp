#include "support/navtex_signal.h"

#include "channel.h"
#include "encoder.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <cmath>

namespace fenlark::test {
namespace {

template <typename Sample>
std::vector<Sample> onAir(double rateHz, double centreHz, const std::vector<Emission>& emissions,
                          double seconds)
{
    sitorsim::Air air(rateHz, 20.0, 5);
    for (const Emission& e : emissions) {
        sitorsim::Path path;
        path.centreHz = e.hz - centreHz;
        const auto words = sitorsim::interleave(sitorsim::encodeText(e.text), 2, 1);
        air.add(sitorsim::makeFsk(sitorsim::toUnits(words), rateHz, 0, false), path);
    }
    std::vector<Sample> samples(static_cast<std::size_t>(rateHz * seconds));
    air.generate(samples);
    // A quarter of full scale for each emission, so that nothing clips.
    for (Sample& s : samples)
        s *= 0.25f;
    return samples;
}

void writeSndfile(const std::string& path, double rateHz, int channels, int format,
                  const float* samples, std::size_t frames)
{
    SF_INFO info{0, static_cast<int>(rateHz), channels, format, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path;
    sf_writef_float(file, samples, static_cast<sf_count_t>(frames));
    sf_close(file);
}

} // namespace

std::vector<float> navtexAudio(double rateHz, const Emission& emission, double seconds)
{
    return onAir<float>(rateHz, 0, {emission}, seconds);
}

std::vector<std::complex<float>> navtexIq(double rateHz, double centreHz,
                                          const std::vector<Emission>& emissions, double seconds)
{
    return onAir<std::complex<float>>(rateHz, centreHz, emissions, seconds);
}

void writeWav(const std::string& path, double rateHz, const std::vector<float>& samples)
{
    writeSndfile(path, rateHz, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, samples.data(), samples.size());
}

void writeWav(const std::string& path, double rateHz,
              const std::vector<std::complex<float>>& samples)
{
    writeSndfile(path, rateHz, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                 reinterpret_cast<const float*>(samples.data()), samples.size());
}

void writeRawIq(const std::string& path, const std::vector<std::complex<float>>& samples)
{
    const std::string ending = path.substr(path.rfind('.') + 1);
    const int subtype = ending == "cu8"    ? SF_FORMAT_PCM_U8
                        : ending == "cs16" ? SF_FORMAT_PCM_16
                                           : SF_FORMAT_FLOAT;
    writeSndfile(path, 8000, 2, SF_FORMAT_RAW | SF_ENDIAN_LITTLE | subtype,
                 reinterpret_cast<const float*>(samples.data()), samples.size());
}

} // namespace fenlark::test
