#include "common/file_names.h"
#include "compiler/compile.h"
#include "compiler/install_journal.h"
#include "project/encoder.h"
#include "project/working_file.h"
#include "shell/all_windows.h"
#include "support/errors.h"
#include "support/faulty_disk.h"
#include "support/program_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::ProgramFixture;
using Answer = DialogService::Answer;
using SaveAnswer = DialogService::SaveAnswer;

class ShellWindowTest : public QObject {
    Q_OBJECT

private:
    static void click(TForm1* form, const QString& caption)
    {
        auto* button = form->button(caption);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void init() { QApplication::setApplicationName("Halvren Quarvex"); }

    void windowsHaveTheirClassesAndCaptions()
    {
        ProgramFixture fixture;
        fixture.start();
        auto& w = fixture.windows();
        const std::vector<std::pair<QWidget*, QString>> expected{
            {w.prjform, "Project - Untitled[*]"}, {w.settings, "Settings"},
            {w.cnuform, "Create new Unit"}, {w.cnwform, "Create new Weapon"},
            {w.cnpform, "Create new projectile"}, {w.cnwhform, "Create new warhead"},
            {w.cnbform, "Create new Building"}, {w.form2, "Please select a Valkor Library File"},
            {w.general, "General Settings"},
        };
        for (const auto& [window, caption] : expected)
            QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(w.form1->objectName(), QString("TForm1"));
        QVERIFY(w.form1->windowTitle().startsWith("Halvren Quarvex"));
        QCOMPARE(w.cnwhform->objectName(), QString("Tcnwhform"));
        QStringList captions;
        for (auto* button : w.form1->findChildren<QPushButton*>())
            captions << button->text();
        QCOMPARE(captions, (QStringList{"Unit", "Weapon", "Projectile", "Warhead", "Building", "General",
                                        "Rules Text", "Settings", "Open VKL", "Project"}));
    }

    void firstRunSendsEveryObjectButtonToTheSettings()
    {
        ProgramFixture fixture;
        fixture.start();
        auto& w = fixture.windows();
        const auto program = QString::fromStdString(toText(fixture.dir / "program"));
        QCOMPARE(w.settings->Edit1->text(), QString());
        QCOMPARE(w.settings->Edit2->text(), program);
        QCOMPARE(w.settings->Edit3->text(), QString::fromStdString(toText(fixture.dir / "program" / "units")));
        QVERIFY(fs::is_directory(fixture.dir / "program" / "units"));
        QVERIFY(fs::is_directory(fixture.dir / "program" / "temp"));
        QVERIFY(!fs::exists(fixture.workingFile("project.tmp")));

        for (const char* caption : {"Unit", "Weapon", "Projectile", "Warhead", "Building"}) {
            fixture.dialogs.log.clear();
            w.settings->hide();
            click(w.form1, caption);
            QCOMPARE(fixture.dialogs.log, QStringList{"information: Please set the directories first!"});
            QVERIFY(w.settings->isVisible());
        }
        QVERIFY(!w.cnuform->isVisible());
    }

    void acceptedDirectoriesOpenTheEditors()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        auto& w = fixture.windows();
        QVERIFY(w.settings->state().directoriesSet);
        QVERIFY(fs::exists(fixture.workingFile("project.tmp")));
        QCOMPARE(readFile(fixture.workingFile("project.tmp")), (Bytes{1, 3, 'Q', 'X', 'P', 0, 0, 0}));
        click(w.form1, "Unit");
        QVERIFY(w.cnuform->isVisible());
        QVERIFY(fixture.dialogs.log.isEmpty());
        QVERIFY(!fs::exists(fixture.workingFile("locset.tmp")));

        // With the flag set and the settings file gone, the button does nothing.
        fs::remove(fixture.paths.settingsFile);
        click(w.form1, "Weapon");
        QVERIFY(!w.cnwform->isVisible());
        QVERIFY(fixture.dialogs.log.isEmpty());
        QVERIFY(!w.settings->isVisible());
    }

    void generalShowsTheWindowAtOnce()
    {
        ProgramFixture fixture;
        fixture.start();
        click(fixture.windows().form1, "General");
        QCOMPARE(fixture.dialogs.log, QStringList{});
        QVERIFY(fixture.windows().general->isVisible());
    }

    void browseRefusesFoldersWithoutTheRequiredFiles()
    {
        ProgramFixture fixture;
        fixture.start();
        auto& w = fixture.windows();
        fixture.dialogs.files = {QString::fromStdString(toText(fixture.dir / "units"))};
        w.settings->browseGame();
        QCOMPARE(fixture.dialogs.log,
                 (QStringList{"browse: Please select your Valkor directory",
                              "error: Some files couldn't be found: vk95.exe, valkor.mix, game.dat, vksetup.exe, valkor.ini. "
                              "Please select a valid Valkor Directory"}));
        QCOMPARE(w.settings->Edit1->text(), QString());

        fixture.dialogs.log.clear();
        fixture.dialogs.files = {QString::fromStdString(toText(fixture.dir / "units"))};
        w.settings->browseProgram();
        QCOMPARE(fixture.dialogs.log,
                 (QStringList{"browse: Please select your Quarvex directory!",
                              "error: Some files couldn't be found: " + QString(names::kProgramFile) +
                                  ", readme.txt. Please select a valid Quarvex Directory"}));
        // The data folder an installed program made for itself is accepted.
        markDataFolder(toText(fixture.dir / "data"));
        fixture.dialogs.files = {QString::fromStdString(toText(fixture.dir / "data"))};
        w.settings->browseProgram();
        QCOMPARE(w.settings->Edit2->text(), QString::fromStdString(toText(fixture.dir / "data")));

        // Game files in upper case are accepted.
        fs::create_directories(fixture.dir / "GAME2");
        for (const char* name : {"VK95.EXE", "VALKOR.MIX", "GAME.DAT", "VKSETUP.EXE", "VALKOR.INI"})
            test::writeText(fixture.dir / "GAME2" / name, "x");
        fixture.dialogs.files = {QString::fromStdString(toText(fixture.dir / "GAME2"))};
        w.settings->browseGame();
        QCOMPARE(w.settings->Edit1->text(), QString::fromStdString(toText(fixture.dir / "GAME2")));
    }

    void okMovesTheWorkingDirectory()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        auto& w = fixture.windows();
        test::writeText(fixture.workingFile("icon.shp"), "icon");
        auto newProgram = fixture.dir / "program2";
        fs::create_directories(newProgram);
        test::writeText(newProgram / names::kProgramFile, "x");
        test::writeText(newProgram / "readme.txt", "x");

        fixture.dialogs.files = {QString::fromStdString(toText(newProgram))};
        w.settings->browseProgram();
        w.settings->accept();

        QCOMPARE(w.settings->state().workingDir, toText(newProgram / "temp"));
        QVERIFY(!fs::exists(fixture.dir / "program" / "temp"));
        QCOMPARE(readFile(newProgram / "temp" / "icon.shp"), test::bytesOf("icon"));
        QVERIFY(fs::exists(newProgram / "temp" / "project.tmp"));
        auto plain = toText(fixture.dir / "game") + "\r\n" + toText(newProgram) + "\r\n" +
                     toText(fixture.dir / "units") + "\r\n";
        QCOMPARE(encoder::coded(readFile(fixture.paths.settingsFile)), test::bytesOf(plain));
    }

    void okWithAnEmptyFieldDoesNothing()
    {
        ProgramFixture fixture;
        fixture.start();
        auto& w = fixture.windows();
        w.settings->show();
        w.settings->accept();
        QVERIFY(w.settings->isVisible());
        QVERIFY(!fs::exists(fixture.paths.settingsFile));
    }

    void cancelBeforeAnyAcceptEmptiesTheFields()
    {
        ProgramFixture fixture;
        fixture.start();
        auto& w = fixture.windows();
        w.settings->show();
        auto* cancel = w.settings->findChild<QPushButton*>("CancelButton");
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(!w.settings->isVisible());
        QCOMPARE(w.settings->Edit1->text(), QString());
        QCOMPARE(w.settings->Edit2->text(), QString());
        QCOMPARE(w.settings->Edit3->text(), QString());
    }

    void closingDeletesTheTwoProjectFilesOnly()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        test::writeText(fixture.workingFile("tempqxp.tmp"), "x");
        test::writeText(fixture.workingFile("icon.shp"), "x");
        fixture.windows().form1->show();
        fixture.windows().form1->close();
        QVERIFY(fixture.dialogs.log.isEmpty());
        QVERIFY(!fs::exists(fixture.workingFile("project.tmp")));
        QVERIFY(!fs::exists(fixture.workingFile("tempqxp.tmp")));
        QVERIFY(fs::exists(fixture.workingFile("icon.shp")));
    }

    // Closing (by the window or by Ctrl+Q) asks only when there is unsaved
    // work: Cancel, or Save with a cancelled file dialog, keeps it running.
    void closingAsksBeforeUnsavedWorkIsLost()
    {
        const QString question =
            "question: The project has changes that are not saved. Save them before closing? [Save/Discard/Cancel]";
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        auto& w = fixture.windows();
        w.form1->show();
        w.prjform->appendEntry({EntryKind::Weapon, "Gun", Bytes(24, 7), {}}, "Weapon: Gun");
        QVERIFY(QTest::qWaitForWindowActive(w.prjform));
        fixture.dialogs.saveAnswers = {SaveAnswer::Cancel, SaveAnswer::Save};
        QTest::keyClick(w.prjform, Qt::Key_Q, Qt::ControlModifier);
        w.form1->close();
        QCOMPARE(fixture.dialogs.log, (QStringList{question, question, "save: Quarvex Projects|*.qxp|All Files|*.* (qxp)"}));
        QVERIFY(w.form1->isVisible());
        QVERIFY(fs::exists(fixture.workingFile("project.tmp")));

        fixture.dialogs.saveAnswers = {SaveAnswer::Save};
        fixture.dialogs.files = {QString::fromStdString(toText(fixture.dir / "kept.qxp"))};
        w.form1->close();
        QVERIFY(!w.form1->isVisible());
        QVERIFY(fs::exists(fixture.dir / "kept.qxp"));
        QVERIFY(!fs::exists(fixture.workingFile("project.tmp")));
    }

    // A window opens where the player put it in an earlier run; the place
    // lives in a state file of its own.
    void windowsKeepTheirPlacesBetweenRuns()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        auto* editor = fixture.windows().cnwform;
        showToFront(editor);
        editor->setGeometry(120, 300, 640, 420);
        editor->hide();
        QVERIFY(fs::exists(fixture.dir / "config" / "state.ini"));
        fixture.program.reset();
        fixture.start();
        editor = fixture.windows().cnwform;
        showToFront(editor);
        QCOMPARE(editor->geometry(), QRect(120, 300, 640, 420));
    }

    // F1 in any window opens the guide beside the program, or the installed
    // one; where there is none, one box says where it is.
    void f1OpensTheGuideOrSaysWhereItIs()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        auto& w = fixture.windows();
        w.form1->show();
        w.prjform->show();
        QVERIFY(QTest::qWaitForWindowActive(w.prjform));
        QTest::keyClick(w.prjform, Qt::Key_F1);
#ifdef _WIN32
        QCOMPARE(fixture.dialogs.log, QStringList{"information: The user's guide is the file docs\\guide.html beside "
                                                  "qx.exe, in the folder Quarvex was unpacked into."});
#else
        QCOMPARE(fixture.dialogs.log, QStringList{"information: The user's guide is the file docs/guide.md of Quarvex's "
                                                  "sources; an installed Quarvex keeps it as "
                                                  "/usr/share/doc/quarvex/guide.html."});
#endif
        auto installed = fixture.dir / "share" / "doc" / "quarvex";
        fs::create_directories(installed);
        test::writeText(installed / "guide.html", "<html></html>");
        QTest::keyClick(w.prjform, Qt::Key_F1);
        QCOMPARE(fixture.dialogs.log.last(), "document: " + QString::fromStdString(toText(installed / "guide.html")));
        fs::create_directories(fixture.dir / "program" / "docs");
        test::writeText(fixture.dir / "program" / "docs" / "guide.html", "<html></html>");
        QTest::keyClick(w.prjform, Qt::Key_F1);
        auto guide = QString::fromStdString(toText(fixture.dir / "program" / "docs" / "guide.html"));
        QCOMPARE(fixture.dialogs.log.last(), "document: " + guide);
        // Without a program for web pages, the box names the guide that is there.
        fixture.dialogs.documentsOpen = false;
        QTest::keyClick(w.prjform, Qt::Key_F1);
        QCOMPARE(fixture.dialogs.log.last(), "information: No program here opens web pages. The user's guide is " +
                                                 QDir::toNativeSeparators(guide) + ": open it in a web browser.");
    }

    // A crashed run's project is offered back; declined, it goes as before;
    // damaged, it is set aside, never deleted.
    // A compile killed after its first rename is finished at the start,
    // before the compiled project is read; the warnings list says so.
    void theStartFinishesAnInterruptedInstall()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        auto project = fixture.dir / "p.tmp";
        project::createEmpty(project);
        project::append(project, fixture.dir / "s", {EntryKind::Weapon, "W", Bytes(24, 7), {}});
        {
            test::FaultyDisk disk(test::FaultyDisk::Call::Rename, EIO, 3);
            compiler::RecordingReporter reporter(true);
            auto compile = [&] { compiler::compileProject({project, {}, toText(fixture.dir / "game")}, 1, reporter); };
            QVERIFY(test::errorOf(compile) != "no error");
        }
        QVERIFY(!fs::exists(fixture.dir / "game" / "curqxp.set"));
        fixture.start();
        auto* warnings = fixture.windows().prjform->warnings;
        QCOMPARE(warnings->item(0)->text(), QString(compiler::kInstallFinished));
        QCOMPARE(warnings->item(2)->text(), QString("rules.ini: from that compile"));
        QCOMPARE(fixture.windows().prjform->ListBox1->count(), 1);
    }

    void aCrashedRunsProjectIsOfferedBack()
    {
        for (auto answer : {Answer::Yes, Answer::No}) {
            ProgramFixture fixture;
            fixture.acceptDirectories();
            fs::create_directories(fixture.dir / "program" / "temp");
            auto leftover = fixture.workingFile("project.tmp");
            project::createEmpty(leftover);
            for (const char* name : {"A", "B"})
                project::append(leftover, fixture.dir / "s", {EntryKind::Weapon, name, Bytes(24, 7), {}});
            fixture.dialogs.answers = {answer};
            fixture.start();
            QCOMPARE(fixture.dialogs.log, QStringList{"question: Quarvex did not close normally. Restore the project "
                                                      "that was open then (2 entries)? [Yes/No]"});
            auto* prj = fixture.windows().prjform;
            QCOMPARE(prj->ListBox1->count(), answer == Answer::Yes ? 2 : 0);
            QCOMPARE(prj->hasUnsavedChanges(), answer == Answer::Yes);
            QCOMPARE(fs::file_size(leftover) > 8, answer == Answer::Yes);
        }
        ProgramFixture fixture;
        fs::create_directories(fixture.dir / "program" / "temp");
        test::writeText(fixture.workingFile("project.tmp"), "damaged");
        fixture.start();
        auto aside = fixture.workingFile("project-damaged.tmp");
        QCOMPARE(fixture.dialogs.log, QStringList{"information: The project of the last run was damaged. It was kept as " +
                                                  QString::fromStdString(aside) + "."});
        QCOMPARE(readFile(aside), test::bytesOf("damaged"));
    }

    // A second run on the same working directory ends at once and touches
    // nothing; once the first has ended, a start works again.
    void oneRunPerWorkingDirectory()
    {
        ProgramFixture fixture;
        fixture.acceptDirectories();
        fixture.start();
        QVERIFY(fixture.program->started());
        fixture.windows().prjform->appendEntry({EntryKind::Weapon, "Gun", Bytes(24, 7), {}}, "Weapon: Gun");
        auto before = readFile(fixture.workingFile("project.tmp"));
        test::ScriptedDialogs second;
        {
            Program again(second, fixture.paths);
            QVERIFY(!again.started());
        }
        QCOMPARE(second.log, QStringList{"error: Quarvex is already running."});
        QCOMPARE(readFile(fixture.workingFile("project.tmp")), before);
        fixture.program.reset();
        Program after(second, fixture.paths);
        QVERIFY(after.started());
    }

    void toolbarSpansTheScreen()
    {
        ProgramFixture fixture;
        fixture.start();
        auto* form = fixture.windows().form1;
        QCOMPARE(form->pos(), QPoint(-3, -3));
        QCOMPARE(form->width(), QApplication::primaryScreen()->geometry().width() + 6);
    }
};

QTEST_MAIN(ShellWindowTest)
#include "shell_window_test.moc"
