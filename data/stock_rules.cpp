#include "data/stock_rules.h"

#include <string_view>

namespace qx::stock {
namespace embedded {
std::string_view block1Text();
std::string_view block2Text();
}

namespace {
std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        auto end = text.find('\n');
        auto line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}
}

const std::vector<std::string>& rulesBlock1()
{
    static const auto lines = splitLines(embedded::block1Text());
    return lines;
}

const std::vector<std::string>& rulesBlock2()
{
    static const auto lines = splitLines(embedded::block2Text());
    return lines;
}

const std::vector<std::string>& rulesText()
{
    static const auto lines = [] {
        auto all = rulesBlock1();
        all.insert(all.end(), rulesBlock2().begin(), rulesBlock2().end());
        return all;
    }();
    return lines;
}

}
