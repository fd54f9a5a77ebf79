#pragma once

#include "common/error.h"

#include <string>

namespace qx::test {

// The text of the project error that action throws, or "no error".
template <typename Action>
std::string errorOf(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

}
