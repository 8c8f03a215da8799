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
    } cases[] = {
        {11025, 1700, 10, 0, 0, false, 0.0},
        {8000, 700, -4, 120, -0.005, true, 0.05},
        {48000, 2600, 0, -80, 0.008, false, 0.02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.rateHz << " S/s, centre " << c.centreHz << " Hz, " << c.snrDb << " dB");
        sitorsim::Conditions cond;
        cond.sampleRateHz = c.rateHz;
        cond.centreHz = c.centreHz;
        cond.snrDb = c.snrDb;
        cond.offsetHz = c.offsetHz;
        cond.clockError = c.clockError;
        cond.reversed = c.reversed;
        cond.phasingSeconds = 3;
        const auto r = sitorsim::receive(message, cond);
        EXPECT_LE(sitorsim::score(message, r.text).cer(), c.maxCer) << r.text;
    }
}

TEST(IqDecoder, DecodesEveryChannelInsideTheBand)
{
    const double rateHz = 48000;
    const double centreHz = 504000; // 490 and 518 kHz at -14 and +14 kHz
    const std::string other = "ZCZC PA01\r\nNAVTEX ON 490 KHZ\r\nNNNN\r\n\n";
    sitorsim::Air air(rateHz, 0.0, 7);
    auto add = [&](const std::string& text, double hz) {
        sitorsim::Path p;
        p.centreHz = hz - centreHz + 30;
        const auto units =
            sitorsim::toUnits(sitorsim::interleave(sitorsim::encodeText(text), 5, 2));
        air.add(sitorsim::makeFsk(units, rateHz, 0, false), p);
    };
    add(message, 518000);
    add(other, 490000);
    IqDecoder decoder(rateHz, centreHz);
    ASSERT_EQ(decoder.channelCount(), 2u);
    std::vector<std::complex<float>> buf(4800);
    std::string text[2];
    double heardHz = 0; // where 518 kHz was heard while its message came in
    double snrDb = -99; // the SNR it estimated then (sent at 0 dB)
    Spectrum shown;     // and the tuning display's snapshot then
    for (int i = 0; i < 200; ++i) {
        air.generate(buf);
        decoder.process(buf);
        text[0] += decoder.takeText(0);
        const std::string more = decoder.takeText(1);
        if (!more.empty()) {
            heardHz = decoder.figures(1).centreHz;
            snrDb = decoder.figures(1).snrDb;
            shown = decoder.spectrum(1);
        }
        text[1] += more;
    }
    EXPECT_EQ(decoder.figures(0).radioFrequencyHz, 490000);
    EXPECT_EQ(text[0], other);
    EXPECT_EQ(decoder.figures(1).radioFrequencyHz, 518000);
    EXPECT_EQ(text[1], message);
    EXPECT_NEAR(heardHz, 30, 3);
    EXPECT_NEAR(snrDb, 0, 2);
    // The tones stand out in the snapshot at 30 +- 85 Hz from the channel.
    ASSERT_FALSE(shown.powerDb.empty());
    const auto peak =
        std::max_element(shown.powerDb.begin(), shown.powerDb.end()) - shown.powerDb.begin();
    EXPECT_NEAR(std::abs(shown.firstHz + static_cast<double>(peak) * shown.stepHz - 30), 85, 15);
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
