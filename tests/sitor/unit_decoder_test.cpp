// The unit decoder on hand-made unit streams: character sync, the DX/RX combiner and the squelch.
#include "encoder.h"
#include "sitor/unit_decoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace fenlark::sitor {
namespace {

const std::string message = "ZCZC AB12\r\nGALE +39 0187 WIND=5/6\r\nNNNN\r\n\n";
constexpr float strong = 4.0f;

struct Stream {
    std::vector<float> llrs;
    std::size_t firstDx = 0; // first unit of the DX copy of the message's first character
};

Stream makeStream()
{
    const auto words = sitorsim::interleave(sitorsim::encodeText(message), 3.0, 2.0);
    Stream s;
    for (bool b : sitorsim::toUnits(words))
        s.llrs.push_back(b ? strong : -strong);
    const Word rq = wordFromUnits("YBBYYBB");
    std::size_t i = 0;
    while (words[i] == rq)
        i += 2;
    s.firstDx = i * 7;
    return s;
}

std::string decode(const std::vector<float>& llrs)
{
    UnitDecoder d;
    d.process(llrs);
    return d.takeText();
}

// Flips unit `unit` of the DX (copy 0) or RX (copy 1) copy of character n, to `value` times its
// strength.
void flip(Stream& s, int n, int copy, int unit, float value = 1.0f)
{
    float& l = s.llrs[s.firstDx + 14 * static_cast<std::size_t>(n) + 35 * copy + unit];
    l = -l * value;
}

// The first unit of character n's word that is B (kind true) or Y (kind false).
int unitOfKind(const Stream& s, int n, bool b)
{
    for (int i = 0;; ++i)
        if ((s.llrs[s.firstDx + 14 * static_cast<std::size_t>(n) + i] > 0) == b)
            return i;
}

TEST(UnitDecoder, CombinesBothCopiesAndMarksWhatStaysDoubtful)
{
    const int n = 16; // the L of GALE, after the shifts the encoder adds
    std::string withStar = message;
    withStar[message.find("GALE") + 2] = '*';
    struct Case {
        const char* name;
        std::function<void(Stream&)> damage;
        std::string expected;
    } cases[] = {
        {"clean; phasing and alpha print nothing", [](Stream&) {}, message},
        {"single error in the DX copy", [&](Stream& s) { flip(s, n, 0, 3); }, message},
        {"single error in the RX copy", [&](Stream& s) { flip(s, n, 1, 5); }, message},
        {"weak undetected double error in the DX copy",
         [&](Stream& s) {
             const int b = unitOfKind(s, n, true);
             const int y = unitOfKind(s, n, false);
             flip(s, n, 0, b, 0.3f);
             flip(s, n, 0, y, 0.3f);
         },
         message},
        {"undetected double error as strong as the RX copy",
         [&](Stream& s) {
             const int b = unitOfKind(s, n, true);
             const int y = unitOfKind(s, n, false);
             flip(s, n, 0, b);
             flip(s, n, 0, y);
         },
         withStar},
        {"both copies bad",
         [&](Stream& s) {
             flip(s, n, 0, unitOfKind(s, n, true));
             flip(s, n, 1, unitOfKind(s, n, false));
         },
         withStar},
        {"both copies lost",
         [&](Stream& s) {
             for (int c = 0; c < 2; ++c)
                 for (int u = 0; u < 7; ++u)
                     flip(s, n, c, u, 0.0f);
         },
         withStar},
        {"reversed sense",
         [](Stream& s) {
             for (float& l : s.llrs)
                 l = -l;
         },
         message},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stream s = makeStream();
        c.damage(s);
        EXPECT_EQ(decode(s.llrs), c.expected);
    }
}

TEST(UnitDecoder, StartsMidMessageWithoutPhasing)
{
    const Stream s = makeStream();
    // Start three units into the DX copy of the A of GALE: no phasing, words cut.
    const auto cut = s.firstDx + 14 * 15 + 3;
    const std::string text =
        decode(std::vector<float>(s.llrs.begin() + static_cast<long>(cut), s.llrs.end()));
    ASSERT_GE(text.size(), 20u);
    EXPECT_EQ(message.substr(message.size() - text.size()), text);
}

} // namespace
} // namespace fenlark::sitor
