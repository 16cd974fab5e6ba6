// The applier's failure boxes, shown by a real program under Wine. Wine's
// SystemParametersInfoA accepts any path (Windows refuses missing files and
// non-bitmaps), but it does refuse when it cannot store the wallpaper in
// Control Panel\desktop; locking that key shows both boxes for real.
#include "harness.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct LockedDesktopKey {
    LockedDesktopKey() { lockDesktopRegistry(true); }
    ~LockedDesktopKey() { lockDesktopRegistry(false); }
};

void expectBox(Program& program, const char* text)
{
    HWND box = waitForMessageBox("MSG", 10000, program.id);
    ASSERT_NE(box, (HWND)NULL) << "no box saying " << text;
    EXPECT_EQ(messageBoxText(box), text);
    EXPECT_EQ(messageBoxIcon(box), (UINT)MB_ICONHAND);
    EXPECT_EQ(messageBoxButtons(box), std::vector<int>{IDOK});
    EXPECT_EQ(messageBoxOwner(box), (HWND)NULL);
    ASSERT_TRUE(answerMessageBox(box, IDOK));
}
}  // namespace

// As Windows XP, where a Defined bitmap goes to the desktop as it is.
TEST(ApplierEndToEnd, LockedDesktopKeyShowsRegistryThenWallpaperFailure)
{
    std::string bitmap = sampleBitmap(1);
    ProgramVersion xp("applytool.exe", windowsXp());
    LockedDesktopKey locked;
    Program tool = startProgram(testDirectory() + "applytool.exe", "\"" + bitmap + "\" 2 10 20");
    expectBox(tool, "Error While Access Register. ");
    expectBox(tool, "Cannot Setup Wallpaper.");
    DWORD code = 1;
    ASSERT_TRUE(waitForExit(tool, 10000, &code));
    EXPECT_EQ(code, 0u);
    stopProgram(tool);
}

TEST(ApplierEndToEnd, OldShellShowsOnlyTheWallpaperFailure)
{
    std::string bitmap = sampleBitmap(1);
    setProgramVersion("applytool.exe", "nt351");
    {
        LockedDesktopKey locked;
        Program tool = startProgram(testDirectory() + "applytool.exe", "\"" + bitmap + "\" 2 10 20");
        expectBox(tool, "Cannot Setup Wallpaper.");
        DWORD code = 1;
        EXPECT_TRUE(waitForExit(tool, 10000, &code));
        stopProgram(tool);
    }
    clearProgramVersion("applytool.exe");
}

TEST(ApplierEndToEnd, InstallsTheBitmapWithItsPlacement)
{
    std::string bitmap = sampleBitmap(2);
    Program tool = startProgram(testDirectory() + "applytool.exe", "\"" + bitmap + "\" 0 500 300");
    DWORD code = 1;
    ASSERT_TRUE(waitForExit(tool, 10000, &code));
    stopProgram(tool);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(countMessageBoxes("MSG"), 0);
    EXPECT_STRCASEEQ(readProfile("DESKTOP", "WALLPAPER").c_str(), bitmap.c_str());
    EXPECT_EQ(readProfile("DESKTOP", "TileWallpaper"), "1");
    EXPECT_EQ(readUserRegistry("Control Panel\\desktop", "WallpaperOriginX"), "0");
}
