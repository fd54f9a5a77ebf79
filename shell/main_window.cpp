#include "shell/main_window.h"
#include "common/file_names.h"

#include "shell/all_windows.h"

#include "common/file_io.h"
#include "shell/dialog_service.h"
#include "shell/directories.h"
#include "shell/window_places.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace qx {
namespace {
}

TForm1::TForm1(Windows& windows)
    : windows_(windows)
{
    setObjectName("TForm1");
    setWindowTitle(QApplication::applicationName() + " " + QApplication::applicationVersion());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    addButton("Unit", [this] { openEditor(windows_.cnuform, names::kGateUnit); });
    addButton("Weapon", [this] { openEditor(windows_.cnwform, names::kGateWeapon); });
    addButton("Projectile", [this] { openEditor(windows_.cnpform, names::kGateProjectile); });
    addButton("Warhead", [this] { openEditor(windows_.cnwhform, names::kGateWarheadAndBuilding); });
    addButton("Building", [this] { openEditor(windows_.cnbform, names::kGateWarheadAndBuilding); });
    addButton("General", [this] { showToFront(windows_.general); });
    addButton("Rules Text", [this] { showToFront(windows_.rulesText); });
    addButton("Settings", [this] { windows_.settings->exec(); });
    addButton("Open VKL", [this] {
        windows_.form2->ProgressBar1->setOrientation(Qt::Vertical);
        showToFront(windows_.form2);
    });
    addButton("Project", [this] { showToFront(windows_.prjform); });
    layout->addStretch();
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::ApplicationShortcut);
    connect(help, &QShortcut::activated, this, &TForm1::showGuide);
    if (auto* screen = QApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, &TForm1::stretch);
    stretch();
}

void TForm1::showGuide()
{
    auto guide = guideFile(windows_.settings->paths().executableDir);
    if (guide && windows_.dialogs->openDocument(fromUtf8(toText(*guide))))
        return;
    if (guide) {
        windows_.dialogs->information("No program here opens web pages. The user's guide is " +
                                      QDir::toNativeSeparators(fromUtf8(toText(*guide))) +
                                      ": open it in a web browser.");
        return;
    }
#ifdef _WIN32
    windows_.dialogs->information("The user's guide is the file docs\\guide.html beside qx.exe, in the folder "
                                  "Quarvex was unpacked into.");
#else
    windows_.dialogs->information("The user's guide is the file docs/guide.md of Quarvex's sources; an installed "
                                  "Quarvex keeps it as /usr/share/doc/quarvex/guide.html.");
#endif
}

void TForm1::stretch()
{
    auto* screen = QApplication::primaryScreen();
    int width = screen ? screen->geometry().width() : 1024;
    move(-3, -3);
    resize(width + 6, kToolbarHeight);
}

QPushButton* TForm1::button(const QString& caption) const
{
    for (auto* button : findChildren<QPushButton*>()) {
        if (button->text() == caption)
            return button;
    }
    return nullptr;
}

void TForm1::addButton(const QString& caption, const std::function<void()>& action)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString(caption).remove(' ') + "Button");
    button->setMinimumSize(84, kToolbarHeight - 12);
    layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, action] { runCommand(*windows_.dialogs, action); });
}

void TForm1::openEditor(QWidget* editor, const std::string& scratchName)
{
    if (windows_.settings->gate(scratchName))
        showToFront(editor);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!windows_.prjform->settleUnsavedChanges(
            "The project has changes that are not saved. Save them before closing?")) {
        event->ignore();
        return;
    }
    const auto workingDir = windows_.settings->state().workingDir;
    runCommand(*windows_.dialogs, [&] {
        removeIfExists(toPath(joinName(workingDir, names::kProject)));
        removeIfExists(toPath(joinName(workingDir, names::kProjectScratch)));
    });
    event->accept();
    QApplication::quit();
}

}
