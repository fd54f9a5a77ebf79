#include "archive/mix_names.h"

#include "archive/mix_writer.h"
#include "common/bytes.h"
#include "common/text.h"
#include "stock/rules_text.h"

#include <algorithm>
#include <cctype>

namespace qx::archive {
namespace {

constexpr std::size_t kSignatureSize = 32;
constexpr std::size_t kListHead = kSignatureSize + 5 * 4;

const char* const kFixedNames[] = {"rules.ini",  "aftrmath.ini", "valkor.ini",  "valkor.mix",
                                   "temperat.pal", "snow.pal",   "interior.pal", kNameListMember};

const char* const kGraphicSuffixes[] = {".shp", "icon.shp", "make.shp"};

void addName(std::unordered_map<std::uint32_t, std::string>& names, const std::string& name)
{
    names.try_emplace(memberId(name), lowerCase(name));
}

// A value item that could name a graphic: letters and digits, no blanks.
bool namesAFile(std::string_view item)
{
    return !item.empty() && item.size() <= 8 &&
           std::all_of(item.begin(), item.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

}

std::map<std::uint32_t, std::string> listedNames(const MixReader& archive)
{
    std::map<std::uint32_t, std::string> names;
    const auto* list = archive.find(memberId(kNameListMember));
    if (!list || list->size < kListHead)
        return names;
    auto bytes = archive.read(*list);
    auto count = u32At(bytes, kSignatureSize + 16);
    std::string_view text(reinterpret_cast<const char*>(bytes.data()) + kListHead, bytes.size() - kListHead);
    for (std::uint32_t i = 0; i < count && !text.empty(); ++i) {
        auto end = text.find('\0');
        if (end == std::string_view::npos)
            break;
        if (end > 0)
            names.try_emplace(memberId(text.substr(0, end)), std::string(text.substr(0, end)));
        text.remove_prefix(end + 1);
    }
    return names;
}

const std::unordered_map<std::uint32_t, std::string>& gameNames()
{
    static const auto names = [] {
        std::unordered_map<std::uint32_t, std::string> known;
        for (const auto* name : kFixedNames)
            addName(known, name);
        for (const auto& section : stock::stockRulesText().sections()) {
            for (const auto* suffix : kGraphicSuffixes)
                addName(known, section.name + suffix);
            for (const auto& key : section.keys) {
                for (auto item : pieces(key.value, ','))
                    if (namesAFile(trimmed(item)))
                        addName(known, std::string(trimmed(item)) + ".shp");
            }
        }
        return known;
    }();
    return names;
}

std::string MemberNames::of(const MixMember& member) const
{
    if (auto listed = listed_.find(member.id); listed != listed_.end())
        return listed->second;
    if (auto known = gameNames().find(member.id); known != gameNames().end())
        return known->second;
    return idText(member.id);
}

}
