#include "project/project_window.h"

#include "project/working_file.h"
#include "shell/settings_window.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace qx {

Tprjform::Tprjform(Windows& windows)
    : windows_(windows)
{
    setObjectName("Tprjform");
    setWindowTitle("Project");
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    layout->addWidget(ListBox1);
}

void Tprjform::openStartupProject(const std::string&)
{
    project::createEmpty(toPath(windows_.settings->workingFile("project.tmp")));
}

}
