#pragma once

#include <string>
#include <vector>

namespace qx::tool {

// The command line after the program's name, each argument UTF-8 whatever
// the system hands over; one source per system.
std::vector<std::string> utf8Arguments(int argc, char* argv[]);

}
