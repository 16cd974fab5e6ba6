// Helpers for driving the real resident changer: start it and wait until its
// start-up decision is done, post it timer ticks and tray clicks, count the
// wallpaper changes it makes, and end it cleanly.
#ifndef VISTRELL_RESIDENTDRIVER_H
#define VISTRELL_RESIDENTDRIVER_H

#include "harness.h"
#include "keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Resident {
    Program program;
    HWND window = NULL;
};

// vistrell.exe beside the test program (build/win32 or build/win64).
std::string residentPath();

// Copies vistrell.exe into a folder of its own (below the temp directory), so
// that no editor lies beside it; returns the copy's path.
std::string isolatedResidentCopy();

// Starts the program and waits for its window; with settle, also until its
// message loop runs, that is until the start-up decision is done: a tray
// click is posted, and the pop-up menu it opens (closed again at once) can
// only come from the loop. A sent message would not do: the window answers
// those while it adds its tray icon, before the decision.
Resident startResident(const std::string& path = residentPath(), bool settle = true,
                       const std::string& arguments = "");

// Posts a tray click and waits for the pop-up menu it opens, then closes it.
// The window handles posted messages in order, so everything posted before
// has been handled by then (also inside the loop of a box it shows). False
// when no menu came.
bool waitUntilHandled(const Resident& resident, DWORD timeoutMs = 10000);

// Ends the program through WM_CLOSE (its window is destroyed, which removes
// the tray icon) and waits for it; the exit code is stored when it ended.
bool closeResident(Resident& resident, DWORD* exitCode = nullptr);

// "Bitmap index" of the settings file as a number (-1000 when absent).
int bitmapIndex();

// Starts the resident starts times under "Randomly (1:5)" over a list of one
// entry, each start in a later second of the clock than the settled end of
// the one before (the decision depends only on that second), and returns how
// many starts changed the wallpaper, as "Last Change" (set to today) shows.
int changingStartsUnderRandomPolicy(int starts);

// Writes a list of count entries over the sample bitmaps, with every other
// setting removed.
void writeBitmapList(int count);

// Posts ticks WM_TIMER messages, then command 106 as a marker, and waits
// until "Bitmap index" has moved by expected + 1 and then kept still.
// Messages are handled in the order they were posted, so every tick has been
// handled once the marker's change shows; too few changes end in a time-out.
// Returns the number of changes the ticks made (the list must be long enough
// not to wrap).
int changesByTicks(HWND window, int ticks, int expected);

// Polls until "Bitmap index" is at least atLeast (or the time is up), then
// until it has kept one value for a moment; returns that value.
int settledIndex(int atLeast, DWORD timeoutMs = 5000);

// Waits until "Bitmap index" reads expected; returns the last value read.
int waitForIndex(int expected, DWORD timeoutMs = 5000);

// Posts "Setup New Wallpaper" (command 106) and fails unless the change
// writes "Bitmap index" expectedIndex.
void changeNow(const Resident& resident, int expectedIndex);

// Today's DayNumber (1 January 1900 is 461), computed from the local date
// through the platform's file-time arithmetic.
int todayByFileTime();
int dayNumberByFileTime(WORD year, WORD month, WORD day);

// The top-level pop-up menu window ("#32768") shown by a process, or NULL.
HWND findPopupMenu(DWORD processId);
HWND waitForPopupMenu(DWORD processId, DWORD timeoutMs);
// Closes a pop-up menu with Escape; true when it went away.
bool dismissPopupMenu(HWND menuWindow, DWORD timeoutMs = 5000);

// A top-level window of the editor's class, made by the test as a stand-in
// for a running editor (hidden until someone shows it).
HWND createEditorStandIn();

// Whether the tray holds the resident's icon (window, identifier 666): asks
// the tray to modify it with nothing to change, which only an existing icon
// allows.
bool trayIconPresent(HWND window);

// The tips of the tray's icons as the shell's tooltips hold them, read from
// the shell's own process; and a wait until one of them is tip.
std::vector<std::string> trayTips();
bool waitForTrayTip(const std::string& tip, DWORD timeoutMs = 10000);

// Ends every running resident changer: closes its window, or ends the process
// when it does not go.
void endAllResidents();

// Writes a list of count entries straight into the settings file (hundreds
// at once), all over the same two sample bitmaps.
void writeLongBitmapList(int count);

// Base of the resident end-to-end suites: no settings file and no resident
// running before and after each test; the old-shell version switch undone.
class ResidentTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

#endif
