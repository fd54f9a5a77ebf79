#include "compiler/compile.h"
#include "editors/editor_form.h"
#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "library/library_file.h"
#include "library/library_viewer.h"
#include "project/encoder.h"
#include "shell/all_windows.h"
#include "support/frames.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace qx;
using qx::test::frames;
using qx::test::ProgramFixture;
using qx::test::actionNamed;
using qx::test::deliver;

namespace {

struct UnitEditor : ProgramFixture {
    UnitEditor()
    {
        acceptDirectories();
        start();
    }
    Tcnuform* unit() { return windows().cnuform; }
    EditorForm* form() { return unit()->form.get(); }
    QLineEdit* field(const char* id) { return form()->field(id); }
    void type(const char* id, const QString& keys) { QTest::keyClicks(field(id), keys); }
    void add()
    {
        dialogs.log.clear();
        QTest::mouseClick(unit()->AddButton, Qt::LeftButton);
    }
    void selectReplacement(const QString& text)
    {
        auto found = unit()->replacementList->findItems(text, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        unit()->replacementList->setCurrentItem(found.front());
    }
    project::Directory directory() { return project::readDirectory(workingFile("project.tmp")); }
    project::Entry entry(std::size_t index) { return project::readEntry(workingFile("project.tmp"), index); }
    QStringList listLines() { return test::listLines(windows().prjform); }
    void loadStock(const QString& group, const QString& caption)
    {
        actionNamed(actionNamed(unit()->loadMenu, group)->menu(), caption)->trigger();
    }
    // Two libraries made by the library maker, open in viewers; the
    // unit's icon and image dropped from them.
    void dropGraphics()
    {
        fs::create_directories(dir / "libs");
        auto icons = dir / "libs" / "icons.vkl";
        auto units = dir / "libs" / "units.vkl";
        test::writeBytes(icons, encoder::coded(library::buildLibrary(library::LibraryKind::Icon, "I",
                                                                     {{test::bytesOf("ICON-A"), frames(1, 4, 4)},
                                                                      {test::bytesOf("ICON-B"), frames(1, 4, 4)}})));
        test::writeBytes(units, encoder::coded(library::buildLibrary(library::LibraryKind::Unit, "U",
                                                                     {{test::bytesOf("UNIT-SHP"), frames(64, 4, 4)}})));
        auto* browser = windows().form2;
        browser->setDirectory(QString::fromStdString(toText(dir / "libs")));
        browser->FileListBox1->setCurrentRow(0);
        QTest::mouseClick(browser->ViewButton, Qt::LeftButton);
        browser->FileListBox1->setCurrentRow(1);
        QTest::mouseClick(browser->ViewButton, Qt::LeftButton);
        auto viewers = browser->viewers();
        viewers[0]->iconList()->setCurrentRow(1);
        std::unique_ptr<QMimeData> icon(viewers[0]->iconList()->dragData());
        QVERIFY(deliver(unit()->iconArea, icon.get()));
        auto* preview = viewers[1]->previews()[0];
        std::unique_ptr<QMimeData> image(preview->dragData());
        browser->animationDragStarted(preview);
        QVERIFY(deliver(unit()->imageArea, image.get()));
        browser->animationDragEnded();
    }
    // An animation of that many frames dropped from a library of its own.
    void dropAnimation(int count)
    {
        auto path = dir / ("anim" + std::to_string(count) + ".vkl");
        test::writeBytes(path, encoder::coded(library::buildLibrary(library::LibraryKind::Unit, "A",
                                                                    {{test::bytesOf("SHP"), frames(count, 4, 4)}})));
        windows().form2->openLibrary(QString::fromStdString(toText(path)));
        QVERIFY(test::dragFirstGraphic(windows().form2, unit()->imageArea));
    }
};

}

class UnitEditorTest : public QObject {
    Q_OBJECT

private slots:
    void nothingEnteredShowsTheThreeMessagesInOrder()
    {
        UnitEditor f;
        f.add();
        QCOMPARE(f.dialogs.log, (QStringList{"information: Please select a unit to be replaced",
                                             "information: Please type in an internal name, that should be used by Valkor",
                                             "information: Please type in the name of your unit!"}));
        QCOMPARE(f.directory().entries.size(), std::size_t{0});
        QVERIFY(f.listLines().isEmpty());
    }

    void aPlainUnitIsStoredWithItsDefaults()
    {
        UnitEditor f;
        f.type("name", "Scout");
        f.selectReplacement("V2 Rocket Launcher [V2RL]");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{});
        QCOMPARE(f.listLines(), QStringList{"Unit: Scout"});
        auto entry = f.entry(0);
        QCOMPARE(entry.kind, EntryKind::Unit);
        QCOMPARE(entry.name, std::string("Scout"));
        QCOMPARE(entry.data.size(), std::size_t{220});
        QVERIFY(std::all_of(entry.data.begin(), entry.data.begin() + 16, [](auto b) { return b == 0; }));
        Bytes expected(220);
        expected[16] = 5;
        std::copy_n("Scout", 5, expected.begin() + 17);
        expected[117] = 2;                                  // both owners
        expected[129] = 1;                                  // sight
        expected[130] = expected[131] = 255;                // no weapons
        std::fill_n(expected.begin() + 132, 4, 0xff);       // ammo -1
        expected[136] = 255;                                // guard range empty
        QCOMPARE(entry.data, expected);
        // The defaults show in the window afterwards.
        QCOMPARE(f.field("strength")->text(), QString("0"));
        QCOMPARE(f.field("sight")->text(), QString("1"));
        QCOMPARE(f.field("ammo")->text(), QString("-1"));
        QCOMPARE(f.form()->choice("owner")->text(), QString("Both [Allies,Soviet]"));
        QCOMPARE(f.form()->choice("techLevel")->text(), QString("Unit can't be built [-1]"));
        QCOMPARE(f.field("passengers")->text(), QString("0"));
        QVERIFY(f.field("guardRange")->text().isEmpty());
    }

    void typedKeysPassThroughTheFilters()
    {
        UnitEditor f;
        f.type("strength", "250");
        QTest::keyClick(f.field("strength"), '-');
        QCOMPARE(f.field("strength")->text(), QString("-250"));
        QTest::keyClick(f.field("strength"), '-');
        QCOMPARE(f.field("strength")->text(), QString("250"));
        f.field("cost")->setText("123456");
        QTest::keyClick(f.field("cost"), '-');
        QCOMPARE(f.field("cost")->text(), QString("-12345"));
        f.type("guardRange", "250");
        QCOMPARE(f.field("guardRange")->text(), QString("200"));
        f.type("speed", "a7x");
        QCOMPARE(f.field("speed")->text(), QString("7"));
        QTest::keyClick(f.field("ammo"), '-');
        QCOMPARE(f.field("ammo")->text(), QString("-1"));
        f.type("ammo", "5");
        QCOMPARE(f.field("ammo")->text(), QString("5"));
        f.field("points")->setText("12-3");  // as a paste would
        QCOMPARE(f.field("points")->text(), QString("-123"));
        f.unit()->form->field("tolerance")->setText("999");
        QCOMPARE(f.field("tolerance")->text(), QString("300"));
    }

    void loadingAStockUnitFillsItAndSelectsItsReplacement()
    {
        UnitEditor f;
        f.loadStock("&Vehicle", "&Light Tank [1TNK]");
        auto stock = stock::loadStockObject("1TNK", EntryKind::Unit);
        for (const auto& shown : stock.fields) {
            auto index = std::find_if(f.form()->table().fields.begin(), f.form()->table().fields.end(),
                                      [&](const auto& field) { return objects::plainLabel(field.label) == shown.label; });
            QVERIFY(index != f.form()->table().fields.end());
            auto* widget = f.form()->widget(index->id);
            if (auto* box = qobject_cast<QCheckBox*>(widget))
                QCOMPARE(box->isChecked(), shown.box);
            else
                QCOMPARE(qobject_cast<QLineEdit*>(widget)->text(), QString::fromStdString(shown.text));
        }
        QCOMPARE(f.form()->choice("primary")->text(), QString("Small Anti-Armor Cannon [75mm]"));
        QCOMPARE(f.form()->choice("primary")->cursorPosition(), 0);  // the start of a long choice shows
        QCOMPARE(f.unit()->replacementList->currentItem()->text(), QString("Light Tank [1TNK]"));
        QVERIFY(!f.unit()->edited.isSet());
    }

    void infantryAndVehicleAbilitiesExcludeEachOther()
    {
        UnitEditor f;
        f.type("name", "Squad");
        f.selectReplacement("Rifle Soldier [E1]");
        f.type("passengers", "5");
        f.form()->box("panic")->click();
        QVERIFY(f.field("passengers")->text().isEmpty());
        QVERIFY(!f.form()->box("tracked")->isEnabled());
        QVERIFY(!f.form()->box("noMovingFire")->isEnabled());
        QVERIFY(!f.field("passengers")->isEnabled());
        f.add();
        QCOMPARE(f.entry(0).data[188], std::uint8_t{255});
        QCOMPARE(f.entry(0).data[204], std::uint8_t{1});

        f.form()->box("panic")->click();
        QVERIFY(f.form()->box("tracked")->isEnabled());
        f.form()->box("tracked")->click();
        QVERIFY(!f.form()->box("c4")->isEnabled());
        f.field("passengers")->setText("5");
        f.add();
        QCOMPARE(f.entry(1).data[188], std::uint8_t{5});
        QCOMPARE(f.entry(1).data[208], std::uint8_t{1});
    }

    void refusalsOfTheMendedFaults()
    {
        UnitEditor f;
        f.type("name", "Odd");
        f.selectReplacement("V2 Rocket Launcher [V2RL]");
        QTest::keyClick(f.field("strength"), '-');
        QTest::keyClick(f.field("reload"), '9');
        f.field("reload")->setText("99999");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a number from -2147483648 to 2147483647 for Strength!"});
        QCOMPARE(f.directory().entries.size(), std::size_t{0});

        f.field("strength")->clear();
        f.field("name")->setText(QString::fromUtf8("\xe6\x88\xa6\xe8\xbb\x8a"));
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: Please use only Western European characters in the name!"});
        QCOMPARE(f.directory().entries.size(), std::size_t{0});

        f.field("name")->setText("Tank");
        f.unit()->iconArea->setPicture(frames(1, 4, 4).frames[0]);
        f.add();
        QCOMPARE(f.dialogs.log, (QStringList{"information: Please type in an internal name, that should be used by Valkor",
                                             "information: Please give your unit both an icon and an image, or neither!"}));
        QCOMPARE(f.directory().entries.size(), std::size_t{0});
    }

    // Prerequisites beyond the game's 32 bits cannot be ticked, and a line
    // the game would cut is refused at save with the field and its room.
    void prerequisitesTheGameCannotHoldOrRead()
    {
        UnitEditor f;
        f.type("name", "Odd");
        f.selectReplacement("V2 Rocket Launcher [V2RL]");
        auto* prerequisites = f.form()->choice("prerequisites");
        prerequisites->click(35);  // the chain link fence would stand for the radar dome
        QVERIFY(prerequisites->ticked().empty());
        QVERIFY(!prerequisites->menu()->actions().at(35)->isEnabled());
        for (std::size_t i = 0; i < objects::kHeldPrerequisites; ++i)
            prerequisites->click(i);
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{"error: Prerequisite makes a line of 162 bytes, but the game reads only 127: "
                                            "it may hold at most 114 characters."});
        QCOMPARE(f.directory().entries.size(), std::size_t{0});
    }

    // A drop keeps the chosen object while it fits; otherwise one line says
    // why, with both frame counts; the tolerance applies as it is typed and
    // chooses the object again when it fits again.
    void dropsKeepTheChosenObjectAndTheToleranceAppliesAsTyped()
    {
        UnitEditor f;
        f.loadStock("&Vehicle", "Heavy &Tank [3TNK]");
        QCOMPARE(f.unit()->fitLabel->text(), QString("Heavy Tank [3TNK]: 64 frames."));
        const struct {
            int frames;
            const char* tolerance;
            const char* chosen;
            const char* fit;
        } steps[] = {
            {64, "", "Heavy Tank [3TNK]", "Your animation: 64 frames. Heavy Tank [3TNK]: 64 frames."},
            {16, "", "", "Heavy Tank [3TNK] has 64 frames, your animation 16; tolerance 48 would admit it."},
            {0, "48", "Heavy Tank [3TNK]", "Your animation: 16 frames. Heavy Tank [3TNK]: 64 frames."},
        };
        for (const auto& step : steps) {
            if (step.frames)
                f.dropAnimation(step.frames);
            if (*step.tolerance) {
                f.field("tolerance")->clear();
                QTest::keyClicks(f.field("tolerance"), step.tolerance);
            }
            auto* current = f.unit()->replacementList->currentItem();
            QCOMPARE(current ? current->text() : QString(), QString(step.chosen));
            QCOMPARE(f.unit()->fitLabel->text(), QString(step.fit));
        }
    }

    void anEditedUnitMovesLastAndIsReplacedAgain()
    {
        UnitEditor f;
        for (const char* name : {"First", "Second"}) {
            f.field("name")->setText(name);
            f.selectReplacement("V2 Rocket Launcher [V2RL]");
            f.add();
        }
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.unit()->edited.position(), 0);
        QCOMPARE(f.unit()->windowTitle(), QString("Edit Unit - First"));
        QCOMPARE(f.field("name")->text(), QString("First"));
        QCOMPARE(f.field("sight")->text(), QString("1"));
        QCOMPARE(f.form()->choice("techLevel")->text(), QString("-1"));
        QCOMPARE(f.unit()->replacementList->currentRow(), 0);
        f.field("speed")->setText("9");
        f.add();
        QCOMPARE(f.listLines(), (QStringList{"Unit: Second", "Unit: First"}));
        QCOMPARE(f.unit()->edited.position(), 1);
        f.add();
        QCOMPARE(f.listLines(), (QStringList{"Unit: Second", "Unit: First"}));
        QCOMPARE(f.entry(1).data[128], std::uint8_t{9});
        // A new name makes it a new unit.
        f.field("name")->setText("Third");
        QVERIFY(!f.unit()->edited.isSet());
        QCOMPARE(f.unit()->windowTitle(), QString("Create new Unit"));
        f.add();
        QCOMPARE(f.listLines(), (QStringList{"Unit: Second", "Unit: First", "Unit: Third"}));
    }

    void graphicsFromLibrariesSurviveAnEditAndReachTheArchive()
    {
        UnitEditor f;
        f.dropGraphics();
        QCOMPARE(f.unit()->replacementList->count(), 6);  // 64 frames, tolerance 0
        f.field("name")->setText("Drawn");
        f.field("internalName")->setText("ABCD");
        f.selectReplacement("Light Tank [1TNK]");
        f.add();
        QCOMPARE(f.dialogs.log, QStringList{});
        // Loading a stock unit empties the graphics with the other fields.
        f.loadStock("&Vehicle", "Heavy &Tank [3TNK]");
        QVERIFY(!f.unit()->imageArea->hasFrames());
        QCOMPARE(f.unit()->replacementList->count(), 53);
        auto first = f.entry(0);
        auto record = records::unpack(EntryKind::Unit, first.data);
        auto parts = records::partsOf(record, first.data);
        QCOMPARE(Bytes(parts[2].begin(), parts[2].end()), test::bytesOf("ICON-B"));
        QCOMPARE(Bytes(parts[3].begin(), parts[3].end()), test::bytesOf("UNIT-SHP"));
        QCOMPARE(record.number("frameCount"), 64);
        QCOMPARE(record.number("replaced"), 0);

        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.unit()->imageArea->frames().frames.size(), std::size_t{64});
        QCOMPARE(readFile(f.dir / "program" / "temp" / "icon.shp"), test::bytesOf("ICON-B"));
        QCOMPARE(f.windows().form1->graphicSource(graphics::Graphic::UnitIcon).libraryPath, std::string("not changed"));
        f.add();
        QCOMPARE(f.directory().entries.size(), std::size_t{1});
        QCOMPARE(f.entry(0).data, first.data);

        QTest::mouseClick(f.windows().prjform->compQXP, Qt::LeftButton);
        auto archive = readFile(f.dir / "game" / "sc-qx.mix");
        compiler::MixArchive expected;
        expected.add("ABCDicon.shp", test::bytesOf("ICON-B"));
        expected.add("ABCD.shp", test::bytesOf("UNIT-SHP"));
        QCOMPARE(archive, expected.bytes());
    }

    void weaponButtonsOpenTheWeaponEditorLoaded()
    {
        UnitEditor f;
        f.form()->choice("primary")->click(0);
        QTest::mouseClick(f.unit()->PrimaryWeaponButton, Qt::LeftButton);
        auto* weapons = f.windows().cnwform;
        QVERIFY(weapons->isVisible());
        QCOMPARE(weapons->form->field("damage")->text(), QString("50"));
        QCOMPARE(weapons->form->field("range")->text(), QString("5,75"));
        QCOMPARE(weapons->form->choice("replaced")->text(), QString("Tanya's Pistol [Colt45]"));
        // The torpedo tube cannot be chosen by a click.
        f.form()->choice("secondary")->click(21);
        QVERIFY(f.form()->choice("secondary")->text().isEmpty());
    }

    void menusOpenFromTheKeyboardAndTheLoadButton()
    {
        UnitEditor f;
        f.unit()->show();
        auto* owner = f.form()->choice("owner");
        QTest::keyClick(owner, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(owner->menu()->isVisible());
        owner->menu()->hide();
        QTest::keyClick(owner, Qt::Key_Menu);
        QVERIFY(owner->menu()->isVisible());
        owner->menu()->actions()[3]->trigger();
        QCOMPARE(owner->text(), QString("Playable Country: England [England]"));
        owner->menu()->hide();
        // A choice field opens on a click, Enter or Space.
        for (auto open : {std::function<void()>([&] { QTest::mouseClick(owner, Qt::LeftButton); }),
                          std::function<void()>([&] { QTest::keyClick(owner, Qt::Key_Return); }),
                          std::function<void()>([&] { QTest::keyClick(owner, Qt::Key_Space); })}) {
            open();
            QVERIFY(owner->menu()->isVisible());
            owner->menu()->hide();
        }
        // The prerequisites' menu stays open while entries are ticked.
        auto* prerequisites = f.form()->choice("prerequisites");
        prerequisites->openMenu(QPoint(0, 0));
        auto* menu = prerequisites->menu();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        for (int entry : {0, 2}) {
            auto at = menu->actionGeometry(menu->actions()[entry]).center();
            QTest::mouseMove(menu, at);
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        }
        QVERIFY(menu->isVisible());
        QCOMPARE(prerequisites->ticked(), (std::vector<std::size_t>{0, 2}));
        menu->hide();
        QTest::mouseClick(f.unit()->LoadButton, Qt::LeftButton);
        QVERIFY(f.unit()->loadMenu->isVisible());
        f.unit()->loadMenu->hide();
        QContextMenuEvent onPage(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
        QApplication::sendEvent(f.unit()->pages->widget(1), &onPage);
        QVERIFY(f.unit()->loadMenu->isVisible());
        f.unit()->loadMenu->hide();
    }

    void aDamagedEntryIsRefusedAndTheWindowKeepsItsValues()
    {
        UnitEditor f;
        auto unit = records::defaults(EntryKind::Unit);
        unit.sizes = {0, 0, 500, 500};  // graphics past the end of the block
        project::append(f.workingFile("project.tmp"), f.workingFile("tempqxp.tmp"),
                        {EntryKind::Unit, "Broken", records::pack(unit), {Bytes(10)}});
        f.windows().prjform->addLine("Unit: Broken");
        f.field("name")->setText("Kept");
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, QStringList{"error: A graphics entry of the project is damaged: its graphics run past "
                                            "the end of its data."});
        QCOMPARE(f.field("name")->text(), QString("Kept"));
        QVERIFY(!f.unit()->edited.isSet());
    }

    void closingEmptiesTheWindow()
    {
        UnitEditor f;
        f.dropGraphics();
        f.field("name")->setText("Gone");
        f.unit()->show();
        f.unit()->close();
        QVERIFY(f.field("name")->text().isEmpty());
        QVERIFY(!f.unit()->imageArea->hasFrames());
        QVERIFY(f.unit()->iconArea->picture().empty());
        QCOMPARE(f.unit()->replacementList->count(), 53);
    }
};

QTEST_MAIN(UnitEditorTest)
#include "unit_editor_test.moc"
