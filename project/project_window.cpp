#include "project/project_window.h"
#include "common/file_names.h"

#include "common/cp1252.h"
#include "common/error.h"
#include "common/file_io.h"
#include "common/save_file.h"
#include "compiler/compile.h"
#include "compiler/game_originals.h"
#include "compiler/install_journal.h"
#include "compiler/project_text.h"
#include "compiler/rules_import.h"
#include "library/drop_targets.h"
#include "project/import_window.h"
#include "project/preview_window.h"
#include "project/package.h"
#include "shell/all_windows.h"
#include "shell/dialog_service.h"
#include "shell/event_pump.h"
#include "shell/startup.h"
#include "shell/ui_state.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QListWidget>
#include <QToolButton>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx {
namespace {

// Compile findings go to the warnings list, messages through the dialogs.
class WindowReporter : public compiler::CompileReporter {
public:
    WindowReporter(QListWidget* warnings, DialogService& dialogs) : warnings_(warnings), dialogs_(dialogs) {}

    void warning(const std::string& line) override { warnings_->addItem(text(line)); }
    void error(const std::string& message) override { dialogs_.error(text(message)); }
    void information(const std::string& message) override { dialogs_.information(text(message)); }
    bool confirm(const std::string& message) override
    {
        return dialogs_.confirm(text(message), false) == DialogService::Answer::Yes;
    }

private:
    static QString text(const std::string& cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }

    QListWidget* warnings_;
    DialogService& dialogs_;
};

// A compile's messages, shown in one box at its end; its questions are
// asked when they arise.
class CompileBoxReporter : public WindowReporter {
public:
    using WindowReporter::WindowReporter;

    void error(const std::string& message) override { fail(QString::fromStdString(cp1252ToUtf8(message))); }
    void information(const std::string& message) override { lines_ << QString::fromStdString(cp1252ToUtf8(message)); }
    void failure(const std::exception& failure) { fail(QString::fromStdString(failure.what())); }
    // The box: the messages, and where the files went when they were installed.
    void finish(DialogService& dialogs, const std::string& gameDir, bool installed) const
    {
        auto lines = lines_;
        if (installed)
            lines << "The compiled files are in " + fromUtf8(gameDir) + ".";
        if (failed_ || !installed)
            dialogs.error(lines.join("\r"));
        else
            dialogs.information(lines.join("\r"));
    }
    bool empty() const { return lines_.isEmpty(); }

private:
    void fail(const QString& line)
    {
        failed_ = true;
        lines_ << line;
    }

    QStringList lines_;
    bool failed_ = false;
};

const QString kPackageFilter = "Quarvex Projects|*.qxp|All Files|*.*";
const QString kPackageSuffix = "qxp";
const QString kSaveFirst = "The project has changes that are not saved. Save them first?";

}

Tprjform::Tprjform(Windows& windows)
    : windows_(windows)
{
    setObjectName("Tprjform");
    new QVBoxLayout(this);
    NewQXP = addButton("New", "NewQXP", &Tprjform::newProject);
    OpenQXP = addButton("Open", "OpenQXP", &Tprjform::openProject);
    addRecentMenu();
    SaveQXP = addButton("Save", "SaveQXP", &Tprjform::saveProject);
    SaveQXP->setShortcut(QKeySequence::Save);
    SaveAsQXP = addButton("Save As...", "SaveAsQXP", &Tprjform::saveProjectAs);
    SaveAsQXP->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setAccessibleName("Project entries");
    layout()->addWidget(ListBox1);
    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox1->setToolTip(item->text()); });
    EditQXP = addButton("Edit", "EditQXP", &Tprjform::editEntry);
    RemoveQXP = addButton("Remove", "RemoveQXP", &Tprjform::removeEntry);
    compQXP = addButton("Compile", "compQXP", &Tprjform::compileProject);
    PreviewQXP = addButton("Preview", "PreviewQXP", &Tprjform::previewProject);
    RestoreGame = addButton("Restore Game", "RestoreGame", &Tprjform::restoreGame);
    addImportExportMenu();
    undoAction = new QAction("&Undo", this);
    undoAction->setObjectName("undoAction");
    undoAction->setShortcut(QKeySequence::Undo);
    redoAction = new QAction("&Redo", this);
    redoAction->setObjectName("redoAction");
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(undoAction, &QAction::triggered, this, [this] { runCommand(*windows_.dialogs, [this] { undo(); }); });
    connect(redoAction, &QAction::triggered, this, [this] { runCommand(*windows_.dialogs, [this] { redo(); }); });
    addAction(undoAction);
    addAction(redoAction);
    // The list's own menu: Undo and Redo where the entries are.
    ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListBox1->addAction(undoAction);
    ListBox1->addAction(redoAction);
    showHistory();
    warnings = new QListWidget(this);
    warnings->setObjectName("warnings");
    warnings->setAccessibleName("Warnings");
    layout()->addWidget(warnings);
    setPackage("");
    setAcceptDrops(true);
    resize(360, 560);
}

void Tprjform::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData(), {".qxp", ".ini"}).isEmpty())
        event->acceptProposedAction();
}

void Tprjform::dropEvent(QDropEvent* event)
{
    auto path = droppedFile(event->mimeData(), {".qxp", ".ini"});
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    runCommand(*windows_.dialogs, [&] {
        if (!settleUnsavedChanges(kSaveFirst))
            return;
        if (path.endsWith(".qxp", Qt::CaseInsensitive))
            openPackageFile(toPath(toUtf8(QDir::toNativeSeparators(path))));
        else
            importRulesFrom(QDir::toNativeSeparators(path));
    });
}

template <typename Command>
QPushButton* Tprjform::addButton(const QString& caption, const QString& name, Command command)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    layout()->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, command] { runCommand(*windows_.dialogs, [&] { (this->*command)(); }); });
    return button;
}

template <typename Command>
void Tprjform::addMenuCommand(const QString& caption, Command command)
{
    auto* action = ImportExportMenu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(*windows_.dialogs, [&] { (this->*command)(); }); });
}

void Tprjform::addImportExportMenu()
{
    ImportExport = new QPushButton("Import / Export", this);
    ImportExport->setObjectName("ImportExport");
    ImportExportMenu = new QMenu(ImportExport);
    ImportExportMenu->setObjectName("ImportExportMenu");
    ImportExportMenu->setAccessibleName("Import / Export");
    addMenuCommand("Export as Text...", &Tprjform::exportText);
    addMenuCommand("Import Text...", &Tprjform::importText);
    addMenuCommand("Import rules.ini...", &Tprjform::importRules);
    ImportExport->setMenu(ImportExportMenu);
    layout()->addWidget(ImportExport);
}

fs::path Tprjform::workingFile(const std::string& name) const
{
    return toPath(windows_.settings->workingFile(name));
}

void Tprjform::setLoader(EditedBy editor, EntryLoader* loader)
{
    loaders_[editor] = loader;
}

void Tprjform::addLine(const std::string& line)
{
    ListBox1->addItem(QString::fromStdString(cp1252ToUtf8(line)));
}

void Tprjform::appendEntry(const project::NewEntry& entry, const std::string& line)
{
    project::append(workingFile(names::kProject), workingFile(names::kProjectScratch), entry);
    setUnsaved(true);
    addLine(line);
    showToFront(this);
}

int Tprjform::storeEntry(const project::NewEntry& entry, const std::string& line, int replaced)
{
    bool replacing = replaced != project::EditedEntry::kNone;
    rememberForUndo(replacing ? replaced : ListBox1->currentRow());
    if (replacing)
        removeEntryAt(replaced);
    appendEntry(entry, line);
    return ListBox1->count() - 1;
}

void Tprjform::showLines(const std::vector<std::string>& lines)
{
    ListBox1->clear();
    for (const auto& line : lines)
        addLine(line);
}

// At start-up the editors are not created yet.
std::vector<project::EditedEntry*> Tprjform::editedEntries() const
{
    std::vector<project::EditedEntry*> entries;
    auto add = [&](auto* window) {
        if (window)
            entries.push_back(&window->edited);
    };
    add(windows_.cnuform);
    add(windows_.cnwform);
    add(windows_.cnpform);
    add(windows_.cnwhform);
    add(windows_.cnbform);
    add(windows_.rulesText);
    return entries;
}

// A new project makes every edited-entry index stale: a later save must not
// remove an entry of the new project by an old position.
void Tprjform::forgetEditedEntries()
{
    for (auto* entry : editedEntries())
        entry->clear();
}

void Tprjform::startEmptyProject()
{
    project::createEmpty(workingFile(names::kProject));
    ListBox1->clear();
    forgetEditedEntries();
    forgetHistory();
    setPackage("");
    setUnsaved(false);
}

bool Tprjform::settleUnsavedChanges(const QString& question)
{
    if (!unsaved_)
        return true;
    switch (windows_.dialogs->askToSave(question)) {
    case DialogService::SaveAnswer::Cancel:
        return false;
    case DialogService::SaveAnswer::Discard:
        return true;
    case DialogService::SaveAnswer::Save:
        break;
    }
    bool saved = false;
    runCommand(*windows_.dialogs, [&] { saved = saveProject(); });
    return saved;
}

void Tprjform::settleGame(const std::string& gameDir)
{
    if (!directoryExists(gameDir))
        return;
    auto settled = compiler::settleInstall(gameDir);
    if (!settled)
        return;
    warnings->clear();
    for (const auto& line : compiler::gameStatus(gameDir))
        warnings->addItem(fromUtf8(line));
    warnings->insertItem(0, fromUtf8(*settled));
}

void Tprjform::startUp(const std::optional<std::string>& lastCompiled)
{
    if (restoreCrashedProject())
        return;
    if (lastCompiled)
        openStartupProject(*lastCompiled);
}

// A working file found at start was left by a run that did not end
// normally; its work is offered back, and a damaged one is kept aside.
bool Tprjform::restoreCrashedProject()
{
    auto path = workingFile(names::kProject);
    auto leftover = inspectLeftover(path);
    switch (leftover.state) {
    case LeftoverProject::State::None:
        return false;
    case LeftoverProject::State::Damaged:
        windows_.dialogs->information("The project of the last run was damaged. It was kept as " +
                                      fromUtf8(toText(setAsideDamaged(path))) + ".");
        return false;
    case LeftoverProject::State::Empty:
        break;
    case LeftoverProject::State::Valid:
        auto question = QString("Quarvex did not close normally. Restore the project that was open then (%1 entries)?")
                            .arg(leftover.entries);
        if (windows_.dialogs->confirm(question, false) != DialogService::Answer::Yes)
            break;
        showLines(project::openedListLines(path));
        setUnsaved(true);
        return true;
    }
    removeIfExists(path);
    return false;
}

void Tprjform::openStartupProject(const std::string& package)
{
    std::error_code error;
    if (fs::exists(toPath(package), error)) {
        try {
            openPackageFile(toPath(package));
            return;
        } catch (const std::exception& failure) {
            windows_.dialogs->error(QString::fromStdString(failure.what()));
        }
    }
    startEmptyProject();
}

void Tprjform::newProject()
{
    if (ListBox1->count() == 0)
        return;
    // Work that is saved or compiled is not lost: only changes are asked about.
    if (settleUnsavedChanges(kSaveFirst))
        startEmptyProject();
}

void Tprjform::openProject()
{
    if (!settleUnsavedChanges(kSaveFirst))
        return;
    auto source = windows_.dialogs->openFile(kPackageFilter, kPackageSuffix);
    if (source.isEmpty())
        return;
    openPackageFile(toPath(toUtf8(source)));
}

void Tprjform::openPackageFile(const fs::path& package)
{
    showLines(project::openPackage(package, workingFile(names::kProject), workingFile(names::kOpenScratch)));
    forgetEditedEntries();
    forgetHistory();
    setPackage(toText(package));
    setUnsaved(false);
}

bool Tprjform::saveProject()
{
    if (packagePath_.empty())
        return saveProjectAs();
    EventPump pump;
    project::savePackage(workingFile(names::kProject), toPath(packagePath_), &pump);
    setUnsaved(false);
    return true;
}

bool Tprjform::saveProjectAs()
{
    auto destination = windows_.dialogs->saveFile(kPackageFilter, kPackageSuffix);
    if (destination.isEmpty())
        return false;
    EventPump pump;
    project::savePackage(workingFile(names::kProject), toPath(toUtf8(destination)), &pump);
    setPackage(toUtf8(destination));
    setUnsaved(false);
    return true;
}

void Tprjform::setUnsaved(bool unsaved)
{
    unsaved_ = unsaved;
    setWindowModified(unsaved);
}

void Tprjform::showName()
{
    auto name = packagePath_.empty() ? QString("Untitled") : QFileInfo(fromUtf8(packagePath_)).fileName();
    setWindowTitle("Project - " + name + "[*]");
}

void Tprjform::setPackage(const std::string& path)
{
    packagePath_ = path;
    showName();
    if (path.empty() || !windows_.uiState)
        return;
    rememberProject(windows_.uiState->state(), path);
    windows_.uiState->save();
}

void Tprjform::addRecentMenu()
{
    RecentQXP = new QToolButton(this);
    RecentQXP->setObjectName("RecentQXP");
    RecentQXP->setText("Recent Projects");
    RecentQXP->setAccessibleName("Recent Projects");
    RecentQXP->setPopupMode(QToolButton::InstantPopup);
    RecentQXP->setToolButtonStyle(Qt::ToolButtonTextOnly);
    RecentQXP->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    RecentMenu = new QMenu(RecentQXP);
    RecentMenu->setObjectName("RecentMenu");
    RecentMenu->setAccessibleName("Recent Projects");
    RecentQXP->setMenu(RecentMenu);
    connect(RecentMenu, &QMenu::aboutToShow, this, &Tprjform::fillRecentMenu);
    layout()->addWidget(RecentQXP);
}

void Tprjform::fillRecentMenu()
{
    RecentMenu->clear();
    const auto recent = windows_.uiState ? windows_.uiState->state().recentProjects : std::vector<std::string>{};
    for (const auto& path : recent) {
        auto* action = RecentMenu->addAction(QDir::toNativeSeparators(fromUtf8(path)));
        connect(action, &QAction::triggered, this, [this, path] { runCommand(*windows_.dialogs, [&] { openRecent(path); }); });
    }
    if (recent.empty())
        RecentMenu->addAction("No recent projects")->setEnabled(false);
}

void Tprjform::openRecent(const std::string& path)
{
    if (!settleUnsavedChanges(kSaveFirst))
        return;
    std::error_code error;
    if (!fs::is_regular_file(toPath(path), error)) {
        forgetProject(windows_.uiState->state(), path);
        windows_.uiState->save();
        throw Error("The project " + path + " is gone.");
    }
    openPackageFile(toPath(path));
}

void Tprjform::editEntry()
{
    int position = ListBox1->currentRow();
    if (position < 0) {
        windows_.dialogs->error("Please select Unit to edit!");
        return;
    }
    auto path = workingFile(names::kProject);
    if (!project::headerIsValid(readFileHead(path, project::kHeaderSize)))
        return;
    auto entry = project::readEntry(path, static_cast<std::size_t>(position));
    const auto* facts = factsOf(entry.kind);
    if (auto found = facts ? loaders_.find(facts->editor) : loaders_.end(); found != loaders_.end())
        found->second->loadEntry(position, entry);
}

void Tprjform::removeEntry()
{
    int position = ListBox1->currentRow();
    if (position < 0) {
        windows_.dialogs->error("Please select unit to delete!");
        return;
    }
    auto question = "Do you really want to delete settings for " + ListBox1->item(position)->text();
    if (windows_.dialogs->confirm(question, false) != DialogService::Answer::Yes)
        return;
    rememberForUndo(position);
    removeEntryAt(position);
    // The selection stays in place: on the entry that followed, or the last.
    ListBox1->setCurrentRow(std::min(position, ListBox1->count() - 1));
}

Tprjform::UndoStep Tprjform::snapshot(int select)
{
    UndoStep step{workingFile("undo-" + std::to_string(++snapshots_) + ".tmp"), {}, unsaved_, packagePath_, select};
    // Before the first entry of a run there may be no working file yet.
    std::error_code error;
    if (fs::exists(workingFile(names::kProject), error))
        saveFile(step.file, readFile(workingFile(names::kProject), project::kMaxProjectSize));
    else
        project::createEmpty(step.file);
    for (int i = 0; i < ListBox1->count(); ++i)
        step.lines << ListBox1->item(i)->text();
    return step;
}

void Tprjform::restore(const UndoStep& step)
{
    // The step's copy is complete already: it takes the working file's place.
    replaceWithCopy(step.file, workingFile(names::kProject));
    ListBox1->clear();
    ListBox1->addItems(step.lines);
    forgetEditedEntries();
    packagePath_ = step.package;
    showName();
    setUnsaved(step.unsaved);
    ListBox1->setCurrentRow(std::min(step.select, ListBox1->count() - 1));
}

void Tprjform::rememberForUndo(int select)
{
    undo_.push_back(snapshot(select));
    for (const auto& step : redo_)
        removeIfExists(step.file);
    redo_.clear();
    showHistory();
}

void Tprjform::undo()
{
    stepBack(undo_, redo_);
}

void Tprjform::redo()
{
    stepBack(redo_, undo_);
}

// The newest step of from restored; the project as it was goes onto to.
void Tprjform::stepBack(std::vector<UndoStep>& from, std::vector<UndoStep>& to)
{
    if (from.empty())
        return;
    auto step = from.back();
    to.push_back(snapshot(ListBox1->currentRow()));
    from.pop_back();
    restore(step);
    showHistory();
}

void Tprjform::forgetHistory()
{
    for (const auto* steps : {&undo_, &redo_}) {
        for (const auto& step : *steps)
            removeIfExists(step.file);
    }
    undo_.clear();
    redo_.clear();
    showHistory();
}

void Tprjform::showHistory()
{
    undoAction->setEnabled(!undo_.empty());
    redoAction->setEnabled(!redo_.empty());
}

void Tprjform::removeEntryAt(int position)
{
    project::remove(workingFile(names::kProject), workingFile(names::kRemoveScratch), static_cast<std::size_t>(position));
    setUnsaved(true);
    for (auto* entry : editedEntries())
        entry->entryRemoved(position);
    delete ListBox1->takeItem(position);
}

bool Tprjform::gameDirReady()
{
    const auto& game = windows_.settings->state().fields.game;
    if (!game.empty())
        compiler::requireGameDir(game);
    // Without a game directory there is nowhere to install the outputs.
    return windows_.settings->gate(names::kGateCompile);
}

void Tprjform::compileProject()
{
    warnings->clear();
    if (!gameDirReady())
        return;
    CompileBoxReporter reporter(warnings, *windows_.dialogs);
    const auto& state = windows_.settings->state();
    auto outcome = compiler::CompileOutcome::Stopped;
    try {
        outcome = compiler::compileProject({workingFile(names::kProject), toPath(state.workingDir), state.fields.game},
                                           static_cast<std::size_t>(ListBox1->count()), reporter);
    } catch (const std::exception& failure) {
        reporter.failure(failure);
    }
    bool installed = outcome == compiler::CompileOutcome::RulesInstalled;
    if (!reporter.empty())
        reporter.finish(*windows_.dialogs, state.fields.game, installed);
    // The game directory now holds the project as "curqxp.set".
    if (installed)
        setUnsaved(false);
}

void Tprjform::previewProject()
{
    if (!gameDirReady())
        return;
    compiler::RecordingReporter reporter(true);
    auto file = readFile(workingFile(names::kProject), project::kMaxProjectSize);
    auto changes = compiler::previewCompile(file, windows_.settings->state().fields.game,
                                            static_cast<std::size_t>(ListBox1->count()), reporter);
    if (!preview) {
        preview = new Tpreviewform(this);
        connect(preview, &Tpreviewform::compileRequested, compQXP, &QPushButton::click);
    }
    preview->showPreview(reporter.findings, changes);
    showToFront(preview);
}

void Tprjform::restoreGame()
{
    if (!gameDirReady())
        return;
    auto question = "Put back the game's own rules.ini and sc-qx.mix and remove the compiled project from the game directory?";
    if (windows_.dialogs->confirm(question, false) != DialogService::Answer::Yes)
        return;
    const auto& game = windows_.settings->state().fields.game;
    auto changed = compiler::restoreGame(game);
    if (changed.empty()) {
        windows_.dialogs->information(fromUtf8(compiler::nothingToRestore(game)));
        return;
    }
    // The game no longer holds this project: only the working file does.
    if (ListBox1->count() > 0)
        setUnsaved(true);
    QStringList lines;
    for (const auto& line : changed)
        lines << fromUtf8(line);
    windows_.dialogs->information("The game's own files are back.\r" + lines.join("\r"));
}

void Tprjform::exportText()
{
    auto folder = windows_.dialogs->newFolder("Choose a new or empty folder for the project as text", [](const QString& folder) {
        return fromUtf8(compiler::folderRefusal(toPath(toUtf8(folder))));
    });
    if (folder.isEmpty())
        return;
    compiler::exportFolder(readFile(workingFile(names::kProject), project::kMaxProjectSize), toPath(toUtf8(folder)));
    windows_.dialogs->information("The project was written as text to " + folder + ".");
}

void Tprjform::importText()
{
    if (!settleUnsavedChanges(kSaveFirst))
        return;
    auto folder = windows_.dialogs->browseFolder("Choose the folder that holds project.ini");
    if (folder.isEmpty())
        return;
    openImported(compiler::importFolder(toPath(toUtf8(folder))));
}

void Tprjform::openImported(ByteView plain)
{
    rememberForUndo(ListBox1->currentRow());
    showLines(project::openWorkingFile(plain, workingFile(names::kProject), workingFile(names::kOpenScratch)));
    forgetEditedEntries();
    setPackage("");
    setUnsaved(true);
}

void Tprjform::importRules()
{
    if (!settleUnsavedChanges(kSaveFirst))
        return;
    auto source = windows_.dialogs->openFile("Rules Files|*.ini|All Files|*.*", "ini");
    if (!source.isEmpty())
        importRulesFrom(source);
}

void Tprjform::importRulesFrom(const QString& source)
{
    auto imported = compiler::importRulesFile(toPath(toUtf8(source)));
    openImported(imported.workingFile);
    if (!importReport)
        importReport = new Timportform(this);
    importReport->showLines(imported.notes);
    showToFront(importReport);
}

}
