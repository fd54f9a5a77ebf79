#include "stock/stock_loader.h"

#include "common/text.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"
#include "stock/object_fields.h"
#include "stock/rules_text.h"

#include <algorithm>

namespace qx::stock {
namespace {

using objects::Field;
using objects::Load;

// The name the game shows for a unit or building whose section has none:
// the catalogue's.
std::string catalogueName(EntryKind kind, const std::string& identifier)
{
    if (kind != EntryKind::Unit && kind != EntryKind::Building)
        return {};
    auto catalogue = kind == EntryKind::Unit ? unitCatalogue() : buildingCatalogue();
    for (const auto& entry : catalogue) {
        if (lowerCase(bracketIdentifier(entry.text)) == lowerCase(identifier)) {
            std::string_view text = entry.text;
            return std::string(trimmed(text.substr(0, text.find('['))));
        }
    }
    return {};
}

class Loader {
public:
    explicit Loader(const objects::ObjectTable& table) : table_(table) {}

    // Before any line is read: the boxes that start checked, the name the
    // game shows without a Name line and the stock object itself in the
    // "to be replaced" list.
    void start(const std::string& identifier)
    {
        for (const auto& f : table_.fields) {
            if (f.load == Load::NoBox)
                field(f, StockField::Type::Box).box = true;
            // A projectile's image is the one its section names, or none.
            if (f.line == objects::Line::ImageAlways)
                field(f, StockField::Type::Text).text.clear();
        }
        if (auto name = catalogueName(table_.kind, identifier); !name.empty())
            field(table_.fields[objects::indexOf(table_, "name")], StockField::Type::Text).text = name;
        for (const auto& f : table_.fields) {
            if (f.load == Load::Replaced)
                choose(f, lowerCase(identifier));
        }
    }

    // The key lines of one of the object's sections.
    void read(std::span<const KeyLine> keys)
    {
        object.found = true;
        for (const auto& line : keys)
            apply(line);
    }

    StockObject object;

private:
    // The game finds a key only by its exact spelling.
    void apply(const KeyLine& line)
    {
        for (const auto& f : table_.fields) {
            if (line.key != f.key)
                continue;
            if (f.load == Load::YesBox || f.load == Load::NoBox) {
                if (auto flag = gameFlag(line.value))
                    field(f, StockField::Type::Box).box = *flag;
            } else {
                applyValue(f, f.load == Load::Text ? line.value : lowerCase(line.value));
            }
        }
    }

    StockField& field(const std::string& label, StockField::Type type)
    {
        for (auto& f : object.fields) {
            if (f.label == label)
                return f;
        }
        object.fields.push_back({label, type, {}, {}, false});
        return object.fields.back();
    }

    StockField& field(const Field& f, StockField::Type type) { return field(objects::plainLabel(f.label), type); }

    void applyValue(const Field& f, std::string value)
    {
        switch (f.load) {
        case Load::Text: field(f, StockField::Type::Text).text = value; break;
        case Load::DecimalText:
            std::replace(value.begin(), value.end(), '.', ',');
            field(f, StockField::Type::Text).text = value;
            break;
        case Load::Choice: choose(f, value); break;
        case Load::OwnerChoice: choose(f, value == "soviet,allies" ? "allies,soviet" : value); break;
        case Load::ManyChoices: chooseMany(f, value); break;
        case Load::TechLevel:
        case Load::Position: {
            auto number = wholeNumber(value);
            auto position = number && f.load == Load::TechLevel && *number == -1 ? 0 : number.value_or(-1);
            if (position >= 0)
                click(f, static_cast<std::size_t>(position));
            note(f, !value.empty() && (position < 0 || static_cast<std::size_t>(position) >= f.menu().size()));
            break;
        }
        case Load::Percents:
            if (&f == firstPercentField())
                fillPercents(value);
            break;
        default: break;
        }
    }

    // A radio-group click: the entry toggles, the others are unticked.
    void click(const Field& f, std::size_t position)
    {
        auto menu = f.menu();
        auto& shown = field(f, StockField::Type::Menu);
        bool wasChecked = std::find(shown.checked.begin(), shown.checked.end(), position) != shown.checked.end();
        shown.checked.clear();
        shown.text.clear();
        if (!wasChecked && position < menu.size()) {
            shown.checked.push_back(position);
            shown.text = withoutAmpersands(menu[position]);
        }
    }

    // Whether the field's last value named something its list lacks.
    void note(const Field& f, bool unmatched)
    {
        auto label = objects::plainLabel(f.label);
        if (unmatched)
            object.unmatched.insert(label);
        else
            object.unmatched.erase(label);
    }

    void choose(const Field& f, const std::string& value)
    {
        auto menu = f.menu();
        auto& shown = field(f, StockField::Type::Menu);
        shown.checked.clear();
        for (std::size_t i = 0; i < menu.size(); ++i) {
            if (lowerCase(bracketIdentifier(menu[i])) == value) {
                shown.checked = {i};
                shown.text += withoutAmpersands(menu[i]);
            }
        }
        note(f, !value.empty() && shown.checked.empty());
    }

    void chooseMany(const Field& f, const std::string& value)
    {
        auto menu = f.menu();
        auto& shown = field(f, StockField::Type::Menu);
        shown.checked.clear();
        auto count = commaCount(value) + 1;
        std::vector<bool> found(count);
        for (std::size_t i = 0; i < menu.size(); ++i) {
            for (std::size_t n = 0; n < count; ++n) {
                if (lowerCase(bracketIdentifier(menu[i])) == lowerCase(listItem(value, n))) {
                    if (std::find(shown.checked.begin(), shown.checked.end(), i) == shown.checked.end())
                        shown.checked.push_back(i);
                    shown.text += withoutAmpersands(menu[i]) + "; ";
                    found[n] = true;
                }
            }
        }
        bool unmatched = false;
        for (std::size_t n = 0; n < count; ++n)
            unmatched = unmatched || (!found[n] && !trimmed(listItem(value, n)).empty());
        note(f, unmatched);
    }

    const Field* firstPercentField() const
    {
        auto found = std::find_if(table_.fields.begin(), table_.fields.end(),
                                  [](const Field& f) { return f.load == Load::Percents; });
        return found == table_.fields.end() ? nullptr : &*found;
    }

    // The pieces between commas, '%' dropped, fill the percent fields in
    // order; an empty piece fills none.
    void fillPercents(const std::string& value)
    {
        const Field* next = firstPercentField();
        const Field* end = table_.fields.data() + table_.fields.size();
        std::string piece;
        auto flush = [&] {
            if (!piece.empty() && next != end && next->load == Load::Percents)
                field(*next++, StockField::Type::Text).text = piece;
            piece.clear();
        };
        for (char c : value) {
            if (c == ',')
                flush();
            else if (c != '%')
                piece += c;
        }
        flush();
    }

    const objects::ObjectTable& table_;
};

}

std::optional<EntryKind> stockKindNamed(const std::string& name)
{
    for (auto kind : {EntryKind::Unit, EntryKind::Weapon, EntryKind::Projectile, EntryKind::Warhead, EntryKind::Building}) {
        if (name == objects::tableOf(kind).noun)
            return kind;
    }
    return std::nullopt;
}

const StockField* StockObject::find(const std::string& label) const
{
    for (const auto& field : fields) {
        if (field.label == label)
            return &field;
    }
    return nullptr;
}

StockObject loadStockObject(const std::string& identifier, EntryKind kind)
{
    return loadStockObject(identifier, kind, stockRulesText());
}

StockObject loadStockObject(const std::string& identifier, EntryKind kind, const RulesText& text)
{
    Loader loader(objects::tableOf(kind));
    loader.start(identifier);
    for (const auto* section : text.named(identifier))
        loader.read(section->keys);
    return loader.object;
}

StockObject loadStockObject(const std::string& identifier, EntryKind kind, std::span<const KeyLine> keys)
{
    Loader loader(objects::tableOf(kind));
    loader.start(identifier);
    loader.read(keys);
    return loader.object;
}

}
