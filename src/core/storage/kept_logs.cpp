#include "storage/kept_logs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <tuple>

namespace fenlark {
namespace {

struct KeptLog {
    std::string stamp; // "YYYYMMDD-HHMMSS", empty when the name holds none
    int number = 1;    // the "-N" that a taken name got
    std::string name;
};

bool digits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

KeptLog keptLog(const std::string& name)
{
    KeptLog log{{}, 1, name};
    std::string_view middle(name);
    middle.remove_prefix(7);                  // "navtex-"
    middle.remove_suffix(4);                  // ".txt"
    if (middle.size() < 15 || middle[8] != '-' || !digits(middle.substr(0, 8)) ||
        !digits(middle.substr(9, 6)))
        return log;
    const std::string_view rest = middle.substr(15);
    if (!rest.empty() && (rest[0] != '-' || !digits(rest.substr(1)) || rest.size() > 6))
        return log;
    log.stamp = std::string(middle.substr(0, 15));
    if (!rest.empty())
        log.number = std::stoi(std::string(rest.substr(1)));
    return log;
}

} // namespace

std::vector<std::string> keptLogNames(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::vector<KeptLog> logs;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (name.size() > 11 && name.starts_with("navtex-") && name.ends_with(".txt") &&
            entry.is_regular_file(typeError))
            logs.push_back(keptLog(name));
    }
    // Newest first; names without a time of keeping last, in name order.
    std::sort(logs.begin(), logs.end(), [](const KeptLog& a, const KeptLog& b) {
        return std::tie(b.stamp, b.number, a.name) < std::tie(a.stamp, a.number, b.name);
    });
    std::vector<std::string> names;
    for (KeptLog& log : logs)
        names.push_back(std::move(log.name));
    return names;
}

} // namespace fenlark
