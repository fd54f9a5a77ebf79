#include "tool/arguments.h"
#include "tool/tool_commands.h"

#include <iostream>

int main(int argc, char* argv[])
{
    return qx::tool::run(qx::tool::utf8Arguments(argc, argv), std::cout, std::cerr);
}
