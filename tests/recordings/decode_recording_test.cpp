// `fenlark --decode` on recordings made here: one channel's text out, or the file named with the
// reason it gives none.
#include "recordings/decode_recording.h"
#include "support/navtex_signal.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fenlark::test {
namespace {

using recordings::DecodeRequest;
using recordings::RawFormat;

TEST(DecodeRecording, WritesOneChannelsTextOrNamesTheFileAndWhy)
{
    TempWorkingDir dir;
    const std::string storm = "ZCZC EA01\r\nSTORM WARNING\r\nNNNN\r\n\n";
    const std::string local = "ZCZC PA02\r\nNATIONAL 490\r\nNNNN\r\n\n";
    writeWav("audio.wav", 11025, navtexAudio(11025, {storm, 1700}, 10));
    writeRawIq("two.cf32", navtexIq(48000, 504000, {{storm, 518000}, {local, 490000}}, 10));
    const recordings::RecordingSpec iq{"two.cf32", RawFormat::F32, 48000, true};
    const struct {
        DecodeRequest request;
        int status;
        std::string out, err;
    } cases[] = {
        {{{"audio.wav"}}, 0, storm, ""},
        {{iq, 504000}, 0, storm, ""},
        {{iq, 504000, 490}, 0, local, ""},
        {{iq, 504000, 4209},
         2,
         "",
         "fenlark: \"two.cf32\" does not hold the 4209 kHz channel (48000 S/s around 504000 Hz "
         "hold 490 kHz, 518 kHz)\n"},
        {{iq, 1000000},
         2,
         "",
         "fenlark: \"two.cf32\" does not hold the 518 kHz channel (48000 S/s around 1000000 Hz "
         "hold no NAVTEX channel)\n"},
        {{{"missing.wav"}}, 2, "", "fenlark: cannot read \"missing.wav\": there is no such file\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(recordings::decodeRecording(c.request, out, err), c.status)
            << c.request.recording.path << " " << c.request.channelKhz;
        EXPECT_EQ(out.str(), c.out) << c.request.recording.path << " " << c.request.channelKhz;
        EXPECT_EQ(err.str(), c.err);
    }
}

} // namespace
} // namespace fenlark::test
