#include "shell/tool_commands.h"

#include "common/error.h"
#include "common/file_io.h"
#include "common/cp1252.h"
#include "project/encoder.h"
#include "project/package.h"

#include <functional>
#include <map>

namespace qx::tool {
namespace {

using Command = std::function<int(const std::vector<std::string>&, std::ostream&)>;

struct Usage : Error {
    using Error::Error;
};

void expectArgs(const std::vector<std::string>& args, std::size_t count, const char* usage)
{
    if (args.size() != count)
        throw Usage(std::string("usage: qxtool ") + usage);
}

int codeCommand(const std::vector<std::string>& args, std::ostream&)
{
    expectArgs(args, 3, "encode|decode IN OUT");
    encoder::codeFile(toPath(args[1]), toPath(args[2]));
    return 0;
}

int listCommand(const std::vector<std::string>& args, std::ostream& out)
{
    expectArgs(args, 2, "list PACKAGE");
    auto plain = project::decodePackage(toPath(args[1]));
    for (const auto& line : project::openedListLines(project::parseDirectory(plain)))
        out << cp1252ToUtf8(line) << '\n';
    return 0;
}

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table{
        {"encode", codeCommand},
        {"decode", codeCommand},
        {"list", listCommand},
    };
    return table;
}

}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || !commands().contains(args[0])) {
        err << "usage: qxtool encode|decode IN OUT | list PACKAGE\n";
        return 2;
    }
    try {
        return commands().at(args[0])(args, out);
    } catch (const Usage& usage) {
        err << usage.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        err << "qxtool: " << error.what() << '\n';
        return 1;
    }
}

}
