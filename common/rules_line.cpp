#include "common/rules_line.h"

#include "common/text.h"

namespace qx {

RulesLine readRulesLine(std::string_view line)
{
    line = line.substr(0, kMaxRulesLine);
    line = line.substr(0, line.find(';'));
    if (line.starts_with('[')) {
        auto close = line.find(']');
        if (close == std::string_view::npos)
            return {};
        return {RulesLine::Kind::Header, trimmed(line.substr(1, close - 1)), {}};
    }
    auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    auto key = trimmed(line.substr(0, equals));
    if (key.empty())
        return {};
    return {RulesLine::Kind::Entry, key, trimmed(line.substr(equals + 1))};
}

std::string rulesTextSummary(std::string_view text)
{
    auto lines = pieces(text, '\n');
    std::size_t sections = 0;
    for (auto line : lines)
        sections += readRulesLine(line).kind == RulesLine::Kind::Header;
    auto count = [](std::size_t n, const char* one) { return std::to_string(n) + " " + one + (n == 1 ? "" : "s"); };
    return count(lines.size(), "line") + " in " + count(sections, "section");
}

}
