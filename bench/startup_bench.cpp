#include "project/preview_window.h"
#include "shell/dialog_service.h"
#include "shell/main_window.h"
#include "shell/program.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <random>

namespace {

namespace fs = std::filesystem;
using namespace qx;

struct Silent : DialogService {
    void error(const QString&) override {}
    void information(const QString&) override {}
    Answer confirm(const QString&, bool) override { return Answer::No; }
    SaveAnswer askToSave(const QString&) override { return SaveAnswer::Discard; }
    QString openFile(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&) override { return {}; }
    QString browseFolder(const QString&) override { return {}; }
    QString newFolder(const QString&, const FolderRefusal&) override { return {}; }
    bool openDocument(const QString&) override { return false; }
};

// The floor: one bare window shown.
void bareWindow(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.resize(1024, 72);
        window.show();
        QApplication::processEvents();
    }
}

// The editor's start: settings read, working directory taken, the ten
// windows built and the toolbar shown.
void programStart(benchmark::State& state)
{
    auto dir = fs::temp_directory_path() / ("qxbench-start-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "program");
    Silent dialogs;
    ShellPaths paths{dir / "config" / "localset.ini", dir / "config" / "settings3.tmp", toText(dir / "program"), {}};
    for (auto _ : state) {
        Program program(dialogs, paths);
        program.windows().form1->show();
        QApplication::processEvents();
    }
    fs::remove_all(dir);
}

// The compile preview's window showing a diff of 10,000 changed lines and
// their hunk headers: laid out once, however long.
void previewOfALongDiff(benchmark::State& state)
{
    compiler::Preview preview{"--- a/rules.ini\n+++ b/rules.ini\n", {}};
    for (int hunk = 0; hunk < 2500; ++hunk) {
        preview.rulesDiff += "@@ -" + std::to_string(hunk * 10) + ",2 +" + std::to_string(hunk * 10) + ",2 @@\n";
        preview.rulesDiff += "-Strength=400\r\n+Strength=450\r\n-Speed=5\r\n+Speed=6\r\n";
    }
    preview.members.assign(300, {"ABCD.shp", 20480});
    QWidget parent;
    Tpreviewform window(&parent);
    for (auto _ : state) {
        window.showPreview({}, preview);
        window.show();
        QApplication::processEvents();
    }
}

BENCHMARK(bareWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(previewOfALongDiff)->Unit(benchmark::kMillisecond);
BENCHMARK(programStart)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
