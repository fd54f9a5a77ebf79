#pragma once

#include <string>
#include <string_view>

namespace qx {

// A unified diff from before to after with three lines of context, headed
// "--- a/NAME" and "+++ b/NAME"; empty when the two are the same. Lines keep
// their own ends (CR LF stays CR LF), so the diff applied with patch gives
// after byte for byte.
std::string unifiedDiff(std::string_view before, std::string_view after, const std::string& name);

}
