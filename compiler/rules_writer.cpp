#include "compiler/rules_writer.h"

#include "common/text.h"
#include "data/stock_rules.h"
#include "stock/catalogue.h"
#include "stock/line_helpers.h"
#include "stock/menus.h"
#include "stock/object_fields.h"

namespace qx::compiler {
namespace {

using objects::Field;
using objects::Line;

std::string identifiers(const Field& field, const std::vector<std::uint8_t>& flags)
{
    std::string value;
    auto menu = field.menu();
    for (std::size_t i = 0; i < flags.size() && i < menu.size(); ++i) {
        if (flags[i] != 0)
            value += (value.empty() ? "" : ",") + stock::identifierAt(menu, i);
    }
    return value;
}

std::string percents(std::span<const Field> fields, std::span<const records::Value> values)
{
    std::string value;
    for (std::size_t i = 0; i < fields.size() && fields[i].line == Line::Percents; ++i)
        value += (i == 0 ? "" : ",") + std::to_string(values[i].number) + "%";
    return value;
}

bool omitted(const Field& field, std::int32_t number)
{
    return number == field.noLine || (field.emptyIs255 && number == objects::kEmpty);
}

// The replaced unit or building: the lookup the editor built its list with.
Section replacedObject(const records::ObjectRecord& record, std::int32_t position)
{
    auto kind = record.kind == EntryKind::Unit ? stock::CatalogueKind::Unit : stock::CatalogueKind::Building;
    auto list = stock::catalogueLookup(kind, record.number("frameCount"), record.number("tolerance"),
                                       !record.hasGraphics());
    if (static_cast<std::size_t>(position) >= list.size())
        return {"", {}, true};
    return {stock::bracketIdentifier(list[static_cast<std::size_t>(position)]), {}, false};
}

}

RulesLines stockRules()
{
    return stock::rulesText();
}

std::string rulesFileText(const RulesLines& rules)
{
    std::size_t size = 0;
    for (const auto& line : rules)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : rules) {
        text += line;
        text += "\r\n";
    }
    return text;
}

Section objectSection(const records::ObjectRecord& record)
{
    const auto fields = objects::tableOf(record.kind).fields;
    Section section;
    std::vector<std::string> lines;
    auto add = [&](const Field& field, const std::string& value) { lines.push_back(std::string(field.key) + "=" + value); };
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& field = fields[i];
        const auto& value = record.values.at(i);
        auto position = static_cast<std::size_t>(static_cast<std::uint32_t>(value.number));
        switch (field.line) {
        case Line::None: break;
        case Line::Value:
            if (field.storage == objects::Storage::Text)
                add(field, value.text);
            else if (!omitted(field, value.number))
                add(field, std::to_string(value.number));
            break;
        case Line::Hundredths: add(field, decimalText(value.number, 100)); break;
        case Line::Identifier:
            if (position < field.menu().size())
                add(field, stock::identifierAt(field.menu(), position));
            break;
        case Line::Identifiers:
            if (auto ids = identifiers(field, value.flags); !ids.empty())
                add(field, ids);
            break;
        case Line::Yes:
            if (value.number != 0)
                add(field, "yes");
            break;
        case Line::No:
            if (value.number == 0)
                add(field, "no");
            break;
        case Line::Percents:
            if (i == 0 || fields[i - 1].line != Line::Percents)
                add(field, percents(fields.subspan(i), std::span(record.values).subspan(i)));
            break;
        case Line::Image:
            if (record.hasGraphics())
                add(field, value.text);
            break;
        case Line::ImageAlways: add(field, value.text); break;
        case Line::Section: section.identifier = stock::identifierAt(field.menu(), position); break;
        case Line::Replaced: section = replacedObject(record, value.number); break;
        }
    }
    section.lines = std::move(lines);
    return section;
}

}
