#include "map/outline_file.h"

#include "common/file_io.h"


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
    FileReader in(path);
    if (in.kind() == FileProblem::Missing) {
        createEmptyFile(path);
        return;
    }
    // Each record is visited as soon as it is read; one cut by a block's end waits for its rest.
    // A file past the limit (a link to a file of /proc) is read no further.
    std::string bytes;
    while (in.withinLimit(kMaxFileBytes) && in.read(bytes, 6 << 12)) {
        const std::size_t whole = bytes.size() - bytes.size() % 6;
        for (std::size_t i = 0; i < whole; i += 6) {
            const auto* record = reinterpret_cast<const unsigned char*>(bytes.data() + i);
            visit({littleEndian16(record), littleEndian16(record + 2), littleEndian16(record + 4)});
        }
        bytes.erase(0, whole);
    }
}

} // namespace fenlark
