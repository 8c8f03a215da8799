// Reads and safe whole-file writes for the program's files in the working folder.
#pragma once

#include <cstddef>
#include <string>

namespace fenlark {

enum class FileProblem {
    None,
    Missing,    // nothing of that name
    NotRegular, // a folder, a FIFO, a device...: never read
    Failed,     // it could not be opened, or reading failed part-way
};

// A file opened for reading from start to end. Only a regular file is accepted, and opening never
// blocks (a FIFO is refused at once, not waited on); every failure, also one part-way through (a
// link to /proc/self/mem), comes back as problem(), never as an exception.
class FileReader {
public:
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool ok() const { return m_kind == FileProblem::None; }
    FileProblem kind() const { return m_kind; }
    // Why the file is not read, in words for the operator ("it is a folder").
    const std::string& problem() const { return m_problem; }
    // Appends up to `max` bytes to `out`; false at the end of the file or after a failure.
    bool read(std::string& out, std::size_t max);

private:
    void fail(FileProblem kind, std::string problem);

    int m_fd = -1;
    FileProblem m_kind = FileProblem::None;
    std::string m_problem;
};

struct FileRead {
    std::string bytes;
    std::string problem; // empty when the file was read
    FileProblem kind = FileProblem::None;
    bool ok() const { return kind == FileProblem::None; }
};

FileRead readWholeFile(const std::string& path);

// Replaces the content of `path`, a symbolic link's target when it is one (the link stays): the
// bytes go to a new temporary file in the target's folder, which is synced, given the replaced
// file's mode and renamed over the target, and the folder is synced; the old file stays whole
// until the new one is. A target that exists but is not a regular file is not replaced. Returns
// the reason of a failure, empty on success.
std::string replaceFile(const std::string& path, const std::string& bytes);

struct KeptFile {
    std::string path;    // the kept file's name, with its folder when that is not the working one
    std::string problem; // empty when kept
};

// Gives the file at `path` (a symbolic link's target when it is one) the further name
// STEM.txt in that file's folder, by a hard link, or by a rename where no link can be made; never
// by a copy. A name already taken is never replaced: STEM-2.txt, STEM-3.txt... are tried instead.
KeptFile keepFileAs(const std::string& path, const std::string& stem);

} // namespace fenlark
