#include "common/bytes.h"
#include "compiler/compile.h"
#include "editors/choice_field.h"
#include "editors/filtered_line_edit.h"
#include "general/section_writers.h"
#include "shell/all_windows.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace qx;
using qx::test::ProgramFixture;

namespace {

struct GeneralWindow : ProgramFixture {
    GeneralWindow()
    {
        acceptDirectories();
        start();
    }
    TGeneral* general() { return windows().general; }
    FilteredLineEdit* field(EntryKind kind, const char* name)
    {
        return qobject_cast<FilteredLineEdit*>(general()->field(kind, name));
    }
    ChoiceField* choice(EntryKind kind, const char* name) { return qobject_cast<ChoiceField*>(general()->field(kind, name)); }
    void store(EntryKind kind)
    {
        dialogs.log.clear();
        QTest::mouseClick(general()->addButton(kind), Qt::LeftButton);
    }
    std::size_t entries() { return project::readDirectory(workingFile("project.tmp")).entries.size(); }
    project::Entry entry(std::size_t index) { return project::readEntry(workingFile("project.tmp"), index); }
    QStringList listLines() { return test::listLines(windows().prjform); }
    std::int32_t i32(const Bytes& data, std::size_t at) { return i32At(data, at); }
};

}

class GeneralWindowTest : public QObject {
    Q_OBJECT

private slots:
    void thirteenPagesInTheirOrder()
    {
        GeneralWindow f;
        QStringList captions;
        for (int i = 0; i < f.general()->pages->count(); ++i)
            captions << f.general()->pages->tabText(i);
        QCOMPARE(captions, (QStringList{"Crates", "Countries", "Combat Settings", "Multiplayer", "Difficulty Levels",
                                        "Repair - Refund - Reload", "Special Weapons", "Recharge", "Ore - Production",
                                        "IQ-Levels", "Various Settings", "AI Settings", "Terrain"}));
    }

    void theCombatPageStoredEmptyGivesItsDefaults()
    {
        GeneralWindow f;
        f.store(EntryKind::Combat);
        QCOMPARE(f.dialogs.log, QStringList{});
        QCOMPARE(f.listLines(), QStringList{"Combat Settings"});
        auto entry = f.entry(0);
        QCOMPARE(entry.kind, EntryKind::Combat);
        QCOMPARE(entry.name, std::string("Combat Settings"));
        const std::pair<std::size_t, std::int32_t> values[] = {{0, 100},  {4, 200},   {8, 1500}, {12, 100},
                                                               {16, 300}, {20, 50},   {24, 1000}, {28, 1},
                                                               {36, 275}, {40, 150},  {44, 10},  {48, 1000}};
        for (auto [offset, value] : values)
            QCOMPARE(f.i32(entry.data, offset), value);
        for (std::size_t box : {32, 33, 34, 35, 52, 53})
            QCOMPARE(entry.data[box], std::uint8_t{0});
        QCOMPARE(f.field(EntryKind::Combat, "TurboBoost")->text(), QString("1,5"));
    }

    void decimalsAreStoredAndShownAgain()
    {
        GeneralWindow f;
        auto* rate = f.field(EntryKind::Repair, "RepairRate");
        QTest::keyClicks(rate, "0,016");
        QCOMPARE(rate->text(), QString("0,016"));
        QTest::keyClick(rate, ',');
        QCOMPARE(rate->text(), QString("0,016"));
        QVERIFY(f.general()->addButton(EntryKind::Repair)->isVisible() || !f.general()->isVisible());
        f.store(EntryKind::Repair);
        QCOMPARE(f.i32(f.entry(0).data, 12), 16);
        rate->setText("0,0165");
        f.store(EntryKind::Repair);
        QCOMPARE(f.i32(f.entry(1).data, 12), 16);
        QCOMPARE(f.listLines(), (QStringList{"Repair & Refit Settings", "Repair & Refit Settings"}));

        auto* firepower = f.field(EntryKind::Country, "Firepower");
        QTest::keyClicks(firepower, "10");
        QTest::keyClick(firepower, '5');
        QCOMPARE(firepower->text(), QString("10"));

        f.general()->resetPage(EntryKind::Repair);
        QVERIFY(rate->text().isEmpty());
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(rate->text(), QString("0,016"));
        QCOMPARE(f.field(EntryKind::Repair, "RefundPercent")->text(), QString("50"));
        QCOMPARE(f.general()->pages->currentIndex(), 5);
    }

    void sectionGroupsNeedTheirChoice()
    {
        GeneralWindow f;
        f.store(EntryKind::Difficulty);
        QCOMPARE(f.entries(), std::size_t{0});
        f.choice(EntryKind::Difficulty, "section")->click(1);
        f.store(EntryKind::Difficulty);
        QCOMPARE(f.listLines(), QStringList{"Difficulty Level: Normal [NORMAL]"});
        QCOMPARE(f.entry(0).name, std::string("Normal [NORMAL]"));
        f.choice(EntryKind::Country, "section")->click(7);
        f.store(EntryKind::Country);
        QCOMPARE(f.entry(1).data[0], std::uint8_t{7});
        QCOMPARE(f.listLines().last(), QString("Country Settings: Spain [SPAIN]"));
        f.choice(EntryKind::Terrain, "section")->click(0);
        f.store(EntryKind::Terrain);
        QCOMPARE(f.entry(2).data, (Bytes{0, 100, 100, 100, 100, 0}));
        QCOMPARE(f.listLines().last(), QString("Terrain Settings: Clear Grassy Terrain [Clear]"));
    }

    void aStoredCratesGroupRestoresEachChoice()
    {
        GeneralWindow f;
        // A crate kind is no unit type, and the game knows no crate kind NONE.
        f.choice(EntryKind::Crates, "UnitCrateType")->click(3);
        f.choice(EntryKind::Crates, "WaterCrate")->click(0);
        QVERIFY(f.choice(EntryKind::Crates, "UnitCrateType")->text().isEmpty());
        QVERIFY(f.choice(EntryKind::Crates, "WaterCrate")->text().isEmpty());
        f.choice(EntryKind::Crates, "UnitCrateType")->click(21);
        f.choice(EntryKind::Crates, "SilverCrate")->click(8);
        f.choice(EntryKind::Crates, "WoodCrate")->click(17);
        f.store(EntryKind::Crates);
        QCOMPARE(f.listLines(), QStringList{"Crates Settings"});
        auto data = f.entry(0).data;
        // The water crate left empty takes the stock one.
        QCOMPARE((Bytes{data[8], data[28], data[29], data[30]}), (Bytes{21, 8, 8, 17}));
        f.general()->close();
        QVERIFY(f.choice(EntryKind::Crates, "SilverCrate")->text().isEmpty());
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.choice(EntryKind::Crates, "UnitCrateType")->text(), QString("Heavy Tank [3TNK]"));
        QCOMPARE(f.choice(EntryKind::Crates, "SilverCrate")->text(), QString("Get Money [MONEY]"));
        QCOMPARE(f.choice(EntryKind::Crates, "WaterCrate")->text(), QString("Get Money [MONEY]"));
        QCOMPARE(f.choice(EntryKind::Crates, "WoodCrate")->text(), QString("Time Quake [TIMEQUAKE]"));
    }

    // A stored position the game cannot use is told when the entry is
    // edited, and stays as it was stored.
    void anOldCrateKindIsToldWhenEdited()
    {
        GeneralWindow f;
        auto crates = general::stockGroup(*general::groupOfKind(EntryKind::Crates), 0);
        crates.values[7] = 0;
        f.windows().prjform->appendEntry({EntryKind::Crates, "Crate Settings", general::pack(crates), {}},
                                         "Crates Settings");
        f.windows().prjform->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.windows().prjform->EditQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, QStringList{"information: Silver Crate Bonus NONE is no choice the game knows."});
        QCOMPARE(f.choice(EntryKind::Crates, "SilverCrate")->text(), QString("Random [NONE]"));
    }

    void numbersThatDoNotFitAreRefused()
    {
        GeneralWindow f;
        f.field(EntryKind::SpecialWeapons, "BadgerBombCount")->setText("x");
        f.store(EntryKind::SpecialWeapons);
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a number from 0 to 255 for Badger Bombers!"});
        QCOMPARE(f.entries(), std::size_t{0});
        f.field(EntryKind::SpecialWeapons, "BadgerBombCount")->setText("3");
        f.store(EntryKind::SpecialWeapons);
        auto data = f.entry(0).data;
        QCOMPARE(data[42], std::uint8_t{3});
        QCOMPARE(data[5], std::uint8_t{12});  // a list left empty takes the stock choice
        QCOMPARE(f.listLines(), QStringList{"Special Weapon Settings"});
    }

    void everyGroupAndABuildingCompileToTheWritersSections()
    {
        GeneralWindow f;
        f.choice(EntryKind::Difficulty, "section")->click(0);
        f.choice(EntryKind::Country, "section")->click(2);
        f.choice(EntryKind::Terrain, "section")->click(3);
        for (const auto* group : general::pageOrder())
            f.store(group->kind);
        auto* building = f.windows().cnbform;
        building->form->field("name")->setText("Hall");
        building->replacementList->setCurrentRow(0);
        QTest::mouseClick(building->AddButton, Qt::LeftButton);
        QCOMPARE(f.entries(), std::size_t{14});
        f.dialogs.log.clear();
        f.dialogs.answers.push_back(DialogService::Answer::Yes);
        QTest::mouseClick(f.windows().prjform->compQXP, Qt::LeftButton);
        QVERIFY(f.dialogs.log.last().startsWith("information: No graphics to compile.\rRulesINI compilation successful!"));
        auto text = test::builtRules(toPath(f.workingFile("project.tmp")));
        QCOMPARE(readFile(f.dir / "game" / "rules.ini"), Bytes(text.begin(), text.end()));
        // Stored with the window's defaults: the stock Firepower line, which
        // the game never reads, stays; the changed values take their lines.
        QVERIFY(text.find("[Easy]\r\nFirepower=1.2\r\nGroundspeed=1\r\n") != std::string::npos);
        QVERIFY(text.find("[Water]\r\nFoot=100%\r\nTrack=100%\r\nWheel=100%\r\nFloat=100%\r\nBuildable=no\r\n") !=
                std::string::npos);
        QVERIFY(text.find("Name=Hall\r\n") != std::string::npos);
        QVERIFY(text.find("GameSpeeBias=1\r\n") != std::string::npos);
    }
};

QTEST_MAIN(GeneralWindowTest)
#include "general_window_test.moc"
