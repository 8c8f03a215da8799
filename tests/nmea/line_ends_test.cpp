// Streams that end their lines with LF alone file what the same streams with CR LF file, and
// streams that show a CR file what they always have.
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fenlark::test {
namespace {

std::string sampleCapture()
{
    std::ifstream in(FENLARK_DATA_DIR "/capture-sample.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::string filed(TestProgram& p)
{
    std::string out;
    for (int i = 0; i < p.state().msgcount; ++i)
        out += record(p, i).msgid + " \"" + visible(record(p, i).msgtext) + "\"\n";
    return out;
}

void replay(TestProgram& p, const std::string& bytes)
{
    std::filesystem::remove("capture.txt");
    writeFile("capture.txt", bytes);
    p.form().mnucapture.click();
}

TEST(LineEnds, LfOnlyStreamsFileWhatTheirCrLfOriginalsFile)
{
    // A first line that opens a message: a CR right after the LF that ended it must end no empty
    // body line.
    const std::string sample = "ZCZC XX99\r\nNNNN\r\n" + sampleCapture();
    // Stray LFs after the first CR are dropped, as every LF always was: the stream files what it
    // files with no LF at all.
    std::string stray = sample;
    for (std::size_t at = 1000; at < stray.size(); at += 97)
        stray.insert(at, "\n");
    const struct {
        const char* name;
        std::string stream;
        std::string reference;
    } cases[] = {
        {"LF alone", replaced(sample, "\r\n", "\n"), sample},
        {"LF CR", replaced(sample, "\r\n", "\n\r"), sample},
        {"CR LF with stray LFs", stray, replaced(stray, "\n", "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram reference;
        reference.receive(c.reference);
        EXPECT_GT(reference.state().msgcount, 20);
        TestProgram live;
        live.receive(c.stream);
        EXPECT_EQ(filed(live), filed(reference));
        TestProgram replayed;
        replay(replayed, c.stream);
        EXPECT_EQ(filed(replayed), filed(reference));
    }
}

TEST(LineEnds, EachOpeningOfThePortAndEachReplayStartsAfresh)
{
    TestProgram p;
    p.receive("ZCZC AA01\r\nCR LINE\r\nNNNN\r\n");
    p.form().MSComm1.setPortOpen(false);
    p.form().MSComm1.setPortOpen(true);
    p.receive("ZCZC AA02\nLF LINE\nNNNN\n");
    replay(p, "ZCZC AA03\r\nNNNN\r\n");
    replay(p, "ZCZC AA04\nNNNN\n");
    EXPECT_EQ(filed(p), "AA01 \"\\r\\nCR LINE\"\nAA02 \"\\r\\nLF LINE\"\nAA03 \"\"\nAA04 \"\"\n");
}

} // namespace
} // namespace fenlark::test
