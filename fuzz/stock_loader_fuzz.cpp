#include "stock/stock_loader.h"

#include "stock/rules_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Any rules text: the first line names the object, the others are the rules
// lines. Every kind loads it without reading out of bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    auto identifier = lines.front();
    lines.erase(lines.begin());
    const qx::stock::RulesText text(std::move(lines));
    for (auto kind : {qx::EntryKind::Unit, qx::EntryKind::Weapon, qx::EntryKind::Projectile, qx::EntryKind::Warhead,
                      qx::EntryKind::Building}) {
        qx::stock::loadStockObject(identifier, kind, text);
    }
    return 0;
}
