// Speed of filing and browsing over a full message table.
#include "bench_program.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace fenlark::bench {
namespace {

// Replays 5001 distinct messages through captureload with " All Stations" and " All Messages"
// chosen: every new message ends in a rebuild of both lists.
void BM_CaptureReplayOfFullTable(benchmark::State& st)
{
    const std::string capture = makeCapture(5001, 200);
    replayFullTable(st, capture);
}
BENCHMARK(BM_CaptureReplayOfFullTable)->Unit(benchmark::kMillisecond)->Iterations(3);

// One rebuild of both message lists over a full table (the station filter).
void BM_StationListClickOnFullTable(benchmark::State& st)
{
    BenchProgram program;
    std::ofstream("capture.txt", std::ios::binary) << makeCapture(5001, 50);
    Form1& form = program.app.form1();
    form.captureload();
    for (auto _ : st) {
        form.StationList_Click();
        benchmark::DoNotOptimize(form.MessageList2.list(0));
    }
    if (form.MessageList2.count() != 5001)
        st.SkipWithError("the lists do not hold the full table");
}
BENCHMARK(BM_StationListClickOnFullTable)->Unit(benchmark::kMillisecond);

// Filing one more repeat of a message in a full table (a linear look-up of 5001 records).
void BM_RepeatIntoFullTable(benchmark::State& st)
{
    BenchProgram program;
    std::ofstream("capture.txt", std::ios::binary) << makeCapture(5001, 50);
    Form1& form = program.app.form1();
    form.captureload();
    State& s = program.app.state();
    const std::string last = benchId(5000);
    for (auto _ : st) {
        for (const std::string& line : {"ZCZC " + last, std::string("BODY"), std::string("NNNN")}) {
            s.rxbuffer = line;
            form.getmsg();
        }
    }
}
BENCHMARK(BM_RepeatIntoFullTable)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fenlark::bench
