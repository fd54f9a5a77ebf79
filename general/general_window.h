#pragma once

#include "project/entry_loader.h"
#include "shell/windows.h"

#include <QWidget>

namespace qx {

class TGeneral : public QWidget, public EntryLoader {
    Q_OBJECT
public:
    explicit TGeneral(Windows& windows);

    void loadEntry(int position, const project::Entry& entry) override;

private:
    Windows& windows_;
};

}
