#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Texts inside project files are 8-bit Windows-1252; the rest of the program
// speaks UTF-8. Bytes the code page leaves undefined map to the C1 controls.
std::string cp1252ToUtf8(std::string_view text);

// Nothing when the text holds a character without a Windows-1252 form, or is
// not valid UTF-8.
std::optional<std::string> utf8ToCp1252(std::string_view text);

}
