#pragma once

#include <string>
#include <vector>

namespace qx::stock {

// The game's default rules file as its two blocks of lines, in file order,
// without line ends.
const std::vector<std::string>& rulesBlock1();
const std::vector<std::string>& rulesBlock2();

// The first block followed by the second: the whole default rules file.
const std::vector<std::string>& rulesText();

}
