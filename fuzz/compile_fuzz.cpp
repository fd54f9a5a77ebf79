#include "common/error.h"
#include "compiler/mix_writer.h"
#include "compiler/rules_writer.h"
#include "editors/records.h"
#include "general/section_writers.h"
#include "project/working_file.h"

#include <cstddef>
#include <cstdint>

// Any project working file: every entry the directory check accepts is
// written into the rules text without reading out of bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qx;
    try {
        ByteView file(data, size);
        auto directory = project::parseDirectory(file);
        auto rules = compiler::stockRules();
        for (const auto& entry : directory.entries) {
            auto block = file.subspan(directory.dataStart() + entry.offset, entry.size);
            try {
                switch (entry.kind) {
                case 1: compiler::mergeSection(rules, compiler::unitSection(records::unpackUnit(block))); break;
                case 2: compiler::mergeSection(rules, compiler::weaponSection(records::unpackWeapon(block))); break;
                case 3: compiler::mergeSection(rules, compiler::projectileSection(records::unpackProjectile(block))); break;
                case 4: compiler::mergeSection(rules, compiler::warheadSection(records::unpackWarhead(block))); break;
                case 5: compiler::mergeSection(rules, compiler::buildingSection(records::unpackBuilding(block))); break;
                default:
                    if (general::groupOfKind(entry.kind))
                        general::writeGroup(rules, general::unpackGroup(entry.kind, block));
                }
            } catch (const Error&) {
            }
        }
    } catch (const Error&) {
    }
    return 0;
}
