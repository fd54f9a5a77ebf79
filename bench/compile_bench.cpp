#include "common/save_file.h"
#include "compiler/compile.h"
#include "compiler/rules_import.h"
#include "stock/records.h"
#include "project/encoder.h"
#include "project/working_file.h"

#include <benchmark/benchmark.h>

#include <random>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace qx;

struct Silent : compiler::CompileReporter {
    void warning(const std::string&) override {}
    void error(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return true; }
};

// A project of n entries, every third a unit with 20 KiB of graphics, the
// others weapons and warheads.
struct GeneratedProject {
    explicit GeneratedProject(int n)
    {
        dir = fs::temp_directory_path() / ("qxbench-compile-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir / "game");
        std::vector<project::Entry> entries;
        for (int i = 0; i < n; ++i) {
            auto made = entry(i);
            for (const auto& part : made.parts)
                made.record.insert(made.record.end(), part.begin(), part.end());
            entries.push_back({made.kind, made.name, std::move(made.record)});
        }
        saveFile(dir / "project.tmp", project::buildWorkingFile(0, entries));
    }
    ~GeneratedProject() { fs::remove_all(dir); }

    static project::NewEntry entry(int i)
    {
        auto name = "Object " + std::to_string(i);
        if (i % 3 == 0) {
            auto unit = records::defaults(EntryKind::Unit);
            unit.text("name") = name;
            unit.text("internalName") = "U" + std::to_string(i / 3);
            unit.sizes = {0, 0, 4096, 16384};
            unit.number("frameCount") = 64;
            unit.number("replaced") = i % 6;
            return {EntryKind::Unit, name, records::pack(unit), {Bytes(4096, 1), Bytes(16384, 2)}};
        }
        if (i % 3 == 1) {
            auto weapon = records::defaults(EntryKind::Weapon);
            weapon.number("replaced") = i % 36;
            weapon.number("damage") = i;
            weapon.number("range") = 575;
            return {EntryKind::Weapon, name, records::pack(weapon), {}};
        }
        auto warhead = records::defaults(EntryKind::Warhead);
        warhead.number("replaced") = i % 8;
        warhead.number("none") = 100;
        return {EntryKind::Warhead, name, records::pack(warhead), {}};
    }

    fs::path dir;
};

void compileProject(benchmark::State& state)
{
    auto entries = static_cast<std::size_t>(state.range(0));
    GeneratedProject project(static_cast<int>(entries));
    Silent reporter;
    for (auto _ : state) {
        compiler::compileProject({project.dir / "project.tmp", project.dir, toText(project.dir / "game")}, entries,
                                 reporter);
    }
}

// The project window's preview of the same project: the file read, checked
// and built as the compile does, the diff to the game's rules.ini made,
// nothing written. Its CPU time stays within 1.5 times the compile's.
void previewProject(benchmark::State& state)
{
    auto entries = static_cast<std::size_t>(state.range(0));
    GeneratedProject project(static_cast<int>(entries));
    Silent reporter;
    for (auto _ : state) {
        auto file = readFile(project.dir / "project.tmp");
        benchmark::DoNotOptimize(compiler::previewCompile(file, toText(project.dir / "game"), entries, reporter));
    }
}

BENCHMARK(compileProject)->Arg(10)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(previewProject)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// A hand-made rules.ini in which every stock section is changed: the first
// whole number of each section one higher.
std::string everySectionChanged()
{
    std::string text;
    bool changed = false;
    for (const auto& line : compiler::stockRules()) {
        auto equals = line.find('=');
        auto value = equals == std::string::npos ? std::string() : line.substr(equals + 1);
        changed = changed && !line.starts_with('[');
        if (!changed && !value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
            text += line.substr(0, equals + 1) + std::to_string(std::stoll(value) + 1) + "\r\n";
            changed = true;
        } else {
            text += line + "\r\n";
        }
    }
    return text;
}

// Importing that file (about 150 entries and 100 lines not carried) next to
// compiling the project it makes: at most 3 times its CPU time.
void importRules(benchmark::State& state)
{
    auto text = everySectionChanged();
    for (auto _ : state)
        benchmark::DoNotOptimize(compiler::importRules(Bytes(text.begin(), text.end()), "rules.ini"));
}

// Compiling the project an import of the text makes.
void compileImport(benchmark::State& state, const std::string& text)
{
    GeneratedProject project(0);
    auto imported = compiler::importRules(Bytes(text.begin(), text.end()), "rules.ini");
    saveFile(project.dir / "project.tmp", imported.workingFile);
    Silent reporter;
    for (auto _ : state)
        compiler::compileProject({project.dir / "project.tmp", project.dir, toText(project.dir / "game")},
                                 imported.lines.size(), reporter);
}

void compileImportedRules(benchmark::State& state)
{
    compileImport(state, everySectionChanged());
}

BENCHMARK(importRules)->Unit(benchmark::kMillisecond);
BENCHMARK(compileImportedRules)->Unit(benchmark::kMillisecond);

// The CPU time (user and system) of one qxtool run, as seen from outside.
double toolSeconds(const std::vector<std::string>& args)
{
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(QXTOOL_PATH)};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        freopen("/dev/null", "w", stdout);
        execv(QXTOOL_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
}

// qxtool compile of a 1000-entry package next to the floor: qxtool encode of
// the same package, which reads it and writes and syncs a file of its size.
// Run with --benchmark_repetitions=9 for medians.
void toolRun(benchmark::State& state, bool compile)
{
    static GeneratedProject project(1000);
    auto package = project.dir / "p.qxp";
    if (!fs::exists(package))
        encoder::codeFile(project.dir / "project.tmp", package);
    std::vector<std::string> args{"encode", toText(package), toText(project.dir / "copy.qxp")};
    if (compile)
        args = {"compile", toText(package), "--game-dir", toText(project.dir / "game")};
    for (auto _ : state)
        state.SetIterationTime(toolSeconds(args));
}

BENCHMARK_CAPTURE(toolRun, compile1000, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(toolRun, encodeFloor, false)->UseManualTime()->Unit(benchmark::kMillisecond);

}

// A mod of 5,000 changed lines no editor holds: 500 new sections of ten keys
// after a stock text whose every section is changed. Importing it, and
// compiling the project it makes, each stay within twice the time of
// compiling a project of 5,000 editor entries.
std::string fiveThousandLines()
{
    auto text = everySectionChanged();
    for (int section = 0; section < 500; ++section) {
        text += "[MOD" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 10; ++key)
            text += "Key" + std::to_string(key) + "=" + std::to_string(section * key) + "\r\n";
    }
    return text;
}

void importRulesText(benchmark::State& state)
{
    auto text = fiveThousandLines();
    for (auto _ : state)
        benchmark::DoNotOptimize(compiler::importRules(Bytes(text.begin(), text.end()), "mod.ini"));
}

void compileRulesText(benchmark::State& state)
{
    compileImport(state, fiveThousandLines());
}

BENCHMARK(importRulesText)->Unit(benchmark::kMillisecond);
BENCHMARK(compileRulesText)->Unit(benchmark::kMillisecond);
