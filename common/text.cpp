#include "common/text.h"

#include <algorithm>
#include <charconv>

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

std::string commaText(std::int64_t number, int divisor)
{
    auto text = decimalText(number, divisor);
    auto point = text.find('.');
    if (point == std::string::npos)
        return text;
    text[point] = ',';
    if (point == 0 || text[point - 1] == '-')
        text.insert(point, "0");
    return text;
}

std::optional<std::int64_t> wholeNumber(std::string_view text)
{
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> gameNumber(std::string_view text, int fractionDigits)
{
    text = trimmed(text);
    bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    auto end = text.find_first_not_of("0123456789.");
    auto number = std::string(text.substr(0, end));
    if (auto point = number.find('.'); point != std::string::npos) {
        number[point] = ',';
        number = number.substr(0, number.find('.'));
    }
    bool percent = end != std::string_view::npos && text[end] == '%';
    if (number.starts_with(',') && number.size() > 1)
        number.insert(0, "0");
    if (fractionDigits == 0 && !percent)
        number = number.substr(0, number.find(','));
    auto value = scaledNumber(number, fractionDigits + (percent ? 2 : 0));
    if (!value)
        return std::nullopt;
    if (percent)
        *value = (*value + 50) / 100;
    return negative ? -*value : *value;
}

std::optional<std::int64_t> scaledNumber(std::string_view text, int fractionDigits)
{
    auto comma = text.find(',');
    auto whole = text.substr(0, comma);
    auto fraction = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9' || value > 1'000'000'000)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    std::int64_t scale = 1;
    for (int i = 0; i < fractionDigits; ++i)
        scale *= 10;
    value *= scale;
    std::int64_t place = scale / 10;
    std::int64_t rest = 0;
    int restDigits = 0;
    for (char c : fraction) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (place > 0) {
            value += (c - '0') * place;
            place /= 10;
        } else if (restDigits < 18) {
            rest = rest * 10 + (c - '0');
            ++restDigits;
        }
    }
    if (restDigits > 0) {
        std::int64_t half = 5;
        for (int i = 1; i < restDigits; ++i)
            half *= 10;
        if (rest > half || (rest == half && value % 2 == 1))
            ++value;
    }
    return value;
}

std::string hexByte(std::uint8_t byte)
{
    static const char kHex[] = "0123456789abcdef";
    return {kHex[byte >> 4], kHex[byte & 15]};
}

std::string oneLine(std::string_view text)
{
    std::string shown;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\t')
            shown += "\\t";
        else if (byte < 0x20 || byte == 0x7f)
            shown += "\\x" + hexByte(byte);
        else
            shown += c;
    }
    return shown;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> pieces(std::string_view text, char separator)
{
    std::vector<std::string_view> found;
    while (!text.empty()) {
        auto end = std::min(text.find(separator), text.size());
        found.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return found;
}

HeadedLines headedLines(std::string_view text, std::string_view head)
{
    HeadedLines found;
    if (!text.starts_with(std::string(head) + "\n")) {
        found.fault = "it does not start with \"" + std::string(head) + "\"";
        return found;
    }
    text.remove_prefix(head.size() + 1);
    while (!text.empty()) {
        auto end = text.find('\n');
        if (end == std::string_view::npos) {
            found.fault = "line " + std::to_string(found.lines.size() + 2) + " does not end";
            return found;
        }
        found.lines.push_back(pieces(text.substr(0, end), ' '));
        text.remove_prefix(end + 1);
    }
    return found;
}

}
