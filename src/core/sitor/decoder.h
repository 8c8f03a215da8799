// FenLark's NAVTEX decoder: samples in (real audio, or complex baseband with every NAVTEX channel
// inside it), the characters a NAVTEX receiver would send out.
#pragma once

#include <complex>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace fenlark::sitor {

class TunedChannel;

// What a channel's decoder knows of itself, for the tuning display and per-message figures.
struct ChannelFigures {
    double radioFrequencyHz = 0; // 518000, 490000, 4209500; 0 when unknown (plain audio)
    bool locked = false;         // a NAVTEX signal is being decoded now (the squelch is open)
    double centreHz = 0; // the found centre: audio Hz for audio, offset from the channel for IQ
    double snrDb = 0;    // signal-to-noise estimate, dB in 2500 Hz (meaningful while locked)
    long long characters = 0; // characters printed since start
    long long doubtful = 0;   // of which printed as '*'
};

// Power around a channel for the tuning display: a cheap snapshot, refreshed by the decoder at most
// a few times a second, never computed on the caller's behalf per sample.
struct Spectrum {
    double firstHz = 0; // frequency of powerDb[0] (same reference as centreHz)
    double stepHz = 0;
    std::vector<float> powerDb;
};

// One channel of real audio (an SSB receiver's output), any rate 8000..48000 S/s. The signal is
// found anywhere with its centre between 300 and 3000 Hz, in either sense.
class AudioDecoder {
public:
    explicit AudioDecoder(double sampleRateHz, double radioFrequencyHz = 0);
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    void process(std::span<const float> samples); // mono samples, full scale +-1
    std::string takeText(); // characters since the last call; CR LF line ends as sent
    ChannelFigures figures() const;
    Spectrum spectrum() const;

private:
    std::unique_ptr<TunedChannel> m_channel;
};

// Complex baseband (IQ) around centreHz: every NAVTEX channel (490, 518, 4209.5 kHz; 424 kHz too)
// inside the band is decoded on its own, in order of frequency. A channel is also listened for at
// its mirror image about the centre, so IQ with I and Q swapped decodes as well; a channel's
// radioFrequencyHz is where what it decodes was sent (the mirror's when it hears reversed sense),
// so it can change while it runs: read it with the text.
class IqDecoder {
public:
    IqDecoder(double sampleRateHz, double centreHz);
    ~IqDecoder();
    IqDecoder(const IqDecoder&) = delete;
    IqDecoder& operator=(const IqDecoder&) = delete;

    void process(std::span<const std::complex<float>> samples);
    std::size_t channelCount() const { return m_channels.size(); }
    std::string takeText(std::size_t channel);
    ChannelFigures figures(std::size_t channel) const;
    Spectrum spectrum(std::size_t channel) const;

private:
    std::vector<std::unique_ptr<TunedChannel>> m_channels;
};

} // namespace fenlark::sitor
