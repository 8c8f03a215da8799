// Messages arriving as NRX sentences, or as lines ended by LF alone, live and replayed, are
// filed as the same messages arriving as CR LF plain text are. (The golden scripts
// nrx_sentences.txt and nrx_not_filed.txt show more, through the headless driver.)
#include "nmea/nrx.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fenlark::test {
namespace {

// What filing left: the records in use, and every control of the main window.
std::pair<std::vector<MessageRecord>, std::map<std::string, std::string>> outcome(TestProgram& p)
{
    const auto& table = p.state().MessageTable;
    return {{table.begin(), table.begin() + p.state().msgcount}, screen(p.form())};
}

void replay(TestProgram& p, const std::string& bytes)
{
    std::filesystem::remove("capture.txt");
    writeFile("capture.txt", bytes);
    p.form().mnucapture.click();
}

TEST(ReceivedStreams, FileWhatTheSameMessagesAsCrLfPlainTextFile)
{
    // A first line that opens a message: a CR right after the LF that ended it must end no
    // empty body line.
    std::ifstream in(FENLARK_DATA_DIR "/capture-sample.txt", std::ios::binary);
    const std::string sample =
        "ZCZC XX99\r\nNNNN\r\n" + std::string(std::istreambuf_iterator<char>(in), {});
    std::string stray = sample; // stray LFs after the first CR are dropped, as LFs always were
    for (std::size_t at = 1000; at < stray.size(); at += 97)
        stray.insert(at, "\n");
    const struct {
        const char* name;
        std::string plain;
        std::string stream;
        std::string settings = kPortZeroSettings;
        int kHz = 0; // the frequency the plain text is received on, as the sentences name theirs
    } cases[] = {
        {"sentences: escapes, lower case that replay keeps as sent (its checksum covers it), a "
         "lower-case end mark that cuts no sentence, marks * with the error character *",
         "ZCZC IB02\r\nSTAR * COMMA , CARET ^\r\nnext lines\r\nNNNN\r\n"
         "ZCZC IF08\r\nLINE\r\nnnnn\r\nZCZC IG09\r\nGA*E FO*CE 9\r\nNNNN\r\n",
         nrx("003,001,07,IB02", "STAR ^2A COMMA ^2C") + "\r\n" +
             nrx("003,002,07,", " CARET ^5E^0D") + "\r\n" + nrx("003,003,07,", "^0Anext lines") +
             "\r\n" + nrx("001,001,00,IF08", "LINE^0D^0Annnn") + "\r\n" +
             nrx("001,001,01,IG09", "GA^2AE FO^2ACE 9") + "\r\n",
         " 0 \r\n9600\r\nn\r\n8\r\n1\r\n*\r\n", 518},
        {"the sample with LF alone", sample, replaced(sample, "\r\n", "\n")},
        {"the sample with LF CR", sample, replaced(sample, "\r\n", "\n\r")},
        {"the sample with stray LFs", replaced(stray, "\n", ""), stray},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram plain(c.settings);
        plain.serial.sendOn(0, c.kHz, c.plain);
        EXPECT_GT(plain.state().msgcount, 0);
        TestProgram live(c.settings);
        live.receive(c.stream);
        EXPECT_TRUE(outcome(live) == outcome(plain));
        TestProgram replayed(c.settings);
        replay(replayed, c.stream);
        EXPECT_TRUE(outcome(replayed) == outcome(plain));
    }
}

TEST(ReceivedStreams, EachReplayStartsAfresh)
{
    TestProgram p; // the port's stream starts afresh too: golden script lf_line_ends.txt
    p.receive("ZCZC AA01\r\nNNNN\r\n");
    replay(p, "ZCZC AA02\r\nNNNN\r\n");
    replay(p, "ZCZC AA03\nNNNN\n");
    EXPECT_EQ(listState(p.form().MessageList), "AA01 AA02 AA03");
}

} // namespace
} // namespace fenlark::test
