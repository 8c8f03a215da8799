#include "map/outline_file.h"

#include <fstream>

namespace fenlark {
namespace {

std::int16_t littleEndian16(const unsigned char* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

} // namespace

int outlineX(std::int16_t longitude)
{
    int x = longitude + 10800;
    if (x > 21600)
        x -= 21600;
    return x;
}

void readOutline(const std::string& path, const std::function<void(const OutlineRecord&)>& visit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::ofstream create(path, std::ios::binary | std::ios::app);
        return;
    }
    unsigned char record[6];
    while (in.read(reinterpret_cast<char*>(record), sizeof record))
        visit({littleEndian16(record), littleEndian16(record + 2), littleEndian16(record + 4)});
}

} // namespace fenlark
