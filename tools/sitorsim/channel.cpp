#include "channel.h"

#include "sitor/signal_facts.h"

#include <cmath>
#include <numbers>

namespace fenlark::sitorsim {
namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;

class Keyed : public Source {
public:
    explicit Keyed(double sampleRateHz) : m_rate(sampleRateHz) {}
    std::complex<double> next() override
    {
        const auto [hz, amplitude] = now();
        m_phase = std::fmod(m_phase + twoPi * hz / m_rate, twoPi);
        return std::polar(amplitude, m_phase);
    }

protected:
    // The frequency about the centre and the amplitude at the current sample.
    virtual std::pair<double, double> now() = 0;
    double m_rate;

private:
    double m_phase = 0;
};

class Fsk : public Keyed {
public:
    Fsk(std::vector<bool> units, double rate, double clockError, bool reversed)
        : Keyed(rate), m_units(std::move(units)),
          m_unitSamples(rate * sitor::signal::unitSeconds * (1.0 + clockError)),
          m_sign(reversed ? -1.0 : 1.0)
    {
    }
    std::pair<double, double> now() override
    {
        const auto unit = static_cast<std::size_t>(m_sample++ / m_unitSamples);
        if (unit >= m_units.size())
            return {0.0, 0.0};
        return {m_sign * (m_units[unit] ? 1.0 : -1.0) * sitor::signal::toneOffsetHz, 1.0};
    }

private:
    std::vector<bool> m_units;
    double m_unitSamples;
    double m_sign;
    double m_sample = 0;
};

class Rtty : public Keyed {
public:
    Rtty(double rate, unsigned seed) : Keyed(rate), m_random(seed) {}
    std::pair<double, double> now() override
    {
        // A character is 7.5 units of 20 ms: start (space), 5 data units, 1.5 stop (mark).
        const double unitSamples = m_rate * 0.020;
        if (m_sample >= 7.5 * unitSamples) {
            m_sample -= 7.5 * unitSamples;
            m_bits = static_cast<unsigned>(m_random() & 31u);
        }
        const auto unit = static_cast<int>(m_sample / unitSamples);
        m_sample += 1.0;
        const bool mark = unit == 0 ? false : unit <= 5 ? ((m_bits >> (unit - 1)) & 1u) : true;
        return {(mark ? 1.0 : -1.0) * sitor::signal::toneOffsetHz, 1.0};
    }

private:
    std::mt19937 m_random;
    unsigned m_bits = 31;
    double m_sample = 0;
};

class Cw : public Keyed {
public:
    Cw(double rate, unsigned seed) : Keyed(rate), m_random(seed) {}
    std::pair<double, double> now() override
    {
        // 20 words a minute: a dot is 60 ms. Random elements: dot, dash, with gaps of 1, 3 or 7.
        const double dotSamples = m_rate * 0.060;
        if (m_left <= 0) {
            m_on = !m_on;
            const unsigned r = m_random() % 6u;
            const int dots = m_on ? (r < 3 ? 1 : 3) : (r < 3 ? 1 : r < 5 ? 3 : 7);
            m_left = dots * dotSamples;
        }
        m_left -= 1.0;
        return {0.0, m_on ? 1.0 : 0.0};
    }

private:
    std::mt19937 m_random;
    bool m_on = false;
    double m_left = 0;
};

class Am : public Source {
public:
    explicit Am(double rate) : m_turn(twoPi * 400.0 / rate) {}
    std::complex<double> next() override
    {
        m_phase = std::fmod(m_phase + m_turn, twoPi);
        return {1.0 + 0.5 * std::cos(m_phase), 0.0};
    }

private:
    double m_turn;
    double m_phase = 0;
};

class Silence : public Source {
public:
    std::complex<double> next() override { return {}; }
};

// A Rayleigh fading tap with a Gaussian Doppler spectrum, by a sum of sinusoids whose frequencies
// are drawn from that spectrum.
class FadingTap {
public:
    FadingTap(double rate, double spreadHz, double power, std::mt19937_64& random)
    {
        std::normal_distribution<double> doppler(0.0, spreadHz / 2.0);
        std::uniform_real_distribution<double> phase(0.0, twoPi);
        const double amplitude = std::sqrt(power / sinusoids);
        for (int i = 0; i < sinusoids; ++i) {
            m_phasor[i] = std::polar(amplitude, phase(random));
            m_turn[i] = std::polar(1.0, twoPi * doppler(random) / rate);
        }
    }
    std::complex<double> next()
    {
        std::complex<double> h;
        for (int i = 0; i < sinusoids; ++i) {
            h += m_phasor[i];
            m_phasor[i] *= m_turn[i];
        }
        return h;
    }

private:
    static constexpr int sinusoids = 32;
    std::complex<double> m_phasor[sinusoids];
    std::complex<double> m_turn[sinusoids];
};

} // namespace

std::unique_ptr<Source> makeFsk(std::vector<bool> units, double sampleRateHz, double clockError,
                                bool reversed)
{
    return std::make_unique<Fsk>(std::move(units), sampleRateHz, clockError, reversed);
}
std::unique_ptr<Source> makeRtty(double sampleRateHz, unsigned seed)
{
    return std::make_unique<Rtty>(sampleRateHz, seed);
}
std::unique_ptr<Source> makeCw(double sampleRateHz, unsigned seed)
{
    return std::make_unique<Cw>(sampleRateHz, seed);
}
std::unique_ptr<Source> makeAm(double sampleRateHz)
{
    return std::make_unique<Am>(sampleRateHz);
}
std::unique_ptr<Source> makeSilence()
{
    return std::make_unique<Silence>();
}

struct Air::Emitter {
    std::unique_ptr<Source> source;
    Path path;
    double rate;
    double phase = 0;
    double seconds = 0;
    std::unique_ptr<FadingTap> direct, delayed;
    std::vector<std::complex<double>> delay; // the last millisecond of the envelope
    std::size_t delayPos = 0;

    std::complex<double> next()
    {
        std::complex<double> x = source->next();
        if (direct) {
            const std::complex<double> old = delay[delayPos];
            delay[delayPos] = x;
            delayPos = (delayPos + 1) % delay.size();
            x = direct->next() * x + delayed->next() * old;
        }
        const double hz = path.centreHz + path.offsetHz + path.driftHzPerMinute * seconds / 60.0;
        seconds += 1.0 / rate;
        phase = std::fmod(phase + twoPi * hz / rate, twoPi);
        return x * std::polar(1.0, phase);
    }
};

Air::Air(double sampleRateHz, double snrDb, unsigned seed)
    : m_sampleRateHz(sampleRateHz), m_noiseSigma(0), m_random(seed), m_seed(seed)
{
    if (snrDb < 99.0)
        m_noiseSigma = std::sqrt(std::pow(10.0, -snrDb / 10.0) / 2500.0 * sampleRateHz);
}

void Air::add(std::unique_ptr<Source> source, const Path& path)
{
    auto e = std::make_shared<Emitter>();
    e->source = std::move(source);
    e->path = path;
    e->rate = m_sampleRateHz;
    if (path.fading) {
        // F.1487 mid-latitude moderate: two independent paths of equal power, 1 ms apart, each
        // with a Doppler spread (twice the spectrum's standard deviation) of 0.5 Hz.
        e->direct = std::make_unique<FadingTap>(m_sampleRateHz, 0.5, 0.5, m_random);
        e->delayed = std::make_unique<FadingTap>(m_sampleRateHz, 0.5, 0.5, m_random);
        e->delay.assign(static_cast<std::size_t>(std::lround(0.001 * m_sampleRateHz)), {});
    }
    m_emitters.push_back(std::move(e));
}

std::complex<double> Air::sum()
{
    std::complex<double> s;
    for (auto& e : m_emitters)
        s += e->next();
    return s;
}

void Air::generate(std::span<float> out)
{
    // Real audio: the envelope's real part carries half its power, and real noise spreads over
    // 0..rate/2 only, so the same ratio in 2500 Hz needs a quarter of the complex noise's variance.
    const double sigma = m_noiseSigma / 2.0;
    for (float& x : out)
        x = static_cast<float>(sum().real() +
                               (m_noiseSigma > 0 ? sigma * m_normal(m_random) : 0.0));
}

void Air::generate(std::span<std::complex<float>> out)
{
    const double sigma = m_noiseSigma / std::sqrt(2.0);
    for (auto& x : out) {
        const std::complex<double> s = sum();
        const double ni = m_noiseSigma > 0 ? sigma * m_normal(m_random) : 0.0;
        const double nq = m_noiseSigma > 0 ? sigma * m_normal(m_random) : 0.0;
        x = {static_cast<float>(s.real() + ni), static_cast<float>(s.imag() + nq)};
    }
}

} // namespace fenlark::sitorsim
