#include "general/general_window.h"

namespace qx {

TGeneral::TGeneral(Windows& windows)
    : windows_(windows)
{
    setObjectName("TGeneral");
    setWindowTitle("General Settings");
    resize(560, 420);
}

void TGeneral::loadEntry(int, const project::Entry&)
{
    showToFront(this);
}

}
