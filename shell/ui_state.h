#pragma once

#include "common/file_io.h"

#include <map>
#include <string>
#include <vector>

namespace qx {

// Where a window was put and how large it was.
struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const WindowPlace&) const = default;
};

// What the windows remember between runs, kept in a small file of its own
// beside the settings: the recent projects, each window's place, the
// palette for SHP files dropped onto the editors.
struct UiState {
    std::vector<std::string> recentProjects;  // newest first
    std::map<std::string, WindowPlace> places;
    std::string dropPalette;

    bool operator==(const UiState&) const = default;
};

constexpr std::size_t kMaxRecentProjects = 8;

// The state in the file; what a missing or damaged file cannot give is left
// out, never an error: it only remembers.
UiState readUiState(const fs::path& file);
void writeUiState(const fs::path& file, const UiState& state);
// The place a window takes on a screen of that area: as wanted, moved (and
// shrunk if need be) to lie on the screen, its top below the toolbar.
WindowPlace placeOnScreen(WindowPlace wanted, WindowPlace screen, int toolbarBottom);

// The project goes first in the recent list, once, which keeps eight.
void rememberProject(UiState& state, const std::string& path);
void forgetProject(UiState& state, const std::string& path);

// The state of a run, written back whenever it changes. A state that cannot
// be written is only not remembered: it holds none of the player's work.
class UiStateFile {
public:
    explicit UiStateFile(fs::path file);
    UiState& state() { return state_; }
    void save() const noexcept;

private:
    fs::path file_;
    UiState state_;
};

}
