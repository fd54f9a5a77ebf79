#include "shell/windows.h"

#include "common/text.h"
#include "shell/dialog_service.h"

#include <QWidget>

#include <exception>

namespace qx {

void runCommand(DialogService& dialogs, const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        dialogs.error(QString::fromStdString(oneLine(error.what())));
    }
}

void showToFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

DisabledWhile::DisabledWhile(QWidget* window) : window_(window)
{
    window_->setEnabled(false);
}

DisabledWhile::~DisabledWhile()
{
    window_->setEnabled(true);
}

}
