#pragma once

#include "shell/windows.h"

#include <QWidget>

namespace qx {

class TGeneral : public QWidget {
    Q_OBJECT
public:
    explicit TGeneral(Windows& windows);

private:
    Windows& windows_;
};

}
