#include "qt/user_folder.h"

#include "common/file_io.h"
#include "map/outline_file.h"
#include "view/vocabulary.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdlib>
#include <vector>

namespace fenlark::qt {
namespace fs = std::filesystem;
namespace {

struct SuppliedFile {
    std::string installed; // its name in the installed data
    std::string working;   // its name in the working folder
};

std::vector<SuppliedFile> suppliedFiles()
{
    std::vector<SuppliedFile> files;
    for (const Frequency &frequency : kFrequencies)
        files.push_back({std::string(frequency.stationFile), std::string(frequency.stationFile)});
    files.push_back({kOutlineFileName, kOutlineFileName});
    return files;
}

std::string quoted(const fs::path &path)
{
    return "\"" + path.string() + "\"";
}

} // namespace

fs::path userFolderPath()
{
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    fs::path base = dataHome ? fs::path(dataHome) : fs::path();
    if (!base.is_absolute())
        base = fs::path(QDir::homePath().toLocal8Bit().toStdString()) / ".local/share";
    return base / "fenlark";
}

fs::path installedDataPath()
{
    const QString path =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/fenlark");
    return QDir::cleanPath(path).toLocal8Bit().toStdString();
}

std::string prepareUserFolder(const fs::path &data, const fs::path &folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return "cannot make the folder " + quoted(folder) + ": " + ec.message();
    // Every file to copy is found before the first is copied.
    std::vector<SuppliedFile> missing;
    for (const SuppliedFile &file : suppliedFiles()) {
        if (fs::exists(fs::symlink_status(folder / file.working, ec)))
            continue;
        if (!fs::is_regular_file(data / file.installed, ec))
            return "cannot find FenLark's installed data: " + quoted(data / file.installed) +
                   " is missing";
        missing.push_back(file);
    }
    for (const SuppliedFile &file : missing) {
        // Written whole under a temporary name made anew, then given its name where nothing is:
        // no file is written through a link that someone planted in the folder.
        const fs::path target = folder / file.working;
        const FileRead supplied = readWholeFile((data / file.installed).string());
        const std::string problem =
            supplied.ok() ? createNewFile(target.string(), supplied.bytes) : supplied.problem;
        if (!problem.empty())
            return "cannot copy " + quoted(data / file.installed) + " to " + quoted(target) + ": " +
                   problem;
    }
    return {};
}

} // namespace fenlark::qt
