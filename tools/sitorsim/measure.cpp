// fenlark-sitormeasure: measures the NAVTEX decoder on simulated receptions and on recordings.
//   curve [conditions] [--messages N] [--from DB --to DB --step DB]
//       character errors, wrong characters not shown as '*', and messages received satisfactorily
//       (header exact, under 4 % errors) against SNR, and the SNR for 4 % errors
//   start [conditions] [--messages N]   when the first right character comes out after a signal
//       starts mid-message (no phasing)
//   quiet --source noise|rtty|cw|am [--minutes M] [--snr DB]   characters printed without NAVTEX
//   file PATH [--rate N] [--format s16|f32] [--noise SIGMA]   decodes a recording (WAV or raw),
//       white noise of that standard deviation added if asked, and prints the text
// Conditions: --rate N --centre HZ --offset HZ --drift HZ/MIN --clock SHARE --reversed --fading
//             --iq [--swapped] --phasing S --chars N --seed N
#include "messages.h"
#include "recording.h"
#include "score.h"
#include "trial.h"

#include "sitor/decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace fenlark::sitorsim;

namespace {

struct Options {
    Conditions conditions;
    int characters = 400;
    int messages = 20;
    int one = -1; // only this message of the set (for looking into one)
    double from = -9, to = -4, step = 1;
    double minutes = 60;
    double noise = 0; // file: white noise of this standard deviation (full scale 1) added
    std::string source = "noise";
    std::string format = "s16";
    std::vector<std::string> files;
};

Options parse(int argc, char** argv)
{
    Options o;
    Conditions& c = o.conditions;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&] { return i + 1 < argc ? std::atof(argv[++i]) : 0.0; };
        if (a == "--snr")
            c.snrDb = value();
        else if (a == "--one")
            o.one = static_cast<int>(value());
        else if (a == "--rate")
            c.sampleRateHz = value();
        else if (a == "--centre")
            c.centreHz = value();
        else if (a == "--offset")
            c.offsetHz = value();
        else if (a == "--drift")
            c.driftHzPerMinute = value();
        else if (a == "--clock")
            c.clockError = value();
        else if (a == "--phasing")
            c.phasingSeconds = value();
        else if (a == "--seed")
            c.seed = static_cast<unsigned>(value());
        else if (a == "--chars")
            o.characters = static_cast<int>(value());
        else if (a == "--messages")
            o.messages = static_cast<int>(value());
        else if (a == "--from")
            o.from = value();
        else if (a == "--to")
            o.to = value();
        else if (a == "--step")
            o.step = value();
        else if (a == "--noise")
            o.noise = value();
        else if (a == "--minutes")
            o.minutes = value();
        else if (a == "--reversed")
            c.reversed = true;
        else if (a == "--swapped")
            c.swapped = true;
        else if (a == "--fading")
            c.fading = true;
        else if (a == "--iq")
            c.iq = true;
        else if (a == "--source" && i + 1 < argc)
            o.source = argv[++i];
        else if (a == "--format" && i + 1 < argc)
            o.format = argv[++i];
        else
            o.files.push_back(a);
    }
    return o;
}

// Runs job(0..count-1) on two threads.
template <typename Job> void inParallel(int count, Job job)
{
    std::mutex m;
    int next = 0;
    auto worker = [&] {
        for (;;) {
            int i;
            {
                std::lock_guard<std::mutex> lock(m);
                if (next >= count)
                    return;
                i = next++;
            }
            job(i);
        }
    };
    std::thread other(worker);
    worker();
    other.join();
}

struct Tally {
    long long sent = 0, errors = 0, wrong = 0;
    int messages = 0, satisfactory = 0;
    double cer() const
    {
        return sent ? static_cast<double>(errors) / static_cast<double>(sent) : 0;
    }
};

Tally runMessages(const Options& o, double snrDb)
{
    Tally t;
    std::mutex m;
    inParallel(o.messages, [&](int i) {
        if (o.one >= 0 && i != o.one)
            return;
        Conditions c = o.conditions;
        c.snrDb = snrDb;
        c.seed = o.conditions.seed * 1000 + static_cast<unsigned>(i);
        std::mt19937 random(c.seed);
        const std::string message = makeMessage(random, o.characters);
        const Reception r = receive(message, c);
        const Score s = score(message, r.text);
        const bool headerExact = r.text.find("ZCZC " + headerOf(message)) != std::string::npos;
        std::lock_guard<std::mutex> lock(m);
        if (std::getenv("SHOW") && !(headerExact && s.cer() < 0.04))
            std::printf("--- seed %u, CER %.3f:\n%s\n=== sent:\n%s\n", c.seed, s.cer(),
                        r.text.c_str(), message.c_str());
        t.sent += s.sent;
        t.errors += s.errors;
        t.wrong += s.wrongShown;
        ++t.messages;
        t.satisfactory += headerExact && s.cer() < 0.04;
    });
    return t;
}

int curve(const Options& o)
{
    double previousSnr = 0, previousCer = 0;
    double crossing = NAN;
    for (double snr = o.to; snr >= o.from - 1e-9; snr -= o.step) {
        const Tally t = runMessages(o, snr);
        std::printf("SNR %6.2f dB  CER %6.3f %%  wrong not '*' %6.3f %%  satisfactory %d/%d "
                    "(%.1f %%)\n",
                    snr, 100.0 * t.cer(),
                    100.0 * static_cast<double>(t.wrong) / static_cast<double>(t.sent),
                    t.satisfactory, t.messages, 100.0 * t.satisfactory / t.messages);
        std::fflush(stdout);
        if (std::isnan(crossing) && snr < o.to && t.cer() >= 0.04 && previousCer < 0.04) {
            // Between the two points, log CER is taken as linear in SNR.
            const double a = std::log(std::max(previousCer, 1e-5));
            const double b = std::log(t.cer());
            crossing = previousSnr + (std::log(0.04) - a) / (b - a) * (snr - previousSnr);
        }
        previousSnr = snr;
        previousCer = t.cer();
    }
    if (!std::isnan(crossing))
        std::printf("SNR for 4 %% CER: %.2f dB\n", crossing);
    return 0;
}

int start(const Options& o)
{
    std::vector<double> times(static_cast<std::size_t>(o.messages), 1e9);
    inParallel(o.messages, [&](int i) {
        Conditions c = o.conditions;
        c.phasingSeconds = 0;
        c.seed = o.conditions.seed * 1000 + static_cast<unsigned>(i);
        std::mt19937 random(c.seed);
        // The emission starts a random way into a message (a receiver switched on mid-message).
        std::string message = makeMessage(random, o.characters);
        message = message.substr(static_cast<std::size_t>(random() % 100) + 20);
        const Reception r = receive(message, c);
        const Score s = score(message, r.text);
        if (s.firstRight >= 0)
            times[static_cast<std::size_t>(i)] = r.seconds[static_cast<std::size_t>(s.firstRight)];
    });
    std::sort(times.begin(), times.end());
    const auto within3 =
        std::count_if(times.begin(), times.end(), [](double t) { return t <= 3.0; });
    std::printf("first right character: median %.2f s, worst %.2f s, within 3 s %ld/%zu\n",
                times[times.size() / 2], times.back(), static_cast<long>(within3), times.size());
    return 0;
}

int quiet(const Options& o)
{
    const double rate = o.conditions.sampleRateHz;
    const double snr = o.conditions.snrDb < 99 ? o.conditions.snrDb : 10;
    Air air(rate, snr, o.conditions.seed);
    Path p;
    p.centreHz = 1500;
    if (o.source == "rtty")
        air.add(makeRtty(rate, o.conditions.seed), p);
    else if (o.source == "cw")
        air.add(makeCw(rate, o.conditions.seed), p);
    else if (o.source == "am")
        air.add(makeAm(rate), p);
    else
        air.add(makeSilence(), p);
    fenlark::sitor::AudioDecoder decoder(rate);
    std::vector<float> buf(static_cast<std::size_t>(rate));
    std::string text;
    long long lockedSeconds = 0;
    for (long long s = 0; s < static_cast<long long>(o.minutes * 60); ++s) {
        air.generate(buf);
        decoder.process(buf);
        text += decoder.takeText();
        lockedSeconds += decoder.figures().locked;
    }
    std::printf("%s, %.0f min at %.0f dB: %zu characters printed, squelch open %lld s\n",
                o.source.c_str(), o.minutes, snr, text.size(), lockedSeconds);
    if (!text.empty())
        std::printf("printed: %s\n", text.c_str());
    return 0;
}

int file(const Options& o)
{
    if (o.files.empty())
        return 2;
    Recording rec;
    std::string error;
    if (!readRecording(o.files[0], o.conditions.sampleRateHz, o.format, rec, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (o.noise > 0) {
        std::mt19937_64 random(o.conditions.seed);
        std::normal_distribution<double> normal(0.0, o.noise);
        for (float& x : rec.samples)
            x += static_cast<float>(normal(random));
    }
    fenlark::sitor::AudioDecoder decoder(rec.sampleRateHz);
    const std::size_t block = 1024;
    double lastShown = -10;
    for (std::size_t i = 0; i < rec.samples.size(); i += block) {
        const std::size_t n = std::min(block, rec.samples.size() - i);
        decoder.process(std::span<const float>(rec.samples.data() + i, n));
        std::fputs(decoder.takeText().c_str(), stdout);
        const double now = static_cast<double>(i) / rec.sampleRateHz;
        if (now - lastShown >= 5.0) {
            const auto f = decoder.figures();
            std::fprintf(
                stderr,
                "[%.0f s: centre %.1f Hz, SNR %.1f dB, %s, %lld characters, %lld doubtful]\n", now,
                f.centreHz, f.snrDb, f.locked ? "locked" : "searching", f.characters, f.doubtful);
            lastShown = now;
        }
    }
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: fenlark-sitormeasure curve|start|quiet|file [options]\n");
        return 2;
    }
    const std::string what = argv[1];
    const Options o = parse(argc, argv);
    if (what == "curve")
        return curve(o);
    if (what == "start")
        return start(o);
    if (what == "quiet")
        return quiet(o);
    if (what == "file")
        return file(o);
    std::fprintf(stderr, "unknown: %s\n", what.c_str());
    return 2;
}
