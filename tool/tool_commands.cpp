#include "tool/tool_commands.h"

#include "common/error.h"
#include "common/bytes.h"
#include "common/file_io.h"
#include "common/save_file.h"
#include "common/cp1252.h"
#include "common/text.h"
#include "project/encoder.h"
#include "project/package.h"
#include "compiler/compile.h"
#include "compiler/game_files.h"
#include "compiler/game_originals.h"
#include "compiler/project_text.h"
#include "compiler/rules_check.h"
#include "compiler/rules_import.h"
#include "stock/rules_text.h"
#include "stock/stock_loader.h"


#include <optional>
#include <algorithm>
#include <set>

namespace qx::tool {

namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct CommandInfo {
    const char* name;
    Command run;
    const char* arguments;
    const char* summary;
};

const CommandInfo* commandNamed(const std::string& name);
std::string usageOf(const CommandInfo& command);

int codeCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 3);
    encoder::codeFile(toPath(args[1]), toPath(args[2]));
    return 0;
}

int listCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 2);
    auto plain = project::decodePackage(toPath(args[1]));
    for (const auto& line : project::openedListLines(plain, project::parseDirectory(plain)))
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
    expectArgs(args, 3);
    auto kind = stock::stockKindNamed(args[1]);
    if (!kind)
        wrongArguments(args);
    auto object = stock::loadStockObject(args[2], *kind);
    if (!object.found)
        throw Error("The stock rules hold no " + args[1] + " " + args[2] + ".");
    for (const auto& field : object.fields)
        out << field.label << ": " << fieldText(field) << '\n';
    return 0;
}

// Prints what the project window would show: the warnings list, then each
// message box.
void printFindings(const std::vector<compiler::Finding>& findings, std::ostream& out)
{
    using Kind = compiler::Finding::Kind;
    for (const auto& finding : findings) {
        if (finding.kind == Kind::Warning)
            out << cp1252ToUtf8(finding.text) << '\n';
    }
    for (const auto& finding : findings) {
        if (finding.kind == Kind::Warning)
            continue;
        auto line = cp1252ToUtf8(finding.text);
        for (auto at = line.find('\r'); at != std::string::npos; at = line.find('\r', at))
            line.replace(at, 1, " / ");
        out << compiler::kindName(finding.kind) << ": " << line << '\n';
    }
}

int compileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() < 4 || args[2] != "--game-dir")
        wrongArguments(args);
    std::set<std::string> options(args.begin() + 4, args.end());
    bool yes = options.erase("--yes") == 1;
    bool preview = options.erase("--preview") == 1;
    if (!options.empty() || args.size() != 4u + yes + preview)
        wrongArguments(args);
    Bytes plain;
    std::size_t entries = 0;
    try {
        plain = project::decodePackage(toPath(args[1]));
        entries = project::parseDirectory(plain).entries.size();
    } catch (const Error& error) {
        err << "qxtool: " << error.what() << '\n';
        return 2;
    }
    compiler::RecordingReporter reporter(yes);
    // No message of kind error ends with success.
    auto status = [&](bool done) {
        bool errors = std::any_of(reporter.findings.begin(), reporter.findings.end(),
                                  [](const auto& f) { return f.kind == compiler::Finding::Kind::Error; });
        return done && !errors ? 0 : 1;
    };
    // What was found before a failure is shown with it.
    try {
        if (preview) {
            auto changes = compiler::previewCompile(plain, args[3], entries, reporter);
            printFindings(reporter.findings, out);
            out << (changes ? compiler::previewText(*changes) : "");
            return status(changes.has_value());
        }
        auto outcome = compiler::compileProject(std::move(plain), {{}, {}, args[3]}, entries, reporter);
        printFindings(reporter.findings, out);
        return status(outcome == compiler::CompileOutcome::RulesInstalled);
    } catch (const std::exception&) {
        printFindings(reporter.findings, out);
        throw;
    }
}

int exportCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 3);
    compiler::exportFolder(project::decodePackage(toPath(args[1])), toPath(args[2]));
    return 0;
}

// A fault of the text is its own line: "project.ini:LINE: what".
int importCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err)
{
    expectArgs(args, 3);
    try {
        auto plain = compiler::importFolder(toPath(args[1]));
        saveFile(toPath(args[2]), encoder::coded(plain));
    } catch (const Error& error) {
        err << oneLine(error.what()) << '\n';
        return 1;
    }
    return 0;
}

// The entries made, then what no entry carries, each a line.
int importRulesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 3);
    auto imported = compiler::importRulesFile(toPath(args[1]));
    saveFile(toPath(args[2]), encoder::coded(imported.workingFile));
    for (const auto& line : imported.lines)
        out << oneLine(cp1252ToUtf8(line)) << '\n';
    for (const auto& line : imported.notes)
        out << oneLine(cp1252ToUtf8(line)) << '\n';
    return 0;
}

int rulesTextCheck(const fs::path& path, std::ostream& out)
{
    auto bytes = readFile(path, stock::kMaxRulesFile);
    auto findings = compiler::checkRules(textOf(bytes));
    auto name = toText(path.filename());
    for (const auto& finding : findings)
        out << oneLine(cp1252ToUtf8(name + ":" + std::to_string(finding.line) + ": " + (finding.note ? "note: " : "") +
                                    finding.text))
            << '\n';
    return findings.empty() ? 0 : 1;
}

// The file becomes the package's last entry, unless the game would not
// read it as written.
int rulesTextAdd(const fs::path& package, const fs::path& file, const std::string& givenName, std::ostream& out,
                 std::ostream& err)
{
    auto bytes = readFile(file, stock::kMaxRulesFile);
    auto refusals = compiler::rulesTextRefusals(textOf(bytes), toText(file.filename()));
    for (const auto& refusal : refusals)
        err << oneLine(cp1252ToUtf8(refusal)) << '\n';
    if (!refusals.empty())
        return 1;
    auto name = utf8ToCp1252(givenName.empty() ? toText(file.filename()) : givenName);
    if (!name || name->empty() || name->size() > project::kMaxNameLength)
        throw Error("A rules text's name is 1 to 100 Western European characters.");
    auto plain = project::appendedWorkingFile(project::decodePackage(package), {EntryKind::RulesText, *name, bytes, {}});
    saveFile(package, encoder::coded(plain));
    out << oneLine(cp1252ToUtf8(project::openedListLine(EntryKind::RulesText, *name, bytes))) << '\n';
    return 0;
}

int rulesTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 3 && args[1] == "check")
        return rulesTextCheck(toPath(args[2]), out);
    if (args.size() == 4 && args[1] == "add")
        return rulesTextAdd(toPath(args[2]), toPath(args[3]), "", out, err);
    if (args.size() == 6 && args[1] == "add" && args[4] == "--name")
        return rulesTextAdd(toPath(args[2]), toPath(args[3]), args[5], out, err);
    wrongArguments(args);
}

int restoreCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    expectArgs(args, 3);
    if (args[1] != "--game-dir")
        wrongArguments(args);
    auto changed = compiler::restoreGame(args[2]);
    if (changed.empty()) {
        err << compiler::nothingToRestore(args[2]) << '\n';
        return 1;
    }
    for (const auto& line : changed)
        out << line << '\n';
    return 0;
}

int statusCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 3);
    if (args[1] != "--game-dir")
        wrongArguments(args);
    for (const auto& line : compiler::gameStatus(args[2]))
        out << line << '\n';
    if (auto note = compiler::ownRulesNote(args[2]))
        out << *note << '\n';
    return 0;
}

const CommandInfo kCommands[] = {
    {"encode", codeCommand, "encode|decode IN OUT", "writes the coded form of IN to OUT (coding twice gives the file back)"},
    {"decode", codeCommand, "encode|decode IN OUT", ""},
    {"list", listCommand, "list PACKAGE", "prints the project window's lines for a project package"},
    {"stock", stockCommand, "stock unit|weapon|building|projectile|warhead IDENTIFIER",
     "prints what an editor shows after loading a stock object, one 'Label: value' line per field"},
    {"compile", compileCommand, "compile PACKAGE --game-dir DIR [--yes] [--preview]",
     "compiles a package into rules.ini, sc-qx.mix and curqxp.set in DIR, keeping the game's own files first; "
     "questions are answered No unless --yes is given; --preview writes nothing and prints the change to "
     "rules.ini as a unified diff, then each archive member with its size"},
    {"export", exportCommand, "export PACKAGE DIR",
     "writes the package as text: DIR/project.ini and the graphics under DIR/files (DIR new or empty)"},
    {"import", importCommand, "import DIR OUT.qxp", "writes the package that DIR/project.ini and its files describe"},
    {"import-rules", importRulesCommand, "import-rules RULES.INI OUT.qxp",
     "writes the project the editors would make of a hand-edited rules.ini; prints its entries, then each "
     "change no entry carries"},
    {"rules-text", rulesTextCommand, "rules-text check FILE | rules-text add PACKAGE FILE [--name NAME]",
     "check prints each line of a rules text the game would not read as meant, as FILE:LINE: WHY (a misspelt "
     "key, a key or section given twice, a line too long or that is no rules line; a section nothing names as a "
     "note), exit status 1 when there is any; add appends the file to the package as a rules-text entry, which "
     "a compile applies after every other entry, and prints its list line (a line longer than the game reads, "
     "or a file that is no text, is refused, exit status 1)"},
    {"restore", restoreCommand, "restore --game-dir DIR",
     "puts back the game's own rules.ini and sc-qx.mix and removes curqxp.set"},
    {"status", statusCommand, "status --game-dir DIR",
     "prints what the game directory holds: the game's own files, or the compile of a project, when it ran and "
     "whether each file is still from it; an install a killed compile left is finished first"},
    {"make-library", makeLibraryCommand,
     "make-library --kind icon|unit|projectile|building --title TITLE --out FILE.vkl [--palette PAL] "
     "SHPFILE[:FRAME.png[,FRAME.png...]]...",
     "writes a coded graphics library; each SHP file's previews are the PNG frames named after it or, with "
     "--palette (or the game's temperat.pal), its own frames in that palette; a path may start with a drive letter "
     "(C:\\mods\\tank.shp:C:\\mods\\0.png), whose colon does not separate the SHP file from its frames"},
    {"library", libraryCommand, "library FILE.vkl", "prints a library's kind, title and images"},
    {"extract", extractCommand, "extract FILE.vkl INDEX OUT", "writes the SHP data of image INDEX (from 0)"},
    {"frames", framesCommand, "frames FILE.vkl INDEX OUTDIR", "writes the preview frames of image INDEX as PNG files"},
    {"mix", mixCommand,
     "mix list ARCHIVE [--game-dir DIR] | mix info ARCHIVE [--game-dir DIR] | mix extract ARCHIVE OUTDIR [MEMBER...]",
     "lists an archive's members (name, identifier, size, kind), tells its index form, flags, counts and whether "
     "its digest matches, or writes its members (all, or those named) into OUTDIR; with --game-dir an archive of "
     "the game in any letter case; A.mix/B.mix names an archive inside another, a member without a name goes by "
     "its identifier in hex"},
    {"shp", shpCommand,
     "shp info FILE.shp | shp frames FILE.shp [--palette PAL] OUTDIR | shp make [--palette PAL] OUT.shp FRAME.png...",
     "prints an SHP file's frame count, size and each frame's kind; writes its frames in a palette as PNG "
     "files (index 0 transparent); or writes an SHP of PNG frames (an indexed PNG in the palette keeps its "
     "indices, any other takes the nearest colours). PAL is a game palette (768 bytes), a JASC-PAL file "
     "or an indexed PNG; without --palette, the game's temperat.pal when Quarvex's settings name the game folder; "
     "frames are named 000.png, 001.png, ... so that * keeps their order"},
};

const CommandInfo* commandNamed(const std::string& name)
{
    for (const auto& command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

std::string usageOf(const CommandInfo& command)
{
    return std::string("usage: qxtool ") + command.arguments;
}

std::string fullUsage()
{
    std::string text = "usage: qxtool COMMAND ARGUMENTS, one of:\n";
    const char* last = "";
    for (const auto& command : kCommands) {
        if (std::string_view(command.arguments) != last)
            text += std::string("  qxtool ") + command.arguments + "\n      " + command.summary + "\n";
        last = command.arguments;
    }
    return text + "  qxtool --help | --version | COMMAND --help\n\n"
                  "Exit status: 0 on success, 1 with a one-line message on stderr when an input is missing,\n"
                  "unreadable or not what the command expects, 2 for wrong arguments.\n"
                  "The user's guide, section 7, shows each command at work: /usr/share/doc/quarvex/guide.html\n";
}

bool asksForHelp(const std::vector<std::string>& args)
{
    return args.size() == 2 && (args[1] == "--help" || args[1] == "-h");
}

}

void wrongArguments(const std::vector<std::string>& args)
{
    throw Usage(usageOf(*commandNamed(args.at(0))));
}

void expectArgs(const std::vector<std::string>& args, std::size_t count)
{
    if (args.size() != count)
        wrongArguments(args);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << fullUsage();
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "qxtool " << QX_VERSION << '\n';
        return 0;
    }
    const auto* command = args.empty() ? nullptr : commandNamed(args[0]);
    if (!command) {
        err << fullUsage();
        return 2;
    }
    if (asksForHelp(args)) {
        out << usageOf(*command) << '\n';
        return 0;
    }
    try {
        return command->run(args, out, err);
    } catch (const Usage& usage) {
        err << usage.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        err << "qxtool: " << oneLine(error.what()) << '\n';
        return 1;
    }
}

}
