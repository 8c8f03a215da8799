// fenlark-livemeasure: FenLark's decoder as a live input, measured. A synthetic emission (NAVTEX
// messages at 10 dB SNR; IQ: on 490 and 518 kHz at once) is looped and fed to the decoder's device
// in the blocks a live device delivers, into a whole program that frames and files what comes out.
//   cpu [--iq] [--minutes M]   fed in real time; CPU time (getrusage, user + system) over wall time
//   latency [--iq]             when each character reaches the program after the end of its second
//                              copy, and each message is filed after the end of its NNNN
//   memory [--iq] [--hours H]  H hours of input (default 24) as fast as possible; the largest
//                              resident size after each hour of input
//   sensitivity [--iq] [--snr DB] [--messages N]   character errors of N messages (400 characters
//                              each) decoded as a recording is (blocks of 16384) and as the live
//                              device delivers them (audio: 960; IQ: 8-bit samples as an RTL-SDR
//                              or rtl_tcp gives them, in uneven blocks)
// Audio: 48000 S/s in blocks of 960 (20 ms, a sound card's period); IQ: 250000 S/s centred on
// 504 kHz in blocks of 16384 (as the SDR input hands them over).
#include "bench_program.h"
#include "channel.h"
#include "encoder.h"
#include "messages.h"
#include "score.h"

#include "qt/inputs/decoder_device.h"
#include "sitor/signal_facts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace fenlark;

namespace {

constexpr double kLeadSeconds = 1;
constexpr double kPhasingSeconds = 10;
const std::string kMessage =
    "ZCZC EA42\r\nGALE WARNING 43-12.5N 012-34.1E WIND=8 +39 0187 IMMEDIATE\r\nNNNN\r\n\n";

struct Setup {
    bool iq = false;
    double rateHz = 48000;
    std::size_t block = 960;
    double centreHz = 504000;
};

// One emission after a second of noise, looped; for IQ the same text on both channels.
class LoopSource : public QObject, public qt::SampleSource {
public:
    LoopSource(const Setup& setup, bool paced) : m_setup(setup), m_paced(paced)
    {
        const auto words = sitorsim::interleave(sitorsim::encodeText(kMessage), kPhasingSeconds, 2);
        const auto units = sitorsim::toUnits(words);
        const double seconds = kLeadSeconds + units.size() * sitor::signal::unitSeconds + 2;
        sitorsim::Air air(setup.rateHz, 10, 3);
        for (double hz :
             setup.iq ? std::vector<double>{490000, 518000} : std::vector<double>{1700}) {
            struct Delayed : sitorsim::Source {
                std::unique_ptr<sitorsim::Source> inner;
                long long wait = 0;
                std::complex<double> next() override
                {
                    return wait-- > 0 ? std::complex<double>{} : inner->next();
                }
            };
            auto delayed = std::make_unique<Delayed>();
            delayed->inner = sitorsim::makeFsk(units, setup.rateHz, 0, false);
            delayed->wait = static_cast<long long>(kLeadSeconds * setup.rateHz);
            sitorsim::Path path;
            path.centreHz = setup.iq ? hz - setup.centreHz : hz;
            air.add(std::move(delayed), path);
        }
        const auto n = static_cast<std::size_t>(seconds * setup.rateHz) / setup.block * setup.block;
        if (setup.iq) {
            m_iq.resize(n);
            air.generate(m_iq);
            for (auto& s : m_iq)
                s *= 0.25f;
        } else {
            m_audio.resize(n);
            air.generate(m_audio);
        }
        m_tick.setInterval(paced ? 5 : 0);
        connect(&m_tick, &QTimer::timeout, this, [this] { tick(); });
    }
    std::string name() const override { return "loop"; }
    void start() override
    {
        up({m_setup.rateHz, m_setup.iq, m_setup.iq ? m_setup.centreHz : 0});
        m_clock.start();
        m_tick.start();
    }
    void stop() override { m_tick.stop(); }
    // Delivers one block; the sample count so far.
    long long deliverBlock()
    {
        const std::size_t length = m_setup.iq ? m_iq.size() : m_audio.size();
        const std::size_t at =
            static_cast<std::size_t>(m_delivered % static_cast<long long>(length));
        if (m_setup.iq)
            deliver(std::span<const std::complex<float>>(m_iq).subspan(at, m_setup.block));
        else
            deliver(std::span<const float>(m_audio).subspan(at, m_setup.block));
        m_delivered += static_cast<long long>(m_setup.block);
        return m_delivered;
    }
    long long loopSamples() const
    {
        return static_cast<long long>(m_setup.iq ? m_iq.size() : m_audio.size());
    }
    std::function<void(long long delivered)> afterBlock;

private:
    void tick()
    {
        // Real time: every block whose samples are due; otherwise one block a turn.
        const long long due =
            m_paced ? static_cast<long long>(m_clock.nsecsElapsed() * 1e-9 * m_setup.rateHz)
                    : m_delivered + 1;
        while (m_delivered + static_cast<long long>(m_setup.block) <= due || !m_paced) {
            const long long delivered = deliverBlock();
            if (afterBlock)
                afterBlock(delivered);
            if (!m_paced)
                break;
        }
    }

    Setup m_setup;
    bool m_paced;
    std::vector<float> m_audio;
    std::vector<std::complex<float>> m_iq;
    QTimer m_tick;
    QElapsedTimer m_clock;
    long long m_delivered = 0;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

long maxResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A whole program on a device, over do-nothing ports, in a temporary folder.
struct ProgramOn {
    explicit ProgramOn(SerialDevice& device)
        : app(Platform{clock, dialogs, printer, device, canvas})
    {
        app.start();
    }
    bench::BenchFolder folder;
    bench::QuietClock clock;
    bench::YesDialogs dialogs;
    bench::NullPrinter printer;
    headless::NullCanvas canvas;
    Application app;
};

// The program fed by the loop.
struct Live {
    Live(const Setup& setup, bool paced)
    {
        auto owned = std::make_unique<LoopSource>(setup, paced);
        source = owned.get();
        device = std::make_unique<qt::DecoderDevice>(std::move(owned));
        program = std::make_unique<ProgramOn>(*device);
    }
    LoopSource* source;
    std::unique_ptr<qt::DecoderDevice> device;
    std::unique_ptr<ProgramOn> program;
};

int measureCpu(const Setup& setup, double minutes)
{
    Live live(setup, true);
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(static_cast<int>(minutes * 60000), qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    const double cpu = cpuSeconds() - cpuBefore;
    const double seconds = wall.nsecsElapsed() * 1e-9;
    std::printf("%s: %.1f s of input in %.1f s: CPU %.2f s = %.2f %% of a core; %d messages "
                "filed, %lld receptions\n",
                setup.iq ? "IQ 250000 S/s, 490 + 518 kHz" : "audio 48000 S/s", seconds, seconds,
                cpu, 100 * cpu / seconds, live.program->app.state().msgcount,
                static_cast<long long>(live.program->app.state().MessageTable[0].rxcount));
    return 0;
}

int measureLatency(const Setup& setup)
{
    // The end of the second copy of each printing word, from the emission's start.
    const auto words = sitorsim::encodeText(kMessage);
    const double pairSeconds = 2 * sitor::signal::unitsPerWord * sitor::signal::unitSeconds;
    const auto phasing = static_cast<std::size_t>(std::ceil(kPhasingSeconds / pairSeconds));
    const std::size_t lag = (sitor::signal::repeatPositions - 1) / 2;
    std::vector<double> ends;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const auto entry = sitor::lookUp(words[k]);
        if (entry && entry->symbol != sitor::Symbol::LetterShift &&
            entry->symbol != sitor::Symbol::FigureShift)
            ends.push_back(kLeadSeconds + (phasing + k + lag + 1) * pairSeconds);
    }
    const std::size_t channel = setup.iq ? 1 : 0; // 518 kHz
    std::vector<double> delays;
    double filedDelay = -1;
    long long printed = 0;
    const double nnnnEnd = ends[kMessage.rfind("NNNN") + 3];
    // Block by block over one loop: when characters and the message arrive.
    Live live(setup, false);
    const long long loop = live.source->loopSamples();
    for (long long delivered = 0; delivered < loop;) {
        delivered = live.source->deliverBlock();
        const double now = static_cast<double>(delivered) / setup.rateHz;
        const long long count = live.device->decoder()->figures(channel).characters;
        for (; printed < count && printed < static_cast<long long>(ends.size()); ++printed)
            delays.push_back(now - ends[static_cast<std::size_t>(printed)]);
        if (filedDelay < 0 && live.program->app.state().msgcount > 0)
            filedDelay = now - nnnnEnd;
    }
    std::sort(delays.begin(), delays.end());
    std::printf("%s, blocks of %zu: %zu of %zu characters; delay after the second copy: median "
                "%.3f s, max %.3f s; message filed %.3f s after the end of its NNNN\n",
                setup.iq ? "IQ 250000 S/s (518 kHz)" : "audio 48000 S/s", setup.block,
                delays.size(), ends.size(), delays.empty() ? 0 : delays[delays.size() / 2],
                delays.empty() ? 0 : delays.back(), filedDelay);
    return 0;
}

int measureMemory(const Setup& setup, double hours)
{
    Live live(setup, false);
    const long long perHour = static_cast<long long>(setup.rateHz * 3600);
    long long next = perHour;
    live.source->afterBlock = [&](long long delivered) {
        if (delivered < next)
            return;
        std::printf("after %2lld h of input: largest resident size %ld kB, %d messages filed\n",
                    next / perHour, maxResidentKb(), live.program->app.state().msgcount);
        std::fflush(stdout);
        next += perHour;
        if (next > static_cast<long long>(hours * perHour))
            QCoreApplication::quit();
    };
    return QCoreApplication::exec();
}

// One message at `snrDb` as the recording path and the live path decode it; errors of each.
std::pair<sitorsim::Score, sitorsim::Score> bothPaths(const Setup& setup, const std::string& text,
                                                      double snrDb, unsigned seed)
{
    const auto units =
        sitorsim::toUnits(sitorsim::interleave(sitorsim::encodeText(text), kPhasingSeconds, 2));
    const double seconds = units.size() * sitor::signal::unitSeconds + 1;
    sitorsim::Air air(setup.rateHz, snrDb, seed);
    sitorsim::Path path;
    path.centreHz = setup.iq ? 518000 - setup.centreHz : 1700;
    air.add(sitorsim::makeFsk(units, setup.rateHz, 0, false), path);
    const auto n = static_cast<std::size_t>(seconds * setup.rateHz);
    std::string recorded, live;
    std::mt19937 random(seed);
    if (setup.iq) {
        std::vector<std::complex<float>> iq(n);
        air.generate(iq);
        // An RTL-SDR's 8 bits, its gain set for a quarter of full scale (the noise of the whole
        // band well above the least step, no clipping).
        double power = 0;
        for (const auto& x : iq)
            power += std::norm(x);
        const auto gain = static_cast<float>(0.25 / std::sqrt(power / n) * 127.5);
        std::vector<std::complex<float>> eight(n);
        auto quantize = [gain](float x) {
            return std::clamp(std::round(x * gain), -127.5f, 127.5f) / gain;
        };
        for (std::size_t i = 0; i < n; ++i)
            eight[i] = {quantize(iq[i].real()), quantize(iq[i].imag())};
        recordings::StreamDecoder a(setup.rateHz, setup.centreHz), b(setup.rateHz, setup.centreHz);
        for (std::size_t i = 0; i < n; i += 16384)
            a.process(std::span<const std::complex<float>>(iq).subspan(
                i, std::min<std::size_t>(16384, n - i)));
        for (std::size_t i = 0, step = 0; i < n; i += step) {
            step = std::min<std::size_t>(1000 + random() % 30000, n - i);
            b.process(std::span<const std::complex<float>>(eight).subspan(i, step));
        }
        recorded = a.takeText(a.channelOf(518));
        live = b.takeText(b.channelOf(518));
    } else {
        std::vector<float> audio(n);
        air.generate(audio);
        recordings::StreamDecoder a(setup.rateHz, 0), b(setup.rateHz, 0);
        for (std::size_t i = 0; i < n; i += 16384)
            a.process(
                std::span<const float>(audio).subspan(i, std::min<std::size_t>(16384, n - i)));
        for (std::size_t i = 0; i < n; i += 960)
            b.process(std::span<const float>(audio).subspan(i, std::min<std::size_t>(960, n - i)));
        recorded = a.takeText(0);
        live = b.takeText(0);
    }
    const std::string sent = sitorsim::printable(text);
    return {sitorsim::score(sent, recorded), sitorsim::score(sent, live)};
}

int measureSensitivity(const Setup& setup, double snrDb, int messages)
{
    std::mt19937 random(11);
    long long sent = 0, recordedErrors = 0, liveErrors = 0;
    for (int m = 0; m < messages; ++m) {
        const auto [recorded, live] =
            bothPaths(setup, sitorsim::makeMessage(random, 400), snrDb, 100 + m);
        sent += recorded.sent;
        recordedErrors += recorded.errors;
        liveErrors += live.errors;
    }
    std::printf("%s at %.1f dB, %d messages, %lld characters: character errors %.2f %% as a "
                "recording, %.2f %% as the live device delivers\n",
                setup.iq ? "IQ 250000 S/s (518 kHz)" : "audio 48000 S/s", snrDb, messages, sent,
                100.0 * recordedErrors / sent, 100.0 * liveErrors / sent);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    Setup setup;
    double minutes = 3, hours = 24, snrDb = -7;
    int messages = 20;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--iq"))
            setup = {true, 250000, 16384, 504000};
        else if (!std::strcmp(argv[i], "--minutes") && i + 1 < argc)
            minutes = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--hours") && i + 1 < argc)
            hours = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--snr") && i + 1 < argc)
            snrDb = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--messages") && i + 1 < argc)
            messages = std::atoi(argv[++i]);
    }
    if (mode == "cpu")
        return measureCpu(setup, minutes);
    if (mode == "latency")
        return measureLatency(setup);
    if (mode == "memory")
        return measureMemory(setup, hours);
    if (mode == "sensitivity")
        return measureSensitivity(setup, snrDb, messages);
    std::fprintf(stderr, "usage: fenlark-livemeasure cpu|latency|memory|sensitivity [--iq] "
                         "[--minutes M] [--hours H] [--snr DB] [--messages N]\n");
    return 2;
}
