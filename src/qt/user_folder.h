// The per-user working folder of an installed program: $XDG_DATA_HOME/fenlark, made when missing
// and given the supplied files it lacks from the data installed beside the program.
#pragma once

#include <filesystem>
#include <string>

namespace fenlark::qt {

// $XDG_DATA_HOME/fenlark; ~/.local/share/fenlark when XDG_DATA_HOME is unset, empty or relative.
std::filesystem::path userFolderPath();

// The supplied data installed with the program: ../share/fenlark from the executable's folder.
// Needs the application object.
std::filesystem::path installedDataPath();

// Makes `folder` and copies into it each supplied file it lacks from `data` (the station files and
// the map outline; the sample capture stays a sample). A file already there, a user's own, is
// never replaced, nor is anything written through a link planted there; each copy is written under
// a new temporary name and then given its name, so none is left half-written. Returns why the
// folder could not be made ready, naming the path and the system's reason ("No space left on
// device"); empty when it is ready.
std::string prepareUserFolder(const std::filesystem::path &data,
                              const std::filesystem::path &folder);

} // namespace fenlark::qt
