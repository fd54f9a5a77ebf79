#include "editors/key_filters.h"

#include <algorithm>

namespace qx::filters {
namespace {

using objects::Filter;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The field's number, the comma as decimal separator; 0 for no digits.
double numberOf(std::string_view text)
{
    double value = 0;
    double scale = 0;
    for (char c : text) {
        if (c == ',' && scale == 0) {
            scale = 1;
        } else if (isDigit(c)) {
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                scale /= 10;
                value += (c - '0') * scale;
            }
        }
    }
    return value;
}

// The minus key toggles a leading minus; a long text keeps its first five.
std::string toggledSign(std::string_view text)
{
    if (text.empty())
        return "-";
    if (text.front() == '-')
        return std::string(text.substr(1));
    return "-" + std::string(text.substr(0, 5));
}

std::string onlyOf(std::string_view text, std::string_view kept)
{
    std::string result;
    for (char c : text) {
        if (isDigit(c) || kept.find(c) != std::string_view::npos)
            result += c;
    }
    return result;
}

std::string capped(std::string_view text, int limit)
{
    if (!text.empty() && numberOf(text) > limit)
        return std::to_string(limit);
    return std::string(text);
}

constexpr int kRangeLimit = 255;

// The range filter is the decimal filter up to 255: the game keeps
// distances below 256 cells.
int limitOf(Filter filter, int limit)
{
    return filter == Filter::Range ? kRangeLimit : limit;
}

}

char typedAs(Filter filter, char key)
{
    bool decimal = filter == Filter::Range || filter == Filter::DecimalBelow;
    return decimal && key == '.' ? ',' : key;
}

KeyResult pressKey(Filter filter, std::string_view text, char key, int limit)
{
    key = typedAs(filter, key);
    std::string same(text);
    bool digitOrBack = key == kBackspace || isDigit(key);
    switch (filter) {
    case Filter::None: return {same, true};
    case Filter::Digits:
    case Filter::GuardRange: return {same, digitOrBack};
    case Filter::SignedNumber:
    case Filter::Damage:
        if (key == '-')
            return {toggledSign(text), false};
        return {same, digitOrBack};
    case Filter::Ammo:
        if (key == '-')
            return {"-1", false};
        if (key == kBackspace)
            return {same, true};
        return {text == "-1" ? std::string() : same, isDigit(key)};
    case Filter::Percent:
        if (key == kBackspace)
            return {same, true};
        return {same, isDigit(key) && (text.empty() || numberOf(text) < 100)};
    case Filter::Range:
    case Filter::DecimalBelow:
        if (key == ',')
            return {same, text.find(',') == std::string_view::npos};
        if (key == kBackspace)
            return {same, true};
        return {same, isDigit(key) && (text.empty() || numberOf(text) < limitOf(filter, limit))};
    }
    return {same, true};
}

std::string takesText(Filter filter, int limit)
{
    switch (filter) {
    case Filter::None: return "";
    case Filter::Digits: return "This field takes digits only.";
    case Filter::GuardRange: return "This field takes a number up to 200.";
    case Filter::Percent: return "This field takes a number up to 100.";
    case Filter::SignedNumber:
    case Filter::Damage: return "This field takes digits; the minus key changes the sign.";
    case Filter::Ammo: return "This field takes digits; the minus key makes it -1 (unlimited).";
    case Filter::Range:
    case Filter::DecimalBelow:
        return "This field takes a number up to " + std::to_string(limitOf(filter, limit)) +
               ", with a point or a comma before the decimals.";
    }
    return "";
}

std::string releaseKey(Filter filter, std::string_view text, int limit)
{
    switch (filter) {
    case Filter::SignedNumber:
    case Filter::Damage:
        if (text.size() >= 2 && text.find('-', 1) != std::string_view::npos) {
            std::string result = "-";
            std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != '-'; });
            return result;
        }
        return std::string(text);
    case Filter::GuardRange: return capped(text, 200);
    case Filter::Percent: return capped(text, 100);
    case Filter::Range:
    case Filter::DecimalBelow: return capped(text, limitOf(filter, limit));
    default: return std::string(text);
    }
}

std::string normalized(Filter filter, std::string_view text, int limit)
{
    switch (filter) {
    case Filter::None: return std::string(text);
    case Filter::Digits:
    case Filter::GuardRange:
    case Filter::Percent: return releaseKey(filter, onlyOf(text, ""));
    case Filter::SignedNumber:
    case Filter::Damage: return releaseKey(filter, onlyOf(text, "-"));
    case Filter::Ammo: return text == "-1" ? std::string(text) : onlyOf(text, "");
    case Filter::Range:
    case Filter::DecimalBelow: {
        std::string commas(text);
        std::replace(commas.begin(), commas.end(), '.', ',');
        auto kept = onlyOf(commas, ",");
        if (auto comma = kept.find(','); comma != std::string::npos)
            kept.erase(std::remove(kept.begin() + static_cast<std::ptrdiff_t>(comma) + 1, kept.end(), ','), kept.end());
        return releaseKey(filter, kept, limit);
    }
    }
    return std::string(text);
}

std::string typed(Filter filter, std::string_view start, std::string_view keys, std::size_t maxLength, int limit)
{
    std::string text(start);
    for (char pressed : keys) {
        auto key = typedAs(filter, pressed);
        auto result = pressKey(filter, text, key, limit);
        text = result.text;
        if (result.accepted) {
            if (key == kBackspace) {
                if (!text.empty())
                    text.pop_back();
            } else if (maxLength == 0 || text.size() < maxLength) {
                text += key;
            }
        }
        text = releaseKey(filter, text, limit);
    }
    return text;
}

}
