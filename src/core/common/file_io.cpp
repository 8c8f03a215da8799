#include "common/file_io.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fenlark {
namespace {

std::string errorText(int err) { return std::strerror(err); }

// Why a file of this type is not read or replaced.
std::string notRegularProblem(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a FIFO (named pipe), not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a regular file";
    return "it is not a regular file";
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path names once its symbolic links are followed; a link to nothing gives the path
// the file would have.
bool resolveLinks(const std::string& path, std::string& target, std::string& problem)
{
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        if (hops == 40) {
            problem = errorText(ELOOP);
            return false;
        }
        char link[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof link)) {
            problem = errorText(n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string next(link, static_cast<std::size_t>(n));
        target = next.front() == '/' ? next : folderOf(target) + next;
    }
}

void closeQuietly(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates a new temporary file beside `target`, never opening anything already there: a stale
// file of the usual name is removed first, and a name that stays taken (a folder, a link planted
// again) is passed over for a random one.
int createTemporary(const std::string& target, std::string& name)
{
    static std::mt19937 random{std::random_device{}()};
    name = target + ".tmp";
    ::unlink(name.c_str());
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (attempt > 0)
            name = target + ".tmp." + std::to_string(random() % 1000000000u);
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

FileReader::FileReader(const std::string& path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        const int err = errno;
        if (err == ENOENT)
            fail(FileProblem::Missing, "it does not exist");
        else
            fail(FileProblem::Failed, errorText(err));
        return;
    }
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        fail(FileProblem::Failed, errorText(errno));
    else if (!S_ISREG(st.st_mode))
        fail(FileProblem::NotRegular, notRegularProblem(st.st_mode));
    else
        m_size = static_cast<std::uint64_t>(st.st_size);
}

bool FileReader::withinLimit(std::uint64_t maxBytes)
{
    if (ok() && (m_size > maxBytes || m_read > maxBytes))
        fail(FileProblem::TooLarge, tooLargeProblem(maxBytes));
    return m_kind != FileProblem::TooLarge;
}

std::string tooLargeProblem(std::uint64_t maxBytes)
{
    return "it holds more than " + std::to_string(maxBytes >> 20) +
           " MiB, more than such a file ever does";
}

FileReader::~FileReader() { closeQuietly(m_fd); }

void FileReader::fail(FileProblem kind, std::string problem)
{
    m_kind = kind;
    m_problem = std::move(problem);
    closeQuietly(m_fd);
    m_fd = -1;
}

bool FileReader::read(std::string& out, std::size_t max)
{
    if (!ok() || max == 0)
        return false;
    const std::size_t before = out.size();
    out.resize(before + max);
    ssize_t n;
    do {
        n = ::read(m_fd, out.data() + before, max);
    } while (n < 0 && errno == EINTR);
    out.resize(before + static_cast<std::size_t>(n > 0 ? n : 0));
    m_read += static_cast<std::uint64_t>(n > 0 ? n : 0);
    if (n < 0)
        fail(FileProblem::Failed, "it cannot be read: " + errorText(errno));
    return n > 0;
}

FileRead readWholeFile(const std::string& path, std::uint64_t maxBytes)
{
    FileReader in(path);
    FileRead result;
    while (in.withinLimit(maxBytes) && in.read(result.bytes, 1 << 16)) {
    }
    in.withinLimit(maxBytes);
    if (!in.ok())
        return {{}, in.problem(), in.kind()};
    return result;
}

void createEmptyFile(const std::string& path)
{
    closeQuietly(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
}

std::string createNewFile(const std::string& path, const std::string& bytes)
{
    std::string temp;
    const int fd = createTemporary(path, temp);
    if (fd < 0)
        return errorText(errno);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int err = errno;
    if (::close(fd) != 0 || !written) {
        const int why = written ? errno : err;
        ::unlink(temp.c_str());
        return errorText(why);
    }
    // The name is only taken where nothing is (a link there is not followed): by a rename that
    // replaces nothing, or where the file system has none, by a second name.
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    int why = errno;
    if (why == EINVAL || why == ENOSYS) {
        why = ::link(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
    }
    ::unlink(temp.c_str());
    return why == 0 ? std::string() : errorText(why);
}

std::string replaceFile(const std::string& path, const std::string& bytes)
{
    std::string target;
    std::string problem;
    if (!resolveLinks(path, target, problem))
        return problem;
    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errorText(errno);
    if (exists && !S_ISREG(old.st_mode))
        return notRegularProblem(old.st_mode);

    std::string temp;
    const int fd = createTemporary(target, temp);
    if (fd < 0)
        return errorText(errno);
    // A new file keeps the mode the creation gave it (the default); a replaced one keeps its own.
    const bool written = writeAll(fd, bytes) &&
                         (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    const int err = errno;
    if (::close(fd) != 0 || !written) {
        const int why = written ? errno : err;
        ::unlink(temp.c_str());
        return errorText(why);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int why = errno;
        ::unlink(temp.c_str());
        return errorText(why);
    }
    // The rename is made durable; the new file is in place whatever the folder's sync says.
    const std::string folder = folderOf(target);
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

KeptFile keepFileAs(const std::string& path, const std::string& stem)
{
    std::string target;
    std::string problem;
    if (!resolveLinks(path, target, problem))
        return {{}, problem};
    const std::string folder = folderOf(target);
    for (int n = 1; n < 1000; ++n) {
        const std::string kept = folder + stem + (n > 1 ? "-" + std::to_string(n) : "") + ".txt";
        if (::link(target.c_str(), kept.c_str()) == 0)
            return {kept, {}};
        const int linkError = errno;
        if (linkError == EEXIST)
            continue;
        // No hard link can be made here (the file system has none, say): the file itself takes
        // the new name, provided that name is free.
        struct stat st {};
        if (::lstat(kept.c_str(), &st) == 0)
            continue;
        if (::rename(target.c_str(), kept.c_str()) == 0)
            return {kept, {}};
        return {{}, errorText(linkError)};
    }
    return {{}, errorText(EEXIST)};
}

} // namespace fenlark
