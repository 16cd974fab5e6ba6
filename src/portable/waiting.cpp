#include "waiting.h"

WaitReason timedChangeWaits(const WaitStates& states, const WaitOptions& options)
{
    if (states.sessionLocked)
        return WAIT_LOCKED;
    if (options.waitFullScreen && (states.shellBusy || states.screenFilled))
        return WAIT_FULL_SCREEN;
    if (options.waitOnBattery && (states.onBattery || states.batterySaver))
        return WAIT_BATTERY;
    return WAIT_NONE;
}

bool shellStateIsBusy(int state)
{
    switch (state) {
    case 2:  // QUNS_BUSY
    case 3:  // QUNS_RUNNING_D3D_FULL_SCREEN
    case 4:  // QUNS_PRESENTATION_MODE
    case 7:  // QUNS_APP
        return true;
    default:
        return false;
    }
}

// Window borders of full-screen programs may fall a pixel short.
const int32_t FULL_SCREEN_SLACK = 1;

static bool seenThrough(const WindowFacts& window)
{
    return !window.visible || window.minimised || window.cloaked || window.clickThrough || window.toolWindow;
}

static bool covers(const LayoutRect& window, const LayoutRect& m)
{
    return m.right > m.left && m.bottom > m.top && window.left <= m.left + FULL_SCREEN_SLACK &&
           window.top <= m.top + FULL_SCREEN_SLACK && window.right >= m.right - FULL_SCREEN_SLACK &&
           window.bottom >= m.bottom - FULL_SCREEN_SLACK;
}

static bool fillsAs(const WindowFacts& window, const LayoutRect& monitor)
{
    return !window.captioned && !window.ownOrShell && covers(window.rect, monitor);
}

bool screenFilledBy(const WindowFacts* windows, int count, const LayoutRect* monitors, int monitorCount)
{
    for (int i = 0; i < count; ++i) {
        if (!windows[i].foreground || seenThrough(windows[i]))
            continue;
        for (int m = 0; m < monitorCount; ++m)
            if (fillsAs(windows[i], monitors[m]))
                return true;
    }
    for (int m = 0; m < monitorCount; ++m) {
        const LayoutRect& monitor = monitors[m];
        int32_t x = monitor.left + (monitor.right - monitor.left) / 2;
        int32_t y = monitor.top + (monitor.bottom - monitor.top) / 2;
        for (int i = 0; i < count; ++i) {
            const LayoutRect& r = windows[i].rect;
            if (seenThrough(windows[i]) || x < r.left || x >= r.right || y < r.top || y >= r.bottom)
                continue;
            if (fillsAs(windows[i], monitor))
                return true;
            break;
        }
    }
    return false;
}
