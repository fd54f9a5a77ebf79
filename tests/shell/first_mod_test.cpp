#include "common/file_names.h"
#include "editors/filtered_line_edit.h"
#include "library/drop_targets.h"
#include "library/library_browser.h"
#include "library/library_viewer.h"
#include "library/new_library_window.h"
#include "library/shp.h"
#include "project/preview_window.h"
#include "shell/all_windows.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::actionNamed;
using Answer = DialogService::Answer;

// The guide's first mod, step by step, with clicks, keys and drags; every
// file dialog answered as the player would.
class FirstModTest : public QObject {
    Q_OBJECT

private:
    test::ProgramFixture f;
    QString path(const std::string& name) { return QString::fromStdString(toText(f.dir / name)); }
    void click(QWidget* parent, const char* name)
    {
        auto* button = parent->findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // New Library... of the SHP file, as the kind at that index.
    void makeLibrary(int kind, const char* title)
    {
        auto* window = f.windows().form2->newLibrary();
        click(f.windows().form2, "NewButton");
        window->KindBox->setCurrentIndex(kind);
        QTest::keyClicks(window->TitleEdit, title);
        f.dialogs.files = {path("tank.shp"), path("temperat.pal")};
        click(window, "AddShpButton");
        click(window, "PaletteButton");
        click(window, "MakeButton");
    }

private slots:
    void theGuidesFirstModInFifteenMinutes()
    {
        std::vector<Bytes> frames(64, Bytes(16, 7));
        test::writeBytes(f.dir / "tank.shp", library::writeShp(4, 4, frames));
        test::writeBytes(f.dir / "temperat.pal", Bytes(768, 30));
        f.start();
        auto& w = f.windows();

        // 1. The three folders.
        f.dialogs.files = {path("game"), path("program"), path("units")};
        for (const char* browse : {"BrowseEdit1", "BrowseEdit2", "BrowseEdit3"})
            click(w.settings, browse);
        click(w.settings, "OKButton");
        QVERIFY(w.settings->state().directoriesSet);

        // 2. The Heavy Tank loaded, its weapon's range typed with a point.
        click(w.form1, "UnitButton");
        auto* unit = w.cnuform;
        actionNamed(actionNamed(unit->loadMenu, "&Vehicle")->menu(), "Heavy &Tank [3TNK]")->trigger();
        unit->form->field("cost")->clear();
        QTest::keyClicks(unit->form->field("cost"), "1500");
        click(unit, "PrimaryWeaponButton");
        auto* range = w.cnwform->form->field("range");
        range->clear();
        QTest::keyClicks(range, "7.5");
        QCOMPARE(range->text(), QString("7,5"));
        click(w.cnwform, "AddButton");

        // 3. Two libraries of the SHP file, and its icon and animation dragged in.
        click(w.form1, "OpenVKLButton");
        makeLibrary(1, "Tank Icons");
        QVERIFY(test::dragFirstGraphic(w.form2, unit->iconArea));
        makeLibrary(0, "Tanks");
        QVERIFY(test::dragFirstGraphic(w.form2, unit->imageArea));
        QCOMPARE(unit->replacementList->currentItem()->text(), QString("Heavy Tank [3TNK]"));
        QTest::keyClicks(unit->form->field("internalName"), "QTNK");
        click(unit, "AddButton");
        QCOMPARE(f.dialogs.log.filter("error:"), QStringList{});
        QCOMPARE(test::listLines(w.prjform), (QStringList{"Weapon: Medium Anti Armor Cannon [105mm]", "Unit: Heavy Tank"}));

        // 4. Preview, Compile, Save, reopen.
        click(w.prjform, "PreviewQXP");
        QVERIFY(w.prjform->preview->isVisible());
        f.dialogs.answers = {Answer::Yes};
        click(w.prjform->preview, "CompileButton");
        QVERIFY(f.dialogs.log.last().endsWith("The compiled files are in " + path("game") + "."));
        auto rules = readFile(f.dir / "game" / "rules.ini");
        auto text = std::string(rules.begin(), rules.end());
        QVERIFY(text.find("Range=7.5") != std::string::npos);
        QVERIFY(text.find("Cost=1500") != std::string::npos);
        QVERIFY(fs::exists(f.dir / "game" / "sc-qx.mix"));
        f.dialogs.files = {path("units/first.qxp")};
        click(w.prjform, "SaveQXP");
        click(w.prjform, "NewQXP");
        f.dialogs.files = {path("units/first.qxp")};
        click(w.prjform, "OpenQXP");
        QCOMPARE(test::listLines(w.prjform).size(), 2);
        QCOMPARE(w.prjform->windowTitle(), QString("Project - first.qxp[*]"));

        // 5. A Remove taken back.
        w.prjform->ListBox1->setCurrentRow(0);
        f.dialogs.answers = {Answer::Yes};
        click(w.prjform, "RemoveQXP");
        QCOMPARE(test::listLines(w.prjform).size(), 1);
        w.prjform->undoAction->trigger();
        QCOMPARE(test::listLines(w.prjform).size(), 2);
    }
};

QTEST_MAIN(FirstModTest)
#include "first_mod_test.moc"
