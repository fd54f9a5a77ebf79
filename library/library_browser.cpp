#include "library/library_browser.h"

namespace qx {

TForm2::TForm2(Windows& windows)
    : windows_(windows)
{
    setObjectName("TForm2");
    setWindowTitle("Please select a Valkor Library File");
    resize(420, 360);
}

}
