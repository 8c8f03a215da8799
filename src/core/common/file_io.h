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

// Replaces the content of `path`, a symbolic link's target when it is one (the link stays): the
// bytes go to a new temporary file in the target's folder, which is synced, given the replaced
// file's mode and renamed over the target, and the folder is synced; the old file stays whole
// until the new one is. A target that exists but is not a regular file is not replaced. Returns
// the reason of a failure, empty on success.
std::string replaceFile(const std::string& path, const std::string& bytes);

} // namespace fenlark
