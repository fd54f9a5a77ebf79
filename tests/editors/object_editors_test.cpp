// The weapon, warhead and projectile editors through their windows.
#include "compiler/compile.h"
#include "editors/editor_form.h"
#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "library/library_file.h"
#include "library/library_viewer.h"
#include "project/encoder.h"
#include "stock/line_helpers.h"
#include "stock/loaded_record.h"
#include "shell/all_windows.h"
#include "support/frames.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::frames;
using qx::test::ProgramFixture;
using qx::test::actionNamed;
using qx::test::deliver;

namespace {

QMenu* loadSubmenu(EditorWindow* editor)
{
    return editor->loadMenu;
}

struct Editors : ProgramFixture {
    Editors()
    {
        acceptDirectories();
        start();
    }
    Tcnwform* weapon() { return windows().cnwform; }
    Tcnwhform* warhead() { return windows().cnwhform; }
    Tcnpform* projectile() { return windows().cnpform; }
    void add(EditorWindow* editor)
    {
        dialogs.log.clear();
        QTest::mouseClick(editor->AddButton, Qt::LeftButton);
    }
    project::Entry entry(std::size_t index) { return project::readEntry(workingFile("project.tmp"), index); }
    std::size_t entries() { return project::readDirectory(workingFile("project.tmp")).entries.size(); }
    QStringList listLines() { return test::listLines(windows().prjform); }
    void edit(int row)
    {
        windows().prjform->ListBox1->setCurrentRow(row);
        QTest::mouseClick(windows().prjform->EditQXP, Qt::LeftButton);
    }
};

}

class ObjectEditorsTest : public QObject {
    Q_OBJECT

private slots:
    // The core's model of a save after a stock load, which the rules import
    // stands on, against every editor and every object it offers.
    void everyStockLoadStoresWhatTheCoreExpects()
    {
        Editors f;
        auto& w = f.windows();
        const std::pair<EditorWindow*, EntryKind> editors[] = {{w.cnuform, EntryKind::Unit}, {w.cnbform, EntryKind::Building},
                                                               {w.cnwform, EntryKind::Weapon}, {w.cnpform, EntryKind::Projectile},
                                                               {w.cnwhform, EntryKind::Warhead}};
        for (auto [editor, kind] : editors) {
            for (const auto& text : stock::objectList(kind)) {
                auto identifier = stock::bracketIdentifier(text);
                auto position = stock::replacementPosition(kind, identifier);
                if (!position)
                    continue;
                editor->loadStock(identifier);
                auto expected = stock::loadedRecord(kind, stock::loadStockObject(identifier, kind));
                if (auto* name = editor->form->field("name")) {
                    name->setText("X");
                    expected.text("name") = "X";
                    expected.number("replaced") = *position;
                }
                f.add(editor);
                QVERIFY2(f.dialogs.log.isEmpty(), qPrintable(f.dialogs.log.join("\n")));
                auto stored = f.entry(f.entries() - 1);
                QVERIFY2(records::unpack(kind, stored.data) == expected, identifier.c_str());
            }
        }
    }

    void loadingTanyasPistolFillsTheWeapon()
    {
        Editors f;
        auto* load = loadSubmenu(f.weapon());
        QCOMPARE(load->actions().size(), 35);
        QVERIFY(!actionNamed(load, "&Torpedo Tube [TorpTube]"));
        actionNamed(load, "&Tanya's Pistol [Colt45]")->trigger();
        auto* form = f.weapon()->form.get();
        QCOMPARE(form->field("damage")->text(), QString("50"));
        QCOMPARE(form->field("range")->text(), QString("5,75"));
        QCOMPARE(form->field("delay")->text(), QString("5"));
        QCOMPARE(form->field("speed")->text(), QString("100"));
        QCOMPARE(form->choice("projectile")->text(), QString("Invisible Flight to Target [Invisible]"));
        QCOMPARE(form->choice("warhead")->text(), QString("Anti-Infantry Rifle Bullet [HollowPoint]"));
        QCOMPARE(form->choice("sound")->text(), QString("Pistol Shot [GUN5]"));
        QCOMPARE(form->choice("replaced")->text(), QString("Tanya's Pistol [Colt45]"));
        // The torpedo tube stays unselectable by a click.
        form->choice("replaced")->click(21);
        QCOMPARE(form->choice("replaced")->text(), QString("Tanya's Pistol [Colt45]"));
    }

    void aWeaponSavedEmptyStoresTheDefaults()
    {
        Editors f;
        f.add(f.weapon());
        QCOMPARE(f.dialogs.log, QStringList{"error: Please select a weapon to replace"});
        f.weapon()->form->choice("replaced")->click(28);
        f.add(f.weapon());
        QCOMPARE(f.dialogs.log, QStringList{});
        QCOMPARE(f.listLines(), QStringList{"Weapon: Gunboat Mounted Anti-Aircraft Rocket [Stinger]"});
        QCOMPARE(f.entry(0).name, std::string("Gunboat Mounted Anti-Aircraft Rocket [Stinger]"));
        QCOMPARE(f.entry(0).data, (Bytes{28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
    }

    void weaponFieldsAreTypedAndChecked()
    {
        Editors f;
        auto* form = f.weapon()->form.get();
        form->choice("replaced")->click(0);
        QTest::keyClicks(form->field("damage"), "12-");
        QCOMPARE(form->field("damage")->text(), QString("-12"));
        QTest::keyClicks(form->field("range"), "5,7,5");
        QCOMPARE(form->field("range")->text(), QString("5,75"));
        // A decimal point is typed as the comma; a refused key says what the field takes.
        form->field("range")->clear();
        auto* range = static_cast<FilteredLineEdit*>(form->field("range"));
        QSignalSpy refused(range, &FilteredLineEdit::refused);
        QTest::keyClicks(range, "5.75.x");
        QCOMPARE(range->text(), QString("5,75"));
        QCOMPARE(refused.count(), 2);
        QCOMPARE(refused.at(1).at(0).toString(),
                 QString("This field takes a number up to 255, with a point or a comma before the decimals."));
        form->field("burst")->setText("300");  // two characters at most
        QCOMPARE(form->field("burst")->text(), QString("30"));
        form->field("speed")->setText("256");
        f.add(f.weapon());
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a number from 0 to 255 for Speed!"});
        QCOMPARE(f.entries(), std::size_t{0});
        form->field("burst")->setText("2");
        form->field("speed")->setText("15");
        form->choice("sound")->click(2);
        form->choice("sound")->click(2);  // the default, clicked twice: nothing chosen
        QVERIFY(form->choice("sound")->text().isEmpty());
        f.add(f.weapon());
        auto data = f.entry(0).data;
        QCOMPARE((Bytes(data.begin() + 4, data.begin() + 17)),
                 (Bytes{0xf4, 0xff, 0xff, 0xff, 0x3f, 0x02, 0, 0, 15, 2, 2, 0, 2}));
    }

    void pictureButtonsOpenTheProjectileAndWarheadEditors()
    {
        Editors f;
        actionNamed(loadSubmenu(f.weapon()), "&Tanya's Pistol [Colt45]")->trigger();
        QTest::mouseClick(f.weapon()->WarheadButton, Qt::LeftButton);
        QVERIFY(f.warhead()->isVisible());
        QCOMPARE(f.warhead()->form->choice("replaced")->text(), QString("Anti-Infantry Rifle Bullet [HollowPoint]"));
        QCOMPARE(f.warhead()->form->field("none")->text(), QString::fromStdString(
                                                                 stock::loadStockObject("HollowPoint", EntryKind::Warhead).find("None")->text));
        QTest::mouseClick(f.weapon()->ProjectileButton, Qt::LeftButton);
        QVERIFY(f.projectile()->isVisible());
        QCOMPARE(f.projectile()->form->choice("replaced")->text(), QString("Invisible Flight to Target [Invisible]"));
        QVERIFY(f.projectile()->form->box("antiGround")->isChecked());
    }

    void warheadBoxesPercentsAndChecks()
    {
        Editors f;
        auto* form = f.warhead()->form.get();
        QTest::keyClicks(form->field("none"), "1005");
        QCOMPARE(form->field("none")->text(), QString("100"));
        QTest::keyClicks(form->field("wood"), "x5");
        QCOMPARE(form->field("wood")->text(), QString("5"));
        f.add(f.warhead());
        QCOMPARE(f.dialogs.log, QStringList{});  // no warhead chosen: nothing at all
        form->choice("replaced")->click(5);
        f.add(f.warhead());
        QCOMPARE(f.dialogs.log, (QStringList{"error: Please enter a number from 0 to 255 for Light Armor!",
                                             "error: Please enter a number from 0 to 255 for Heavy Armor!",
                                             "error: Please enter a number from 0 to 255 for Concrete!",
                                             "error: Please enter a number from 0 to 255 for Spread Factor!"}));
        for (const char* id : {"light", "heavy", "concrete"})
            form->field(id)->setText("50");
        form->field("spread")->setText("x");
        f.add(f.warhead());
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a number from 0 to 255 for Spread Factor!"});
        form->field("spread")->setText("1");
        form->choice("explosion")->click(1);
        form->choice("explosion")->click(1);  // twice: none
        form->box("wall")->setChecked(true);
        form->box("woodBox")->setChecked(true);
        f.add(f.warhead());
        QCOMPARE(f.listLines(), QStringList{"Warhead: Special Case Warhead [Super]"});
        QCOMPARE(f.entry(0).data, (Bytes{5, 100, 5, 50, 50, 50, 0, 0, 1, 1, 0, 1}));
    }

    void anEditedWarheadIsReplacedOnlyWhileItsWarheadStaysChosen()
    {
        Editors f;
        auto* form = f.warhead()->form.get();
        actionNamed(loadSubmenu(f.warhead()), "Armor Piercing [AP]")->trigger();
        f.add(f.warhead());
        f.add(f.warhead());
        f.edit(0);
        QCOMPARE(f.warhead()->edited.position(), 0);
        QCOMPARE(form->choice("replaced")->text(), QString("Armor Piercing [AP]"));
        form->field("none")->setText("7");
        f.add(f.warhead());
        QCOMPARE(f.entries(), std::size_t{2});
        QCOMPARE(f.entry(1).data[1], std::uint8_t{7});
        QCOMPARE(f.warhead()->edited.position(), 1);
        form->choice("replaced")->click(0);
        QVERIFY(!f.warhead()->edited.isSet());
        f.add(f.warhead());
        QCOMPARE(f.listLines(), (QStringList{"Warhead: Armor Piercing [AP]", "Warhead: Armor Piercing [AP]",
                                             "Warhead: General Multiple Small Arms Fire [SA]"}));
    }

    void aProjectileKeepsItsGraphicThroughAnEdit()
    {
        Editors f;
        auto* form = f.projectile()->form.get();
        f.add(f.projectile());
        QCOMPARE(f.dialogs.log, (QStringList{"error: Please select a projectile to replace",
                                             "error: Please type in an internal name for your projectile"}));
        fs::create_directories(f.dir / "libs");
        test::writeBytes(f.dir / "libs" / "p.vkl",
                         encoder::coded(library::buildLibrary(library::LibraryKind::Projectile, "P",
                                                              {{test::bytesOf("OLD"), frames(1, 3, 3)}, {test::bytesOf("PRJ-SHP"), frames(3, 3, 3)}})));
        auto* browser = f.windows().form2;
        browser->setDirectory(QString::fromStdString(toText(f.dir / "libs")));
        browser->FileListBox1->setCurrentRow(0);
        QTest::mouseClick(browser->ViewButton, Qt::LeftButton);
        auto* viewer = browser->viewers().back();
        for (int i : {0, 1}) {  // a second drop replaces the first
            std::unique_ptr<QMimeData> mime(viewer->previews()[static_cast<std::size_t>(i)]->dragData());
            browser->animationDragStarted(viewer->previews()[static_cast<std::size_t>(i)]);
            QVERIFY(deliver(f.projectile()->preview, mime.get()));
            browser->animationDragEnded();
        }
        QCOMPARE(f.projectile()->preview->frames().frames.size(), std::size_t{3});
        form->choice("replaced")->click(6);
        form->choice("replaced")->click(6);  // chosen again: stays chosen
        QCOMPARE(form->choice("replaced")->text(), QString("Homing Missile [HeatSeeker]"));
        f.add(f.projectile());
        QCOMPARE(f.dialogs.log, QStringList{"error: Please type in an internal name for your projectile"});
        form->field("internalName")->setText("MISSILE1");
        form->field("frames")->setText("70000");
        f.add(f.projectile());
        QCOMPARE(f.dialogs.log, QStringList{"error: Please enter a number from 0 to 65535 for Frames!"});
        form->field("frames")->clear();
        f.add(f.projectile());
        QCOMPARE(f.listLines(), QStringList{"Projectile: Homing Missile [HeatSeeker]"});
        auto first = f.entry(0);
        auto record = records::unpack(EntryKind::Projectile, first.data);
        QCOMPARE(record.number("frames"), 1);
        auto shp = records::partsOf(record, first.data)[1];
        QCOMPARE(Bytes(shp.begin(), shp.end()), test::bytesOf("PRJ-SHP"));

        f.edit(0);
        QCOMPARE(form->field("internalName")->text(), QString("MISSILE1"));
        QVERIFY(f.projectile()->preview->hasFrames());
        f.add(f.projectile());
        QCOMPARE(f.entries(), std::size_t{1});
        QCOMPARE(f.entry(0).data, first.data);
        QCOMPARE(project::openedListLines(f.workingFile("project.tmp")),
                 std::vector<std::string>{"Projectile: Homing Missile [HeatSeeker]"});
    }

    void oneEntryOfEachKindCompilesToTheWritersSections()
    {
        Editors f;
        actionNamed(loadSubmenu(f.weapon()), "&Tanya's Pistol [Colt45]")->trigger();
        f.add(f.weapon());
        actionNamed(loadSubmenu(f.warhead()), "Nuclear Warhead [Nuke]")->trigger();
        f.add(f.warhead());
        f.projectile()->form->choice("replaced")->click(0);
        f.add(f.projectile());
        QCOMPARE(f.entries(), std::size_t{3});
        QTest::mouseClick(f.windows().prjform->compQXP, Qt::LeftButton);
        QVERIFY(f.dialogs.log.last().startsWith("information: No graphics to compile.\rRulesINI compilation successful!"));
        auto text = test::builtRules(toPath(f.workingFile("project.tmp")));
        QCOMPARE(readFile(f.dir / "game" / "rules.ini"), Bytes(text.begin(), text.end()));
        auto rules = std::string(text);
        // Loaded and added unchanged, the pistol and the nuke stay as they
        // stood; the projectile saved empty says what its empty fields mean.
        QVERIFY(rules.find("[Colt45]\r\nDamage=50\r\nROF=5\r\nRange=5.75\r\nProjectile=Invisible\r\nSpeed=100\r\n"
                           "Warhead=HollowPoint\r\nReport=GUN5\r\n \r\n") != std::string::npos);
        QVERIFY(rules.find("[Invisible]\r\nInviso=no\r\nAG=no\r\nShadow=no\r\n \r\n; flying dog\r\n") !=
                std::string::npos);
        auto stock = compiler::rulesFileText(compiler::stockRules());
        QCOMPARE(rules.size(), stock.size() - std::string("Inviso=yes\r\nImage=none\r\n").size() +
                                   std::string("Inviso=no\r\nAG=no\r\nShadow=no\r\n").size());
    }
};

QTEST_MAIN(ObjectEditorsTest)
#include "object_editors_test.moc"
