#include "trial.h"

#include "encoder.h"

#include "sitor/decoder.h"
#include "sitor/signal_facts.h"

#include <cmath>
#include <vector>

namespace fenlark::sitorsim {

Reception receive(const std::string& message, const Conditions& c)
{
    const auto words = interleave(encodeText(message), c.phasingSeconds, 2.0);
    const auto units = toUnits(words);
    const double emissionSeconds =
        static_cast<double>(units.size()) * sitor::signal::unitSeconds * (1.0 + c.clockError);
    Air air(c.sampleRateHz, c.snrDb, c.seed);
    Path path;
    path.centreHz = c.iq ? 518000.0 - c.centreHz : c.centreHz;
    if (c.iq && c.swapped)
        path.centreHz = -path.centreHz;
    path.offsetHz = c.offsetHz;
    path.driftHzPerMinute = c.driftHzPerMinute;
    path.fading = c.fading;
    // The emission starts after the lead: the source stays silent that long by sending nothing.
    struct Delayed : Source {
        std::unique_ptr<Source> inner;
        long long wait;
        std::complex<double> next() override
        {
            return wait-- > 0 ? std::complex<double>{} : inner->next();
        }
    };
    auto delayed = std::make_unique<Delayed>();
    delayed->inner =
        makeFsk(units, c.sampleRateHz, c.clockError, c.reversed != (c.iq && c.swapped));
    delayed->wait = static_cast<long long>(c.leadSeconds * c.sampleRateHz);
    air.add(std::move(delayed), path);

    const auto total =
        static_cast<long long>((c.leadSeconds + emissionSeconds + c.tailSeconds) * c.sampleRateHz);
    Reception r;
    // Blocks of 20 ms: when a character came out is known that closely.
    const auto block = static_cast<std::size_t>(c.sampleRateHz / 50.0);
    long long done = 0;
    auto note = [&](const std::string& text) {
        r.text += text;
        r.seconds.insert(r.seconds.end(), text.size(),
                         static_cast<double>(done) / c.sampleRateHz - c.leadSeconds);
    };
    if (c.iq) {
        sitor::IqDecoder decoder(c.sampleRateHz, c.centreHz);
        std::vector<std::complex<float>> buf(block);
        while (done < total) {
            air.generate(buf);
            decoder.process(buf);
            done += static_cast<long long>(block);
            // What a channel hears was sent on 518 kHz when it says so (a mirrored channel says so
            // once it has found the sense).
            for (std::size_t i = 0; i < decoder.channelCount(); ++i) {
                const std::string text = decoder.takeText(i);
                if (decoder.figures(i).radioFrequencyHz == 518000.0)
                    note(text);
            }
        }
    } else {
        sitor::AudioDecoder decoder(c.sampleRateHz);
        std::vector<float> buf(block);
        const auto level = static_cast<float>(std::pow(10.0, c.levelDb / 20.0));
        while (done < total) {
            air.generate(buf);
            for (float& x : buf)
                x *= level;
            decoder.process(buf);
            done += static_cast<long long>(block);
            note(decoder.takeText());
        }
    }
    return r;
}

} // namespace fenlark::sitorsim
