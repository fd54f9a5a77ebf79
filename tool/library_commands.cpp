#include "common/cp1252.h"
#include "common/save_file.h"
#include "library/image_list_stream.h"
#include "library/library_file.h"
#include "project/encoder.h"
#include "tool/tool_commands.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace qx::tool {
namespace {

constexpr std::uint64_t kMaxPictureFileSize = 256u << 20;

// The picture decoders write their own complaints straight to standard
// error; while they run it goes nowhere, and the tool's one line says what
// went wrong.
class QuietStandardError {
public:
    QuietStandardError() : saved_(::dup(STDERR_FILENO))
    {
        int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_;
};

// A picture file, checked and read like every input, decoded from memory.
class Picture {
public:
    explicit Picture(const std::string& path)
        : path_(path), bytes_(readFile(toPath(path), kMaxPictureFileSize)),
          data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes_.data()), static_cast<qsizetype>(bytes_.size()))),
          buffer_(&data_)
    {
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
        QuietStandardError quiet;
        size_ = reader_.size();
        if (!size_.isValid())
            throw Error("Cannot read the picture " + path + ".");
    }

    int width() const { return size_.width(); }
    int height() const { return size_.height(); }

    library::Image decode()
    {
        QImage image;
        {
            QuietStandardError quiet;
            image = reader_.read().convertToFormat(QImage::Format_RGBA8888);
        }
        if (image.isNull() || image.size() != size_)
            throw Error("Cannot read the picture " + path_ + ".");
        library::Image result{image.width(), image.height(), Bytes(static_cast<std::size_t>(image.width()) * image.height() * 4)};
        for (int y = 0; y < image.height(); ++y)
            std::copy_n(image.constScanLine(y), image.width() * 4, result.rgba.begin() + static_cast<std::ptrdiff_t>(y) * image.width() * 4);
        for (std::size_t i = 0; i < result.rgba.size(); i += 4) {
            if (result.rgba[i + 3] == 0)
                std::fill_n(result.rgba.begin() + static_cast<std::ptrdiff_t>(i), 4, 0);
        }
        return result;
    }

private:
    std::string path_;
    Bytes bytes_;
    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
    QSize size_;
};

void writePng(const library::Image& image, const fs::path& path)
{
    QImage picture(image.rgba.data(), image.width, image.height, image.width * 4, QImage::Format_RGBA8888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        throw Error("Cannot write " + toText(path) + ".");
    saveFile(path, ByteView(reinterpret_cast<const std::uint8_t*>(png.constData()), static_cast<std::size_t>(png.size())));
}

// "SHPFILE:FRAME.png[,FRAME.png...]"
// framesBefore: frames already in the list the image's frames join.
library::LibraryImage readImageArgument(const std::vector<std::string>& args, const std::string& argument,
                                        std::size_t framesBefore)
{
    auto colon = argument.find(':');
    if (colon == std::string::npos || colon + 1 == argument.size())
        wrongArguments(args);
    library::LibraryImage image{readFile(toPath(argument.substr(0, colon))), {}};
    std::size_t start = colon + 1;
    while (start <= argument.size()) {
        auto comma = std::min(argument.find(',', start), argument.size());
        auto path = argument.substr(start, comma - start);
        Picture picture(path);
        auto& preview = image.preview;
        if (!preview.frames.empty() && (picture.width() != preview.width || picture.height() != preview.height))
            throw Error("The frames of " + argument.substr(0, colon) + " differ in size.");
        // Checked before decoding, so that no picture costs more memory
        // than the library it would go into.
        try {
            library::checkListSize(framesBefore + preview.frames.size() + 1, picture.width(), picture.height());
        } catch (const Error& error) {
            throw Error("The picture " + path + " cannot go into a library: " + error.what());
        }
        preview.width = picture.width();
        preview.height = picture.height();
        preview.frames.push_back(picture.decode());
        start = comma + 1;
    }
    return image;
}

std::size_t indexArgument(const std::string& text)
{
    std::size_t index = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size())
        throw Usage("usage: INDEX is a whole number from 0");
    return index;
}

// The preview frames of image index: its own list, or the icon itself.
library::FrameList previewOf(const library::Library& lib, std::size_t index)
{
    if (index >= lib.table.size())
        throw Error("The library has no image " + std::to_string(index) + ".");
    if (lib.kind != library::LibraryKind::Icon)
        return lib.preview(index);
    auto icons = lib.preview(0);
    if (index >= icons.frames.size())
        throw Error("The library has no icon " + std::to_string(index) + ".");
    return {icons.width, icons.height, {icons.frames[index]}};
}

}

int makeLibraryCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    std::string kind, title, outPath;
    std::vector<std::string> imageArguments;
    for (std::size_t i = 1; i < args.size(); ++i) {
        bool option = args[i] == "--kind" || args[i] == "--title" || args[i] == "--out";
        if (option && i + 1 == args.size())
            wrongArguments(args);
        if (args[i] == "--kind")
            kind = args[++i];
        else if (args[i] == "--title")
            title = args[++i];
        else if (args[i] == "--out")
            outPath = args[++i];
        else
            imageArguments.push_back(args[i]);
    }
    const std::pair<const char*, library::LibraryKind> kinds[] = {
        {"icon", library::LibraryKind::Icon}, {"unit", library::LibraryKind::Unit},
        {"projectile", library::LibraryKind::Projectile}, {"building", library::LibraryKind::Building}};
    auto found = std::find_if(std::begin(kinds), std::end(kinds), [&](const auto& k) { return kind == k.first; });
    if (found == std::end(kinds) || outPath.empty())
        wrongArguments(args);
    auto title1252 = utf8ToCp1252(title);
    if (!title1252)
        throw Error("The title holds a character that has no Windows-1252 form.");
    if (imageArguments.size() > library::kMaxLibraryImages)
        throw Error("A library holds at most 255 images.");
    // The icons of an icon library share one list.
    bool shared = found->second == library::LibraryKind::Icon;
    std::vector<library::LibraryImage> images;
    for (const auto& argument : imageArguments)
        images.push_back(readImageArgument(args, argument, shared ? images.size() : 0));
    auto plain = library::buildLibrary(found->second, *title1252, images);
    saveFile(toPath(outPath), encoder::coded(plain));
    return 0;
}

int libraryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream&)
{
    expectArgs(args, 2);
    auto lib = library::openLibrary(toPath(args[1]));
    auto head = library::parseHead(lib.plain);
    out << cp1252ToUtf8(library::listLine(head)) << '\n';
    out << "images: " << lib.table.size() << '\n';
    for (std::size_t i = 0; i < lib.table.size(); ++i) {
        out << i << ": offset " << lib.table[i].offset << ", size " << lib.table[i].size;
        if (lib.kind == library::LibraryKind::Icon) {
            const auto& icons = lib.previews.at(0);
            out << ", 1 frame of " << icons.width << "x" << icons.height << '\n';
        } else {
            const auto& preview = lib.previews.at(i);
            out << ", " << preview.count << " frames of " << preview.width << "x" << preview.height << '\n';
        }
    }
    return 0;
}

int extractCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 4);
    auto lib = library::openLibrary(toPath(args[1]));
    saveFile(toPath(args[3]), lib.image(indexArgument(args[2])));
    return 0;
}

int framesCommand(const std::vector<std::string>& args, std::ostream&, std::ostream&)
{
    expectArgs(args, 4);
    auto lib = library::openLibrary(toPath(args[1]));
    auto frames = previewOf(lib, indexArgument(args[2]));
    auto dir = toPath(args[3]);
    fs::create_directories(dir);
    for (std::size_t i = 0; i < frames.frames.size(); ++i)
        writePng(frames.frames[i], dir / (std::to_string(i) + ".png"));
    return 0;
}

}
