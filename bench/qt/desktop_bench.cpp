// Speed of the desktop program over a full message table: the operator's actions through the
// widgets until the event loop is idle again (updates delivered, window repainted), a capture
// replay with and without the windows, and the map with a whole world's outline.
#include "bench_program.h"
#include "qt/desktop_shell.h"
#include "qt/image_canvas.h"
#include "qt/windows/main_window.h"
#include "qt/windows/window_metrics.h"
#include "storage/log_format.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <random>

namespace fenlark::bench {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenlark_bench_qt";
    static char *argv[] = {name, nullptr};
    static const std::unique_ptr<QApplication> app = []() -> std::unique_ptr<QApplication> {
        if (QCoreApplication::instance())
            return nullptr; // made by a benchmark that ran before
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto made = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("FenLark"));
        return made;
    }();
}

// Until the event loop is idle: the deferred widget updates, then the repaint they cause.
void returnToEventLoop()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// The whole program with its windows shown (offscreen), over do-nothing ports.
struct DesktopProgram {
    DesktopProgram()
    {
        app.start();
        shell.mainWindow().show();
        returnToEventLoop();
    }
    template <typename W> W &widget(const char *name)
    {
        return *shell.mainWindow().findChild<W *>(QString::fromLatin1(name));
    }

    struct ApplicationFirst {
        ApplicationFirst() { ensureApplication(); }
    } applicationFirst;
    BenchFolder folder;
    QuietClock clock;
    YesDialogs dialogs;
    NullPrinter printer;
    LoopSerial serial;
    qt::ImageCanvas canvas{qt::Twips::forScreen().size(qt::kMapWidthTwips, qt::kMapHeightTwips)};
    Application app{Platform{clock, dialogs, printer, serial, canvas}};
    qt::DesktopShell shell{app, canvas, qt::DesktopShell::OnEnd::HideWindows};
};

// A message log of 5001 messages, all of today, loaded through the File menu.
void loadFullTable(DesktopProgram &program)
{
    std::vector<MessageRecord> table(kTableSlots);
    for (int i = 0; i < kTableSlots; ++i) {
        MessageRecord &r = table[static_cast<std::size_t>(i)];
        r.msgid = benchId(i);
        r.msgtext = "\r\nNAVAREA ONE 123/26 SOUTHERN NORTH SEA\r\nWIND FARM CONSTRUCTION";
        r.firstrx = r.lastrx = program.clock.t;
        r.rxcount = 1;
    }
    std::ofstream("navtex.txt", std::ios::binary) << formatLog(table, kTableSlots);
    program.widget<QAction>("mnuload").trigger();
    returnToEventLoop();
}

void checkFull(benchmark::State &st, DesktopProgram &program, int atLeast = kTableSlots)
{
    if (program.app.state().msgcount < atLeast ||
        program.widget<QListView>("MessageList2").model()->rowCount() < atLeast)
        st.SkipWithError("the table or the list is not full");
}

void BM_DesktopStationChoice(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    auto &stations = program.widget<QComboBox>("StationList");
    for (auto _ : st) {
        emit stations.activated(0); // " All Stations": every message listed
        returnToEventLoop();
    }
    checkFull(st, program);
}
BENCHMARK(BM_DesktopStationChoice)->Unit(benchmark::kMillisecond);

void BM_DesktopTypeChoice(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    auto &types = program.widget<QComboBox>("MessageTypeList");
    for (auto _ : st) {
        emit types.activated(0);
        returnToEventLoop();
    }
    checkFull(st, program);
}
BENCHMARK(BM_DesktopTypeChoice)->Unit(benchmark::kMillisecond);

void BM_DesktopNavareaChoice(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    auto &areas = program.widget<QComboBox>("NavAreaList");
    for (auto _ : st) {
        emit areas.activated(0); // reads the station file, then rebuilds both lists
        returnToEventLoop();
    }
    checkFull(st, program);
}
BENCHMARK(BM_DesktopNavareaChoice)->Unit(benchmark::kMillisecond);

void BM_DesktopFrequencyChoice(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    auto &first = program.widget<QRadioButton>("Frequency(1)");
    auto &second = program.widget<QRadioButton>("Frequency(2)");
    bool flip = false;
    for (auto _ : st) {
        (flip ? first : second).click();
        flip = !flip;
        returnToEventLoop();
    }
    checkFull(st, program);
}
BENCHMARK(BM_DesktopFrequencyChoice)->Unit(benchmark::kMillisecond);

void BM_DesktopListClick(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    program.widget<QRadioButton>("Option5").click();
    auto &list = program.widget<QListView>("MessageList2");
    int row = 0;
    for (auto _ : st) {
        // What a click on a row does to the view: that row alone selected.
        row = (row + 2477) % kTableSlots;
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect);
        returnToEventLoop();
    }
    if (program.app.form1().Text6.text().empty())
        st.SkipWithError("no message shown");
    checkFull(st, program);
}
BENCHMARK(BM_DesktopListClick)->Unit(benchmark::kMillisecond);

void BM_DesktopPurge(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    auto &purge = program.widget<QPushButton>("purge");
    for (auto _ : st) {
        purge.click(); // nothing is older than a day: save 5001, load them back
        returnToEventLoop();
    }
    checkFull(st, program);
}
BENCHMARK(BM_DesktopPurge)->Unit(benchmark::kMillisecond);

void BM_DesktopDelete(benchmark::State &st)
{
    DesktopProgram program;
    loadFullTable(program);
    program.widget<QRadioButton>("Option5").click();
    auto &list = program.widget<QListView>("MessageList");
    auto &del = program.widget<QPushButton>("Delmsg");
    for (auto _ : st) {
        st.PauseTiming();
        list.selectionModel()->select(list.model()->index(1, 0),
                                      QItemSelectionModel::ClearAndSelect);
        returnToEventLoop();
        st.ResumeTiming();
        del.click(); // asks, removes the message, saves and loads back
        returnToEventLoop();
    }
    checkFull(st, program, kTableSlots - 30);
}
BENCHMARK(BM_DesktopDelete)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same capture of 5001 new messages replayed by the headless driver's program and by the
// desktop program with its window shown: every new message rebuilds both lists.
const std::string &replayCapture()
{
    static const std::string capture = makeCapture(kTableSlots, 200);
    return capture;
}

void BM_ReplayHeadless(benchmark::State &st)
{
    for (auto _ : st) {
        st.PauseTiming();
        {
            BenchProgram program;
            std::ofstream("capture.txt", std::ios::binary) << replayCapture();
            st.ResumeTiming();
            program.app.form1().mnucapture.click();
            st.PauseTiming();
            if (program.app.state().msgcount != kTableSlots)
                st.SkipWithError("the replay did not file 5001 messages");
        }
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ReplayHeadless)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplayDesktop(benchmark::State &st)
{
    for (auto _ : st) {
        st.PauseTiming();
        {
            DesktopProgram program;
            std::ofstream("capture.txt", std::ios::binary) << replayCapture();
            st.ResumeTiming();
            program.widget<QAction>("mnucapture").trigger();
            returnToEventLoop();
            st.PauseTiming();
            checkFull(st, program);
        }
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ReplayDesktop)->Unit(benchmark::kMillisecond)->Iterations(3);

// A whole world's outline of about 100,000 points: 1000 coastlines of 100 points each, wandering
// from random starting points, some across 160 degrees east and the date line.
void writeWorldOutline()
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> lat(-4800, 4800), lon(-10800, 10799), step(-20, 20);
    std::string file;
    auto put = [&file](int code, int la, int lo) {
        for (int v : {code, la, lo}) {
            const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
            file += static_cast<char>(u & 0xff);
            file += static_cast<char>(u >> 8);
        }
    };
    for (int line = 0; line < 1000; ++line) {
        int la = lat(random), lo = lon(random);
        put(1001, la, lo);
        for (int point = 1; point < 100; ++point) {
            la = std::clamp(la + step(random), -5400, 5400);
            lo += step(random);
            if (lo >= 10800)
                lo -= 21600;
            if (lo < -10800)
                lo += 21600;
            put(1000, la, lo);
        }
    }
    std::ofstream("mapper.pnt", std::ios::binary) << file;
}

void drawMap(benchmark::State &st, int navarea)
{
    DesktopProgram program;
    writeWorldOutline();
    program.app.form1().NavAreaList.setListIndex(navarea);
    for (auto _ : st) {
        program.widget<QPushButton>("Mapbutton").click(); // draws the map, shows its window
        benchmark::DoNotOptimize(program.canvas.image().constBits());
        returnToEventLoop();
        st.PauseTiming();
        program.app.form2().closemap_Click();
        returnToEventLoop();
        st.ResumeTiming();
    }
}

void BM_MapWorldOutlineNavareaOne(benchmark::State &st)
{
    drawMap(st, 0);
}
BENCHMARK(BM_MapWorldOutlineNavareaOne)->Unit(benchmark::kMillisecond);

void BM_MapWorldOutlineNavareaSixteen(benchmark::State &st)
{
    drawMap(st, 16);
}
BENCHMARK(BM_MapWorldOutlineNavareaSixteen)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fenlark::bench
