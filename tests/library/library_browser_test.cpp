#include "archive/mix_writer.h"
#include "library/drop_targets.h"
#include "library/library_file.h"
#include "library/library_viewer.h"
#include "shell/window_places.h"
#include "library/new_library_window.h"
#include "library/shp.h"
#include "project/encoder.h"
#include "shell/all_windows.h"
#include "support/frames.h"
#include "support/program_fixture.h"
#include "support/window_helpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QLabel>
#include <QStorageInfo>
#include <QtTest>

using namespace qx;
using qx::test::frames;
using qx::test::ProgramFixture;
using qx::test::actionNamed;
using qx::test::deliver;
using Answer = DialogService::Answer;

namespace {

struct BrowserFixture : ProgramFixture {
    BrowserFixture()
    {
        start();
        fs::create_directories(dir / "libs");
    }
    TForm2* browser() { return windows().form2; }
    fs::path library(const std::string& name, library::LibraryKind kind, std::vector<library::LibraryImage> images)
    {
        auto path = dir / "libs" / name;
        test::writeBytes(path, encoder::coded(library::buildLibrary(kind, name, images)));
        return path;
    }
    void show() { browser()->setDirectory(QString::fromStdString(toText(dir / "libs"))); }
    QStringList lines()
    {
        QStringList result;
        for (int i = 0; i < browser()->FileListBox1->count(); ++i)
            result << browser()->FileListBox1->item(i)->text();
        return result;
    }
    LibraryViewer* open(int row)
    {
        browser()->FileListBox1->setCurrentRow(row);
        auto before = browser()->viewers().size();
        QTest::mouseClick(browser()->ViewButton, Qt::LeftButton);
        return browser()->viewers().size() > before ? browser()->viewers().back() : nullptr;
    }
};

}

class LibraryBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void filterListsOnlyItsKindAndOpensFromThePathList()
    {
        BrowserFixture f;
        f.library("a_units.vkl", library::LibraryKind::Unit, {{Bytes{1}, frames(1, 2, 2)}});
        auto projectiles = f.library("b_shots.vkl", library::LibraryKind::Projectile, {{Bytes{2}, frames(2, 3, 3)}});
        test::writeText(f.dir / "libs" / "c_bad.vkl", "this is no library at all, not even its head........................");
        f.show();
        QCOMPARE(f.lines(), (QStringList{"Unit VKL:  a_units.vkl", "Projectile VKL:  b_shots.vkl", "No Valid VKL"}));
        f.browser()->FilterComboBox1->setCurrentIndex(3);
        QCOMPARE(f.lines(), QStringList{"Projectile VKL:  b_shots.vkl"});
        auto* viewer = f.open(0);
        QVERIFY(viewer);
        QCOMPARE(viewer->libraryPath(), QString::fromStdString(toText(projectiles)));
        QCOMPARE(viewer->windowTitle(), QString("b_shots.vkl"));
        f.browser()->FilterComboBox1->setCurrentIndex(2);
        QCOMPARE(f.lines(), QStringList{"Unit VKL:  a_units.vkl"});
    }

    void openChecksItsSelection()
    {
        BrowserFixture f;
        auto gone = f.library("gone.vkl", library::LibraryKind::Unit, {});
        test::writeText(f.dir / "libs" / "junk.vkl", "junk");
        f.show();
        QTest::mouseClick(f.browser()->ViewButton, Qt::LeftButton);
        f.browser()->openSelected();
        QCOMPARE(f.dialogs.log, QStringList{"error: Please select a VKL-File to open!"});

        f.dialogs.log.clear();
        QVERIFY(!f.open(1));  // answered No
        f.dialogs.answers = {Answer::Yes};
        QVERIFY(!f.open(1));
        QCOMPARE(f.dialogs.log, (QStringList{"question: This is not a valid VKL\rDo you really want to open it? [Yes/No]",
                                             "question: This is not a valid VKL\rDo you really want to open it? [Yes/No]",
                                             "error: This is not a valid Valkor Library!"}));
        f.dialogs.log.clear();
        fs::remove(gone);
        QVERIFY(!f.open(0));
        QCOMPARE(f.dialogs.log, QStringList{"error: File does not exist!"});
        QVERIFY(f.browser()->isEnabled());
    }

    // The browser starts in the New Units Directory, says which folder it
    // shows, and lists a library that appears there meanwhile.
    void theBrowserStartsInTheUnitsFolderAndFollowsIt()
    {
        ProgramFixture f;
        f.acceptDirectories();
        f.start();
        auto* b = f.windows().form2;
        auto units = QString::fromStdString(toText(f.dir / "units"));
        QCOMPARE(b->directory(), QDir(units).canonicalPath());
        QCOMPARE(b->PathLabel->text(), QDir::toNativeSeparators(QDir(units).canonicalPath()));
        test::writeBytes(f.dir / "units" / "new.vkl",
                         encoder::coded(library::buildLibrary(library::LibraryKind::Unit, "Fresh", {{Bytes{1}, frames(1, 2, 2)}})));
        QTRY_COMPARE(b->FileListBox1->count(), 1);
    }

    // Viewers stack diagonally below the toolbar, beside the browser, and
    // start again at the top when the screen ends.
    void viewersArePlacedDiagonallyBelowTheToolbar()
    {
        BrowserFixture f;
        f.library("u.vkl", library::LibraryKind::Unit, {{Bytes{1}, frames(1, 2, 2)}});
        f.show();
        f.browser()->show();
        f.browser()->move(0, 200);
        const QPoint first(f.browser()->frameGeometry().right() + 8, kToolbarHeight + 32);
        LibraryViewer* viewer = nullptr;
        for (int i = 0; i < 5; ++i)
            viewer = f.open(0);
        QCOMPARE(viewer->pos(), first + QPoint(88, 88));
        int height = QApplication::primaryScreen()->geometry().height();
        while (first.y() + 22 * f.browser()->viewerCounter() + 300 <= height - 22)
            f.open(0);
        f.open(0);
        QCOMPARE(f.browser()->viewerCounter(), 0);
        QCOMPARE(f.open(0)->pos(), first);
    }

    void previewsAreStackedAndCentred()
    {
        BrowserFixture f;
        f.library("u.vkl", library::LibraryKind::Unit, {{Bytes{1}, frames(2, 30, 40)}, {Bytes{2}, frames(1, 50, 60)}});
        f.show();
        auto* viewer = f.open(0);
        const auto& previews = viewer->previews();
        QCOMPARE(previews.size(), std::size_t{2});
        QCOMPARE(previews[0]->geometry(), QRect((175 - 30) / 2, 5, 30, 40));
        QCOMPARE(previews[1]->geometry(), QRect((175 - 50) / 2, 63, 50, 75));
        QCOMPARE(previews[1]->tag(), 2);
        QCOMPARE(f.browser()->ProgressBar1->value(), f.browser()->ProgressBar1->maximum());

        // Clicking a preview makes it the one that animates.
        f.browser()->activate(previews[0]);
        QVERIFY(previews[0]->isRunning());
        f.browser()->activate(previews[1]);
        QVERIFY(!previews[0]->isRunning());
        QVERIFY(previews[1]->isRunning());
        QCOMPARE(f.browser()->activePreview(), static_cast<AnimationWidget*>(previews[1]));
        viewer->close();
        QVERIFY(!f.browser()->activePreview());
    }

    void droppedPreviewGivesItsNumberFromZero()
    {
        BrowserFixture f;
        auto path = f.library("u.vkl", library::LibraryKind::Unit,
                              {{Bytes{1}, frames(1, 2, 2)}, {Bytes{2}, frames(2, 2, 2)}, {Bytes{3}, frames(3, 4, 2)}});
        f.show();
        auto* viewer = f.open(0);
        auto* third = viewer->previews()[2];
        AnimationArea area([&] { return f.browser()->animationDragging(); });
        std::optional<library::AnimationDrag> received;
        area.dropped = [&](const library::AnimationDrag& drag) { received = drag; };

        std::unique_ptr<QMimeData> mime(third->dragData());
        QVERIFY(!deliver(&area, mime.get()));  // no drag under way
        f.browser()->animationDragStarted(third);
        QCOMPARE(f.windows().form1->dragSource(), static_cast<QWidget*>(third));
        QVERIFY(deliver(&area, mime.get()));
        f.browser()->animationDragEnded();
        QVERIFY(!f.browser()->animationDragging());
        QVERIFY(received);
        QCOMPARE(received->imageNumber, 2);
        QCOMPARE(received->libraryPath, toText(path));
        QVERIFY(received->frames == frames(3, 4, 2));
        QVERIFY(area.isRunning());
        QVERIFY(area.frames() == frames(3, 4, 2));
    }

    void iconsAndAnimationsGoOnlyToTheirOwnTargets()
    {
        BrowserFixture f;
        f.library("i.vkl", library::LibraryKind::Icon, {{Bytes{1}, frames(1, 3, 3)}, {Bytes{2}, frames(1, 3, 3)}});
        f.library("u.vkl", library::LibraryKind::Unit, {{Bytes{1}, frames(1, 2, 2)}});
        f.show();
        auto* icons = f.open(0);
        auto* units = f.open(1);
        QVERIFY(icons->iconList());
        QCOMPARE(icons->iconList()->count(), 2);
        icons->iconList()->setCurrentRow(1);
        std::unique_ptr<QMimeData> iconMime(icons->iconList()->dragData());
        std::unique_ptr<QMimeData> previewMime(units->previews()[0]->dragData());

        IconArea iconArea([&] { return f.browser()->animationDragging(); });
        AnimationArea animationArea([&] { return f.browser()->animationDragging(); });
        std::optional<library::IconDrag> received;
        iconArea.dropped = [&](const library::IconDrag& drag) { received = drag; };

        f.browser()->animationDragStarted(units->previews()[0]);
        QVERIFY(!deliver(&iconArea, previewMime.get()));
        QVERIFY(!deliver(&iconArea, iconMime.get()));  // the flag is set
        f.browser()->animationDragEnded();
        QVERIFY(!deliver(&animationArea, iconMime.get()));
        QVERIFY(!deliver(&animationArea, previewMime.get()));  // the flag is clear
        QVERIFY(deliver(&iconArea, iconMime.get()));
        QVERIFY(received);
        QCOMPARE(received->imageNumber, 1);
        QVERIFY(received->icon == frames(1, 3, 3).frames[0]);
        QVERIFY(iconArea.picture() == received->icon);
    }

    void damagedPreviewsNeverTakeTheWindowDown()
    {
        BrowserFixture f;
        auto plain = library::buildLibrary(library::LibraryKind::Unit, "Broken", {{Bytes{1}, frames(1, 4, 4)}});
        auto il = std::search(plain.begin(), plain.end(), std::begin("IL") , std::begin("IL") + 2);
        QVERIFY(il != plain.end());
        *il = 'X';  // the structure still parses; the image list does not
        test::writeBytes(f.dir / "libs" / "broken.vkl", encoder::coded(plain));
        auto icons = library::buildLibrary(library::LibraryKind::Icon, "Icons", {{Bytes{1}, frames(1, 4, 4)}});
        *std::search(icons.begin(), icons.end(), std::begin("IL"), std::begin("IL") + 2) = 'X';
        test::writeBytes(f.dir / "libs" / "icons.vkl", encoder::coded(icons));
        f.show();

        auto* viewer = f.open(0);
        QVERIFY(viewer);
        auto* preview = viewer->previews()[0];
        preview->grab();
        QVERIFY(preview->isDamaged());
        QVERIFY(preview->frames().frames.empty());
        f.browser()->activate(preview);
        delete preview->dragData();

        QVERIFY(!f.open(1));
        QCOMPARE(f.dialogs.log, QStringList{"error: The image list is not in the supported \"IL\" stream form."});
        QVERIFY(f.browser()->isEnabled());
    }

    void openVklShowsTheBrowserWithAVerticalBar()
    {
        BrowserFixture f;
        auto* button = f.windows().form1->button("Open VKL");
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(f.browser()->isVisible());
        QCOMPARE(f.browser()->ProgressBar1->orientation(), Qt::Vertical);
        QCOMPARE(f.browser()->FilterComboBox1->count(), 5);
        QCOMPARE(f.browser()->FilterComboBox1->itemText(4), QString("Building Libraries"));
        QTest::mouseClick(f.browser()->BackButton, Qt::LeftButton);
        QVERIFY(!f.browser()->isVisible());
    }

    // A library of an SHP file and a palette, made through the dialogs: it
    // lands in the new units directory, named after its title, its preview
    // the SHP's frames in the palette's colours; the same title again is
    // only replaced when the player says so.
    void newLibraryMakesOneOfAnShpFileAndAPalette()
    {
        BrowserFixture f;
        f.show();
        Bytes palette(768);
        palette[3] = 63;
        test::writeBytes(f.dir / "tank.pal", palette);
        test::writeBytes(f.dir / "tank.shp", library::writeShp(2, 1, {{1, 0}, {0, 1}, {1, 1}}));
        auto* window = f.browser()->newLibrary();
        QTest::mouseClick(f.browser()->NewButton, Qt::LeftButton);
        QVERIFY(window->isVisible());
        QTest::keyClicks(window->TitleEdit, "Tanks: from SHP");
        f.dialogs.files = {QString::fromStdString(toText(f.dir / "tank.shp")),
                           QString::fromStdString(toText(f.dir / "tank.pal"))};
        QTest::mouseClick(window->MakeButton, Qt::LeftButton);
        QTest::mouseClick(window->AddShpButton, Qt::LeftButton);
        QTest::mouseClick(window->MakeButton, Qt::LeftButton);
        QTest::mouseClick(window->PaletteButton, Qt::LeftButton);
        QTest::mouseClick(window->MakeButton, Qt::LeftButton);
        QCOMPARE(f.dialogs.log, (QStringList{"error: Please add an SHP file!", "open: SHP Files|*.shp|All Files|*.* (shp)",
                                             "error: Please choose a palette!",
                                             "open: Palettes|*.pal;*.png|All Files|*.* (pal)"}));
        auto units = toPath(f.windows().settings->state().fields.units);
        auto made = units / "Tanks_ from SHP.vkl";
        QVERIFY(fs::exists(made));
        QVERIFY(!window->isVisible());
        QCOMPARE(f.browser()->directory(), QDir(QString::fromStdString(toText(units))).canonicalPath());
        QCOMPARE(f.lines(), QStringList{"Unit VKL:  Tanks: from SHP"});
        auto* viewer = f.browser()->viewers().back();
        const auto& frames = viewer->previews().at(0)->frames();
        QCOMPARE(frames.frames.size(), std::size_t{3});
        QCOMPARE(frames.frames[1].rgba, (Bytes{0, 0, 0, 0, 255, 0, 0, 255}));

        auto before = readFile(made);
        QTest::mouseClick(f.browser()->NewButton, Qt::LeftButton);
        QVERIFY(window->TitleEdit->text().isEmpty());
        QTest::keyClicks(window->TitleEdit, "Tanks: from SHP");
        f.dialogs.log.clear();
        auto palettePath = QString::fromStdString(toText(f.dir / "tank.pal"));
        f.dialogs.files = {QString::fromStdString(toText(f.dir / "tank.shp")), palettePath, palettePath};
        QTest::mouseClick(window->AddShpButton, Qt::LeftButton);
        QTest::mouseClick(window->PaletteButton, Qt::LeftButton);
        QTest::mouseClick(window->MakeButton, Qt::LeftButton);
        auto shown = QString::fromStdString(toText(made));
        QCOMPARE(f.dialogs.log.last(), "question: " + shown + " already exists.\rDo you want to replace it? [Yes/No]");
        QCOMPARE(readFile(made), before);
        QTest::mouseClick(window->AddShpButton, Qt::LeftButton);
        QTest::mouseClick(window->MakeButton, Qt::LeftButton);
        QCOMPARE(f.dialogs.log.last(), "error: " + palettePath +
                                           " is not a valid SHP file: its table's last entry does not give the end of its data.");
        QCOMPARE(readFile(made), before);
    }

    // The box shows the drive of the directory as the system writes it
    // ("Z:\\" under Windows); one that cannot be read keeps the directory.
    void drivesAreTheSystemsAndAnUnreadableOneKeepsTheDirectory()
    {
        BrowserFixture f;
        f.show();
        auto before = f.browser()->directory();
        auto* drives = f.browser()->DriveComboBox1;
        QCOMPARE(drives->currentText(), QDir::toNativeSeparators(QStorageInfo(before).rootPath()));
        auto missing = QString::fromStdString(toText(f.dir / "no-such-drive"));
        drives->addItem(missing, missing);
        f.browser()->changeDrive(drives->count() - 1);
        QCOMPARE(f.dialogs.log, QStringList{"error: The drive " + QDir::toNativeSeparators(missing) + " cannot be read."});
        QCOMPARE(f.browser()->directory(), before);
        QCOMPARE(drives->currentText(), QDir::toNativeSeparators(QStorageInfo(before).rootPath()));
    }

    // The game folder is a place beside the drives: its archives and those
    // inside them are folders, a damaged one a line of its own; an SHP
    // member opens in a viewer in the game's palette, and a member is
    // extracted into a chosen folder.
    void theGameFolderOpensAsAPlace()
    {
        BrowserFixture f;
        auto game = f.dir / "game";
        archive::MixArchive inner;
        inner.add("rules.ini", test::bytesOf("[A]\r\n"));
        archive::MixArchive outer;
        outer.add("3tnk.shp", library::writeShp(4, 3, {Bytes(12, 1), Bytes(12, 2)}));
        outer.add("valkor.mix", inner.bytes());
        test::writeBytes(game / "MAIN.MIX", outer.bytes());
        test::writeBytes(game / "bad.mix", Bytes{1, 0});
        test::writeBytes(game / "TEMPERAT.PAL", Bytes(768, 20));
        f.acceptDirectories();
        f.program.reset();
        f.start();
        auto* b = f.browser();
        b->show();
        QCOMPARE(b->DriveComboBox1->itemText(0), "Game: " + QDir::toNativeSeparators(QString::fromStdString(toText(game))));
        b->changeDrive(0);
        QStringList folders;
        for (int i = 0; i < b->DirectoryListBox1->count(); ++i)
            folders << b->DirectoryListBox1->item(i)->text();
        QCOMPARE(folders, (QStringList{"bad.mix: it is too short to be an archive", "MAIN.MIX", "MAIN.MIX/valkor.mix",
                                       "valkor.mix: it is too short to be an archive"}));
        b->showArchive(1);
        QCOMPARE(f.lines(), (QStringList{"valkor.mix  23 bytes  archive", "3tnk.shp  56 bytes  SHP graphic, 2 frames of 4x3"}));
        auto* viewer = f.open(1);
        QVERIFY(viewer);
        QCOMPARE(f.dialogs.log, QStringList{});
        // A drop takes the graphic from the viewer's library, as from any.
        auto shown = library::openLibrary(toPath(viewer->libraryPath().toStdString()));
        QCOMPARE(shown.image(0), library::writeShp(4, 3, {Bytes(12, 1), Bytes(12, 2)}));
        AnimationArea area([&] { return b->animationDragging(); });
        std::optional<library::AnimationDrag> received;
        area.dropped = [&](const library::AnimationDrag& drag) { received = drag; };
        QVERIFY(test::dragFirstGraphic(b, &area));
        QVERIFY(received && received->frames.frames.size() == 2);
        QCOMPARE(QString::fromStdString(received->libraryPath), viewer->libraryPath());

        f.dialogs.files = {QString::fromStdString(toText(f.dir / "out"))};
        fs::create_directories(f.dir / "out");
        QTest::mouseClick(b->ExtractButton, Qt::LeftButton);
        QCOMPARE(readFile(f.dir / "out" / "3tnk.shp"), library::writeShp(4, 3, {Bytes(12, 1), Bytes(12, 2)}));
        b->FileListBox1->selectAll();
        f.dialogs.files = {QString::fromStdString(toText(f.dir / "out"))};
        QTest::mouseClick(b->ExtractButton, Qt::LeftButton);
        QCOMPARE(readFile(f.dir / "out" / "valkor.mix"), inner.bytes());
        b->FileListBox1->setCurrentRow(0);
        QTest::mouseClick(b->ViewButton, Qt::LeftButton);
        QCOMPARE(f.dialogs.log.back(), QString("error: valkor.mix is no SHP graphic."));

        // New Library starts with the game's palette and the chosen graphic.
        b->FileListBox1->setCurrentRow(1);
        QTest::mouseClick(b->NewButton, Qt::LeftButton);
        QCOMPARE(b->newLibrary()->PaletteEdit->text(), QString::fromStdString(toText(game / "TEMPERAT.PAL")));
        auto shp = b->newLibrary()->ShpList->item(0)->text().toStdString();
        QCOMPARE(readFile(toPath(shp)), library::writeShp(4, 3, {Bytes(12, 1), Bytes(12, 2)}));
    }
};

QTEST_MAIN(LibraryBrowserTest)
#include "library_browser_test.moc"
