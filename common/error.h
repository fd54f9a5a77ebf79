#pragma once

#include <stdexcept>
#include <string>

namespace qx {

// The one error type of the core: its text is shown to the user as it is.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}
