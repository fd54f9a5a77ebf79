#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// ASCII letters only: texts are Windows-1252 bytes.
std::string lowerCase(std::string_view text);

// The short form of number / divisor (10, 100 or 1000) that the rules file
// uses: "5.75", ".8", "1", "0".
std::string decimalText(std::int64_t number, int divisor);

}
