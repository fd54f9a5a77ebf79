#pragma once

#include "stock/object_fields.h"

#include <string>
#include <string_view>

namespace qx::filters {

constexpr char kBackspace = '\b';

// What a key press leaves: the field's text after the filter acted on it,
// and whether the key itself is then typed into the field.
struct KeyResult {
    std::string text;
    bool accepted = false;

    bool operator==(const KeyResult&) const = default;
};

// The character a key types into a field: a decimal field writes its
// decimal point as a comma.
char typedAs(objects::Filter filter, char key);

// The key filter of a field on a key press (key is one character, or
// kBackspace); limit is the decimal filter's.
KeyResult pressKey(objects::Filter filter, std::string_view text, char key, int limit = 0);

// What a field of the filter takes, said when it refuses a key.
std::string takesText(objects::Filter filter, int limit = 0);

// What the filter makes of the text once the key is released.
std::string releaseKey(objects::Filter filter, std::string_view text, int limit = 0);

// Text that did not arrive by typing (pasted, dropped or set by the
// program) brought into the form the filter keeps typed text in.
std::string normalized(objects::Filter filter, std::string_view text, int limit = 0);

// Typing text key by key, releasing each: what a user would end up with.
std::string typed(objects::Filter filter, std::string_view start, std::string_view keys, std::size_t maxLength = 0,
                  int limit = 0);

}
