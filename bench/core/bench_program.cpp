#include "bench_program.h"

#include <fstream>
#include <random>

namespace fenlark::bench {

BenchFolder::BenchFolder() : m_previous(std::filesystem::current_path())
{
    std::mt19937_64 random{std::random_device{}()};
    m_path = std::filesystem::temp_directory_path() / ("fenlark-bench-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
    for (const char* file : {"424.txt", "490.txt", "518.txt", "4209.txt"})
        std::filesystem::copy_file(std::filesystem::path(FENLARK_DATA_DIR) / "stations" / file,
                                   m_path / file);
    std::ofstream(m_path / "fenlark.ini", std::ios::binary)
        << " 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n";
    std::filesystem::current_path(m_path);
}

BenchFolder::~BenchFolder()
{
    std::error_code ec;
    std::filesystem::current_path(m_previous, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::string benchId(int i)
{
    // Station letter, type letter and a two-digit serial: 26 * 26 * 100 distinct identifiers.
    std::string id;
    id += static_cast<char>('A' + i % 26);
    id += static_cast<char>('A' + (i / 26) % 26);
    const int serial = i / 676;
    id += static_cast<char>('0' + serial / 10);
    id += static_cast<char>('0' + serial % 10);
    return id;
}

std::string makeCapture(int count, int bodyChars)
{
    static const std::string kLine =
        "NAVAREA ONE 123/26 SOUTHERN NORTH SEA. WIND FARM CONSTRUCTION IN PROGRESS";
    std::string out;
    out.reserve(static_cast<std::size_t>(count) * (static_cast<std::size_t>(bodyChars) + 40));
    for (int i = 0; i < count; ++i) {
        out += "ZCZC " + benchId(i) + "\r\n";
        for (int written = 0; written < bodyChars; written += static_cast<int>(kLine.size()) + 2)
            out += kLine + "\r\n";
        out += "NNNN\r\n";
    }
    return out;
}

void replayFullTable(benchmark::State& st, const std::string& capture)
{
    for (auto _ : st) {
        st.PauseTiming();
        {
            BenchProgram program;
            std::ofstream("capture.txt", std::ios::binary) << capture;
            st.ResumeTiming();
            program.app.form1().captureload();
            st.PauseTiming();
            if (program.app.state().msgcount != 5001)
                st.SkipWithError("the replay did not file 5001 messages");
        }
        st.ResumeTiming();
    }
}

} // namespace fenlark::bench
