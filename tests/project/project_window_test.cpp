#include "stock/records.h"
#include "project/encoder.h"
#include "project/package.h"
#include "compiler/rules_writer.h"
#include "project/import_window.h"
#include "project/preview_window.h"
#include "library/drop_targets.h"
#include "library/library_browser.h"
#include "library/library_file.h"
#include "library/shp.h"
#include "shell/all_windows.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QLayout>
#include <QListWidget>
#include <QMimeData>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::ProgramFixture;
using Answer = DialogService::Answer;
using SaveAnswer = DialogService::SaveAnswer;

namespace {

struct StandIn : EntryLoader {
    void loadEntry(int position, const project::Entry& entry) override
    {
        positions.push_back(position);
        entries.push_back(entry);
    }
    std::vector<int> positions;
    std::vector<project::Entry> entries;
};

QStringList texts(QListWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

// A started program whose project holds three weapons A, B and C.
struct ProjectFixture : ProgramFixture {
    ProjectFixture()
    {
        acceptDirectories();
        start();
        for (const char* name : {"A", "B", "C"}) {
            project::append(projectFile(), workingFile("tempqxp.tmp"), {EntryKind::Weapon, name, Bytes(24, 7), {}});
            prj()->addLine(std::string("Weapon: ") + name);
        }
    }
    Tprjform* prj() { return windows().prjform; }
    fs::path projectFile() const { return workingFile("project.tmp"); }
    QStringList lines() { return texts(prj()->ListBox1); }
    QString path(const std::string& name) { return QString::fromStdString(toText(dir / name)); }
};

project::NewEntry unitWithGraphics()
{
    auto unit = records::defaults(EntryKind::Unit);
    unit.text("name") = "Tank";
    unit.text("internalName") = "ABCD";
    unit.number("strength") = 777;
    unit.number("replaced") = 1;
    unit.number("frameCount") = 64;
    unit.sizes = {0, 0, 10, 20};
    return {EntryKind::Unit, "Tank", records::pack(unit), {Bytes(10, 'i'), Bytes(20, 'u')}};
}

// Every file below a folder with its bytes.
std::map<std::string, Bytes> folderBytes(const fs::path& folder)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[toText(entry.path())] = readFile(entry.path());
    }
    return files;
}

void menuCommand(ProjectFixture& f, const QString& caption)
{
    for (auto* action : f.prj()->ImportExportMenu->actions()) {
        if (action->text() == caption)
            action->trigger();
    }
}

}

class ProjectWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsStandInTheirOrder()
    {
        ProjectFixture f;
        QStringList shown;
        auto* layout = f.prj()->layout();
        for (int i = 0; i < layout->count(); ++i) {
            auto* widget = layout->itemAt(i)->widget();
            auto* button = qobject_cast<QPushButton*>(widget);
            shown << (button ? button->text() : widget->objectName());
        }
        QCOMPARE(shown, (QStringList{"New", "Open", "RecentQXP", "Save", "Save As...", "ListBox1", "Edit", "Remove", "Compile", "Preview",
                                     "Restore Game", "Import / Export", "warnings"}));
        QStringList actions;
        for (auto* action : f.prj()->ImportExportMenu->actions())
            actions << action->text();
        QCOMPARE(actions, (QStringList{"Export as Text...", "Import Text...", "Import rules.ini..."}));
    }

    void newOnAnEmptyListDoesNothing()
    {
        ProgramFixture f;
        f.acceptDirectories();
        f.start();
        fs::remove(f.workingFile("project.tmp"));
        QTest::mouseClick(f.windows().prjform->NewQXP, Qt::LeftButton);
        QVERIFY(f.dialogs.log.isEmpty());
        QVERIFY(!fs::exists(f.workingFile("project.tmp")));
    }

    // With nothing unsaved, New asks nothing: the work is in a package or
    // in the game already.
    void newWithNothingUnsavedAsksNothing()
    {
        ProjectFixture f;
        f.windows().cnwform->edited.set(1);
        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, QStringList{});
        QCOMPARE(f.lines(), QStringList{});
        QCOMPARE(fs::file_size(f.projectFile()), 8u);
        QCOMPARE(f.windows().cnwform->edited.position(), -1);
    }

    // The caption names the project's package and marks unsaved changes;
    // Save writes to that package, Save As asks; the package is offered
    // again under Recent Projects, which forgets one that is gone.
    void theProjectHasANameAndRecentProjects()
    {
        ProjectFixture f;
        // File dialogs start in the New Units Directory.
        QCOMPARE(f.dialogs.startFolder, f.path("units"));
        f.prj()->show();
        QVERIFY(QTest::qWaitForWindowActive(f.prj()));
        f.dialogs.files = {f.path("first.qxp")};
        QTest::keyClick(f.prj(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(f.prj()->windowTitle(), QString("Project - first.qxp[*]"));
        f.prj()->appendEntry({EntryKind::Weapon, "D", Bytes(24, 7), {}}, "Weapon: D");
        QVERIFY(f.prj()->isWindowModified());
        QTest::mouseClick(f.prj()->SaveQXP, Qt::LeftButton);
        QVERIFY(!f.prj()->isWindowModified());
        QCOMPARE(f.dialogs.log, QStringList{"save: Quarvex Projects|*.qxp|All Files|*.* (qxp)"});
        f.dialogs.files = {f.path("second.qxp")};
        QTest::mouseClick(f.prj()->SaveAsQXP, Qt::LeftButton);
        QCOMPARE(f.prj()->windowTitle(), QString("Project - second.qxp[*]"));
        QCOMPARE(f.windows().uiState->state().recentProjects,
                 (std::vector<std::string>{toText(f.dir / "second.qxp"), toText(f.dir / "first.qxp")}));

        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        QCOMPARE(f.prj()->windowTitle(), QString("Project - Untitled[*]"));
        emit f.prj()->RecentMenu->aboutToShow();
        f.prj()->RecentMenu->actions().at(1)->trigger();
        QCOMPARE(f.lines().size(), 4);
        QCOMPARE(f.prj()->windowTitle(), QString("Project - first.qxp[*]"));
        fs::remove(f.dir / "second.qxp");
        emit f.prj()->RecentMenu->aboutToShow();
        f.prj()->RecentMenu->actions().at(1)->trigger();
        QCOMPARE(f.dialogs.log.last(), "error: The project " + f.path("second.qxp") + " is gone.");
        QCOMPARE(f.windows().uiState->state().recentProjects, std::vector<std::string>{toText(f.dir / "first.qxp")});
    }

    void saveAndOpenRoundTrip()
    {
        ProjectFixture f;
        auto before = readFile(f.projectFile());
        f.dialogs.files = {f.path("p.qxp")};
        QTest::mouseClick(f.prj()->SaveQXP, Qt::LeftButton);
        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        f.windows().cnbform->edited.set(2);
        f.dialogs.files = {f.path("p.qxp")};
        QTest::mouseClick(f.prj()->OpenQXP, Qt::LeftButton);
        QCOMPARE(readFile(f.projectFile()), before);
        QCOMPARE(f.lines(), (QStringList{"Weapon: A", "Weapon: B", "Weapon: C"}));
        QCOMPARE(f.windows().cnbform->edited.position(), -1);
    }

    void openOfAFileThatIsNoPackageChangesNothing()
    {
        ProjectFixture f;
        auto before = readFile(f.projectFile());
        test::writeText(f.dir / "bad.qxp", "this is no project");
        f.windows().cnuform->edited.set(1);
        f.dialogs.files = {f.path("bad.qxp")};
        QTest::mouseClick(f.prj()->OpenQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log.last(), QString("error: This is not a valid Quarvex project!"));
        QCOMPARE(f.lines(), (QStringList{"Weapon: A", "Weapon: B", "Weapon: C"}));
        QCOMPARE(readFile(f.projectFile()), before);
        QCOMPARE(f.windows().cnuform->edited.position(), 1);
    }

    void editWithoutSelectionAsks()
    {
        ProjectFixture f;
        QTest::mouseClick(f.prj()->EditQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, QStringList{"error: Please select Unit to edit!"});
        QTest::mouseClick(f.prj()->RemoveQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log.last(), QString("error: Please select unit to delete!"));
    }

    void editHandsTheEntryToTheWindowOfItsKind()
    {
        ProjectFixture f;
        StandIn weapons, general;
        f.prj()->setLoader(EditedBy::Weapon, &weapons);
        f.prj()->setLoader(EditedBy::General, &general);
        project::append(f.projectFile(), f.workingFile("tempqxp.tmp"), {EntryKind::Crates, "Crate Settings", Bytes(32, 5), {}});
        f.prj()->addLine("Crates Settings");

        f.prj()->ListBox1->setCurrentRow(1);
        QTest::mouseClick(f.prj()->EditQXP, Qt::LeftButton);
        f.prj()->ListBox1->setCurrentRow(3);
        QTest::mouseClick(f.prj()->EditQXP, Qt::LeftButton);
        QCOMPARE(weapons.positions, std::vector<int>{1});
        QCOMPARE(weapons.entries[0].name, std::string("B"));
        QCOMPARE(weapons.entries[0].data, Bytes(24, 7));
        QCOMPARE(general.positions, std::vector<int>{3});
        QCOMPARE(general.entries[0].data, Bytes(32, 5));
        QVERIFY(f.dialogs.log.isEmpty());
    }

    void editSetsTheEditorsIndexAndShowsIt()
    {
        ProjectFixture f;
        f.prj()->ListBox1->setCurrentRow(2);
        QTest::mouseClick(f.prj()->EditQXP, Qt::LeftButton);
        QCOMPARE(f.windows().cnwform->edited.position(), 2);
        QVERIFY(f.windows().cnwform->isVisible());
    }

    void editOfADamagedProjectReportsIt()
    {
        ProjectFixture f;
        StandIn weapons;
        f.prj()->setLoader(EditedBy::Weapon, &weapons);
        auto bytes = readFile(f.projectFile());
        bytes.pop_back();
        test::writeBytes(f.projectFile(), bytes);
        f.prj()->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.prj()->EditQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, QStringList{"error: The project is damaged: the data blocks do not end with the file"});
        QVERIFY(weapons.positions.empty());

        bytes[0] = 2;  // a wrong header is passed over silently
        test::writeBytes(f.projectFile(), bytes);
        f.dialogs.log.clear();
        QTest::mouseClick(f.prj()->EditQXP, Qt::LeftButton);
        QVERIFY(f.dialogs.log.isEmpty());
    }

    void removeAdjustsEveryEditorsIndex()
    {
        ProjectFixture f;
        auto& w = f.windows();
        w.cnwform->edited.set(2);
        w.cnbform->edited.set(2);
        w.cnuform->edited.set(1);
        w.cnpform->edited.set(0);
        f.dialogs.answers = {Answer::Yes};
        f.prj()->ListBox1->setCurrentRow(1);
        QTest::mouseClick(f.prj()->RemoveQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, QStringList{"question: Do you really want to delete settings for Weapon: B [Yes/No]"});
        QCOMPARE(f.lines(), (QStringList{"Weapon: A", "Weapon: C"}));
        QCOMPARE(w.cnwform->edited.position(), 1);
        QCOMPARE(w.cnbform->edited.position(), 1);
        QCOMPARE(w.cnuform->edited.position(), -1);
        QCOMPARE(w.cnpform->edited.position(), 0);
        QCOMPARE(w.cnwhform->edited.position(), -1);
        auto lines = project::openedListLines(f.projectFile());
        QCOMPARE(lines, (std::vector<std::string>{"Weapon: A", "Weapon: C"}));
    }

    void removeAnsweredNoChangesNothing()
    {
        ProjectFixture f;
        auto before = readFile(f.projectFile());
        f.prj()->ListBox1->setCurrentRow(0);
        QTest::mouseClick(f.prj()->RemoveQXP, Qt::LeftButton);
        QCOMPARE(f.lines().size(), 3);
        QCOMPARE(readFile(f.projectFile()), before);
    }

    void listClickSetsTheTooltip()
    {
        ProjectFixture f;
        auto* list = f.prj()->ListBox1;
        list->show();
        auto rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(list->toolTip(), QString("Weapon: B"));
    }

    void namesShowInTheirCodePage()
    {
        ProjectFixture f;
        f.prj()->addLine("Unit: Pz\xe9");
        QCOMPARE(f.lines().last(), QString::fromUtf8("Unit: Pz\u00e9"));
    }

    void compileFillsTheWarningsAndInstalls()
    {
        ProjectFixture f;  // three weapons named A, B, C
        project::append(f.projectFile(), f.workingFile("tempqxp.tmp"), {EntryKind::Weapon, "A", Bytes(24, 7), {}});
        f.prj()->addLine("Weapon: A");
        f.dialogs.answers = {Answer::Yes};
        QTest::mouseClick(f.prj()->compQXP, Qt::LeftButton);
        QCOMPARE(f.prj()->warnings->count(), 1);
        QCOMPARE(f.prj()->warnings->item(0)->text(), QString("Warning: Values for A (4) redefined!"));
        // One box at the end, with the folder the files went to.
        QCOMPARE(f.dialogs.log, (QStringList{"question: An error has occurred\rDo you want to continue? [Yes/No]",
                                             "information: No graphics to compile.\rRulesINI compilation successful!"
                                             "\rThe compiled files are in " + f.path("game") + "."}));
        QVERIFY(fs::exists(f.dir / "game" / "rules.ini"));
        QVERIFY(fs::exists(f.dir / "game" / "curqxp.set"));
    }

    void compileWithAListOutOfStepStops()
    {
        ProjectFixture f;
        f.prj()->addLine("Weapon: extra");
        QTest::mouseClick(f.prj()->compQXP, Qt::LeftButton);
        QCOMPARE(f.prj()->warnings->item(0)->text(), QString("Cannot compile Project"));
        QCOMPARE(f.dialogs.log, QStringList{"error: Fatal Error\rCannot compile project!"});
        QVERIFY(!fs::exists(f.dir / "game" / "rules.ini"));
    }

    void startUpReopensTheLastCompiledProject()
    {
        ProgramFixture f;
        f.acceptDirectories();
        project::append(f.dir / "p.tmp", f.dir / "s", {EntryKind::Warhead, "Armor Piercing [AP]", Bytes(12), {}});
        project::savePackage(f.dir / "p.tmp", f.dir / "game" / "curqxp.set");
        f.start();
        QCOMPARE(f.windows().prjform->ListBox1->item(0)->text(), QString("Warhead: Armor Piercing [AP]"));
        QCOMPARE(readFile(f.workingFile("project.tmp")), readFile(f.dir / "p.tmp"));
    }

    // New and Open ask before they replace unsaved changes; a cancelled
    // file dialog under Save keeps the project.
    void unsavedChangesAreOfferedForSavingFirst()
    {
        const QString question = "question: The project has changes that are not saved. Save them first? [Save/Discard/Cancel]";
        ProjectFixture f;
        f.prj()->appendEntry({EntryKind::Weapon, "D", Bytes(24, 7), {}}, "Weapon: D");
        auto before = readFile(f.projectFile());
        f.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Save};
        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        QTest::mouseClick(f.prj()->OpenQXP, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, (QStringList{question, question, "save: Quarvex Projects|*.qxp|All Files|*.* (qxp)"}));
        QCOMPARE(readFile(f.projectFile()), before);

        f.dialogs.log.clear();
        f.dialogs.saveAnswers = {SaveAnswer::Save};
        f.dialogs.files = {f.path("kept.qxp")};
        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        QCOMPARE(encoder::coded(readFile(f.dir / "kept.qxp")), before);
        QCOMPARE(f.lines(), QStringList{});
        QVERIFY(!f.prj()->hasUnsavedChanges());
    }

    // Compiled into the game, the project is safe; restoring the game
    // takes that copy away again.
    void restoreGamePutsTheGamesFilesBack()
    {
        ProjectFixture f;
        test::writeText(f.dir / "game" / "rules.ini", "the game's rules");
        f.prj()->appendEntry({EntryKind::Weapon, "D", Bytes(24, 7), {}}, "Weapon: D");
        QTest::mouseClick(f.prj()->compQXP, Qt::LeftButton);
        QVERIFY(!f.prj()->hasUnsavedChanges());
        f.dialogs.log.clear();
        QTest::mouseClick(f.prj()->RestoreGame, Qt::LeftButton);
        const QString question = "question: Put back the game's own rules.ini and sc-qx.mix and remove the compiled "
                                 "project from the game directory? [Yes/No]";
        QCOMPARE(f.dialogs.log, QStringList{question});
        QVERIFY(fs::exists(f.dir / "game" / "curqxp.set"));

        f.dialogs.answers = {Answer::Yes, Answer::Yes};
        QTest::mouseClick(f.prj()->RestoreGame, Qt::LeftButton);
        QCOMPARE(f.dialogs.log.mid(2), QStringList{"information: The game's own files are back.\rrestored rules.ini\r"
                                                   "removed curqxp.set"});
        QCOMPARE(readFile(f.dir / "game" / "rules.ini"), test::bytesOf("the game's rules"));
        QCOMPARE(f.lines().size(), 4);
        QVERIFY(f.prj()->hasUnsavedChanges());
        QTest::mouseClick(f.prj()->RestoreGame, Qt::LeftButton);
        QCOMPARE(f.dialogs.log.last(), "information: Nothing to restore: Quarvex has not changed " + f.path("game") + ".");
    }

    void startUpWithADamagedLastProjectStartsEmpty()
    {
        ProgramFixture f;
        f.acceptDirectories();
        test::writeText(f.dir / "game" / "curqxp.set", "damaged");
        f.start();
        QCOMPARE(f.dialogs.log, QStringList{"error: This is not a valid Quarvex project!"});
        QCOMPARE(f.windows().prjform->ListBox1->count(), 0);
        QCOMPARE(fs::file_size(f.workingFile("project.tmp")), 8u);
    }

    // The preview answers the question Yes, shows what that installs and
    // writes nothing; its Compile then asks as the project window does.
    void previewShowsWhatACompileWouldDoAndWritesNothing()
    {
        ProjectFixture f;
        f.prj()->appendEntry({EntryKind::Weapon, "A", Bytes(24, 7), {}}, "Weapon: A");
        f.prj()->appendEntry(unitWithGraphics(), "Unit: Tank");
        auto before = folderBytes(f.dir.path());
        QTest::mouseClick(f.prj()->PreviewQXP, Qt::LeftButton);
        auto* preview = f.prj()->preview;
        QVERIFY(preview->isVisible());
        QCOMPARE(preview->windowTitle(), QString("Compile Preview"));
        QCOMPARE(texts(preview->Messages), (QStringList{"warning: Warning: Values for A (4) redefined!",
                                                        "question (shown as answered Yes): An error has occurred / Do you want to continue?",
                                                        "information: Graphics compilation successful!",
                                                        "information: RulesINI compilation successful!"}));
        auto diff = preview->RulesDiff->toPlainText();
        QVERIFY(diff.startsWith("--- a/rules.ini\n+++ b/rules.ini\n@@ "));
        QVERIFY(diff.contains("\n+Strength=777\n"));
        QCOMPARE(preview->Members->rowCount(), 2);
        QCOMPARE(preview->Members->item(0, 0)->text() + " " + preview->Members->item(0, 1)->text(), QString("ABCD.shp 20"));
        QCOMPARE(preview->Members->item(1, 0)->text() + " " + preview->Members->item(1, 1)->text(), QString("ABCDicon.shp 10"));
        QCOMPARE(QStringList({preview->Messages->accessibleName(), preview->RulesDiff->accessibleName(),
                              preview->Members->accessibleName()}),
                 (QStringList{"Messages", "Changes to rules.ini", "Archive members"}));
        QVERIFY(f.dialogs.log.isEmpty());
        QCOMPARE(folderBytes(f.dir.path()), before);

        f.dialogs.answers = {Answer::Yes};
        QTest::mouseClick(preview->CompileButton, Qt::LeftButton);
        QVERIFY(!preview->isVisible());
        QCOMPARE(f.dialogs.log, (QStringList{"question: An error has occurred\rDo you want to continue? [Yes/No]",
                                             "information: Graphics compilation successful!\rRulesINI compilation "
                                             "successful!\rThe compiled files are in " + f.path("game") + "."}));
        QVERIFY(fs::exists(f.dir / "game" / "sc-qx.mix"));
        QTest::mouseClick(f.prj()->PreviewQXP, Qt::LeftButton);
        QCOMPARE(preview->RulesDiff->toPlainText(), QString("The compile would not change rules.ini."));
    }

    void previewOfARefusedProjectOffersNoCompile()
    {
        ProjectFixture f;
        f.prj()->addLine("Weapon: extra");
        QTest::mouseClick(f.prj()->PreviewQXP, Qt::LeftButton);
        auto* preview = f.prj()->preview;
        QCOMPARE(texts(preview->Messages),
                 (QStringList{"warning: Cannot compile Project", "error: Fatal Error / Cannot compile project!"}));
        QCOMPARE(preview->RulesDiff->toPlainText(), QString("The compile would stop: nothing would be installed."));
        QCOMPARE(preview->Members->rowCount(), 0);
        QVERIFY(!preview->CompileButton->isEnabled());
    }

    void aMissingGameDirectoryIsRefusedInAnErrorBox()
    {
        ProjectFixture f;
        fs::remove_all(f.dir / "game");
        QTest::mouseClick(f.prj()->compQXP, Qt::LeftButton);
        QTest::mouseClick(f.prj()->PreviewQXP, Qt::LeftButton);
        auto error = "error: The game directory " + f.path("game") + " does not exist.";
        QCOMPARE(f.dialogs.log, (QStringList{error, error}));
        QVERIFY(!fs::exists(f.dir / "game"));
    }

    // Export leaves the project as it was; import brings it back as an
    // unsaved project, and a fault leaves the open one untouched.
    void theTextFormGoesOutAndComesBackThroughTheMenu()
    {
        ProjectFixture f;
        auto before = readFile(f.projectFile());
        fs::create_directories(f.dir / "full");
        test::writeText(f.dir / "full" / "x", "x");
        // A folder that is not empty is refused and the dialog stays open.
        f.dialogs.files = {f.path("full"), f.path("text")};
        menuCommand(f, "Export as Text...");
        const QString browse = "browse: Choose a new or empty folder for the project as text";
        QCOMPARE(f.dialogs.log, (QStringList{browse, "error: The folder " + f.path("full") + " is not empty.",
                                             "information: The project was written as text to " + f.path("text") + "."}));
        QVERIFY(!f.prj()->hasUnsavedChanges());

        fs::create_directories(f.dir / "bad");
        test::writeText(f.dir / "bad" / "project.ini", "[Weapon 1]\nName=D\nDamage=lots\n");
        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        f.prj()->appendEntry({EntryKind::Weapon, "D", Bytes(24, 7), {}}, "Weapon: D");
        auto unsaved = readFile(f.projectFile());
        f.dialogs.log.clear();
        f.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Discard, SaveAnswer::Discard};
        f.dialogs.files = {f.path("bad"), f.path("text")};
        menuCommand(f, "Import Text...");
        menuCommand(f, "Import Text...");
        QCOMPARE(f.dialogs.log.mid(1), (QStringList{f.dialogs.log[0], "browse: Choose the folder that holds project.ini",
                                                    "error: project.ini:3: Damage: \"lots\" is not a number"}));
        QCOMPARE(readFile(f.projectFile()), unsaved);
        QCOMPARE(f.lines(), QStringList{"Weapon: D"});

        menuCommand(f, "Import Text...");
        QCOMPARE(readFile(f.projectFile()), before);
        QCOMPARE(f.lines(), (QStringList{"Weapon: A", "Weapon: B", "Weapon: C"}));
        QVERIFY(f.prj()->hasUnsavedChanges());
    }

    // Remove, an editor's Add and an import are undone and redone step by
    // step (Ctrl+Z, the list's menu, Ctrl+Shift+Z); the selection stays on
    // the neighbour the player expects.
    void removeAddAndImportAreUndoneStepByStep()
    {
        ProjectFixture f;
        f.prj()->show();
        QVERIFY(QTest::qWaitForWindowActive(f.prj()));
        const QStringList abc{"Weapon: A", "Weapon: B", "Weapon: C"};
        f.dialogs.files = {f.path("text")};
        menuCommand(f, "Export as Text...");
        QVERIFY(!f.prj()->undoAction->isEnabled());

        f.prj()->ListBox1->setCurrentRow(1);
        f.dialogs.answers = {Answer::Yes};
        QTest::mouseClick(f.prj()->RemoveQXP, Qt::LeftButton);
        const QStringList ac{"Weapon: A", "Weapon: C"};
        QCOMPARE(f.lines(), ac);
        QCOMPARE(f.prj()->ListBox1->currentRow(), 1);
        auto* weapon = f.windows().cnwform;
        weapon->form->choice("replaced")->click(0);
        QTest::mouseClick(weapon->AddButton, Qt::LeftButton);
        auto added = f.lines();
        QCOMPARE(added.size(), 3);
        f.dialogs.saveAnswers = {SaveAnswer::Discard};
        f.dialogs.files = {f.path("text")};
        menuCommand(f, "Import Text...");
        QCOMPARE(f.lines(), abc);

        QTest::keyClick(f.prj(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.lines(), added);
        f.prj()->ListBox1->actions().at(0)->trigger();
        QCOMPARE(f.lines(), ac);
        f.prj()->undoAction->trigger();
        QCOMPARE(f.lines(), abc);
        QCOMPARE(f.prj()->ListBox1->currentRow(), 1);
        QVERIFY(!f.prj()->undoAction->isEnabled());
        QTest::keyClick(f.prj(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f.lines(), ac);
        QCOMPARE(project::openedListLines(f.projectFile()), (std::vector<std::string>{"Weapon: A", "Weapon: C"}));
        QVERIFY(f.prj()->hasUnsavedChanges());
    }

    // Files dragged from a file manager: an SHP onto an editor's graphic (the
    // palette asked for once), a library onto the browser, a package and a
    // rules.ini onto the project window.
    void filesDroppedFromAFileManager()
    {
        ProjectFixture f;
        f.dialogs.files = {f.path("p.qxp")};
        QTest::mouseClick(f.prj()->SaveQXP, Qt::LeftButton);
        test::writeBytes(f.dir / "tank.shp", library::writeShp(2, 2, {Bytes(4, 1), Bytes(4, 2), Bytes(4, 3)}));
        test::writeBytes(f.dir / "mine.pal", Bytes(768, 40));
        auto text = compiler::rulesFileText(compiler::stockRules());
        text.replace(text.find("Strength=400", text.find("[3TNK]")), 12, "Strength=450");
        test::writeText(f.dir / "rules.ini", text);
        auto* unit = f.windows().cnuform;
        f.dialogs.log.clear();
        f.dialogs.files = {f.path("mine.pal")};
        QVERIFY(test::dropFile(unit->imageArea, f.dir / "tank.shp"));
        QVERIFY(test::dropFile(unit->iconArea, f.dir / "tank.shp"));
        QCOMPARE(f.dialogs.log, QStringList{"open: Palettes|*.pal;*.png|All Files|*.* (pal)"});
        QCOMPARE(unit->imageArea->frames().frames.size(), std::size_t{3});
        QVERIFY(!unit->iconArea->picture().empty());
        auto source = f.windows().form1->graphicSource(graphics::Graphic::UnitImage);
        QCOMPARE(library::openLibrary(toPath(source.libraryPath)).image(0), readFile(f.dir / "tank.shp"));
        QVERIFY(!test::dropFile(unit->imageArea, f.dir / "rules.ini"));
        QVERIFY(test::dropFile(f.windows().cnpform->preview, f.dir / "tank.shp"));
        QCOMPARE(f.windows().cnpform->preview->frames().frames.size(), std::size_t{3});

        auto* browser = f.windows().form2;
        auto shown = browser->viewers().size();
        QVERIFY(test::dropFile(browser, toPath(source.libraryPath)));
        QCOMPARE(browser->viewers().size(), shown + 1);

        QTest::mouseClick(f.prj()->NewQXP, Qt::LeftButton);
        QVERIFY(test::dropFile(f.prj(), f.dir / "p.qxp"));
        QCOMPARE(f.lines(), (QStringList{"Weapon: A", "Weapon: B", "Weapon: C"}));
        QVERIFY(test::dropFile(f.prj(), f.dir / "rules.ini"));
        QCOMPARE(f.lines(), QStringList{"Unit: Heavy Tank"});
    }

    // A hand-made rules.ini becomes the open, unsaved project and what no
    // entry carries is listed; a file that cannot be read changes nothing.
    void aRulesFileComesInThroughTheMenu()
    {
        ProjectFixture f;
        f.prj()->appendEntry({EntryKind::Weapon, "D", Bytes(24, 7), {}}, "Weapon: D");
        auto before = readFile(f.projectFile());
        auto text = compiler::rulesFileText(compiler::stockRules());
        text.replace(text.find("Strength=400", text.find("[3TNK]")), 12, "Strength=450\r\nVoice=VTANK");
        test::writeText(f.dir / "mod.ini", text);
        f.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Discard, SaveAnswer::Discard};
        f.dialogs.files = {f.path("missing.ini"), f.path("mod.ini")};
        menuCommand(f, "Import rules.ini...");
        QCOMPARE(f.dialogs.log.size(), 1);
        menuCommand(f, "Import rules.ini...");
        QCOMPARE(f.dialogs.log.mid(2), (QStringList{"open: Rules Files|*.ini|All Files|*.* (ini)",
                                                    "error: Cannot open file " + f.path("missing.ini") +
                                                        ": No such file or directory"}));
        QCOMPARE(readFile(f.projectFile()), before);

        menuCommand(f, "Import rules.ini...");
        QCOMPARE(f.lines(), (QStringList{"Unit: Heavy Tank", "Rules text: mod.ini (2 lines in 1 section)"}));
        QVERIFY(f.prj()->hasUnsavedChanges());
        auto* report = f.prj()->importReport;
        QCOMPARE(report->windowTitle(), QString("Import of rules.ini"));
        QCOMPARE(report->NotCarried->toPlainText(),
                 QString("What no editor entry carries is carried by the rules-text entry, line by line; lines the "
                         "game would not read as meant are named:\n"
                         "mod.ini:382: [3TNK] Voice=VTANK carried as rules text: the unit editor has no field for Voice"));
    }
};

QTEST_MAIN(ProjectWindowTest)
#include "project_window_test.moc"
