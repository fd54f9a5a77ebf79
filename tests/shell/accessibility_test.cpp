// What a screen reader (and desktop automation) sees of every window: each
// field, list, box and button has a name, and the windows are windows.
#include "library/library_file.h"
#include "library/library_viewer.h"
#include "compiler/rules_writer.h"
#include "project/encoder.h"
#include "project/import_window.h"
#include "project/preview_window.h"
#include "project/working_file.h"
#include "shell/accessibility.h"
#include "shell/all_windows.h"
#include "support/frames.h"
#include "support/program_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace qx;
using qx::test::frames;
using qx::test::ProgramFixture;

namespace {

// The roles of what a user fills in, chooses or presses.
bool needsAName(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::ComboBox:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::PushButton:
    case QAccessible::ButtonMenu:
    case QAccessible::ProgressBar:
    case QAccessible::Graphic:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

// Every unnamed control below the interface, as "window: object name (role)".
void collectUnnamed(QAccessibleInterface* node, const QString& window, QStringList& unnamed, int depth = 0)
{
    if (!node || depth > 40)
        return;
    if (needsAName(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
        auto* object = node->object();
        unnamed << window + ": " + (object ? object->objectName() : QString("?")) + " (role " +
                       QString::number(node->role()) + ")";
    }
    // A combo box's pop-up list is its own part, announced as the box. On
    // Linux its name is its current entry: only a label tells what it is for.
    if (node->role() == QAccessible::ComboBox) {
        if (node->relations(QAccessible::Label).isEmpty())
            unnamed << window + ": " + node->object()->objectName() + " (combo box without a label)";
        return;
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), window, unnamed, depth + 1);
}

struct AccessibleProgram : ProgramFixture {
    AccessibleProgram()
    {
        start();
        fs::create_directories(dir / "libs");
        write("units.vkl", library::LibraryKind::Unit, {{Bytes(3, 1), frames(2, 4, 4)}, {Bytes(2, 2), frames(1, 4, 4)}});
        write("icons.vkl", library::LibraryKind::Icon, {{Bytes(3, 1), frames(1, 4, 4)}});
        windows().form2->setDirectory(QString::fromStdString(toText(dir / "libs")));
    }
    void write(const std::string& name, library::LibraryKind kind, std::vector<library::LibraryImage> images)
    {
        test::writeBytes(dir / "libs" / name, encoder::coded(library::buildLibrary(kind, name, images)));
    }
    LibraryViewer* open(int row)
    {
        windows().form2->FileListBox1->setCurrentRow(row);
        QTest::mouseClick(windows().form2->ViewButton, Qt::LeftButton);
        return windows().form2->viewers().back();
    }
    std::vector<QWidget*> topLevels()
    {
        auto& w = windows();
        std::vector<QWidget*> all{w.form1,  w.prjform, w.settings, w.cnuform, w.cnwform, w.cnpform,
                                  w.cnwhform, w.cnbform, w.form2, w.general};
        for (auto* viewer : w.form2->viewers())
            all.push_back(viewer);
        for (QWidget* own : {static_cast<QWidget*>(w.prjform->preview), static_cast<QWidget*>(w.prjform->importReport)}) {
            if (own)
                all.push_back(own);
        }
        return all;
    }
};

}

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfEveryWindowHasAName()
    {
        AccessibleProgram program;
        program.open(0);
        program.open(1);
        program.acceptDirectories();
        project::createEmpty(program.workingFile("project.tmp"));
        QTest::mouseClick(program.windows().prjform->PreviewQXP, Qt::LeftButton);
        test::writeText(program.dir / "rules.ini", compiler::rulesFileText(compiler::stockRules()));
        program.dialogs.files = {QString::fromStdString(toText(program.dir / "rules.ini"))};
        program.windows().prjform->importRules();
        QVERIFY(program.windows().prjform->preview && program.windows().prjform->importReport);
        QStringList unnamed;
        for (auto* window : program.topLevels()) {
            auto* node = QAccessible::queryAccessibleInterface(window);
            QVERIFY(node);
            QCOMPARE(node->role(), QAccessible::Window);
            collectUnnamed(node, window->objectName().isEmpty() ? window->windowTitle() : window->objectName(), unnamed);
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("\n")));
    }

    void settingsFieldsAreNamedByTheirLabels()
    {
        AccessibleProgram program;
        auto* settings = program.windows().settings;
        const std::pair<QLineEdit*, QString> fields[] = {{settings->Edit1, "Your Valkor Directory"},
                                                         {settings->Edit2, "Your Quarvex Directory"},
                                                         {settings->Edit3, "Your New Units Directory"}};
        for (const auto& [field, name] : fields) {
            QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name), name);
            bool buddy = false;
            for (auto* label : settings->findChildren<QLabel*>())
                buddy = buddy || label->buddy() == field;
            QVERIFY(buddy);
            auto* browse = settings->findChild<QPushButton*>("Browse" + field->objectName());
            QCOMPARE(QAccessible::queryAccessibleInterface(browse)->text(QAccessible::Name), "Browse for " + name);
        }
    }

    void previewsAreImagesThatCanBeActivated()
    {
        AccessibleProgram program;
        auto* viewer = program.open(1);  // units.vkl, after icons.vkl
        QCOMPARE(viewer->previews().size(), std::size_t{2});
        auto* second = QAccessible::queryAccessibleInterface(viewer->previews()[1]);
        QCOMPARE(second->role(), QAccessible::Graphic);
        QCOMPARE(second->text(QAccessible::Name), QString("Image 2"));
        auto* actions = second->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(program.windows().form2->activePreview(), static_cast<AnimationWidget*>(viewer->previews()[1]));
    }

    void captionsAreSpokenWithoutMarks()
    {
        QCOMPARE(spokenCaption("Tech - Level: "), QString("Tech - Level"));
        QCOMPARE(spokenCaption("&Clear Icon"), QString("Clear Icon"));
        QCOMPARE(spokenCaption("Icon Drag&&\nDrop Interface"), QString("Icon Drag& Drop Interface"));
        QCOMPARE(spokenCaption("None   --------------------->"), QString("None"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
