#include "composite.h"
#include "displayoptions.h"
#include "layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const LayoutRect PRIMARY = {0, 0, 1920, 1080};

std::string text(const LayoutRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

LayoutInput input(const LayoutRect& monitor, PictureSize picture, LayoutPlacement placement, int32_t x = 0,
                  int32_t y = 0, bool shrink = false)
{
    return {monitor, monitor, picture, placement, shrink, x, y};
}

struct LayoutCase {
    const char* what;
    std::vector<LayoutRect> monitors;  // the primary first
    int monitor;                       // the one laid out
    PictureSize picture;
    LayoutPlacement placement;
    int32_t originX, originY;
    bool shrink;
    LayoutRect target;
    PictureSize scaled;
    int32_t pictureX, pictureY;  // where the scaled picture's pixel (0, 0) lands
};

// Expected values worked out by hand: a cover scale takes the side that
// overshoots least to the area's, a fit scale the side that overshoots most;
// a centred origin is the area's start plus half the room left, rounded
// toward zero.
TEST(Layout, EachPlacementOnEachArrangementOfMonitors)
{
    const LayoutRect RIGHT = {1920, 0, 3200, 1024};     // 1280 x 1024 to the right
    const LayoutRect LEFT = {-1280, 56, 0, 1080};       // to the left, lower edges aligned
    const LayoutRect ABOVE = {0, -1200, 1920, 0};       // stacked above
    const LayoutRect PORTRAIT = {1920, -420, 3000, 1500};  // 1080 x 1920 beside
    const LayoutCase cases[] = {
        {"one monitor, centred", {PRIMARY}, 0, {640, 480}, LAYOUT_CENTER, 0, 0, false,
         {640, 300, 1280, 780}, {640, 480}, 640, 300},
        {"a bitmap larger than the monitor, centred, cropped", {PRIMARY}, 0, {2000, 1200}, LAYOUT_CENTER, 0, 0,
         false, {0, 0, 1920, 1080}, {2000, 1200}, -40, -60},
        {"a photo larger than the monitor, centred, shrunk", {PRIMARY}, 0, {3840, 1080}, LAYOUT_CENTER, 0, 0, true,
         {0, 270, 1920, 810}, {1920, 540}, 0, 270},
        {"fill of a wide picture crops its sides", {PRIMARY}, 0, {4000, 1000}, LAYOUT_FILL, 0, 0, false,
         {0, 0, 1920, 1080}, {4320, 1080}, -1200, 0},
        {"fill of a tall picture crops top and bottom", {PRIMARY}, 0, {1000, 4000}, LAYOUT_FILL, 0, 0, false,
         {0, 0, 1920, 1080}, {1920, 7680}, 0, -3300},
        {"fit of a wide picture leaves bars above and below", {PRIMARY}, 0, {4000, 1000}, LAYOUT_FIT, 0, 0, false,
         {0, 300, 1920, 780}, {1920, 480}, 0, 300},
        {"fit of a tiny picture grows it", {PRIMARY}, 0, {16, 9}, LAYOUT_FIT, 0, 0, false, {0, 0, 1920, 1080},
         {1920, 1080}, 0, 0},
        {"stretch ignores the proportions", {PRIMARY}, 0, {1, 1000}, LAYOUT_STRETCH, 0, 0, false,
         {0, 0, 1920, 1080}, {1920, 1080}, 0, 0},
        {"tile from the monitor's top-left", {PRIMARY}, 0, {100, 100}, LAYOUT_TILE, 0, 0, false,
         {0, 0, 1920, 1080}, {100, 100}, 0, 0},
        {"defined, from the primary's top-left", {PRIMARY}, 0, {300, 200}, LAYOUT_DEFINED, 100, 50, false,
         {100, 50, 400, 250}, {300, 200}, 100, 50},
        {"defined past the monitor's edge is cut there", {PRIMARY}, 0, {300, 200}, LAYOUT_DEFINED, 1800, 1000,
         false, {1800, 1000, 1920, 1080}, {300, 200}, 1800, 1000},
        {"second monitor of another size, fill", {PRIMARY, RIGHT}, 1, {1600, 900}, LAYOUT_FILL, 0, 0, false,
         RIGHT, {1820, 1024}, 1650, 0},
        {"monitor left of the primary, negative coordinates, fit", {PRIMARY, LEFT}, 1, {1600, 900}, LAYOUT_FIT,
         0, 0, false, {-1280, 208, 0, 928}, {1280, 720}, -1280, 208},
        {"monitor left of the primary, tile", {PRIMARY, LEFT}, 1, {100, 100}, LAYOUT_TILE, 0, 0, false, LEFT,
         {100, 100}, -1280, 56},
        {"a defined origin stays on the primary: none on the left monitor", {PRIMARY, LEFT}, 1, {300, 200},
         LAYOUT_DEFINED, 10, 10, false, {0, 0, 0, 0}, {300, 200}, 10, 10},
        {"stacked above, centred", {PRIMARY, ABOVE}, 1, {640, 480}, LAYOUT_CENTER, 0, 0, false,
         {640, -840, 1280, -360}, {640, 480}, 640, -840},
        {"portrait beside landscape, fill", {PRIMARY, PORTRAIT}, 1, {1600, 900}, LAYOUT_FILL, 0, 0, false,
         PORTRAIT, {3413, 1920}, 754, -420},
        {"portrait beside landscape, fit", {PRIMARY, PORTRAIT}, 1, {1600, 900}, LAYOUT_FIT, 0, 0, false,
         {1920, 236, 3000, 844}, {1080, 608}, 1920, 236},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        LayoutRect screen = boundingRect(c.monitors.data(), static_cast<int>(c.monitors.size()));
        LayoutOp op = layOut(screen, c.monitors[0],
                             input(c.monitors[c.monitor], c.picture, c.placement, c.originX, c.originY, c.shrink));
        // An empty target ({0, 0, 0, 0} here) draws nothing, wherever it is.
        bool empty = c.target.right <= c.target.left;
        EXPECT_EQ(op.target.right <= op.target.left || op.target.bottom <= op.target.top, empty);
        if (!empty) {
            EXPECT_EQ(text(op.target), text(c.target));
            EXPECT_EQ(op.scaled.width, c.scaled.width);
            EXPECT_EQ(op.scaled.height, c.scaled.height);
            EXPECT_EQ(op.originX, c.pictureX);
            EXPECT_EQ(op.originY, c.pictureY);
        }
        EXPECT_EQ(op.tiled, c.placement == LAYOUT_TILE);
    }
}

// One picture across every monitor: placed over the whole desktop, each
// monitor drawing its part.
TEST(Layout, ASpanningPictureCoversTheDesktopAndEachMonitorDrawsItsPart)
{
    const LayoutRect monitors[] = {PRIMARY, {-1280, 56, 0, 1080}};
    LayoutRect screen = boundingRect(monitors, 2);
    EXPECT_EQ(text(screen), text({-1280, 0, 1920, 1080}));
    for (int m = 0; m < 2; ++m) {
        LayoutInput in = {screen, monitors[m], {6400, 2160}, LAYOUT_FILL, false, 0, 0};
        LayoutOp op = layOut(screen, PRIMARY, in);
        EXPECT_EQ(text(op.target), text(monitors[m])) << m;
        EXPECT_EQ(op.scaled.width, 3200u);
        EXPECT_EQ(op.scaled.height, 1080u);
        EXPECT_EQ(op.originX, -1280);
        EXPECT_EQ(op.originY, 0);
    }
}

TEST(Layout, NothingIsDrawnForNoPictureNoAreaOrADesktopBeyondTheBounds)
{
    const LayoutRect empty = {5, 5, 5, 9};
    EXPECT_EQ(text(layOut(PRIMARY, PRIMARY, input(PRIMARY, {0, 10}, LAYOUT_FILL)).target), "0,0 - 0,0");
    EXPECT_EQ(text(layOut(PRIMARY, PRIMARY, input(empty, {10, 10}, LAYOUT_FILL)).target), "0,0 - 0,0");
    // The bounds of every bitmap the programs write: 32768 a side, 2^26 in all.
    const LayoutRect huge = {0, 0, 32769, 10};
    EXPECT_FALSE(desktopAllowed(huge));
    EXPECT_EQ(text(layOut(huge, PRIMARY, input(huge, {10, 10}, LAYOUT_FILL)).target), "0,0 - 0,0");
    EXPECT_TRUE(desktopAllowed({0, 0, 32768, 2048}));
    EXPECT_FALSE(desktopAllowed({0, 0, 32768, 2049}));
    EXPECT_FALSE(desktopAllowed({0, 0, 23040, 4320}));  // three 7680 x 4320 monitors
    EXPECT_TRUE(desktopAllowed({-7680, 0, 3840, 2160}));
    EXPECT_FALSE(desktopAllowed({-2000000, 0, -1999000, 10}));
}

// The rows of a composite, from known pixels: a 2 x 2 picture of four
// colours on a 6-pixel-wide desktop of two 3 x 2 monitors.
TEST(Composite, RowsShowEachPictureWhereItsOperationPutsIt)
{
    const uint8_t pixels[] = {1, 1, 1, 0, 2, 2, 2, 0,   // top row: 1, 2
                              3, 3, 3, 0, 4, 4, 4, 0};  // bottom row: 3, 4
    const LayoutRect screen = {-3, 0, 3, 2};
    const LayoutRect right = {0, 0, 3, 2};
    const LayoutRect left = {-3, 0, 0, 2};
    LayoutOp ops[] = {
        layOut(screen, right, input(right, {2, 2}, LAYOUT_TILE)),
        layOut(screen, right, input(left, {2, 2}, LAYOUT_DEFINED, 0, 0)),  // at the primary's corner: off left
    };
    PixelSource sources[] = {{pixels, 2, 2, 8, 0, 0}, {pixels, 2, 2, 8, 0, 0}};
    const uint32_t DESKTOP = 0x000900;  // green 9
    uint8_t row[3 * 6];
    composeRow(ops, sources, 2, 0, -3, 6, DESKTOP, row);
    const uint8_t top[] = {0, 9, 0, 0, 9, 0, 0, 9, 0, 1, 1, 1, 2, 2, 2, 1, 1, 1};
    EXPECT_EQ(std::vector<uint8_t>(row, row + sizeof row), std::vector<uint8_t>(top, top + sizeof top));
    composeRow(ops, sources, 2, 1, -3, 6, DESKTOP, row);
    const uint8_t bottom[] = {0, 9, 0, 0, 9, 0, 0, 9, 0, 3, 3, 3, 4, 4, 4, 3, 3, 3};
    EXPECT_EQ(std::vector<uint8_t>(row, row + sizeof row), std::vector<uint8_t>(bottom, bottom + sizeof bottom));

    // Without pixels the monitor keeps the desktop colour.
    sources[0].pixels = nullptr;
    composeRow(ops, sources, 2, 0, -3, 6, DESKTOP, row);
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(row[3 * x + 1], 9) << x;
}

// Tiled from the primary's top-left, virtual pixel (x, y) is stored at
// (x mod width, y mod height): a desktop reaching 1280 left of and 1200
// above the primary, 3200 x 2280 in all.
TEST(Composite, WrappedRowsAndColumnsPutEveryMonitorUnderItsPart)
{
    const struct {
        int32_t virtualRow;
        uint32_t storedRow;
    } rows[] = {{0, 0}, {1079, 1079}, {-1200, 1080}, {-1, 2279}};
    for (const auto& r : rows) {
        EXPECT_EQ(wrappedRow(r.virtualRow, 2280), r.storedRow) << r.virtualRow;
        EXPECT_EQ(virtualRowOf(r.storedRow, -1200, 2280), r.virtualRow) << r.storedRow;
    }
    EXPECT_EQ(wrapShift(-1280, 3200), 1920u);
    EXPECT_EQ(wrapShift(0, 3200), 0u);
    const uint8_t row[] = {1, 1, 1, 2, 2, 2, 3, 3, 3};  // virtual columns -1, 0, 1
    uint8_t rotated[9];
    rotateRow(row, 3, wrapShift(-1, 3), rotated);
    const uint8_t stored[] = {2, 2, 2, 3, 3, 3, 1, 1, 1};  // stored columns 0, 1, 2
    EXPECT_EQ(std::vector<uint8_t>(rotated, rotated + 9), std::vector<uint8_t>(stored, stored + 9));
}

}  // namespace

namespace {
// When a change is composed, and when the entry's file goes to the desktop
// as it is (the behaviour of before).
TEST(ComposeDecision, ComposedOnlyWhereTheDesktopCannotShowTheEntryItself)
{
    const ShownEntry tileBitmap = {0, true};
    const ShownEntry centreBitmap = {1, true};
    const ShownEntry definedBitmap = {2, true};
    const ShownEntry centrePhoto = {1, false};
    const struct {
        const char* what;
        int monitors;
        MonitorsOption option;
        FitOption fit;
        ShownEntry entry;
        unsigned version;
        bool oldShell;
        bool composed;
    } cases[] = {
        {"one monitor, a tiled bitmap", 1, MONITORS_SAME, FIT_CENTER, tileBitmap, 0x0A00, false, false},
        {"one monitor, a centred bitmap", 1, MONITORS_EACH, FIT_CENTER, centreBitmap, 0x0A00, false, false},
        {"two monitors, the same picture", 2, MONITORS_SAME, FIT_CENTER, centreBitmap, 0x0A00, false, false},
        {"two monitors, one each", 2, MONITORS_EACH, FIT_CENTER, tileBitmap, 0x0A00, false, true},
        {"two monitors, spanned", 2, MONITORS_SPAN, FIT_CENTER, tileBitmap, 0x0501, false, true},
        {"a fill for a centred bitmap", 1, MONITORS_SAME, FIT_FILL, centreBitmap, 0x0501, false, true},
        {"a fill does not touch a tiled bitmap", 1, MONITORS_SAME, FIT_FILL, tileBitmap, 0x0A00, false, false},
        {"a photo", 1, MONITORS_SAME, FIT_CENTER, centrePhoto, 0x0501, false, true},
        {"defined on Windows XP", 1, MONITORS_SAME, FIT_CENTER, definedBitmap, 0x0501, false, false},
        {"defined on Windows Vista", 1, MONITORS_SAME, FIT_CENTER, definedBitmap, 0x0600, false, true},
        {"defined on Windows 10", 1, MONITORS_SAME, FIT_CENTER, definedBitmap, 0x0A00, false, true},
        {"the old shell, a photo on two monitors", 2, MONITORS_EACH, FIT_FILL, centrePhoto, 0x0333, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mustCompose(c.monitors, c.option, c.fit, &c.entry, 1, c.version, c.oldShell), c.composed) << c.what;
    // An option outside the list is the default.
    EXPECT_EQ(monitorsOption(3), MONITORS_SAME);
    EXPECT_EQ(monitorsOption(-1), MONITORS_SAME);
    EXPECT_EQ(fitOption(2), FIT_FIT);
    EXPECT_EQ(fitOption(4), FIT_CENTER);
}
}  // namespace

#include "waiting.h"

namespace {
// When a timed change waits, for each state alone and the options.
TEST(Waiting, ATimedChangeWaitsForTheStatesTheUserChose)
{
    const WaitOptions defaults = {true, false};
    const WaitOptions never = {false, false};
    const WaitOptions battery = {true, true};
    const struct {
        const char* what;
        WaitStates states;
        WaitOptions options;
        WaitReason reason;
    } cases[] = {
        {"nothing going on", {false, false, false, false, false}, battery, WAIT_NONE},
        {"the shell busy", {true, false, false, false, false}, defaults, WAIT_FULL_SCREEN},
        {"a window filling the screen", {false, true, false, false, false}, defaults, WAIT_FULL_SCREEN},
        {"both, but not chosen", {true, true, false, false, false}, never, WAIT_NONE},
        {"the session locked, whatever is chosen", {false, false, true, false, false}, never, WAIT_LOCKED},
        {"locked while a game runs on battery", {true, false, true, true, false}, battery, WAIT_LOCKED},
        {"a game on battery", {true, false, false, true, false}, battery, WAIT_FULL_SCREEN},
        {"on battery, not chosen", {false, false, false, true, false}, defaults, WAIT_NONE},
        {"on battery, chosen", {false, false, false, true, false}, battery, WAIT_BATTERY},
        {"battery saver, chosen", {false, false, false, false, true}, battery, WAIT_BATTERY},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timedChangeWaits(c.states, c.options), c.reason) << c.what;
    for (int state = 0; state <= 8; ++state)
        EXPECT_EQ(shellStateIsBusy(state), state == 2 || state == 3 || state == 4 || state == 7) << state;
}

// The screen is filled only by what the user sees: the foreground window,
// or the topmost window at a monitor's centre, covering that monitor
// without a caption. Windows are listed topmost first.
TEST(Waiting, OnlyAWindowTheUserSeesFillingAMonitorFillsTheScreen)
{
    const LayoutRect monitors[] = {{0, 0, 1920, 1080}, {-1280, 0, 0, 1024}};
    const LayoutRect whole = {0, 0, 1920, 1080};
    const LayoutRect small = {600, 300, 1400, 800};  // over the primary's centre
    // visible, minimised, captioned, cloaked, own or shell, click-through, tool, foreground
    const WindowFacts game = {whole, true, false, false, false, false, false, false, false};
    const WindowFacts editor = {small, true, false, true, false, false, false, false, false};
    // A window as another with one fact or its rectangle changed.
    auto with = [](WindowFacts facts, bool WindowFacts::*fact, bool value) {
        facts.*fact = value;
        return facts;
    };
    auto at = [](WindowFacts facts, LayoutRect rect) {
        facts.rect = rect;
        return facts;
    };
    const WindowFacts overlay = with(game, &WindowFacts::clickThrough, true);
    const WindowFacts frontBehind = with(game, &WindowFacts::foreground, true);
    const struct {
        const char* what;
        std::vector<WindowFacts> windows;
        bool filled;
    } cases[] = {
        {"a full-screen game on top", {game}, true},
        {"larger than the monitor", {at(game, {-8, -8, 1928, 1088})}, true},
        {"the left monitor", {at(game, {-1280, 0, 0, 1024})}, true},
        {"across both", {at(game, {-1280, 0, 1920, 1080})}, true},
        {"a pixel short on two sides", {at(game, {0, 0, 1919, 1079})}, true},
        {"two pixels short", {at(game, {0, 0, 1918, 1080})}, false},
        {"a maximised window with a title bar", {with(game, &WindowFacts::captioned, true)}, false},
        {"hidden", {with(game, &WindowFacts::visible, false)}, false},
        {"minimised", {with(game, &WindowFacts::minimised, true)}, false},
        {"cloaked", {with(game, &WindowFacts::cloaked, true)}, false},
        {"the shell's desktop", {with(game, &WindowFacts::ownOrShell, true)}, false},
        {"a click-through overlay over everything", {overlay}, false},
        {"a tool window over everything", {with(game, &WindowFacts::toolWindow, true)}, false},
        {"a borderless window behind a small one at the centre", {editor, game}, false},
        {"the same, the borderless one in front", {frontBehind, editor}, true},
        {"the foreground one behind another", {editor, frontBehind}, true},
        {"an overlay over a game: the game is seen", {overlay, game}, true},
        {"the editor in front of nothing", {with(editor, &WindowFacts::foreground, true)}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(screenFilledBy(c.windows.data(), static_cast<int>(c.windows.size()), monitors, 2), c.filled)
            << c.what;
}
}  // namespace
