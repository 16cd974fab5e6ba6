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

// Why a timed change waits now, or WAIT_NONE: the lock first, then a full
// screen, then the battery.
enum WaitReason { WAIT_NONE, WAIT_LOCKED, WAIT_FULL_SCREEN, WAIT_BATTERY };
WaitReason timedChangeWaits(const WaitStates& states, const WaitOptions& options);

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
    bool captioned;    // has a title bar: a maximised window, not a full-screen one
    bool cloaked;      // hidden by the window manager (another virtual desktop, a suspended app)
    bool ownOrShell;   // this program's, the desktop's or the shell's own
    bool clickThrough; // layered and transparent to the mouse: an overlay drawn over the screen
    bool toolWindow;   // a palette or floating bar, never a program's main face
    bool foreground;   // the window the user works in
};

// Whether the user sees a program filling a monitor. Only two windows can
// be that: the foreground window, and at each monitor's centre the topmost
// window there. Either counts when it covers the whole monitor (a pixel of
// slack on each side), has no caption and is another program's. Windows
// come in their Z order, topmost first; hidden, minimised and cloaked
// windows, click-through overlays and tool windows are looked through, as
// nobody sees them or they cover nothing for good. A caption-less window
// left open behind others, or an overlay that games and recorders draw over
// everything, holds nothing back.
bool screenFilledBy(const WindowFacts* windows, int count, const LayoutRect* monitors, int monitorCount);

#endif
