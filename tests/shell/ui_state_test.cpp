#include "shell/ui_state.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// The state reads back as written; as it only remembers, a damaged file
// gives what it can, never an error.
TEST(UiState, TheFileReadsBackWhatItCan)
{
    test::TempDir dir;
    UiState state;
    for (int i = 0; i < 10; ++i)
        rememberProject(state, "p" + std::to_string(i % 9) + ".qxp");
    rememberProject(state, "p3.qxp");
    EXPECT_EQ(state.recentProjects,
              (std::vector<std::string>{"p3.qxp", "p0.qxp", "p8.qxp", "p7.qxp", "p6.qxp", "p5.qxp", "p4.qxp", "p2.qxp"}));
    state.places["Tcnuform"] = {10, -20, 300, 400};
    state.dropPalette = "/games/temperat.pal";
    writeUiState(dir / "state.ini", state);
    EXPECT_EQ(readUiState(dir / "state.ini"), state);

    std::string text = "garbage\r\nplace A=1,2,3\nplace B=1,2,0,4\nplace C=x,2,3,4\nplace D=5,6,7,8\r\n";
    for (int i = 0; i < 12; ++i)
        text += "recent=r" + std::to_string(i) + "\n";
    test::writeText(dir / "state.ini", text);
    auto damaged = readUiState(dir / "state.ini");
    EXPECT_EQ(damaged.places, (std::map<std::string, WindowPlace>{{"D", {5, 6, 7, 8}}}));
    EXPECT_EQ(damaged.recentProjects.size(), kMaxRecentProjects);
    EXPECT_EQ(readUiState(dir / "missing.ini"), UiState{});
    test::writeText(dir / "huge.ini", std::string(100000, 'x'));
    EXPECT_EQ(readUiState(dir / "huge.ini"), UiState{});
}

// A remembered place lies on the screen, below the toolbar, whatever the
// screen is now.
TEST(UiState, PlacesStayOnTheScreenBelowTheToolbar)
{
    const WindowPlace screen{0, 0, 800, 600};
    const struct {
        WindowPlace wanted, placed;
    } cases[] = {
        {{100, 200, 300, 200}, {100, 200, 300, 200}},
        {{100, 0, 300, 200}, {100, 100, 300, 200}},
        {{-50, 500, 300, 200}, {0, 400, 300, 200}},
        {{2000, 200, 900, 900}, {0, 100, 800, 500}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeOnScreen(c.wanted, screen, 100), c.placed);
}


}
}
