#include "tool/arguments.h"

namespace qx::tool {

std::vector<std::string> utf8Arguments(int argc, char* argv[])
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

}
