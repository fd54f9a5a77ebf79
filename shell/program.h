#pragma once

#include "shell/settings_window.h"
#include "shell/ui_state.h"
#include "shell/window_places.h"
#include "shell/windows.h"

#include <memory>
#include <vector>

namespace qx {

// Creates the ten windows once, in their fixed order, and owns them.
class Program {
public:
    Program(DialogService& dialogs, const ShellPaths& paths);
    ~Program();

    Windows& windows() { return windows_; }
    // False when another run holds the working directory: the windows are
    // made but nothing was touched, and the run should end.
    bool started() const { return started_; }

    static ShellPaths defaultPaths();

private:
    template <typename Window, typename... Args>
    Window* create(Args&&... args);

    std::unique_ptr<UiStateFile> uiState_;
    std::unique_ptr<WindowPlaces> places_;
    Windows windows_;
    bool started_ = false;
    std::vector<std::unique_ptr<QWidget>> owned_;
};

}
