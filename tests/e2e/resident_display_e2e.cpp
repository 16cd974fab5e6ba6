// The changer composing the whole desktop on Wine's one-monitor virtual
// desktop (1024 x 768, scripts/wine-env.sh), read back from the screen's
// pixels: the fits of a centred picture, a Defined origin from Windows Vista
// on, and a new composite when the display changes.
#include "editor_driver.h"
#include "pictures.h"
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const int WIDTH = 1024;
const int HEIGHT = 768;
// Rows clear of the taskbar at the foot of the desktop.
const int MIDDLE_Y = 300;

struct Spot {
    int x, y;
    COLORREF colour;  // DESKTOP: the desktop colour
};
const COLORREF DESKTOP = 0xFFFFFFFF;

void expectSpots(const std::vector<Spot>& spots)
{
    COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    for (const Spot& spot : spots) {
        COLORREF expected = spot.colour == DESKTOP ? desktop : spot.colour;
        COLORREF seen = waitForScreenColour(spot.x, spot.y, expected);
        EXPECT_TRUE(nearColour(seen, expected))
            << "at " << spot.x << "," << spot.y << ": " << std::hex << seen << " for " << expected;
    }
}

class ResidentDisplay : public ResidentTest {
protected:
    void SetUp() override
    {
        ResidentTest::SetUp();
        clearPictureCache();
    }
    void TearDown() override
    {
        ResidentTest::TearDown();
        clearPictureCache();
    }
    // A change asked for, and the changer answering again after it.
    void changeAndWait(const Resident& resident, int expectedIndex)
    {
        changeNow(resident, expectedIndex);
        ASSERT_TRUE(answers(resident.window));
    }
    std::string wallpaperFile() { return readProfile("DESKTOP", "Wallpaper"); }
};
}  // namespace

// wide.png is 2048 x 512: a quarter, a half and a quarter. Fill covers the
// screen with its middle half; Fit shows it whole, 1024 x 256, between bars;
// Stretch gives it the screen's proportions.
TEST_F(ResidentDisplay, EachFitOfACentredPictureAsTheScreenShowsIt)
{
    const struct {
        const char* fit;
        std::vector<Spot> spots;
    } fits[] = {
        {"1", {{5, MIDDLE_Y, WIDE_MIDDLE}, {WIDTH - 6, MIDDLE_Y, WIDE_MIDDLE}, {WIDTH / 2, 5, WIDE_MIDDLE}}},
        {"2", {{WIDTH / 2, 100, DESKTOP}, {5, HEIGHT / 2, PNG_LEFT}, {WIDTH - 6, HEIGHT / 2, PNG_RIGHT},
               {WIDTH / 2, HEIGHT / 2, WIDE_MIDDLE}}},
        {"3", {{5, 5, PNG_LEFT}, {WIDTH - 6, 5, PNG_RIGHT}, {WIDTH / 2, MIDDLE_Y, WIDE_MIDDLE}}},
    };
    writeEntries({{testPicture("wide.png"), 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    for (const auto& fit : fits) {
        SCOPED_TRACE(fit.fit);
        writeSetting("Display", "Fit", fit.fit);
        writeSetting("Configuration", "Bitmap index", "0");
        changeAndWait(resident, 1);
        expectSpots(fit.spots);
        // The composite is the screen's size, named after the picture.
        SIZE size = bitmapFileSize(wallpaperFile());
        EXPECT_EQ(size.cx, WIDTH);
        EXPECT_EQ(size.cy, HEIGHT);
        EXPECT_TRUE(isCacheBitmap(wallpaperFile())) << wallpaperFile();
    }
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "1");
    EXPECT_EQ(readUserRegistry("Control Panel\\desktop", "WallpaperStyle"), "0");
}

// Wine reports Windows 7, which no longer draws a wallpaper at an origin:
// a Defined bitmap is composed at its place, its top-left at (100, 50).
TEST_F(ResidentDisplay, ADefinedBitmapLandsAtItsOriginFromWindowsVistaOn)
{
    std::string bitmap = sampleBitmap(2);  // 48 x 32, blue
    const COLORREF BLUE = RGB(40, 60, 200);
    writeEntries({{bitmap, 100, 50, 2}});
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    changeAndWait(resident, 1);
    expectSpots({{100, 50, BLUE}, {147, 81, BLUE}, {99, 49, DESKTOP}, {148, 82, DESKTOP}, {500, 400, DESKTOP}});
    EXPECT_EQ(readUserRegistry("Control Panel\\desktop", "WallpaperOriginX"), "0");
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
}

// A wallpaper chosen since the last change (set here by the test, as the
// Windows settings or another program set it) is the user's: a display
// change leaves it, where the changer's own composite is made again.
TEST_F(ResidentDisplay, ADisplayChangeLeavesAWallpaperChosenSince)
{
    writeEntries({{testPicture("wide.png"), 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Display", "Fit", "2");
    Resident resident = startResident();
    changeAndWait(resident, 1);
    ASSERT_TRUE(isCacheBitmap(wallpaperFile()));
    std::string chosen = sampleBitmap(1);
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(chosen.c_str()),
                                      SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE));
    PostMessageA(resident.window, WM_DISPLAYCHANGE, 24, MAKELPARAM(WIDTH, HEIGHT));
    ASSERT_TRUE(waitUntilHandled(resident));
    EXPECT_STRCASEEQ(wallpaperFile().c_str(), chosen.c_str());
    EXPECT_TRUE(closeResident(resident));
}

// A display that changes size sends WM_DISPLAYCHANGE: the changer composes
// its last entries again for the new size, and the list stays where it was.
TEST_F(ResidentDisplay, ANewDisplaySizeIsComposedAgain)
{
    writeEntries({{testPicture("wide.png"), 0, 0, 1}, {sampleBitmap(0), 0, 0, 1}});
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Display", "Fit", "2");
    Resident resident = startResident();
    changeAndWait(resident, 1);
    ASSERT_EQ(bitmapFileSize(wallpaperFile()).cx, WIDTH);

    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = 800;
    mode.dmPelsHeight = 600;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    ASSERT_EQ(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_SUCCESSFUL);
    SIZE size = {0, 0};
    for (int i = 0; i < 250 && size.cx != 800; ++i, pumpFor(20))
        size = bitmapFileSize(wallpaperFile());
    ChangeDisplaySettingsA(NULL, 0);
    EXPECT_EQ(size.cx, 800);
    EXPECT_EQ(size.cy, 600);
    EXPECT_EQ(bitmapIndex(), 1) << "the list moved on";
    EXPECT_TRUE(isCacheBitmap(wallpaperFile())) << wallpaperFile();
    // And back: the full size again.
    for (int i = 0; i < 250 && size.cx != WIDTH; ++i, pumpFor(20))
        size = bitmapFileSize(wallpaperFile());
    EXPECT_EQ(size.cx, WIDTH);
}
