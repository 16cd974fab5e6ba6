// The changer's timed change waiting for a program that fills the screen:
// a window of another process (this test) without a caption over the whole
// monitor of Wine's desktop holds it back, while the tray's tip says so.
// Changes asked for never wait.
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <vector>

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

// What the test shows over Wine's desktop while two periods go by.
enum Cover { FULL_SCREEN, CLICK_THROUGH_OVERLAY, BORDERLESS_BEHIND };

HWND showWindow(DWORD extended, DWORD style, int left, int top, int width, int height)
{
    registerTestClass("VISTRELL_TEST_FULL_SCREEN", fullScreenProc);
    return CreateWindowExA(extended, "VISTRELL_TEST_FULL_SCREEN", "cover", style | WS_VISIBLE, left, top, width, height,
                           NULL, NULL, GetModuleHandleA(NULL), NULL);
}

}  // namespace

// A window of another program filling the screen holds a timed change back,
// and the tray's tip says so; once it is gone the next tick brings the
// change, once, and the tip comes back. A click-through overlay over
// everything, or a borderless window left open behind another, holds
// nothing back: the user sees no program filling the screen.
TEST_F(ResidentWaiting, OnlyAWindowTheUserSeesFillingTheScreenHoldsBackTheTimedChange)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* what;
        Cover cover;
        bool holds;
    } cases[] = {
        {"a full-screen window", FULL_SCREEN, true},
        {"a click-through overlay", CLICK_THROUGH_OVERLAY, false},
        {"a borderless window behind another", BORDERLESS_BEHIND, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeBitmapList(20);
        writeSetting("Configuration", "Change every", "1");
        writeSetting("Configuration", "Time period", "1");  // every fifth tick
        Resident resident = startResident();
        std::vector<HWND> shown;
        switch (c.cover) {
        case FULL_SCREEN:
            shown.push_back(showWindow(WS_EX_TOPMOST, WS_POPUP, 0, 0, width, height));
            break;
        case CLICK_THROUGH_OVERLAY:
            shown.push_back(
                showWindow(WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT, WS_POPUP, 0, 0, width, height));
            SetLayeredWindowAttributes(shown.back(), 0, 1, LWA_ALPHA);
            break;
        case BORDERLESS_BEHIND:
            shown.push_back(showWindow(0, WS_POPUP, 0, 0, width, height));
            shown.push_back(showWindow(WS_EX_TOPMOST, WS_OVERLAPPEDWINDOW, width / 4, height / 4, width / 2, height / 2));
            SetForegroundWindow(shown.back());
            break;
        }
        for (HWND window : shown)
            ASSERT_NE(window, (HWND)NULL);
        pumpFor(50);

        if (!c.holds) {
            // Two periods go by: two changes, then the marker.
            ticksThenMarker(resident, 10, 3);
        } else {
            // Two periods go by, one change waiting: the tip tells. The
            // tray click after the ticks is handled after them.
            for (int i = 0; i < 10; ++i)
                PostMessageA(resident.window, WM_TIMER, 666, 0);
            ASSERT_TRUE(waitUntilHandled(resident));
            EXPECT_TRUE(waitForTrayTip("Vistrell: waiting while a program fills the screen"));
            EXPECT_EQ(bitmapIndex(), -1000);
        }
        for (HWND window : shown)
            DestroyWindow(window);
        if (c.holds) {
            // The next tick brings the change that waited, once, and the
            // tip names its picture; the count starts again from it.
            PostMessageA(resident.window, WM_TIMER, 666, 0);
            EXPECT_EQ(waitForIndex(1), 1);
            EXPECT_TRUE(waitForTrayTip("Vistrell: sample0.bmp"));
            ticksThenMarker(resident, 4, 2);
        }
        EXPECT_TRUE(closeResident(resident));
    }
}
