#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// ASCII letters only: texts are Windows-1252 bytes.
std::string lowerCase(std::string_view text);

// The short form of number / divisor (10, 100 or 1000) that the rules file
// uses: "5.75", ".8", "1", "0".
std::string decimalText(std::int64_t number, int divisor);

// The same as a window shows it: a decimal comma and the whole part always
// written ("5,75", "0,016", "2").
std::string commaText(std::int64_t number, int divisor);

// A whole decimal number, optionally signed; nothing for any other text.
std::optional<std::int64_t> wholeNumber(std::string_view text);

// A number typed with a decimal comma, times 10^fractionDigits, halves to
// even; nothing for text that is no such number.
std::optional<std::int64_t> scaledNumber(std::string_view text, int fractionDigits);

// A rules value read as the game reads a number: an optional sign, then
// digits with a decimal point, the rest ignored; "50%" is ".5". Times
// 10^fractionDigits, rounded; a whole number (no digits) is cut at the
// point as the game's whole-number reading cuts it. Nothing without a
// leading digit.
std::optional<std::int64_t> gameNumber(std::string_view text, int fractionDigits);

// Without blanks and tabs at either end, nor a line's CR at its end.
std::string_view trimmed(std::string_view text);

// The pieces between separators; a separator at the very end gives no empty
// last piece.
std::vector<std::string_view> pieces(std::string_view text, char separator);

// The words of each line after a first line that must be head, every line
// ended by LF; or what is wrong with the text ("it does not start with
// \"HEAD\"", "line 3 does not end").
struct HeadedLines {
    std::vector<std::vector<std::string_view>> lines;  // line 2 first
    std::string fault;
};
HeadedLines headedLines(std::string_view text, std::string_view head);

// Two lower-case hex digits.
std::string hexByte(std::uint8_t byte);

// A message stays one line: control characters are shown as \n, \r, \t or
// \xHH.
std::string oneLine(std::string_view text);

}
