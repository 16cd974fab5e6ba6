// When the wallpaper changes: once at start by "Change every", then on the
// minute timer by "Time period".
#ifndef VISTRELL_TIMING_H
#define VISTRELL_TIMING_H

#include <windows.h>

// The start-up decision, taken once while the window is being created.
// After a start-up change "Last Change" becomes today.
void runStartupPolicy(HWND window);

// One tick of the minute timer. A due tick that finds a change still running
// (its box open) starts no second one.
void onMinuteTick(HWND window);

// The session was locked or unlocked (WM_WTSSESSION_CHANGE's wParam); the
// power status changed (WM_POWERBROADCAST). A change that waited comes at
// once when nothing holds it back any more.
void onSessionChange(HWND window, WPARAM event);
void onPowerChange(HWND window);

// Re-reads "Time period"; a missing key leaves the period in force.
void reloadTimePeriod();

#endif
