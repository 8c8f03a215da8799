// Reads and safe whole-file writes for the program's files in the working folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fenlark {

enum class FileProblem {
    None,
    Missing,    // nothing of that name
    NotRegular, // a folder, a FIFO, a device...: never read
    Failed,     // it could not be opened, or reading failed part-way
    TooLarge,   // larger than any file of its kind ever is
};

// The most a file of the working folder is read to: far more than any station file, settings
// file or map outline holds. The log and the capture have limits of their own.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t(64) << 20;

// Why a file is not read: "it holds more than 64 MiB, more than such a file ever does".
std::string tooLargeProblem(std::uint64_t maxBytes);

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
    // The size the file says it has (a file of /proc says 0 and may hold more).
    std::uint64_t size() const { return m_size; }
    // Why the file is not read, in words for the operator ("it is a folder").
    const std::string& problem() const { return m_problem; }
    // Appends up to `max` bytes to `out`; false at the end of the file or after a failure.
    bool read(std::string& out, std::size_t max);
    // Refuses the file (TooLarge) when it says or turns out to hold more than `maxBytes`: call it
    // after opening and after each read.
    bool withinLimit(std::uint64_t maxBytes);

private:
    void fail(FileProblem kind, std::string problem);

    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::uint64_t m_read = 0;
    FileProblem m_kind = FileProblem::None;
    std::string m_problem;
};

struct FileRead {
    std::string bytes;
    std::string problem; // empty when the file was read
    FileProblem kind = FileProblem::None;
    bool ok() const { return kind == FileProblem::None; }
};

// The whole file, refused when it holds more than `maxBytes`.
FileRead readWholeFile(const std::string& path, std::uint64_t maxBytes = kMaxFileBytes);

// Makes an empty file at `path` when nothing is there, not even a symbolic link (whose target
// would be made); says nothing when it cannot.
void createEmptyFile(const std::string& path);

// Writes a new file at `path` with `bytes`, when nothing is there: the bytes go to a temporary
// file beside it, made anew (never through a planted link), synced and given the name, which
// is never taken from something that came meanwhile. Returns the reason of a failure, empty on
// success.
std::string createNewFile(const std::string& path, const std::string& bytes);

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
