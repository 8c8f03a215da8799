// Speed of the sentence decoder, alone and in a replay of a full table sent as NRX sentences.
#include "bench_program.h"
#include "nmea/sentence_decoder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace fenlark::bench {
namespace {

// The messages of a plain-text capture as a receiver sends them in $CRNRX sentences of about 60
// characters of text each, reserved characters escaped, the lines broken by ^0D^0A.
std::vector<std::string> asSentences(const std::string& capture)
{
    std::vector<std::string> sentences;
    std::istringstream in(capture);
    std::string code;
    std::vector<std::string> pieces{""}; // escaped text, one piece a sentence
    int messages = 0;
    auto add = [&](const std::string& token) {
        if (pieces.back().size() + token.size() > 60)
            pieces.emplace_back();
        pieces.back() += token;
    };
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("ZCZC ", 0) == 0) {
            code = line.substr(5);
            pieces = {""};
        } else if (line == "NNNN") {
            for (std::size_t n = 0; n < pieces.size(); ++n) {
                char head[64];
                std::snprintf(head, sizeof head, "CRNRX,%03zu,%03zu,%02d,%s", pieces.size(), n + 1,
                              messages % 100, n == 0 ? code.c_str() : "");
                std::string body = std::string(head) +
                                   (n == 0 ? ",2,120000.00,05,12,2026,,0,A," : ",,,,,,,,,") +
                                   pieces[n];
                unsigned sum = 0;
                for (const char c : body)
                    sum ^= static_cast<unsigned char>(c);
                char tail[8];
                std::snprintf(tail, sizeof tail, "*%02X", sum);
                sentences.push_back("$" + body + tail);
            }
            ++messages;
        } else {
            for (const char c : line) {
                const bool reserved = c == '*' || c == ',' || c == '^';
                add(reserved ? (c == '*' ? "^2A" : c == ',' ? "^2C" : "^5E") : std::string(1, c));
            }
            add("^0D^0A");
        }
    }
    return sentences;
}

// The decoder alone over the sentences of 5001 messages; bytes are those of the sentences.
void BM_SentenceDecoderThroughput(benchmark::State& st)
{
    const std::vector<std::string> sentences = asSentences(makeCapture(5001, 200));
    std::size_t bytes = 0;
    for (const std::string& s : sentences)
        bytes += s.size() + 2;
    for (auto _ : st) {
        nmea::SentenceDecoder decoder;
        nmea::SentenceDecoder::Output out;
        for (const std::string& s : sentences) {
            out.clear();
            decoder.feed(s, out, 0);
            benchmark::DoNotOptimize(out.lines.data());
        }
        if (decoder.counts().messages != 5001)
            st.SkipWithError("the decoder did not give back 5001 messages");
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations()) *
                         static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_SentenceDecoderThroughput)->Unit(benchmark::kMillisecond);

// The replay of BM_CaptureReplayOfFullTable with the same 5001 messages sent as NRX sentences.
void BM_CaptureReplayOfFullTableAsNrx(benchmark::State& st)
{
    std::string capture;
    for (const std::string& s : asSentences(makeCapture(5001, 200)))
        capture += s + "\r\n";
    replayFullTable(st, capture);
}
BENCHMARK(BM_CaptureReplayOfFullTableAsNrx)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace fenlark::bench
