#include "waiting.h"

bool timedChangeWaits(const WaitStates& states, const WaitOptions& options)
{
    if (states.sessionLocked)
        return true;
    if (options.waitFullScreen && (states.shellBusy || states.screenFilled))
        return true;
    return options.waitOnBattery && (states.onBattery || states.batterySaver);
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

bool windowFillsMonitor(const WindowFacts& window, const LayoutRect* monitors, int count)
{
    if (!window.visible || window.minimised || window.captioned || window.cloaked || window.ownOrShell)
        return false;
    for (int i = 0; i < count; ++i) {
        const LayoutRect& m = monitors[i];
        if (m.right > m.left && m.bottom > m.top && window.rect.left <= m.left && window.rect.top <= m.top &&
            window.rect.right >= m.right && window.rect.bottom >= m.bottom)
            return true;
    }
    return false;
}
