// The changer's timed change waiting for a program that fills the screen:
// a window of another process (this test) without a caption over the whole
// monitor of Wine's desktop holds it back, and the change comes once at the
// first tick after the window is gone. Changes asked for never wait.
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

namespace {
const UINT TRAY = WM_USER;
const WPARAM TRAY_ID = 666;

class ResidentWaiting : public ResidentTest {
protected:
    // Posts ticks, then a change from the tray's menu as a marker, and waits
    // until the marker's change shows: every tick before it was handled.
    void ticksThenMarker(const Resident& resident, int ticks, int indexAfterMarker)
    {
        for (int i = 0; i < ticks; ++i)
            PostMessageA(resident.window, WM_TIMER, 666, 0);
        PostMessageA(resident.window, WM_COMMAND, IDM_CHANGE_NOW, 0);
        ASSERT_EQ(waitForIndex(indexAfterMarker), indexAfterMarker);
        ASSERT_TRUE(answers(resident.window));
        // Nothing came after the marker either: an extra change would have
        // gone past the index waited for.
        ASSERT_EQ(bitmapIndex(), indexAfterMarker);
    }
};

LRESULT CALLBACK fullScreenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

TEST_F(ResidentWaiting, AWindowFillingTheScreenHoldsBackTheTimedChangeUntilItIsGone)
{
    writeBitmapList(20);
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Configuration", "Time period", "1");  // every fifth tick
    Resident resident = startResident();

    registerTestClass("VISTRELL_TEST_FULL_SCREEN", fullScreenProc);
    HWND game = CreateWindowExA(WS_EX_TOPMOST, "VISTRELL_TEST_FULL_SCREEN", "full screen", WS_POPUP | WS_VISIBLE, 0,
                                0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    ASSERT_NE(game, (HWND)NULL);
    pumpFor(50);

    // Two periods go by: the timed change waits; the marker, asked for,
    // comes at once, and is the only change.
    ticksThenMarker(resident, 10, 1);

    DestroyWindow(game);
    // The next tick brings the change that waited, once; the count starts
    // again from it, so the four ticks after bring none.
    ticksThenMarker(resident, 1, 3);
    ticksThenMarker(resident, 4, 4);
    ticksThenMarker(resident, 1, 6);
    EXPECT_TRUE(closeResident(resident));
}
