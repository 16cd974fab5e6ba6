// Whether a timed change waits: while a program fills the screen, while the
// session is locked, or (when the user chose so) on battery. Changes the
// user asks for, and the one at start, never wait.
#ifndef VISTRELL_WAITING_H
#define VISTRELL_WAITING_H

#include "layout.h"

// What the changer observes when a timed change falls due.
struct WaitStates {
    bool shellBusy;       // the shell reports a busy state (presentation, a game...)
    bool screenFilled;    // a window of another program, without caption, covers a monitor
    bool sessionLocked;
    bool onBattery;
    bool batterySaver;
};

// The user's choices, section "Display": "Wait full screen" (a missing key
// means on) and "Wait on battery" (a missing key means off).
struct WaitOptions {
    bool waitFullScreen;
    bool waitOnBattery;
};

bool timedChangeWaits(const WaitStates& states, const WaitOptions& options);

// The shell's notification states that mean the user is busy: busy (a
// full-screen program), a Direct3D program in full screen, presentation
// mode, and a full-screen app of the new kind (values 2, 3, 4 and 7).
bool shellStateIsBusy(int state);

// A top-level window as the changer sees it when it looks for one that
// fills the screen.
struct WindowFacts {
    LayoutRect rect;
    bool visible;
    bool minimised;
    bool captioned;  // has a title bar: a maximised window, not a full-screen one
    bool cloaked;    // hidden by the window manager (another virtual desktop, a suspended app)
    bool ownOrShell; // this program's, the desktop's or the shell's own
};

// Whether the window covers a whole monitor, and counts: visible, not
// minimised, not cloaked, without a caption, and another program's.
bool windowFillsMonitor(const WindowFacts& window, const LayoutRect* monitors, int count);

#endif
