// A recording of a receiver's output read in blocks: real audio (an SSB receiver's sound) or IQ
// (an SDR's complex baseband), from a WAV file (any format libsndfile reads) or a raw sample file.
#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct sf_private_tag;

namespace fenlark::recordings {

// The sample type of a raw file, little-endian; an IQ file holds I, Q pairs of it (cu8, cs16,
// cf32). None: the file says what it holds (WAV and the other formats libsndfile knows).
enum class RawFormat { None, S16, U8, F32 };

// "s16", "u8", "f32"; with a leading "c" ("cs16") the IQ form, which sets `iq`. Nothing when
// unknown.
std::optional<RawFormat> rawFormatNamed(std::string_view name, bool &iq);
// The raw format a file name's ending gives (".s16", ".cu8", ...; `iq` for the IQ ones), or None.
RawFormat rawFormatOfName(std::string_view path, bool &iq);

struct RecordingSpec {
    std::string path;
    RawFormat raw = RawFormat::None;
    int sampleRateHz = 0; // needed for a raw file; for a WAV file it replaces the header's rate
    bool iq = false;      // two channels are I and Q; otherwise one or two channels of audio
};

class Recording {
public:
    Recording() = default;
    ~Recording();
    Recording(const Recording &) = delete;
    Recording &operator=(const Recording &) = delete;

    // Opens the recording; the reason it cannot be read, empty on success. A raw file needs its
    // rate; an IQ recording needs exactly two channels; audio has one or two.
    std::string open(const RecordingSpec &spec);
    bool isOpen() const { return m_file != nullptr; }

    int sampleRateHz() const { return m_sampleRateHz; }
    bool iq() const { return m_iq; }
    // Samples (frames) in the recording, as far as they are there.
    long long frames() const { return m_frames; }
    // Non-empty when the file ends before its header says: what is there is read all the same.
    const std::string &shortfall() const { return m_shortfall; }

    // Read up to out.size() samples from where reading stopped; 0 at the end. Audio of two
    // channels is their mean. Values are full scale ±1.
    std::size_t readAudio(std::span<float> out);
    std::size_t readIq(std::span<std::complex<float>> out);
    // Starts again from the first sample (for a recording played in a loop).
    void rewind();

private:
    std::size_t readFrames(std::size_t count);

    sf_private_tag *m_file = nullptr;
    int m_sampleRateHz = 0;
    int m_channels = 0;
    bool m_iq = false;
    long long m_frames = 0;
    std::string m_shortfall;
    float m_block[2 * 4096] = {};
};

} // namespace fenlark::recordings
