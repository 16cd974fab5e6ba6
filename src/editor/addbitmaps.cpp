#include "addbitmaps.h"

#include "editorstate.h"
#include "filesplit.h"
#include "editortexts.h"
#include "ids.h"
#include "modulefunction.h"
#include "oldshell.h"
#include "settings.h"
#include "slottable.h"
#include "textcase.h"

#include <commdlg.h>
#include <string.h>

// A remembered folder has at most 255 characters.
const int DIRECTORY_BUFFER = 256;
// The dialog's result: a directory and the names chosen in it.
const int RESULT_AREA = 300;

const DWORD OPEN_FLAGS = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT |
                         OFN_HIDEREADONLY;

static const char ADD_TITLE[] = "Add Bitmaps...";
// Pairs of description and pattern; the literal's own zero ends the list.
// The new shell takes pictures too (through their cached bitmaps).
static const char BITMAP_FILTER[] = "Bitmap files (*.BMP)\0*.bmp\0All files\0*.*\0";
static const char PICTURE_FILTER[] = "Bitmap files (*.BMP)\0*.bmp\0"
                                     "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)\0"
                                     "*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff\0"
                                     "All files\0*.*\0";

static const char TOO_MANY_FILES[] =
    "No files were added because too many files were chosen at once: their names do not fit.\n\n"
    "Choose fewer files and add them in several steps.";
static const char SKIPPED_ONE[] = "This file was not added because its path is longer than 99 characters:\n\n";
static const char SKIPPED_MANY[] = "These files were not added because their paths are longer than 99 characters:\n\n";
// The skipped names all lie inside the 300-byte result, so this holds them
// all with a line break each.
const int SKIPPED_NAMES = 512;

typedef BOOL(WINAPI* OpenFileProc)(LPOPENFILENAMEA);
typedef DWORD(WINAPI* DialogErrorProc)();

// The common dialogs are loaded at the first Add and kept: an editor that
// only changes a setting starts without them.
static HMODULE commonDialogs;

static HMODULE commonDialogsModule()
{
    if (!commonDialogs)
        commonDialogs = LoadLibraryA("comdlg32.dll");
    return commonDialogs;
}

// Reads the current directory into buffer, or leaves it empty when it does
// not fit.
static void currentDirectory(char* buffer)
{
    DWORD length = GetCurrentDirectoryA(DIRECTORY_BUFFER, buffer);
    if (length == 0 || length >= static_cast<DWORD>(DIRECTORY_BUFFER))
        buffer[0] = '\0';
}

int openFileDialog(HWND owner, char* result, int resultSize, const char* title, const char* filter)
{
    // No file name to start with, and nothing left over from before in the
    // area the dialog answers in.
    memset(result, 0, resultSize);
    char current[DIRECTORY_BUFFER];
    currentDirectory(current);
    char directory[DIRECTORY_BUFFER];
    readSettingText(SECTION_CONFIG, KEY_OPEN_DIRECTORY, current, directory, DIRECTORY_BUFFER);

    OPENFILENAMEA dialog;
    memset(&dialog, 0, sizeof dialog);
    // The record as the oldest shells know it, without the later fields.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = result;
    dialog.nMaxFile = resultSize;
    dialog.lpstrInitialDir = directory;
    dialog.lpstrTitle = title;
    dialog.Flags = OPEN_FLAGS;
    OpenFileProc open = moduleFunction<OpenFileProc>(commonDialogsModule(), "GetOpenFileNameA");
    int chosen = open ? open(&dialog) : 0;
    if (chosen) {
        // The dialog leaves the process in the folder the user chose from.
        currentDirectory(directory);
        if (directory[0])
            writeSettingText(SECTION_CONFIG, KEY_OPEN_DIRECTORY, directory);
    }
    return chosen;
}

struct SkippedNames {
    char text[SKIPPED_NAMES];
    size_t length;
    int count;
};

static bool addPathToTable(void*, const char* path)
{
    return addEntry(&slotTable, path, ADDED_X, ADDED_Y, ADDED_MODE) != 0;
}

static void noteSkipped(void* context, const char* name, SkipReason)
{
    SkippedNames* skipped = static_cast<SkippedNames*>(context);
    ++skipped->count;
    size_t length = strlen(name);
    // Keep room for the line break and the zero.
    if (skipped->length + length + 2 > sizeof skipped->text)
        return;
    if (skipped->length > 0)
        skipped->text[skipped->length++] = '\n';
    memcpy(skipped->text + skipped->length, name, length);
    skipped->length += length;
    skipped->text[skipped->length] = '\0';
}

// Tells the user in one box which files were left out and why.
static void tellSkipped(HWND owner, const SkippedNames& skipped)
{
    char text[sizeof SKIPPED_MANY + SKIPPED_NAMES];
    strcpy(text, skipped.count == 1 ? SKIPPED_ONE : SKIPPED_MANY);
    strcat(text, skipped.text);
    MessageBoxA(owner, text, EDITOR_ERROR_TITLE, MB_OK | MB_ICONEXCLAMATION);
}

// Whether the dialog's answer could not hold every name chosen. Windows
// answers that as a cancel with FNERR_BUFFERTOOSMALL; other dialogs (Wine's,
// and old shells) hand back the names cut off at the area's end, which an
// area zeroed before the call shows in its last byte.
static bool tooManyChosen(int chosen, const char* resultArea)
{
    if (!chosen) {
        DialogErrorProc error = moduleFunction<DialogErrorProc>(commonDialogsModule(), "CommDlgExtendedError");
        return error && error() == FNERR_BUFFERTOOSMALL;
    }
    return resultArea[RESULT_AREA - 1] != '\0';
}

int addBitmapsFromDialog(HWND owner)
{
    char resultArea[RESULT_AREA];
    int chosen = openFileDialog(owner, resultArea, RESULT_AREA, ADD_TITLE, isOldShell ? BITMAP_FILTER : PICTURE_FILTER);
    if (tooManyChosen(chosen, resultArea)) {
        // Adding the names that happen to fit would lose the rest unseen.
        MessageBoxA(owner, TOO_MANY_FILES, EDITOR_ERROR_TITLE, MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    if (!chosen)
        return 1;
    // Only the first text: the directory, or the single path; on the old
    // shell that is the whole result.
    lowercaseAsciiWithin(resultArea, RESULT_AREA);
    isDirty = true;

    SkippedNames skipped;
    skipped.text[0] = '\0';
    skipped.length = 0;
    skipped.count = 0;
    SplitSinks sinks = {addPathToTable, noteSkipped, &skipped};
    ResultForm form = isOldShell ? RESULT_SPACE_SEPARATED : RESULT_ZERO_SEPARATED;
    int done = splitDialogResult(resultArea, RESULT_AREA, form, sinks);
    if (skipped.count > 0)
        tellSkipped(owner, skipped);
    return done;
}
