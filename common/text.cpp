#include "common/text.h"

#include <algorithm>

namespace qx {

std::string lowerCase(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return result;
}

std::string decimalText(std::int64_t number, int divisor)
{
    if (number < 0)
        return "-" + decimalText(-number, divisor);
    std::string text;
    if (auto whole = number / divisor; whole != 0)
        text = std::to_string(whole);
    if (auto fraction = number % divisor; fraction != 0) {
        auto digits = std::to_string(fraction + divisor).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text.empty() ? "0" : text;
}

}
