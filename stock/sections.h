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
    std::string line;      // Set: the line as a player wrote it, comment and all; key=value when empty
    RulesLines before;     // comments and other lines carried in front of it
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
// Sections are named as the game finds them, by their exact bytes; the
// identifiers of our lists are first taken to the base's spelling.
class EditedRules {
public:
    explicit EditedRules(const RulesText& base) : base_(base) {}

    // The section becomes the base's with these edits alone: a later entry
    // for the same object wins wholly.
    void replace(const Section& section);
    // These keys' edits take the place of earlier edits of the same keys; a
    // Keep undoes them. Other keys' edits stay.
    void edit(const std::string& sectionName, const std::vector<KeyEdit>& edits);
    // A player's rules text: each key=value line is set, each key= line
    // removes, a later line wins; comments and other lines are carried,
    // those before its first section to the top of the file.
    void apply(const RulesText& text);

    RulesLines lines() const;

private:
    struct Edits {
        std::string name;  // exact
        std::vector<KeyEdit> keys;
        RulesLines tail;   // carried after its keys
    };
    // A list identifier in any letter case names the base's section.
    Edits& listed(const std::string& identifier);
    Edits& exactly(const std::string& name);

    const RulesText& base_;
    std::unordered_map<std::string, std::size_t> byName_;
    std::vector<Edits> sections_;
    RulesLines top_;
};

}
