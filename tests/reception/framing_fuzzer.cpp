// A libFuzzer target: any bytes from the receiver, live or replayed from the capture file, through
// line framing and filing; stops at the first broken invariant.
#include "reception/reception_invariants.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace fenlark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The working folder with the station files, made once for the whole run.
    static test::TempWorkingDir folder;
    static const bool written = [] {
        for (const char* tag : {"424", "490", "518", "4209"})
            test::writeFile(std::string(tag) + ".txt", test::makeStationFile(tag));
        test::writeFile("fenlark.ini", test::kPortZeroSettings);
        return true;
    }();
    if (size == 0 || !written)
        return 0;
    // The first byte chooses how much of the rest is replayed from the capture file before the
    // remainder arrives on the serial port, and in pieces of what size.
    const std::size_t piece = 1 + data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t replayed = data[0] >= 128 ? bytes.size() * (data[0] - 128) / 127 : 0;

    test::FakeClock clock;
    test::FakeDialogs dialogs;
    test::FakeSerial serial;
    test::RecordingPrinter printer;
    test::RecordingCanvas canvas;
    Application app(Platform{clock, dialogs, printer, serial, canvas});
    app.start();
    const std::string broken =
        test::feed(app, serial, clock, bytes, replayed, [&] { return piece; });
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
