// Sorting of list entries into ascending byte order, stable for equal entries.
#pragma once

#include <string>
#include <vector>

namespace fenlark {

// Sorts `entries` in ascending byte order; equal entries keep their order. Lists of short entries
// (message identifiers: up to eight bytes) are radix-sorted in linear time, since a list of
// thousands of identifiers is rebuilt after every new message.
void sortEntries(std::vector<std::string>& entries);
// The same, moving the sorted entries into `out` (emptied first, its capacity reused); `entries`
// is left empty.
void sortEntriesInto(std::vector<std::string>& entries, std::vector<std::string>& out);

} // namespace fenlark
