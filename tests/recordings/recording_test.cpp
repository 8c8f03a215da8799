// The recording readers over files made here: every WAV form and raw format, audio and IQ, and
// files that are not what they say (cut short, lying headers): a reason, never a crash.
#include "recordings/recording.h"
#include "support/test_program.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace fenlark::test {
namespace {

using recordings::RawFormat;
using recordings::Recording;
using recordings::RecordingSpec;

constexpr int kFrames = 5000;

// The test signal, channel c of frame k: inside ±1 and different in every sample.
float sample(int k, int c)
{
    return static_cast<float>(std::sin(0.01 * k + 2.0 * c)) * 0.9f;
}

void writeSndfile(const std::string &name, int format, int channels, int rate,
                  int frames = kFrames)
{
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = rate;
    SNDFILE *file = sf_open(name.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> data;
    for (int k = 0; k < frames; ++k)
        for (int c = 0; c < channels; ++c)
            data.push_back(sample(k, c));
    sf_writef_float(file, data.data(), frames);
    sf_close(file);
}

std::string patched(std::string bytes, std::size_t at, std::string_view with)
{
    return bytes.replace(at, with.size(), with);
}

TEST(Recording, ReadsEveryFormAsTheSamplesItHolds)
{
    TempWorkingDir dir;
    const int wav = SF_FORMAT_WAV, raw = SF_FORMAT_RAW | SF_ENDIAN_LITTLE;
    struct Case {
        const char *name;
        int format, channels, fileRate;
        RawFormat raw;
        int givenRate;
        bool iq;
        double tolerance;
    } cases[] = {
        {"u8.wav", wav | SF_FORMAT_PCM_U8, 1, 8000, RawFormat::None, 0, false, 1.0 / 64},
        {"s16.wav", wav | SF_FORMAT_PCM_16, 2, 11025, RawFormat::None, 0, false, 1e-4},
        {"s24.wav", wav | SF_FORMAT_PCM_24, 1, 48000, RawFormat::None, 0, false, 1e-6},
        {"s32.wav", wav | SF_FORMAT_PCM_32, 1, 44100, RawFormat::None, 0, false, 1e-6},
        {"float.wav", wav | SF_FORMAT_FLOAT, 2, 22050, RawFormat::None, 0, false, 1e-7},
        {"extensible.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 1, 12000, RawFormat::None, 0, false,
         1e-4},
        {"rate-given.wav", wav | SF_FORMAT_PCM_16, 1, 12000, RawFormat::None, 11025, false, 1e-4},
        {"iq.wav", wav | SF_FORMAT_PCM_16, 2, 250000, RawFormat::None, 0, true, 1e-4},
        {"a.s16", raw | SF_FORMAT_PCM_16, 1, 0, RawFormat::S16, 11025, false, 1e-4},
        {"a.u8", raw | SF_FORMAT_PCM_U8, 1, 0, RawFormat::U8, 8000, false, 1.0 / 64},
        {"a.f32", raw | SF_FORMAT_FLOAT, 1, 0, RawFormat::F32, 48000, false, 1e-7},
        {"a.cu8", raw | SF_FORMAT_PCM_U8, 2, 0, RawFormat::U8, 1024000, true, 1.0 / 64},
        {"a.cs16", raw | SF_FORMAT_PCM_16, 2, 0, RawFormat::S16, 250000, true, 1e-4},
        {"a.cf32", raw | SF_FORMAT_FLOAT, 2, 0, RawFormat::F32, 96000, true, 1e-7},
    };
    for (const Case &c : cases) {
        writeSndfile(c.name, c.format, c.channels, c.fileRate ? c.fileRate : 8000);
        Recording recording;
        ASSERT_EQ(recording.open({c.name, c.raw, c.givenRate, c.iq}), "") << c.name;
        EXPECT_EQ(recording.sampleRateHz(), c.givenRate ? c.givenRate : c.fileRate) << c.name;
        EXPECT_EQ(recording.frames(), kFrames) << c.name;
        EXPECT_EQ(recording.shortfall(), "") << c.name;
        // Read in uneven pieces, across the reader's own blocks, and once more after a rewind.
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::complex<float>> got;
            std::size_t n = 1;
            for (std::size_t piece = 1;; piece = piece * 3 + 1) {
                std::vector<float> audio(piece);
                std::vector<std::complex<float>> iq(piece);
                n = c.iq ? recording.readIq(iq) : recording.readAudio(audio);
                for (std::size_t k = 0; k < n; ++k)
                    got.push_back(c.iq ? iq[k] : audio[k]);
                if (n == 0)
                    break;
            }
            ASSERT_EQ(got.size(), std::size_t{kFrames}) << c.name;
            for (int k = 0; k < kFrames; k += 97) {
                const std::complex<float> expected =
                    c.iq ? std::complex<float>(sample(k, 0), sample(k, 1))
                    : c.channels == 2 ? (sample(k, 0) + sample(k, 1)) / 2
                                      : sample(k, 0);
                EXPECT_NEAR(std::abs(got[k] - expected), 0, c.tolerance) << c.name << " " << k;
            }
            recording.rewind();
        }
    }
}

TEST(Recording, AFileThatIsNotWhatItSaysGivesAReason)
{
    TempWorkingDir dir;
    writeSndfile("good.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000);
    writeSndfile("three.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 3, 8000, 10);
    const std::string good = readFile("good.wav");
    writeFile("empty.wav", "");
    writeFile("text.wav", "ZCZC EA42\r\nNOT A RECORDING\r\nNNNN\r\n");
    writeFile("cut-in-header.wav", good.substr(0, 30));
    writeFile("no-channels.wav", patched(good, 22, std::string("\0\0", 2)));
    writeFile("no-rate.wav", patched(good, 24, std::string(4, '\0')));
    writeFile("odd.s16", std::string(7, '\1'));
    std::filesystem::create_directory("folder.wav");
    const RecordingSpec iq{.path = "good.wav", .iq = true};
    const std::pair<RecordingSpec, const char *> cases[] = {
        {{.path = "missing.wav"}, "there is no such file"},
        {{.path = "folder.wav"}, "it is not a file"},
        {{.path = "empty.wav"}, "it is not a recording FenLark can read ("},
        {{.path = "text.wav"}, "it is not a recording FenLark can read ("},
        {{.path = "cut-in-header.wav"}, "it is not a recording FenLark can read ("},
        {{.path = "no-channels.wav"}, "it is not a recording FenLark can read ("},
        {{.path = "no-rate.wav"}, "it is not a recording FenLark can read ("},
        {{.path = "three.wav"}, "it has 3 channels; FenLark reads one or two"},
        {iq, "an IQ recording has two channels, I and Q; this one has one"},
        {{.path = "odd.s16", .raw = RawFormat::S16}, "a raw file needs its sample rate"},
    };
    for (const auto &[spec, reason] : cases) {
        Recording recording;
        EXPECT_EQ(recording.open(spec).substr(0, std::strlen(reason)), reason) << spec.path;
        EXPECT_FALSE(recording.isOpen()) << spec.path;
        float none[4];
        EXPECT_EQ(recording.readAudio(none), 0u) << spec.path;
    }
    // A raw file that ends inside a sample gives its whole samples.
    Recording odd;
    ASSERT_EQ(odd.open({.path = "odd.s16", .raw = RawFormat::S16, .sampleRateHz = 8000}), "");
    float three[8];
    EXPECT_EQ(odd.readAudio(three), 3u);
}

TEST(Recording, AWavFileCutShortOrLyingAboutItsLengthIsReadAsFarAsItGoes)
{
    TempWorkingDir dir;
    writeSndfile("good.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000);
    const std::string good = readFile("good.wav");
    writeFile("cut.wav", good.substr(0, good.size() - 2 * 1000));
    writeFile("lying.wav", patched(good, good.find("data") + 4, "\xF0\xFF\xFF\xFF"));
    for (const auto &[name, promised] : {std::pair{"cut.wav", kFrames}, {"lying.wav", 2147483640}}) {
        Recording recording;
        ASSERT_EQ(recording.open({.path = name}), "") << name;
        const int there = name == std::string("cut.wav") ? kFrames - 1000 : kFrames;
        EXPECT_EQ(recording.shortfall(), "it ends early: its header promises " +
                                             std::to_string(promised) + " samples, and " +
                                             std::to_string(there) + " are there");
        std::vector<float> all(2 * kFrames);
        EXPECT_EQ(recording.readAudio(all), std::size_t(there)) << name;
        EXPECT_NEAR(all[there - 1], sample(there - 1, 0), 1e-4) << name;
    }
}

TEST(Recording, FormatsAreNamedOrTakenFromTheFileName)
{
    const std::tuple<const char *, std::optional<RawFormat>, bool> names[] = {
        {"s16", RawFormat::S16, false}, {"u8", RawFormat::U8, false},
        {"cf32", RawFormat::F32, true}, {"cs16", RawFormat::S16, true},
        {"s24", std::nullopt, false},   {"c", std::nullopt, false}};
    for (const auto &[name, raw, iq] : names) {
        bool isIq = false;
        EXPECT_EQ(recordings::rawFormatNamed(name, isIq), raw) << name;
        EXPECT_EQ(isIq, iq) << name;
    }
    bool iq = false;
    EXPECT_EQ(recordings::rawFormatOfName("dir.v2/rec.cu8", iq), RawFormat::U8);
    EXPECT_TRUE(iq);
    iq = false;
    EXPECT_EQ(recordings::rawFormatOfName("dir.s16/rec", iq), RawFormat::None);
    EXPECT_EQ(recordings::rawFormatOfName("mondolfo-11025.s16", iq), RawFormat::S16);
    EXPECT_FALSE(iq);
}

} // namespace
} // namespace fenlark::test
