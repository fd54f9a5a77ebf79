#include "shell/ui_state.h"

#include "common/error.h"
#include "common/save_file.h"
#include "common/text.h"

#include <algorithm>
#include <charconv>

namespace qx {
namespace {

constexpr std::uint64_t kMaxStateBytes = 64 << 10;
constexpr std::string_view kRecent = "recent=";
constexpr std::string_view kPlace = "place ";
constexpr std::string_view kDropPalette = "drop-palette=";

std::optional<WindowPlace> placeOf(std::string_view text)
{
    auto numbers = pieces(text, ',');
    if (numbers.size() != 4)
        return std::nullopt;
    int values[4];
    for (std::size_t i = 0; i < 4; ++i) {
        auto [end, error] = std::from_chars(numbers[i].data(), numbers[i].data() + numbers[i].size(), values[i]);
        if (error != std::errc() || end != numbers[i].data() + numbers[i].size())
            return std::nullopt;
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return WindowPlace{values[0], values[1], values[2], values[3]};
}

void readLine(UiState& state, std::string_view line)
{
    if (line.starts_with(kRecent) && state.recentProjects.size() < kMaxRecentProjects) {
        state.recentProjects.emplace_back(line.substr(kRecent.size()));
    } else if (line.starts_with(kDropPalette)) {
        state.dropPalette = line.substr(kDropPalette.size());
    } else if (line.starts_with(kPlace)) {
        auto equals = line.find('=');
        if (equals == std::string_view::npos)
            return;
        if (auto place = placeOf(line.substr(equals + 1)))
            state.places[std::string(line.substr(kPlace.size(), equals - kPlace.size()))] = *place;
    }
}

}

UiState readUiState(const fs::path& file)
{
    UiState state;
    std::string text;
    try {
        auto bytes = readFile(file, kMaxStateBytes);
        text.assign(bytes.begin(), bytes.end());
    } catch (const Error&) {
        return state;
    }
    for (auto line : pieces(text, '\n'))
        readLine(state, trimmed(line));
    return state;
}

void writeUiState(const fs::path& file, const UiState& state)
{
    std::string text;
    for (const auto& path : state.recentProjects)
        text += std::string(kRecent) + path + "\n";
    for (const auto& [name, place] : state.places) {
        text += std::string(kPlace) + name + "=" + std::to_string(place.x) + "," + std::to_string(place.y) + "," +
                std::to_string(place.width) + "," + std::to_string(place.height) + "\n";
    }
    if (!state.dropPalette.empty())
        text += std::string(kDropPalette) + state.dropPalette + "\n";
    saveFile(file, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

WindowPlace placeOnScreen(WindowPlace wanted, WindowPlace screen, int toolbarBottom)
{
    int top = std::max(screen.y, toolbarBottom);
    int bottom = screen.y + screen.height;
    wanted.width = std::min(wanted.width, screen.width);
    wanted.height = std::max(1, std::min(wanted.height, bottom - top));
    wanted.x = std::clamp(wanted.x, screen.x, screen.x + screen.width - wanted.width);
    wanted.y = std::clamp(wanted.y, top, bottom - wanted.height);
    return wanted;
}

UiStateFile::UiStateFile(fs::path file) : file_(std::move(file)), state_(readUiState(file_)) {}

void UiStateFile::save() const noexcept
{
    try {
        writeUiState(file_, state_);
    } catch (const std::exception&) {
    }
}

void forgetProject(UiState& state, const std::string& path)
{
    auto& recent = state.recentProjects;
    recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
}

void rememberProject(UiState& state, const std::string& path)
{
    forgetProject(state, path);
    auto& recent = state.recentProjects;
    recent.insert(recent.begin(), path);
    if (recent.size() > kMaxRecentProjects)
        recent.resize(kMaxRecentProjects);
}

}
