#pragma once

#include "stock/rules_text.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qx::stock {

// What an entry does to one key of a section.
struct KeyEdit {
    enum class Action {
        Keep,    // the key stays as the base text has it
        Set,     // the key's line becomes key=value
        Remove,  // the key's lines go
    };
    Action action = Action::Keep;
    std::string key;       // exact spelling, the game's
    std::string value;     // Set
    std::string stockKey;  // a spelling of the base text the game never reads; its line is replaced too
};

// The edits of one section and the identifier of the stock object it
// replaces. An empty identifier changes nothing.
struct Section {
    std::string identifier;
    std::vector<KeyEdit> edits;
    bool lookupFailed = false;  // unit or building no longer in the catalogue lookup
};

// Rules text as a base text and the edits of its sections. A section is
// changed in place, never rewritten: a Set key takes the place of the
// section's line of that key (or of its stock spelling) and a key the
// section lacks goes after its last key line; every other line stays as
// it stood. A section the base lacks is added at the end of the text.
class EditedRules {
public:
    explicit EditedRules(const RulesText& base) : base_(base) {}

    // The section becomes the base's with these edits alone: a later entry
    // for the same object wins wholly.
    void replace(const Section& section);
    // These keys' edits take the place of earlier edits of the same keys; a
    // Keep undoes them. Other keys' edits stay.
    void edit(const std::string& sectionName, const std::vector<KeyEdit>& edits);

    RulesLines lines() const;

private:
    struct Edits {
        std::string name;  // as first given
        std::vector<KeyEdit> keys;
    };
    Edits& editsOf(const std::string& name);

    const RulesText& base_;
    std::unordered_map<std::string, std::size_t> byName_;  // lower case
    std::vector<Edits> sections_;
};

}
