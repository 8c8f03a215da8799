// The message logs kept from earlier runs ("navtex-YYYYMMDD-HHMMSS.txt", "-2", "-3"... when a
// name was taken) in a folder, newest first.
#pragma once

#include <string>
#include <vector>

namespace fenlark {

// The names of the kept logs in `folder`, newest first by the time of keeping in their names (of
// two kept in the same second, the later numbered first); other names of the form
// "navtex-*.txt" follow in name order. Only regular files (or links to them) are listed.
std::vector<std::string> keptLogNames(const std::string& folder = ".");

} // namespace fenlark
