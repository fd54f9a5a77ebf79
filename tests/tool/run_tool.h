#pragma once

#include "tool/tool_commands.h"

#include <sstream>
#include <string>
#include <vector>

namespace qx::test {

struct ToolResult {
    int status;
    std::string out;
    std::string err;
};

// One qxtool command line, run in this process.
inline ToolResult runTool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int status = tool::run(args, out, err);
    return {status, out.str(), err.str()};
}

}
