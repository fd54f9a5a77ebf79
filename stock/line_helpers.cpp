#include "stock/line_helpers.h"

#include "common/text.h"

#include <algorithm>
#include <cctype>

namespace qx::stock {
namespace {

std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// "key=" and one of the two words, without allocating.
bool isFlag(std::string_view stripped, std::string_view key, std::string_view word, std::string_view other)
{
    if (!stripped.starts_with(key) || stripped.size() <= key.size() || stripped[key.size()] != '=')
        return false;
    auto value = stripped.substr(key.size() + 1);
    return value == word || value == other;
}

}

std::string strippedLine(std::string_view line)
{
    return lowerCase(withoutTrailingBlanks(line.substr(0, line.find(';'))));
}

std::string lineKey(std::string_view line)
{
    return lowerCase(line.substr(0, line.find('=')));
}

std::string lineValue(std::string_view line)
{
    auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    auto value = line.substr(equals + 1);
    return lowerCase(withoutTrailingBlanks(value.substr(0, value.find(';'))));
}

bool isYes(std::string_view line, std::string_view key)
{
    return isStrippedYes(strippedLine(line), key);
}

bool isNo(std::string_view line, std::string_view key)
{
    return isStrippedNo(strippedLine(line), key);
}

bool isStrippedYes(std::string_view stripped, std::string_view key)
{
    return isFlag(stripped, key, "yes", "true");
}

bool isStrippedNo(std::string_view stripped, std::string_view key)
{
    return isFlag(stripped, key, "no", "false");
}

std::string bracketIdentifier(std::string_view text)
{
    std::string identifier;
    auto open = text.find('[');
    while (open != std::string_view::npos) {
        auto close = text.find(']', open + 1);
        identifier += text.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
        if (close == std::string_view::npos)
            break;
        open = text.find('[', close + 1);
    }
    return identifier;
}

std::size_t commaCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), ','));
}

std::string listItem(std::string_view text, std::size_t n)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        auto comma = text.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    auto end = text.find(',', start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string withoutAmpersands(std::string_view caption)
{
    std::string result;
    std::copy_if(caption.begin(), caption.end(), std::back_inserter(result), [](char c) { return c != '&'; });
    return result;
}

}
