// Puts the editor's windows into the states the user's guide shows and
// writes one picture of each window: qxscreenshots OUTDIR LIBRARIES.
// LIBRARIES holds the demo graphics libraries tools/screenshots makes.
#include "archive/mix_writer.h"
#include "common/error.h"
#include "common/save_file.h"
#include "compiler/rules_writer.h"
#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "library/library_viewer.h"
#include "library/new_library_window.h"
#include "project/import_window.h"
#include "project/preview_window.h"
#include "shell/all_windows.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <iostream>

namespace {

using namespace qx;

constexpr int kMaxWidth = 1000;

class Shots {
public:
    Shots(const fs::path& out, const fs::path& libraries) : out_(out), libraries_(libraries)
    {
        fixture_.acceptDirectories();
        fixture_.start();
    }

    Windows& w() { return fixture_.windows(); }

    QImage grab(QWidget* window)
    {
        showToFront(window);
        QApplication::processEvents();
        QTest::qWait(150);
        auto image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (image.width() > kMaxWidth)
            image = image.scaledToWidth(kMaxWidth, Qt::SmoothTransformation);
        return image;
    }

    void save(const QImage& image, const char* name)
    {
        auto path = QString::fromStdString(toText(out_ / (std::string(name) + ".png")));
        if (!image.convertToFormat(QImage::Format_RGB888).save(path, "PNG"))
            throw Error("Cannot write " + path.toStdString());
        std::cout << name << ".png " << image.width() << "x" << image.height() << "\n";
    }

    void shoot(QWidget* window, const char* name) { save(grab(window), name); }

    // Pictures of several windows in one, side by side or one above the other.
    static QImage together(const std::vector<QImage>& images, bool sideBySide)
    {
        constexpr int kGap = 8;
        int width = 0, height = 0;
        for (const auto& image : images) {
            width = sideBySide ? width + image.width() + kGap : std::max(width, image.width());
            height = sideBySide ? std::max(height, image.height()) : height + image.height() + kGap;
        }
        QImage both(width - kGap * sideBySide, height - kGap * !sideBySide, QImage::Format_RGB32);
        both.fill(QColor(64, 64, 64));
        QPainter painter(&both);
        int at = 0;
        for (const auto& image : images) {
            painter.drawImage(sideBySide ? at : 0, sideBySide ? 0 : at, image);
            at += (sideBySide ? image.width() : image.height()) + kGap;
        }
        painter.end();
        return both.width() > kMaxWidth ? both.scaledToWidth(kMaxWidth, Qt::SmoothTransformation) : both;
    }

    void editors();
    void graphics();
    void gameArchives();
    void newLibrary();
    void projectAndCompile();
    void readme();

private:
    test::ProgramFixture fixture_;
    fs::path out_;
    fs::path libraries_;
};

void Shots::editors()
{
    save(together({grab(w().form1), grab(w().settings)}, false), "main-window");
    shoot(w().settings, "settings");
    auto* unit = w().cnuform;
    unit->loadStock("3TNK");
    unit->form->field("name")->setText("Mammoth Mk II");
    unit->form->field("strength")->setStoredText("650");
    shoot(unit, "unit-editor");
    unit->pages->setCurrentIndex(1);
    shoot(unit, "unit-editor-details");
    unit->pages->setCurrentIndex(0);
    struct Other {
        EditorWindow* editor;
        const char* stockObject;
        const char* picture;
    };
    const Other others[] = {{w().cnbform, "TSLA", "building-editor"},
                            {w().cnwform, "105mm", "weapon-editor"},
                            {w().cnwhform, "AP", "warhead-editor"},
                            {w().cnpform, "HeatSeeker", "projectile-editor"}};
    for (const auto& other : others) {
        other.editor->loadStock(other.stockObject);
        shoot(other.editor, other.picture);
    }
    w().general->pages->setCurrentIndex(2);
    shoot(w().general, "general-settings");
}

// The demo libraries open in the browser and two viewers; an icon and an
// animation dropped on the unit editor.
void Shots::graphics()
{
    auto* browser = w().form2;
    browser->setDirectory(QString::fromStdString(toText(libraries_)));
    shoot(browser, "library-browser");
    for (int row = 0; row < 2; ++row) {
        browser->FileListBox1->setCurrentRow(row);
        QTest::mouseClick(browser->ViewButton, Qt::LeftButton);
    }
    auto viewers = browser->viewers();
    save(together({grab(viewers[0]), grab(viewers[1])}, true), "library-viewer");
    auto* unit = w().cnuform;
    viewers[0]->iconList()->setCurrentRow(0);
    std::unique_ptr<QMimeData> icon(viewers[0]->iconList()->dragData());
    test::deliver(unit->iconArea, icon.get());
    auto* preview = viewers[1]->previews()[0];
    std::unique_ptr<QMimeData> image(preview->dragData());
    browser->animationDragStarted(preview);
    test::deliver(unit->imageArea, image.get());
    browser->animationDragEnded();
    unit->form->field("internalName")->setText("MMK2");
    unit->pages->setCurrentIndex(3);
    shoot(unit, "unit-editor-graphics");
    for (auto* viewer : viewers)
        viewer->close();
    browser->close();
}

// "New Library..." filled in with the demo SHP file and palette, beside
// the viewer of the library it made.
void Shots::newLibrary()
{
    auto* browser = w().form2;
    showToFront(browser);
    QTest::mouseClick(browser->NewButton, Qt::LeftButton);
    auto* window = browser->newLibrary();
    window->TitleEdit->setText("My Tanks");
    fixture_.dialogs.files = {QString::fromStdString(toText(libraries_ / "tank.shp")),
                              QString::fromStdString(toText(libraries_ / "demo.pal"))};
    QTest::mouseClick(window->AddShpButton, Qt::LeftButton);
    QTest::mouseClick(window->PaletteButton, Qt::LeftButton);
    auto filledIn = grab(window);
    QTest::mouseClick(window->MakeButton, Qt::LeftButton);
    if (browser->viewers().empty())
        throw Error("New Library made no library: " + fixture_.dialogs.log.join(" / ").toStdString());
    auto* viewer = browser->viewers().back();
    save(together({filledIn, grab(viewer)}, true), "new-library");
    viewer->close();
    browser->close();
}

void Shots::projectAndCompile()
{
    auto* unit = w().cnuform;
    unit->replacementList->setCurrentRow(0);
    QTest::mouseClick(unit->AddButton, Qt::LeftButton);
    w().cnwform->loadStock("105mm");
    w().cnwform->form->field("damage")->setStoredText("45");
    QTest::mouseClick(w().cnwform->AddButton, Qt::LeftButton);
    QTest::mouseClick(w().cnwform->AddButton, Qt::LeftButton);
    auto* project = w().prjform;
    fixture_.dialogs.answers = {DialogService::Answer::No};
    QTest::mouseClick(project->compQXP, Qt::LeftButton);
    project->ListBox1->setCurrentRow(1);
    shoot(project, "project-window");
    QTest::mouseClick(project->PreviewQXP, Qt::LeftButton);
    project->preview->resize(760, 560);
    shoot(project->preview, "compile-preview");
    project->preview->close();

    auto text = compiler::rulesFileText(compiler::stockRules());
    text.replace(text.find("Strength=400", text.find("[3TNK]")), 12, "Strength=450\r\nVoice=VTANK");
    text.replace(text.find("Damage=30", text.find("[105mm]")), 9, "Damage=35");
    auto rules = fixture_.dir / "mymod.ini";
    test::writeText(rules, text);
    fixture_.dialogs.saveAnswers = {DialogService::SaveAnswer::Discard};
    fixture_.dialogs.files = {QString::fromStdString(toText(rules))};
    project->importRules();
    shoot(project->importReport, "import-rules");
    project->importReport->close();

    auto* rulesText = w().rulesText;
    rulesText->NameEdit->setText("Crews stay");
    rulesText->TextEdit->setPlainText("; the crews of heavy tanks stay inside\n[3TNK]\nCrewed=no\nTurretAdjustY=3\n\n"
                                      "[4TNK]\ncrewed=no\n\n[MYRULES]\nSpeed=9\n");
    rulesText->check();
    rulesText->Findings->setCurrentRow(0);
    showToFront(rulesText);
    shoot(rulesText, "rules-text");
    rulesText->close();
}

// A game folder whose archive holds a graphic, its palette and an archive
// inside it, in the browser, and the graphic in a viewer.
void Shots::gameArchives()
{
    auto tank = readFile(libraries_ / "tank.shp");
    archive::MixArchive inner;
    inner.add("4tnk.shp", tank);
    archive::MixArchive outer;
    outer.add("3tnk.shp", tank);
    outer.add("1tnk.shp", tank);
    outer.add("temperat.pal", readFile(libraries_ / "demo.pal"));
    outer.add("valkor.mix", inner.bytes());
    saveFile(fixture_.dir / "game" / "valkor.mix", outer.bytes());
    auto* browser = w().form2;
    showToFront(browser);
    browser->changeDrive(browser->DriveComboBox1->findData("game:"));
    browser->DirectoryListBox1->setCurrentRow(0);
    browser->showArchive(0);
    browser->FileListBox1->setCurrentRow(1);
    QTest::mouseClick(browser->ViewButton, Qt::LeftButton);
    save(together({grab(browser), grab(browser->viewers().back())}, true), "game-archives");
    browser->viewers().back()->close();
}

// The README's picture: the main window above the unit editor.
void Shots::readme()
{
    auto top = grab(w().form1);
    w().cnuform->pages->setCurrentIndex(0);
    save(together({top, grab(w().cnuform)}, false), "main-and-unit-editor");
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: qxscreenshots OUTDIR LIBRARIES\n";
        return 2;
    }
    try {
        Shots shots(toPath(argv[1]), toPath(argv[2]));
        shots.editors();
        shots.graphics();
        shots.gameArchives();
        shots.newLibrary();
        shots.readme();
        shots.projectAndCompile();
    } catch (const std::exception& failure) {
        std::cerr << "qxscreenshots: " << failure.what() << "\n";
        return 1;
    }
    return 0;
}
