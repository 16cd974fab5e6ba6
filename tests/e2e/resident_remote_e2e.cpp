// The changer as a remote for the picture on the screen: back through the
// changes it made, never again a picture, hot keys, and its command line
// given to the copy that runs.
#include "editor_driver.h"
#include "pictures.h"
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {
// The screen's middle, where a centred sample shows (Wine's desktop of
// scripts/wine-env.sh, 1024 x 768).
const int MIDDLE_X = 512;
const int MIDDLE_Y = 384;
// The samples' colours (sampleBitmap).
const COLORREF SAMPLES[] = {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 60, 200)};

class ResidentRemote : public ResidentTest {
protected:
    // A command, handled when the call returns.
    void command(const Resident& resident, WPARAM id)
    {
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(resident.window, WM_COMMAND, id, 0, SMTO_NORMAL, 20000, &result));
    }
    std::string wallpaper() { return lowerAscii(readProfile("DESKTOP", "Wallpaper")); }
};

// The pictures of section "Skip" (their values), as the file holds them.
std::vector<std::string> skippedPictures()
{
    std::vector<char> text(32768);
    GetPrivateProfileSectionA("Skip", text.data(), static_cast<DWORD>(text.size()), settingsPath().c_str());
    std::vector<std::string> values;
    for (const char* line = text.data(); *line; line += strlen(line) + 1)
        if (strchr(line, '='))
            values.push_back(strchr(line, '=') + 1);
    return values;
}

void pressKeys(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (bool up : {false, true})
        for (WORD key : keys) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (key == VK_RIGHT ? KEYEVENTF_EXTENDEDKEY : 0);
            inputs.push_back(input);
        }
    // Released in the order they were pressed.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}
}  // namespace

// Three changes, then "Previous Wallpaper" twice: the screen shows the first
// picture again, and the tray's tip names it; a change asked for then goes
// forward again, through the history before the list moves on.
TEST_F(ResidentRemote, PreviousGoesBackAndAChangeAskedForForwardAgain)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    for (int i = 0; i < 3; ++i)
        command(resident, IDM_CHANGE_NOW);
    EXPECT_TRUE(nearColour(waitForScreenColour(MIDDLE_X, MIDDLE_Y, SAMPLES[2]), SAMPLES[2]));
    EXPECT_TRUE(waitForTrayTip("Vistrell: sample2.bmp"));
    command(resident, IDM_PREVIOUS);
    command(resident, IDM_PREVIOUS);
    EXPECT_TRUE(nearColour(waitForScreenColour(MIDDLE_X, MIDDLE_Y, SAMPLES[0]), SAMPLES[0]));
    EXPECT_TRUE(waitForTrayTip("Vistrell: sample0.bmp"));
    EXPECT_EQ(readSetting("Now shown", "Monitor 1"), sampleBitmap(0));
    command(resident, IDM_CHANGE_NOW);
    EXPECT_TRUE(nearColour(waitForScreenColour(MIDDLE_X, MIDDLE_Y, SAMPLES[1]), SAMPLES[1]));
    EXPECT_EQ(bitmapIndex(), 3) << "going forward moves the list on";
    EXPECT_TRUE(closeResident(resident));
}

// What the changer does with "the picture shown" follows the picture on the
// screen: after a restart it is the one in "Now shown" (the tip names it,
// Never Show skips it), and once the desktop shows a wallpaper someone
// else chose, there is none: the tip is the plain one and Never Show skips
// nothing and changes nothing.
TEST_F(ResidentRemote, ThePictureShownIsTheOneOnTheScreen)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    command(resident, IDM_CHANGE_NOW);
    EXPECT_TRUE(closeResident(resident));
    resident = startResident();
    EXPECT_TRUE(waitForTrayTip("Vistrell: sample0.bmp"));
    command(resident, IDM_NEVER_SHOW);
    EXPECT_EQ(skippedPictures(), std::vector<std::string>{sampleBitmap(0)}) << "after a restart";
    EXPECT_EQ(wallpaper(), lowerAscii(sampleBitmap(1)));
    std::string other = sampleBitmap(2);
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, &other[0], SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
    EXPECT_TRUE(waitForTrayTip("Vistrell - Scenara"));
    command(resident, IDM_NEVER_SHOW);
    EXPECT_EQ(skippedPictures(), std::vector<std::string>{sampleBitmap(0)}) << "skipped what is not shown";
    EXPECT_EQ(wallpaper(), lowerAscii(other));
    EXPECT_TRUE(closeResident(resident));
}

// "Never Show This Picture" keeps the picture from the next 20 changes, of
// a folder of three or a list of three, and from "Previous Wallpaper";
// once every picture is skipped, a change says it cannot set the
// wallpaper, as for a list with nothing to show, and the desktop keeps
// what it showed.
class NeverShown : public ResidentRemote, public ::testing::WithParamInterface<bool> {};

TEST_P(NeverShown, APictureComesNoMore)
{
    if (GetParam()) {
        const std::string folder = lowerAscii(freshFolder("vistrell never"));
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
            writeTestBitmap(folder + name, 40, 30, SAMPLES[0]);
        removeSettings();
        writeSetting("Bitmap list", "000_wall", folder.c_str());
    } else {
        writeBitmapList(3);
    }
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    command(resident, IDM_CHANGE_NOW);
    const std::string never = wallpaper();
    command(resident, IDM_NEVER_SHOW);
    command(resident, IDM_PREVIOUS);
    EXPECT_NE(wallpaper(), never) << "going back brought it again";
    std::set<std::string> shown;
    for (int i = 0; i < 20; ++i) {
        command(resident, IDM_CHANGE_NOW);
        shown.insert(wallpaper());
    }
    EXPECT_EQ(shown.count(never), 0u) << never;
    EXPECT_EQ(shown.size(), 2u);
    command(resident, IDM_NEVER_SHOW);
    const std::string last = wallpaper();
    PostMessageA(resident.window, WM_COMMAND, IDM_NEVER_SHOW, 0);
    HWND box = waitForMessageBox("MSG", 10000, resident.program.id);
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(messageBoxText(box), "Cannot Setup Wallpaper.");
    answerMessageBox(box, IDOK);
    ASSERT_TRUE(waitUntilHandled(resident));
    EXPECT_EQ(wallpaper(), last);
    EXPECT_TRUE(closeResident(resident));
}

INSTANTIATE_TEST_SUITE_P(FolderOrList, NeverShown, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Folder" : "List");
                         });

// The next-key (Ctrl+Alt+Shift+Right by default), pressed as the keyboard
// would, changes the wallpaper.
TEST_F(ResidentRemote, TheNextKeyChangesTheWallpaper)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    pressKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_RIGHT});
    EXPECT_EQ(waitForIndex(1), 1);
    EXPECT_EQ(readSetting("Display", "Hot keys held"), "<absent>");
    EXPECT_TRUE(closeResident(resident));
}

// "vistrell.exe /next" (any case, "-" too) goes to the changer that runs:
// one change each, and the second copy ends at once. Without one running,
// /next starts the changer and changes once, even under "On Demand".
TEST_F(ResidentRemote, TheCommandLineGoesToTheChangerThatRuns)
{
    writeBitmapList(3);
    writeSetting("Configuration", "Change every", "1");
    Resident resident = startResident();
    int expected = 0;
    for (const char* given : {"/next", "-NEXT", "/reload"}) {
        SCOPED_TRACE(given);
        Program second = startProgram(residentPath(), given);
        DWORD code = 1;
        ASSERT_TRUE(waitForExit(second, 10000, &code));
        stopProgram(second);
        expected += std::string(given) != "/reload";
        EXPECT_EQ(waitForIndex(expected), expected);
        ASSERT_TRUE(waitUntilHandled(resident));
        EXPECT_EQ(bitmapIndex(), expected);
        EXPECT_TRUE(isRunning(resident.program));
    }
    EXPECT_TRUE(closeResident(resident));

    writeSetting("Configuration", "Bitmap index", "0");
    Resident started = startResident(residentPath(), true, "/next");
    EXPECT_EQ(waitForIndex(1), 1);
    EXPECT_TRUE(closeResident(started));
}
