// Whole-file reads and safe whole-file writes for the program's files in the working folder.
#pragma once

#include <string>

namespace fenlark {

struct FileRead {
    std::string bytes;
    std::string problem; // empty when the file was read
    bool ok() const { return problem.empty(); }
};

FileRead readWholeFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes it and renames it over `path`, so the
// old file stays whole until the new one is. Returns the reason of a failure, empty on success.
std::string replaceFile(const std::string& path, const std::string& bytes);

} // namespace fenlark
