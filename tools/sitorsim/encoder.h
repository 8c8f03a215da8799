// The transmitting side of a NAVTEX station, for measuring the decoder: message text to the words
// of each character, the DX/RX interleave with phasing before and alpha after, and units.
#pragma once

#include "sitor/code_table.h"

#include <string>
#include <vector>

namespace fenlark::sitorsim {

// The characters of a text as words, with letter and figure shifts where the case changes and a
// redundant one at the start of each line. Characters the code cannot send are left out.
std::vector<sitor::Word> encodeText(const std::string& text);

// One emission: phasing (RQ in the DX positions, alpha in the RX positions) for phasingSeconds, the
// characters, then alpha in the DX positions for endSeconds. The result is the words in order of
// transmission, each character twice.
std::vector<sitor::Word> interleave(const std::vector<sitor::Word>& characters,
                                    double phasingSeconds, double endSeconds);

// The units of words, B as true, first unit first.
std::vector<bool> toUnits(const std::vector<sitor::Word>& words);

// What a perfect receiver prints for a text (the characters encodeText keeps, in upper case).
std::string printable(const std::string& text);

} // namespace fenlark::sitorsim
