#include "tool/tool_commands.h"

#include <iostream>

int main(int argc, char* argv[])
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return qx::tool::run(args, std::cout, std::cerr);
}
