#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qx::tool {

// Runs one qxtool command line; returns the exit status.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}
