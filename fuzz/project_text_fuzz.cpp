#include "common/error.h"
#include "compiler/project_text.h"
#include "project/working_file.h"

#include <cstddef>
#include <cstdint>

// Any valid working file comes back from its text byte for byte; any other
// input, read as project.ini, is a package or one refusal.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qx::ByteView input(data, size);
    try {
        qx::project::parseDirectory(input);
    } catch (const qx::Error&) {
        try {
            auto read = [](const std::string& path) { return qx::Bytes(path.begin(), path.end()); };
            qx::compiler::importText(std::string_view(reinterpret_cast<const char*>(data), size), read);
        } catch (const qx::Error&) {
        }
        return 0;
    }
    auto form = qx::compiler::exportText(input);
    auto read = [&form](const std::string& path) {
        for (const auto& [name, bytes] : form.files) {
            if (name == path)
                return bytes;
        }
        __builtin_trap();
    };
    if (qx::compiler::importText(form.ini, read) != qx::Bytes(input.begin(), input.end()))
        __builtin_trap();
    return 0;
}
