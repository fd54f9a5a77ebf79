#include "library/library_file.h"

#include "common/bytes.h"
#include "common/cp1252.h"
#include "common/error.h"
#include "common/text.h"
#include "library/component_stream.h"
#include "library/image_list_stream.h"
#include "library/shp.h"
#include "project/encoder.h"

#include <array>

namespace qx::library {
namespace {

constexpr std::uint64_t kMaxLibrarySize = std::uint64_t{1} << 31;
constexpr std::size_t kTitleCapacity = 50;
const std::array<std::uint8_t, 5> kKnownBytes{0x01, 0x03, 'V', 'K', 'L'};  // from byte 1

Error notValid()
{
    return Error("This is not a valid Valkor Library!");
}

std::uint32_t seedOf(ByteView coded)
{
    if (coded.size() < 1 + kKnownBytes.size())
        return encoder::kSeed;
    return encoder::recoverSeed(coded.first(1 + kKnownBytes.size()), kKnownBytes, 1).value_or(encoder::kSeed);
}

PreviewStream findPreview(const Bytes& plain, std::size_t offset)
{
    std::size_t length = 0;
    auto root = readComponentStream(ByteView(plain).subspan(offset), length);
    PreviewStream preview{offset, length, 16, 16, 0};
    auto width = root.integers.find("Width");
    auto height = root.integers.find("Height");
    if (width != root.integers.end() && width->second > 0 && width->second <= kMaxImageSide)
        preview.width = static_cast<int>(width->second);
    if (height != root.integers.end() && height->second > 0 && height->second <= kMaxImageSide)
        preview.height = static_cast<int>(height->second);
    auto bitmap = root.binaries.find("Bitmap");
    if (bitmap != root.binaries.end() && bitmap->second.size() >= 6)
        preview.count = static_cast<std::int16_t>(u16At(bitmap->second, 4));
    return preview;
}

// The image data fills the end of the file, after the previews, and holds
// every image of the table.
void checkDataArea(const Library& library, std::size_t previewsEnd)
{
    auto size = library.plain.size();
    if (library.dataSize > size || size - library.dataSize < previewsEnd)
        throw Error("The library is damaged: its image data of " + std::to_string(library.dataSize) +
                    " bytes does not fit between the previews and the end of the file.");
    for (std::size_t i = 0; i < library.table.size(); ++i) {
        const auto& entry = library.table[i];
        if (entry.offset > library.dataSize || entry.size > library.dataSize - entry.offset)
            throw Error("The library is damaged: image " + std::to_string(i) + " lies outside its image data.");
    }
}

}

std::optional<LibraryKind> kindOf(std::uint8_t kindByte)
{
    if (kindByte >= 11 && kindByte <= 14)
        kindByte -= 10;
    if (kindByte >= 1 && kindByte <= 4)
        return static_cast<LibraryKind>(kindByte);
    return std::nullopt;
}

LibraryHead parseHead(ByteView head)
{
    LibraryHead result;
    if (head.size() < kLibraryHeadSize)
        return result;
    result.kindByte = head[0];
    result.valid = std::equal(kKnownBytes.begin(), kKnownBytes.end(), head.begin() + 1) && kindOf(head[0]);
    result.title = shortTextAt(head, 6, kTitleCapacity);
    result.count = head[57];
    result.dataSize = u32At(head, 60);
    return result;
}

std::string listLine(const LibraryHead& head)
{
    static const char* const names[] = {"Icon VKL:  ", "Unit VKL:  ", "Projectile VKL:  ", "Building VKL:  "};
    if (!head.valid)
        return "No Valid VKL";
    return names[static_cast<int>(*kindOf(head.kindByte)) - 1] + head.title;
}

Bytes readHead(const fs::path& path)
{
    auto head = readFileHead(path, kLibraryHeadSize);
    encoder::code(head, 0, encoder::blockKey(seedOf(head)));
    return head;
}

Bytes decodeLibrary(Bytes coded)
{
    encoder::code(coded, 0, encoder::blockKey(seedOf(coded)));
    return coded;
}

FrameList Library::preview(std::size_t index) const
{
    const auto& stream = previews.at(index);
    std::size_t consumed = 0;
    return readImageListComponent(ByteView(plain).subspan(stream.offset, stream.length), consumed);
}

Bytes Library::image(std::size_t index) const
{
    if (index >= table.size())
        throw Error("The library has no image " + std::to_string(index) + ".");
    const auto& entry = table[index];
    auto start = plain.begin() + static_cast<std::ptrdiff_t>(plain.size() - dataSize + entry.offset);
    return Bytes(start, start + entry.size);
}

Library parseLibrary(Bytes plain)
{
    auto head = parseHead(plain);
    if (!head.valid)
        throw notValid();
    Library library;
    library.kind = *kindOf(head.kindByte);
    library.title = head.title;
    library.dataSize = head.dataSize;
    std::size_t at = kLibraryHeadSize;
    if (at + 8u * head.count > plain.size())
        throw Error("The library is damaged: its image table runs past the end of the file.");
    for (std::size_t i = 0; i < head.count; ++i, at += 8)
        library.table.push_back({u32At(plain, at), u32At(plain, at + 4)});
    library.plain = std::move(plain);
    std::size_t streams = library.kind == LibraryKind::Icon ? 1 : head.count;
    for (std::size_t i = 0; i < streams; ++i) {
        library.previews.push_back(findPreview(library.plain, at));
        at += library.previews.back().length;
    }
    checkDataArea(library, at);
    return library;
}

Library openLibrary(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        throw Error("File does not exist!");
    return parseLibrary(decodeLibrary(readFile(path, kMaxLibrarySize)));
}

Bytes buildLibrary(LibraryKind kind, const std::string& title, const std::vector<LibraryImage>& images)
{
    if (images.size() > kMaxLibraryImages)
        throw Error("A library holds at most 255 images.");
    Bytes out(kLibraryHeadSize + 8 * images.size());
    out[0] = static_cast<std::uint8_t>(kind);
    std::copy(kKnownBytes.begin(), kKnownBytes.end(), out.begin() + 1);
    putShortText(out, 6, kTitleCapacity, title);
    out[57] = static_cast<std::uint8_t>(images.size());
    Bytes data;
    for (std::size_t i = 0; i < images.size(); ++i) {
        putU32(out, kLibraryHeadSize + 8 * i, static_cast<std::uint32_t>(data.size()));
        putU32(out, kLibraryHeadSize + 8 * i + 4, static_cast<std::uint32_t>(images[i].shp.size()));
        data.insert(data.end(), images[i].shp.begin(), images[i].shp.end());
    }
    putU32(out, 60, static_cast<std::uint32_t>(data.size()));
    std::vector<FrameList> previews;
    if (kind == LibraryKind::Icon) {
        FrameList icons;
        for (const auto& image : images) {
            const auto& icon = image.preview.frames.at(0);
            if (!icons.frames.empty() && (icon.width != icons.width || icon.height != icons.height))
                throw Error("The icons of an icon library must all have one size.");
            icons.width = icon.width;
            icons.height = icon.height;
            icons.frames.push_back(icon);
        }
        previews.push_back(std::move(icons));
    } else {
        for (const auto& image : images)
            previews.push_back(image.preview);
    }
    for (const auto& preview : previews) {
        auto stream = writeImageListComponent(preview);
        out.insert(out.end(), stream.begin(), stream.end());
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

LibraryImage imageFromShp(Bytes shp, const std::string& name, const Palette& palette, LibraryKind kind)
{
    auto frames = readShp(shp, name);
    if (frames.frames.empty())
        throw Error(name + " has no frames.");
    requirePlayableFrame(frames.width, frames.height, name);
    auto count = kind == LibraryKind::Icon ? 1 : frames.frames.size();
    checkListSize(count, frames.width, frames.height);
    LibraryImage image{std::move(shp), {frames.width, frames.height, {}}};
    for (std::size_t i = 0; i < count; ++i)
        image.preview.frames.push_back(imageOf(frames.frames[i], frames.width, frames.height, palette));
    return image;
}

Bytes makeShpLibrary(const ShpLibraryRequest& request)
{
    auto title = utf8ToCp1252(request.title);
    if (!title)
        throw Error("The title holds a character that has no Windows-1252 form.");
    if (title->size() > kTitleCapacity)
        throw Error("A title has at most " + std::to_string(kTitleCapacity) + " characters.");
    if (request.shpFiles.size() > kMaxLibraryImages)
        throw Error("A library holds at most 255 images.");
    auto palette = readPalette(readFile(toPath(request.palette), kMaxPaletteFileBytes), request.palette);
    std::vector<LibraryImage> images;
    for (const auto& shp : request.shpFiles)
        images.push_back(imageFromShp(readFile(toPath(shp), kMaxShpFileBytes), shp, palette, request.kind));
    return encoder::coded(buildLibrary(request.kind, *title, images));
}

std::string libraryFileName(const std::string& title)
{
    std::string name;
    for (char c : title) {
        bool forbidden = static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
        name += forbidden ? '_' : c;
    }
    auto kept = trimmed(name);
    while (!kept.empty() && kept.back() == '.')
        kept.remove_suffix(1);
    return (kept.empty() ? std::string("library") : std::string(kept)) + ".vkl";
}

}
