#pragma once

#include <cstdint>
#include <string>

namespace qx::compiler {

// The short form of number / divisor (10, 100 or 1000) that the rules file
// uses: "5.75", ".8", "1", "0".
std::string decimalText(std::int64_t number, int divisor);

}
