#include "tool/tool_commands.h"

#include <QtGlobal>

#include <iostream>

int main(int argc, char* argv[])
{
    // Every refusal is the tool's own one line: the picture decoders' and
    // Qt's chatter would come before it and say the same less clearly.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    std::vector<std::string> args(argv + 1, argv + argc);
    return qx::tool::run(args, std::cout, std::cerr);
}
