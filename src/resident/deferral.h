// A timed change that falls due while the user is busy (a program fills the
// screen, the session is locked) or, when so chosen, while the computer runs
// on battery, waits: it comes once the state is over, once however many
// periods passed.
#ifndef VISTRELL_DEFERRAL_H
#define VISTRELL_DEFERRAL_H

#include "waiting.h"

#include <windows.h>

// Whether a timed change must wait now, and why. Looks at the shell's
// notification state, the top-level windows, the session and the power
// status; called when a change falls due, never more often than the minute
// timer.
WaitReason timedChangeMustWait();

// A timed change waits (for the reason, which the tray's tip tells; none
// while it only waits to read the list again), or no longer does.
void holdChange(WaitReason reason);
void releaseChange();

// Asks the platform to tell the window when the session is locked and
// unlocked (WM_WTSSESSION_CHANGE), where it can; and stops asking.
void watchSessionLock(HWND window);
void stopWatchingSessionLock(HWND window);

// The platform's answers the detection asks for, which the tests replace:
// the shell's notification state (SHQueryUserNotificationState, Vista and
// later; NULL looks it up in shell32), the power status, and the
// registration for the session's notifications (NULL looks it up in
// wtsapi32).
typedef HRESULT(WINAPI* ShellStateProc)(int* state);
typedef BOOL(WINAPI* PowerStatusProc)(LPSYSTEM_POWER_STATUS status);
typedef BOOL(WINAPI* RegisterSessionProc)(HWND, DWORD);
extern ShellStateProc queryShellState;
extern PowerStatusProc queryPowerStatus;
extern RegisterSessionProc registerSession;

#endif
