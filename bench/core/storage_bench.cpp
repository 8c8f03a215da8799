// Speed of the message log and of purge and delete over a full table.
#include "bench_program.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace fenlark::bench {
namespace {

// A full table with bodies of about 500 characters.
void fillTable(BenchProgram& program)
{
    std::ofstream("capture.txt", std::ios::binary) << makeCapture(5001, 500);
    program.app.form1().captureload();
}

void BM_SaveFullLog(benchmark::State& st)
{
    BenchProgram program;
    fillTable(program);
    for (auto _ : st)
        program.app.form1().Command1_Click();
}
BENCHMARK(BM_SaveFullLog)->Unit(benchmark::kMillisecond);

void BM_LoadFullLog(benchmark::State& st)
{
    BenchProgram program;
    fillTable(program);
    program.app.form1().Command1_Click();
    for (auto _ : st)
        program.app.form1().navtexload();
    if (program.app.state().msgcount != 5001)
        st.SkipWithError("the load did not bring back 5001 records");
}
BENCHMARK(BM_LoadFullLog)->Unit(benchmark::kMillisecond);

// Deleting the shown message of a full table: compaction, save, load and list rebuilds. Each
// iteration files one new message first so that the table stays full.
void BM_DeleteFromFullTable(benchmark::State& st)
{
    BenchProgram program;
    fillTable(program);
    Form1& form = program.app.form1();
    form.Option5.choose();
    int next = 0;
    for (auto _ : st) {
        st.PauseTiming();
        form.MessageList.setListIndex(form.MessageList.count() - 1);
        form.MessageList_click();
        st.ResumeTiming();
        form.Delmsg_Click();
        st.PauseTiming();
        for (const std::string& line :
             {"ZCZC " + std::string("9") + std::to_string(next++ % 1000),
              std::string("BODY"), std::string("NNNN")}) {
            program.app.state().rxbuffer = line;
            form.getmsg();
        }
        st.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteFromFullTable)->Unit(benchmark::kMillisecond);

// Purging one record (the oldest) from a full table, with save, load and rebuilds.
void BM_PurgeOneFromFullTable(benchmark::State& st)
{
    BenchProgram program;
    fillTable(program);
    Form1& form = program.app.form1();
    State& s = program.app.state();
    int next = 0;
    for (auto _ : st) {
        st.PauseTiming();
        // Record 0 becomes three days old; the rest stay today's; purge age 1 drops it.
        s.MessageTable[0].firstrx = program.clock.t.plusSeconds(-3 * 86400);
        form.purgeage.setTopIndex(0);
        st.ResumeTiming();
        form.purge_Click();
        st.PauseTiming();
        if (s.msgcount != 5000)
            st.SkipWithError("purge did not drop exactly one record");
        for (const std::string& line : {"ZCZC " + std::string("8") + std::to_string(next++ % 1000),
                                         std::string("BODY"), std::string("NNNN")}) {
            s.rxbuffer = line;
            form.getmsg();
        }
        st.ResumeTiming();
    }
}
BENCHMARK(BM_PurgeOneFromFullTable)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fenlark::bench
