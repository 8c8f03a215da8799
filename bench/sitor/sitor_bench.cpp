// Speed of the NAVTEX decoder: real audio at 48 kS/s, and IQ at 250 kS/s holding 490 and 518 kHz.
// Each reports how long an hour of input takes ("per_hour_s", seconds of one core).
#include "channel.h"
#include "encoder.h"
#include "messages.h"

#include "sitor/decoder.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace fenlark::bench {
namespace {

// Units of a few messages back to back, enough for the stretch benchmarked.
std::vector<bool> emission(unsigned seed)
{
    std::mt19937 random(seed);
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += sitorsim::makeMessage(random, 400);
    return sitorsim::toUnits(sitorsim::interleave(sitorsim::encodeText(text), 10, 2));
}

constexpr double stretchSeconds = 30;

// Seconds of one core an hour of input takes: the stretch's share of an hour, as an inverted rate.
void perHour(benchmark::State& state)
{
    state.counters["per_hour_s"] =
        benchmark::Counter(stretchSeconds / 3600.0, benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

void audio48k(benchmark::State& state)
{
    const double rate = 48000;
    sitorsim::Air air(rate, -3, 1);
    sitorsim::Path p;
    p.centreHz = 1700;
    air.add(sitorsim::makeFsk(emission(1), rate, 0, false), p);
    std::vector<float> samples(static_cast<std::size_t>(rate * stretchSeconds));
    air.generate(samples);
    for (auto _ : state) {
        sitor::AudioDecoder decoder(rate);
        for (std::size_t i = 0; i < samples.size(); i += 4800)
            decoder.process(std::span<const float>(samples).subspan(i, 4800));
        benchmark::DoNotOptimize(decoder.takeText());
    }
    perHour(state);
}
BENCHMARK(audio48k)->Unit(benchmark::kMillisecond);

void iq250k(benchmark::State& state)
{
    const double rate = 250000;
    const double centre = 504000;
    sitorsim::Air air(rate, -3, 2);
    for (double hz : {490000.0, 518000.0}) {
        sitorsim::Path p;
        p.centreHz = hz - centre;
        air.add(sitorsim::makeFsk(emission(static_cast<unsigned>(hz)), rate, 0, false), p);
    }
    std::vector<std::complex<float>> samples(static_cast<std::size_t>(rate * stretchSeconds));
    air.generate(samples);
    for (auto _ : state) {
        sitor::IqDecoder decoder(rate, centre);
        for (std::size_t i = 0; i < samples.size(); i += 25000)
            decoder.process(std::span<const std::complex<float>>(samples).subspan(i, 25000));
        benchmark::DoNotOptimize(decoder.takeText(1));
    }
    perHour(state);
}
BENCHMARK(iq250k)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fenlark::bench
