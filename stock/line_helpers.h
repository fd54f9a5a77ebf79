#pragma once

#include <string>
#include <string_view>

namespace qx::stock {

// "Tesla Coil [TSLA]" gives "TSLA"; the contents of several bracket groups
// are joined.
std::string bracketIdentifier(std::string_view text);
std::size_t commaCount(std::string_view text);
std::string listItem(std::string_view text, std::size_t n);

// A menu caption as a field shows it: every '&' removed.
std::string withoutAmpersands(std::string_view caption);

}
