#include "compiler/compile.h"
#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "library/library_file.h"
#include "library/library_viewer.h"
#include "project/encoder.h"
#include "shell/all_windows.h"
#include "stock/catalogue.h"
#include "support/frames.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::actionNamed;
using qx::test::deliver;
using qx::test::frames;
using qx::test::ProgramFixture;

namespace {

struct BuildingEditor : ProgramFixture {
    BuildingEditor()
    {
        acceptDirectories();
        start();
    }
    Tcnbform* building() { return windows().cnbform; }
    QLineEdit* field(const char* id) { return building()->form->field(id); }
    void add()
    {
        dialogs.log.clear();
        QTest::mouseClick(building()->AddButton, Qt::LeftButton);
    }
    project::Entry entry(std::size_t index) { return project::readEntry(workingFile("project.tmp"), index); }
    std::size_t entries() { return project::readDirectory(workingFile("project.tmp")).entries.size(); }
    QStringList listLines() { return test::listLines(windows().prjform); }
    // A library of icons and one of building graphics, open in viewers.
    std::vector<LibraryViewer*> openLibraries()
    {
        fs::create_directories(dir / "libs");
        test::writeBytes(dir / "libs" / "a-icons.vkl",
                         encoder::coded(library::buildLibrary(library::LibraryKind::Icon, "I", {{test::bytesOf("BICON"), frames(1, 2, 2)}})));
        test::writeBytes(dir / "libs" / "b-buildings.vkl",
                         encoder::coded(library::buildLibrary(library::LibraryKind::Building, "B",
                                                              {{test::bytesOf("MAKE"), frames(3, 2, 2)}, {test::bytesOf("IMAGE"), frames(2, 2, 2)}})));
        auto* browser = windows().form2;
        browser->setDirectory(QString::fromStdString(toText(dir / "libs")));
        for (int row : {0, 1}) {
            browser->FileListBox1->setCurrentRow(row);
            QTest::mouseClick(browser->ViewButton, Qt::LeftButton);
        }
        return browser->viewers();
    }
    void dropAnimation(LibraryViewer* viewer, int image, QWidget* target)
    {
        auto* preview = viewer->previews()[static_cast<std::size_t>(image)];
        std::unique_ptr<QMimeData> mime(preview->dragData());
        windows().form2->animationDragStarted(preview);
        QVERIFY(deliver(target, mime.get()));
        windows().form2->animationDragEnded();
    }
    void dropIcon(LibraryViewer* viewer)
    {
        viewer->iconList()->setCurrentRow(0);
        std::unique_ptr<QMimeData> mime(viewer->iconList()->dragData());
        QVERIFY(deliver(building()->iconArea, mime.get()));
    }
};

}

class BuildingEditorTest : public QObject {
    Q_OBJECT

private slots:
    void aNewBuildingWithItsDefaults()
    {
        BuildingEditor f;
        QCOMPARE(f.building()->replacementList->count(), 42);
        f.field("name")->setText("Hut");
        f.building()->replacementList->setCurrentRow(44 - 3);  // the last offered: MINP
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{});
        QCOMPARE(f.listLines(), QStringList{"Building: Hut"});
        auto data = f.entry(0).data;
        QCOMPARE(data.size(), std::size_t{240});
        QCOMPARE(data[136], std::uint8_t{1});  // sight
        QCOMPARE(data[144], std::uint8_t{1});  // distance
        QCOMPARE((Bytes(data.begin() + 148, data.begin() + 152)), (Bytes{0xff, 0xff, 0xff, 0xff}));
        QCOMPARE(data[219], std::uint8_t{0});  // repairable clear: "Repairable=no"
        QCOMPARE(data[236], std::uint8_t{41});
        compiler::StockRecords stock;
        auto section = compiler::objectSection(records::unpack(EntryKind::Building, data), stock);
        QCOMPARE(section.identifier, std::string("MINP"));
        // The stock section's Repairable=false and BaseNormal=no say what the
        // cleared boxes say, so they stay; the changed values replace theirs.
        std::vector<std::string> lines;
        for (const auto& edit : section.edits)
            lines.push_back(edit.key + "=" + edit.value);
        QCOMPARE(lines, (std::vector<std::string>{"Name=Hut", "Strength=0", "Adjacent=1", "Invisible=no", "Unsellable=no"}));
    }

    void loadingTicksTheNoBoxesAndKeepsTheEditedEntry()
    {
        BuildingEditor f;
        f.field("name")->setText("Hut");
        f.building()->replacementList->setCurrentRow(0);
        f.add();
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.building()->edited.position(), 0);
        actionNamed(f.building()->loadMenu, "&Tesla Coil [TSLA]")->trigger();
        QVERIFY(f.building()->form->box("repairable")->isChecked());
        QVERIFY(f.building()->form->box("checkForBuildings")->isChecked());
        QCOMPARE(f.building()->replacementList->currentItem()->text(), QString("Tesla Coil [TSLA]"));
        QCOMPARE(f.building()->edited.position(), 0);
        f.field("name")->setText("Tower");
        QCOMPARE(f.building()->edited.position(), 0);
        f.add();
        QCOMPARE(f.listLines(), QStringList{"Building: Tower"});
    }

    void mixedGraphicsAreRefusedWithTheirMessages()
    {
        BuildingEditor f;
        auto viewers = f.openLibraries();
        f.dropIcon(viewers[0]);
        f.dropAnimation(viewers[1], 0, f.building()->animationArea);
        f.field("name")->setText("Fort");
        f.field("internalName")->setText("FORT");
        f.building()->replacementList->setCurrentRow(0);
        f.add();
        QCOMPARE(f.dialogs.log,
                 QStringList{"error: Please give your building an icon, an animation and an image, or none of them!"});
        QCOMPARE(f.entries(), std::size_t{0});
        f.field("name")->clear();
        f.building()->replacementList->clearSelection();
        f.add();
        QCOMPARE(f.dialogs.log, (QStringList{"error: Please type in the name of your building!",
                                             "error: Please select a building to be replaced",
                                             "error: Please give your building an icon, an animation and an image, or none of them!"}));
    }

    void graphicsSurviveAnEditAndReachTheArchive()
    {
        BuildingEditor f;
        auto viewers = f.openLibraries();
        f.dropIcon(viewers[0]);
        f.dropAnimation(viewers[1], 0, f.building()->animationArea);
        QCOMPARE(f.building()->replacementList->count(), 42);  // the animation does not choose
        f.dropAnimation(viewers[1], 1, f.building()->imageArea);
        QStringList twoFrames;
        for (const auto& entry : stock::buildingCatalogue().first(42)) {
            if (entry.frames == 2)
                twoFrames << entry.text;
        }
        QCOMPARE(f.building()->replacementList->count(), twoFrames.size());
        QCOMPARE(f.building()->replacementList->item(0)->text(), twoFrames.front());
        f.field("name")->setText("Fort");
        f.field("internalName")->setText("FORT");
        f.building()->replacementList->setCurrentRow(0);
        f.field("guardRange")->setText("300");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a number from 0 to 254 for Guard Range!"});
        f.field("guardRange")->clear();
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{});
        auto first = f.entry(0);
        auto record = records::unpack(EntryKind::Building, first.data);
        QCOMPARE(record.number("frameCount"), 2);
        auto parts = records::partsOf(record, first.data);
        QCOMPARE(Bytes(parts[3].begin(), parts[3].end()), test::bytesOf("BICON"));
        QCOMPARE(Bytes(parts[4].begin(), parts[4].end()), test::bytesOf("MAKE"));
        QCOMPARE(Bytes(parts[5].begin(), parts[5].end()), test::bytesOf("IMAGE"));

        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.building()->animationArea->frames().frames.size(), std::size_t{3});
        f.add();
        QCOMPARE(f.entries(), std::size_t{1});
        QCOMPARE(f.entry(0).data, first.data);
        QCOMPARE(f.building()->edited.position(), 0);
        f.add();  // replaces it again
        QCOMPARE(f.entries(), std::size_t{1});

        QTest::mouseClick(f.windows().prjform->compQXP, Qt::LeftButton);
        compiler::MixArchive expected;
        expected.add("FORTicon.shp", test::bytesOf("BICON"));
        expected.add("FORTmake.shp", test::bytesOf("MAKE"));
        expected.add("FORT.shp", test::bytesOf("IMAGE"));
        QCOMPARE(readFile(f.dir / "game" / "sc-qx.mix"), expected.bytes());
    }

    void closingEmptiesEverythingAndANewSaveRemovesNothing()
    {
        BuildingEditor f;
        f.field("name")->setText("Old");
        f.building()->replacementList->setCurrentRow(0);
        f.add();
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        f.field("internalName")->setText("ABCD");
        f.building()->close();
        QVERIFY(f.field("name")->text().isEmpty());
        QVERIFY(f.field("internalName")->text().isEmpty());
        QVERIFY(!f.building()->edited.isSet());
        f.field("name")->setText("New");
        f.building()->replacementList->setCurrentRow(1);
        f.add();
        QCOMPARE(f.listLines(), (QStringList{"Building: Old", "Building: New"}));
    }
};

QTEST_MAIN(BuildingEditorTest)
#include "building_editor_test.moc"
