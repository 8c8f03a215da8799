// The whole decoder on short simulated recordings: it finds the signal, decodes it within an error
// threshold, and prints nothing on signals that are not NAVTEX.
#include "channel.h"
#include "encoder.h"
#include "score.h"
#include "trial.h"

#include "sitor/decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace fenlark::sitor {
namespace {

const std::string message =
    "ZCZC EE39\r\nGALE WARNING 43-12.5N 012-34.1E WIND=8 +39 0187\r\nNNNN\r\n\n";

TEST(AudioDecoder, FindsAndDecodesASignalAnywhere)
{
    struct Case {
        double rateHz, centreHz, snrDb, offsetHz, clockError;
        bool reversed;
        double maxCer;
        double levelDb = 0;
    } cases[] = {
        {11025, 1700, 10, 0, 0, false, 0.0},
        {8000, 700, -4, 120, -0.005, true, 0.05},
        {48000, 2600, 0, -80, 0.008, false, 0.02},
        {8000, 1200, 10, 0, 0, false, 0.0, -70}, // a sound card turned far down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rateHz << " S/s, centre " << c.centreHz << " Hz, "
                                        << c.snrDb << " dB, level " << c.levelDb << " dB");
        sitorsim::Conditions cond;
        cond.sampleRateHz = c.rateHz;
        cond.centreHz = c.centreHz;
        cond.snrDb = c.snrDb;
        cond.offsetHz = c.offsetHz;
        cond.clockError = c.clockError;
        cond.reversed = c.reversed;
        cond.levelDb = c.levelDb;
        cond.phasingSeconds = 3;
        const auto r = sitorsim::receive(message, cond);
        EXPECT_LE(sitorsim::score(message, r.text).cer(), c.maxCer) << r.text;
    }
}

TEST(IqDecoder, DecodesEveryChannelInsideTheBandWithIAndQEitherWay)
{
    const double rateHz = 48000;
    const double centreHz = 504000; // 490 and 518 kHz at -14 and +14 kHz, each the other's mirror
    const std::string other = "ZCZC PA01\r\nNAVTEX ON 490 KHZ\r\nNNNN\r\n\n";
    for (const bool swapped : {false, true}) {
        SCOPED_TRACE(swapped ? "I and Q swapped" : "I and Q as they should be");
        // Swapping I and Q mirrors the band about its centre and reverses each signal's sense.
        const double sign = swapped ? -1 : 1;
        sitorsim::Air air(rateHz, 0.0, 7);
        auto add = [&](const std::string& text, double hz) {
            sitorsim::Path p;
            p.centreHz = sign * (hz - centreHz + 30);
            const auto units =
                sitorsim::toUnits(sitorsim::interleave(sitorsim::encodeText(text), 5, 2));
            air.add(sitorsim::makeFsk(units, rateHz, 0, swapped), p);
        };
        add(message, 518000);
        add(other, 490000);
        IqDecoder decoder(rateHz, centreHz);
        ASSERT_EQ(decoder.channelCount(), 2u);
        std::vector<std::complex<float>> buf(4800);
        std::map<double, std::string> heard; // text by the frequency its channel gave with it
        double heardHz = 0;                  // where 518 kHz was heard while its message came in
        double snrDb = -99;                  // the SNR it estimated then (sent at 0 dB)
        Spectrum shown;                      // and the tuning display's snapshot then
        for (int i = 0; i < 200; ++i) {
            air.generate(buf);
            decoder.process(buf);
            for (std::size_t k = 0; k < decoder.channelCount(); ++k) {
                const std::string more = decoder.takeText(k);
                const ChannelFigures f = decoder.figures(k);
                if (!more.empty() && f.radioFrequencyHz == 518000) {
                    heardHz = f.centreHz;
                    snrDb = f.snrDb;
                    shown = decoder.spectrum(k);
                }
                heard[f.radioFrequencyHz] += more;
            }
        }
        EXPECT_EQ(heard[490000], other);
        EXPECT_EQ(heard[518000], message);
        EXPECT_NEAR(heardHz, sign * 30, 3);
        EXPECT_NEAR(snrDb, 0, 2);
        // The tones stand out in the snapshot 85 Hz either side of where the signal was sent.
        ASSERT_FALSE(shown.powerDb.empty());
        const auto peak =
            std::max_element(shown.powerDb.begin(), shown.powerDb.end()) - shown.powerDb.begin();
        EXPECT_NEAR(std::abs(shown.firstHz + static_cast<double>(peak) * shown.stepHz - sign * 30),
                    85, 15);
    }
}

TEST(AudioDecoder, PrintsNothingWhenThereIsNoNavtex)
{
    const double rateHz = 8000;
    auto noise = [] { return sitorsim::makeSilence(); };
    auto rtty = [&] { return sitorsim::makeRtty(rateHz, 3); };
    auto cw = [&] { return sitorsim::makeCw(rateHz, 4); };
    auto am = [&] { return sitorsim::makeAm(rateHz); };
    const std::pair<const char*, std::function<std::unique_ptr<sitorsim::Source>()>> sources[] = {
        {"noise", noise}, {"RTTY", rtty}, {"CW", cw}, {"AM", am}};
    for (const auto& [name, make] : sources) {
        SCOPED_TRACE(name);
        sitorsim::Air air(rateHz, 6.0, 11);
        sitorsim::Path p;
        p.centreHz = 1500;
        air.add(make(), p);
        AudioDecoder decoder(rateHz);
        std::vector<float> buf(8000);
        std::string text;
        for (int i = 0; i < 20; ++i) {
            air.generate(buf);
            decoder.process(buf);
            text += decoder.takeText();
        }
        EXPECT_EQ(text, "");
        EXPECT_FALSE(decoder.figures().locked);
    }
}

} // namespace
} // namespace fenlark::sitor
