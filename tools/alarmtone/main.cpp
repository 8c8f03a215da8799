// fenlark-alarmtone: writes the alarm sound, a short two-tone signal, as a WAV file (16-bit mono
// PCM). The build makes it and the program carries it as a resource.
//
//   fenlark-alarmtone FILE.wav
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;

struct Tone {
    double hertz; // 0: silence
    double seconds;
};

// High and low twice, as bridge alarms sound, with a pause before the next repeat.
constexpr Tone kSignal[] = {{1320, 0.18}, {880, 0.18}, {1320, 0.18}, {880, 0.18}, {0, 0.2}};

std::vector<std::int16_t> samples()
{
    std::vector<std::int16_t> out;
    for (const Tone &tone : kSignal) {
        const int count = static_cast<int>(tone.seconds * kRate);
        // Short fades at both ends keep the speaker from clicking.
        const int fade = kRate / 200;
        for (int i = 0; i < count; ++i) {
            const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
            const double value =
                std::sin(2 * std::numbers::pi * tone.hertz * i / kRate) * envelope * 0.6;
            out.push_back(static_cast<std::int16_t>(std::lround(value * 32767)));
        }
    }
    return out;
}

void put(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff); // little-endian, as RIFF is
}

std::string wavFile(const std::vector<std::int16_t> &pcm)
{
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);        // format chunk size
    put(out, 1, 2);         // PCM
    put(out, 1, 2);         // mono
    put(out, kRate, 4);     // samples a second
    put(out, kRate * 2, 4); // bytes a second
    put(out, 2, 2);         // bytes a sample
    put(out, 16, 2);        // bits a sample
    out += "data";
    put(out, dataBytes, 4);
    for (const std::int16_t sample : pcm)
        put(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: fenlark-alarmtone FILE.wav\n";
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << wavFile(samples());
    if (!file.flush()) {
        std::cerr << "fenlark-alarmtone: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
