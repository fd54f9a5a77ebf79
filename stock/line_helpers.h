#pragma once

#include <string>
#include <string_view>

namespace qx::stock {

// The functions over key=value lines of rules text; results in lower case.
std::string strippedLine(std::string_view line);
std::string lineKey(std::string_view line);
std::string lineValue(std::string_view line);
bool isYes(std::string_view line, std::string_view key);
bool isNo(std::string_view line, std::string_view key);
// The same over a line that strippedLine gave.
bool isStrippedYes(std::string_view stripped, std::string_view key);
bool isStrippedNo(std::string_view stripped, std::string_view key);

// "Tesla Coil [TSLA]" gives "TSLA"; the contents of several bracket groups
// are joined.
std::string bracketIdentifier(std::string_view text);
std::size_t commaCount(std::string_view text);
std::string listItem(std::string_view text, std::size_t n);

// A menu caption as a field shows it: every '&' removed.
std::string withoutAmpersands(std::string_view caption);

}
