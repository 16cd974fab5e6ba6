// Adds bitmap files chosen in the platform's open-file dialog to the list.
#ifndef VISTEDIT_ADDBITMAPS_H
#define VISTEDIT_ADDBITMAPS_H

#include <windows.h>

// Every file or folder added is centred with origin (1, 1).
const int ADDED_X = 1;
const int ADDED_Y = 1;
const int ADDED_MODE = 1;

// Runs the open-file dialog in the remembered folder ("Open directory") and
// remembers the folder the user ended in. Returns the platform's result.
int openFileDialog(HWND owner, char* result, int resultSize, const char* title, const char* filter);

// 1 when done (also after a cancel), 0 when the table became full.
int addBitmapsFromDialog(HWND owner);

#endif
