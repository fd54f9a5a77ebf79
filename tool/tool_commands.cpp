#include "tool/tool_commands.h"

#include "common/error.h"
#include "common/file_io.h"
#include "common/cp1252.h"
#include "project/encoder.h"
#include "project/package.h"
#include "compiler/compile.h"
#include "stock/stock_loader.h"

#include <functional>
#include <map>

namespace qx::tool {

void expectArgs(const std::vector<std::string>& args, std::size_t count, const char* usage)
{
    if (args.size() != count)
        throw Usage(std::string("usage: qxtool ") + usage);
}

namespace {

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

int codeCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 3, "encode|decode IN OUT");
    encoder::codeFile(toPath(args[1]), toPath(args[2]));
    return 0;
}

int listCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 2, "list PACKAGE");
    auto plain = project::decodePackage(toPath(args[1]));
    for (const auto& line : project::openedListLines(project::parseDirectory(plain)))
        out << cp1252ToUtf8(line) << '\n';
    return 0;
}

std::string fieldText(const stock::StockField& field)
{
    if (field.type == stock::StockField::Type::Box)
        return field.box ? "checked" : "clear";
    return cp1252ToUtf8(field.text);
}

int stockCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 3, "stock unit|weapon|building|projectile|warhead IDENTIFIER");
    auto kind = stock::stockKindNamed(args[1]);
    if (!kind)
        throw Usage("usage: qxtool stock unit|weapon|building|projectile|warhead IDENTIFIER");
    for (const auto& field : stock::loadStockObject(args[2], *kind).fields)
        out << field.label << ": " << fieldText(field) << '\n';
    return 0;
}

// Prints what the project window would show: the warnings list as it grows,
// then, when the compile is over, each message box.
class PrintingReporter : public compiler::CompileReporter {
public:
    PrintingReporter(bool answerYes, std::ostream& out) : answerYes_(answerYes), out_(out) {}
    ~PrintingReporter() override
    {
        for (const auto& line : messages_)
            out_ << line << '\n';
    }

    void warning(const std::string& line) override { out_ << cp1252ToUtf8(line) << '\n'; }
    void error(const std::string& text) override { message("error", text); }
    void information(const std::string& text) override { message("information", text); }
    bool confirm(const std::string& text) override
    {
        message("question", text);
        return answerYes_;
    }

private:
    void message(const char* kind, const std::string& text)
    {
        auto line = cp1252ToUtf8(text);
        for (auto at = line.find('\r'); at != std::string::npos; at = line.find('\r', at))
            line.replace(at, 1, " / ");
        messages_.push_back(std::string(kind) + ": " + line);
    }

    bool answerYes_;
    std::ostream& out_;
    std::vector<std::string> messages_;
};

int compileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool yes = args.size() == 5 && args[4] == "--yes";
    if ((args.size() != 4 && !yes) || args[2] != "--game-dir")
        throw Usage("usage: qxtool compile PACKAGE --game-dir DIR [--yes]");
    Bytes plain;
    std::size_t entries = 0;
    try {
        plain = project::decodePackage(toPath(args[1]));
        entries = project::parseDirectory(plain).entries.size();
    } catch (const Error& error) {
        err << "qxtool: " << error.what() << '\n';
        return 2;
    }
    PrintingReporter reporter(yes, out);
    auto outcome = compiler::compileProject(std::move(plain), {{}, {}, args[3]}, entries, reporter);
    return outcome == compiler::CompileOutcome::RulesInstalled ? 0 : 1;
}

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table{
        {"encode", codeCommand},
        {"decode", codeCommand},
        {"list", listCommand},
        {"stock", stockCommand},
        {"compile", compileCommand},
        {"make-library", makeLibraryCommand},
        {"library", libraryCommand},
        {"extract", extractCommand},
        {"frames", framesCommand},
    };
    return table;
}

}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || !commands().contains(args[0])) {
        err << "usage: qxtool encode|decode IN OUT | list PACKAGE | stock KIND IDENTIFIER\n"
               "              | compile PACKAGE --game-dir DIR [--yes]\n"
               "              | make-library --kind KIND --title TITLE --out FILE.vkl IMAGE...\n"
               "              | library FILE.vkl | extract FILE.vkl INDEX OUT | frames FILE.vkl INDEX OUTDIR\n";
        return 2;
    }
    try {
        return commands().at(args[0])(args, out, err);
    } catch (const Usage& usage) {
        err << usage.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        err << "qxtool: " << error.what() << '\n';
        return 1;
    }
}

}
