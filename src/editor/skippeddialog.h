// "Skipped pictures..." of the display options: the pictures no change
// shows (section "Skip"), which the user can show again.
#ifndef VISTEDIT_SKIPPEDDIALOG_H
#define VISTEDIT_SKIPPEDDIALOG_H

#include <windows.h>

void runSkippedPictures(HWND owner);

#endif
