#pragma once

#include "shell/windows.h"

#include <QWidget>

namespace qx {

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(Windows& windows);

private:
    Windows& windows_;
};

}
