#include "recordings/recording.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace fenlark::recordings {
namespace {

constexpr std::array<std::pair<std::string_view, RawFormat>, 3> kRawNames{
    {{"s16", RawFormat::S16}, {"u8", RawFormat::U8}, {"f32", RawFormat::F32}}};

int sndfileSubtype(RawFormat raw)
{
    switch (raw) {
    case RawFormat::U8:
        return SF_FORMAT_PCM_U8;
    case RawFormat::F32:
        return SF_FORMAT_FLOAT;
    default:
        return SF_FORMAT_PCM_16;
    }
}

// Bytes of one sample of one channel in the data of a WAV file; 0 for a compressed form.
int bytesPerSample(int format)
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_S8:
        return 1;
    case SF_FORMAT_PCM_16:
        return 2;
    case SF_FORMAT_PCM_24:
        return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
        return 4;
    case SF_FORMAT_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

std::uint32_t littleEndian32(const unsigned char *bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// The frames the data chunk of a RIFF WAV file says it holds; none when it says nothing usable.
std::optional<long long> declaredWavFrames(const std::string &path, int frameBytes)
{
    std::ifstream file(path, std::ios::binary);
    unsigned char head[12];
    if (frameBytes <= 0 || !file.read(reinterpret_cast<char *>(head), 12) ||
        std::string_view(reinterpret_cast<char *>(head), 4) != "RIFF")
        return std::nullopt;
    unsigned char chunk[8];
    while (file.read(reinterpret_cast<char *>(chunk), 8)) {
        const std::uint32_t size = littleEndian32(chunk + 4);
        if (std::string_view(reinterpret_cast<char *>(chunk), 4) == "data")
            return size / frameBytes;
        file.seekg(size + (size & 1), std::ios::cur);
    }
    return std::nullopt;
}

} // namespace

std::optional<RawFormat> rawFormatNamed(std::string_view name, bool &iq)
{
    const bool complex = name.starts_with('c');
    if (complex)
        name.remove_prefix(1);
    for (const auto &[text, raw] : kRawNames)
        if (name == text) {
            iq = iq || complex;
            return raw;
        }
    return std::nullopt;
}

RawFormat rawFormatOfName(std::string_view path, bool &iq)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
        return RawFormat::None;
    bool complex = false;
    const auto raw = rawFormatNamed(path.substr(dot + 1), complex);
    iq = iq || complex;
    return raw.value_or(RawFormat::None);
}

Recording::~Recording()
{
    if (m_file)
        sf_close(m_file);
}

std::string Recording::open(const RecordingSpec &spec)
{
    if (m_file)
        sf_close(m_file);
    m_file = nullptr;
    m_shortfall.clear();
    std::error_code ec;
    const auto status = std::filesystem::status(spec.path, ec);
    if (!std::filesystem::exists(status))
        return "there is no such file";
    if (!std::filesystem::is_regular_file(status))
        return "it is not a file";
    SF_INFO info{};
    if (spec.raw != RawFormat::None) {
        if (spec.sampleRateHz <= 0)
            return "a raw file needs its sample rate";
        info.format = SF_FORMAT_RAW | SF_ENDIAN_LITTLE | sndfileSubtype(spec.raw);
        info.channels = spec.iq ? 2 : 1;
        info.samplerate = spec.sampleRateHz;
    }
    SNDFILE *file = sf_open(spec.path.c_str(), SFM_READ, &info);
    if (!file)
        return spec.raw == RawFormat::None
                   ? std::string("it is not a recording FenLark can read (") +
                         sf_strerror(nullptr) +
                         "); a raw file needs its sample format named"
                   : std::string(sf_strerror(nullptr));
    const int rate = spec.sampleRateHz > 0 ? spec.sampleRateHz : info.samplerate;
    std::string why;
    if (info.channels > 2 || info.channels < 1)
        why = "it has " + std::to_string(info.channels) + " channels; FenLark reads one or two";
    else if (spec.iq && info.channels != 2)
        why = "an IQ recording has two channels, I and Q; this one has one";
    else if (rate <= 0 || rate > 100'000'000)
        why = "its sample rate " + std::to_string(rate) + " S/s is not possible";
    if (!why.empty()) {
        sf_close(file);
        return why;
    }
    m_file = file;
    m_sampleRateHz = rate;
    m_channels = info.channels;
    m_iq = spec.iq;
    m_frames = info.frames;
    const int major = info.format & SF_FORMAT_TYPEMASK;
    if (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX) {
        const auto declared =
            declaredWavFrames(spec.path, bytesPerSample(info.format) * info.channels);
        if (declared && *declared > m_frames)
            m_shortfall = "it ends early: its header promises " + std::to_string(*declared) +
                          " samples, and " + std::to_string(m_frames) + " are there";
    }
    return {};
}

std::size_t Recording::readFrames(std::size_t count)
{
    const std::size_t most = std::size(m_block) / static_cast<std::size_t>(m_channels);
    const sf_count_t got =
        m_file ? sf_readf_float(m_file, m_block, static_cast<sf_count_t>(std::min(count, most)))
               : 0;
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::size_t Recording::readAudio(std::span<float> out)
{
    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t got = readFrames(out.size() - done);
        if (got == 0)
            break;
        for (std::size_t k = 0; k < got; ++k)
            out[done + k] =
                m_channels == 2 ? 0.5f * (m_block[2 * k] + m_block[2 * k + 1]) : m_block[k];
        done += got;
    }
    return done;
}

std::size_t Recording::readIq(std::span<std::complex<float>> out)
{
    std::size_t done = 0;
    while (done < out.size() && m_channels == 2) {
        const std::size_t got = readFrames(out.size() - done);
        if (got == 0)
            break;
        for (std::size_t k = 0; k < got; ++k)
            out[done + k] = {m_block[2 * k], m_block[2 * k + 1]};
        done += got;
    }
    return done;
}

void Recording::rewind()
{
    if (m_file)
        sf_seek(m_file, 0, SEEK_SET);
}

} // namespace fenlark::recordings
