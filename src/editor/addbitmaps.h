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

// The wide dialog's answer (resultChars characters: a single path, or a
// directory and the names chosen in it, each ended by a zero) spelled for
// the settings file into area (areaSize bytes, in the same form): each text
// in the ANSI code page, or where it cannot be spelled so, by its short
// name. SPELLING_UNKEPT puts the name that has neither into unkept
// (MAX_PATH); nothing of the answer is to be added then.
enum DialogSpelling { SPELLING_DONE, SPELLING_TOO_LONG, SPELLING_UNKEPT };
DialogSpelling spellDialogResult(const WCHAR* result, int resultChars, char* area, int areaSize, WCHAR* unkept);

// The box that says a chosen name cannot be kept, and nothing was added.
void tellNameNotKept(HWND owner, const WCHAR* name);

#endif
