#include "stock/line_helpers.h"

#include "common/text.h"

#include <algorithm>
#include <cctype>

namespace qx::stock {

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
