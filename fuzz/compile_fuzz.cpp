#include "common/error.h"
#include "compiler/compile.h"

#include <cstddef>
#include <cstdint>

namespace {

struct Silent : qx::compiler::CompileReporter {
    void warning(const std::string&) override {}
    void error(const std::string&) override {}
    void information(const std::string&) override {}
    bool confirm(const std::string&) override { return true; }
};

}

// Any project working file: every entry the directory check accepts is
// written into the rules text and the archive without reading out of bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Silent reporter;
    try {
        auto outputs = qx::compiler::buildOutputs(qx::ByteView(data, size), reporter);
        outputs.archive.bytes();
    } catch (const qx::Error&) {
    }
    return 0;
}
