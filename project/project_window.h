#pragma once

#include "shell/windows.h"

#include <QWidget>

class QListWidget;

namespace qx {

// The open project as a list, with the project-level commands.
class Tprjform : public QWidget {
    Q_OBJECT
public:
    explicit Tprjform(Windows& windows);

    // Start-up: reopen the project last compiled into the game.
    void openStartupProject(const std::string& package);

    QListWidget* ListBox1;

private:
    Windows& windows_;
};

}
