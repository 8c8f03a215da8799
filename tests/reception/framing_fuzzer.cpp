// A libFuzzer target: any bytes from the receiver, live or replayed from the capture file, through
// line framing and filing; stops at the first broken invariant.
#include "reception/reception_invariants.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses how much of the rest is replayed from the capture file before the
    // remainder arrives on the serial port, and in pieces of what size.
    const std::size_t piece = 1 + data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t replayed = data[0] >= 128 ? bytes.size() * (data[0] - 128) / 127 : 0;
    fenlark::test::TestProgram p;
    const std::string broken = fenlark::test::feed(p, bytes, replayed, [&] { return piece; });
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
