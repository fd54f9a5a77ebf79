#include "project/package.h"

#include "common/error.h"
#include "common/save_file.h"
#include "project/encoder.h"

#include <array>

namespace qx::project {
namespace {

const std::array<std::uint8_t, 5> kPackageStart{0x01, 0x03, 'Q', 'X', 'P'};

}

void savePackage(const fs::path& workingFile, const fs::path& destination, encoder::Progress* progress)
{
    encoder::codeFile(workingFile, destination, progress);
}

Bytes decodePackage(const fs::path& source)
{
    auto bytes = readFile(source, kMaxProjectSize);
    if (bytes.size() < kHeaderSize)
        throw Error("This is not a valid Quarvex project!");
    auto seed = encoder::recoverSeed(ByteView(bytes).first(kPackageStart.size()), kPackageStart);
    if (!seed)
        throw Error("This is not a valid Quarvex project!");
    encoder::code(bytes, 0, encoder::blockKey(*seed));
    return bytes;
}

std::vector<std::string> openPackage(const fs::path& source, const fs::path& workingFile, const fs::path& scratch)
{
    return openWorkingFile(decodePackage(source), workingFile, scratch);
}

std::vector<std::string> openWorkingFile(ByteView plain, const fs::path& workingFile, const fs::path& scratch)
{
    auto lines = openedListLines(plain, parseDirectory(plain));
    saveFile(scratch, workingFile, plain);
    return lines;
}

}
