#include "recordings/decode_recording.h"

#include "recordings/stream_decoder.h"
#include "sitor/signal_facts.h"

#include <cmath>
#include <vector>

namespace fenlark::recordings {

int decodeRecording(const DecodeRequest& request, std::ostream& out, std::ostream& err)
{
    const std::string& path = request.recording.path;
    Recording recording;
    if (const std::string why = recording.open(request.recording); !why.empty()) {
        err << "fenlark: cannot read \"" << path << "\": " << why << "\n";
        return 2;
    }
    const double rateHz = recording.sampleRateHz();
    StreamDecoder decoder =
        recording.iq() ? StreamDecoder(rateHz, request.centreHz) : StreamDecoder(rateHz, 0);
    if (recording.iq() && decoder.channelOf(request.channelKhz) == decoder.channelCount()) {
        std::string inside;
        for (const double hz : sitor::signal::channelsHz)
            if (decoder.channelOf(khzOf(hz)) < decoder.channelCount())
                inside += (inside.empty() ? "" : ", ") + std::to_string(khzOf(hz)) + " kHz";
        err << "fenlark: \"" << path << "\" does not hold the " << request.channelKhz
            << " kHz channel (" << std::llround(rateHz) << " S/s around "
            << std::llround(request.centreHz) << " Hz hold "
            << (inside.empty() ? "no NAVTEX channel" : inside) << ")\n";
        return 2;
    }
    constexpr std::size_t kBlock = 16384;
    std::vector<float> audio(recording.iq() ? 0 : kBlock);
    std::vector<std::complex<float>> iq(recording.iq() ? kBlock : 0);
    for (;;) {
        const std::size_t got = recording.iq() ? recording.readIq(iq) : recording.readAudio(audio);
        if (got == 0)
            break;
        if (recording.iq())
            decoder.process(std::span<const std::complex<float>>(iq.data(), got));
        else
            decoder.process(std::span<const float>(audio.data(), got));
        // With I and Q swapped the chosen channel's text comes from its mirror image, so each
        // channel's text goes out when it says it was sent on the chosen frequency.
        for (std::size_t k = 0; k < decoder.channelCount(); ++k) {
            const std::string text = decoder.takeText(k);
            if (!recording.iq() || decoder.frequencyKhz(k) == request.channelKhz)
                out << text;
        }
    }
    out.flush();
    if (!recording.shortfall().empty())
        err << "fenlark: \"" << path << "\" is decoded as far as it goes: " << recording.shortfall()
            << "\n";
    return 0;
}

} // namespace fenlark::recordings
