// The window's turns under a UDP flood: how long a 1-second wait of the event loop takes while
// another thread sends datagrams of NAVTEX messages to the program's UDP input as fast as the
// loopback takes them. Run it with --benchmark_repetitions for medians.
#include "bench_program.h"
#include "qt/image_canvas.h"
#include "qt/inputs/network_device.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace fenlark::bench {
namespace {

// Sends datagrams of `datagram` to the port on 127.0.0.1 until stopped; counts the bytes sent.
class Flood {
public:
    Flood(quint16 port, std::string datagram) : m_datagram(std::move(datagram))
    {
        m_thread = std::thread([this, port] {
            const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(port);
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            while (!m_stop) {
                const auto sent = ::sendto(fd, m_datagram.data(), m_datagram.size(), 0,
                                           reinterpret_cast<const sockaddr*>(&to), sizeof to);
                if (sent > 0)
                    m_bytes += static_cast<long long>(sent);
            }
            ::close(fd);
        });
    }
    ~Flood()
    {
        m_stop = true;
        m_thread.join();
    }
    long long bytes() const { return m_bytes; }

private:
    std::string m_datagram;
    std::atomic<bool> m_stop{false};
    std::atomic<long long> m_bytes{0};
    std::thread m_thread;
};

void BM_OneSecondWaitUnderUdpFlood(benchmark::State& st)
{
    static int argc = 1;
    static char name[] = "fenlark_bench_qt";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!QCoreApplication::instance())
        new QApplication(argc, argv); // kept for the other benchmarks of this program
    BenchFolder folder;
    QuietClock clock;
    YesDialogs dialogs;
    NullPrinter printer;
    qt::ImageCanvas canvas{QSize(100, 100)};
    qt::NetworkDevice device(qt::NetworkDevice::Kind::Udp, QStringLiteral("127.0.0.1"), 0, 0);
    Application app{Platform{clock, dialogs, printer, device, canvas}};
    app.start();
    // Datagrams of about the size asked: whole messages, the same ones over and over (repeats
    // after the first).
    std::string datagram;
    for (int n = 0; datagram.size() + 21 <= static_cast<std::size_t>(st.range(0)); ++n)
        datagram += "ZCZC GA" + std::to_string(10 + n % 90) + "\nFLOOD\nNNNN\n";
    Flood flood(device.localPort(), datagram);
    double longest = 0;
    for (auto _ : st) {
        QEventLoop loop;
        QElapsedTimer elapsed;
        elapsed.start();
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
        longest = std::max(longest, seconds);
        st.SetIterationTime(seconds);
    }
    st.counters["longest_s"] = longest;
    st.counters["flood_MBps"] =
        benchmark::Counter(static_cast<double>(flood.bytes()) / 1e6, benchmark::Counter::kIsRate);
    st.counters["filed"] = app.state().msgcount;
}
// Datagrams of 1400 bytes (a full Ethernet frame) and of 42 (two messages each).
BENCHMARK(BM_OneSecondWaitUnderUdpFlood)
    ->Arg(1400)
    ->Arg(42)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fenlark::bench
