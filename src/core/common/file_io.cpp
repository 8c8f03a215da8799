#include "common/file_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fenlark {

FileRead readWholeFile(const std::string& path)
{
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int err = errno;
        return {{}, err ? std::string(std::strerror(err)) : "it cannot be opened"};
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return {{}, "it cannot be read"};
    return {std::move(bytes), {}};
}

std::string replaceFile(const std::string& path, const std::string& bytes)
{
    const std::string temp = path + ".tmp";
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            const int err = errno;
            return err ? std::strerror(err) : "it cannot be created";
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
        if (!out) {
            const int err = errno;
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return err ? std::strerror(err) : "it cannot be written";
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return ec.message();
    }
    return {};
}

} // namespace fenlark
