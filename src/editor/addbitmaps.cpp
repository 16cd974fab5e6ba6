#include "addbitmaps.h"

#include "editorstate.h"
#include "filesplit.h"
#include "editortexts.h"
#include "ids.h"
#include "modulefunction.h"
#include "oldshell.h"
#include "pathtext.h"
#include "settings.h"
#include "slottable.h"
#include "textcase.h"

#include <commdlg.h>
#include <stdlib.h>
#include <string.h>

// A remembered folder has at most 255 characters.
const int DIRECTORY_BUFFER = 256;
// The dialog's result: a directory and the names chosen in it.
const int RESULT_AREA = 300;
const int WIDE_RESULT_CHARS = 32768;

const DWORD OPEN_FLAGS = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT |
                         OFN_HIDEREADONLY;

// Each text once, for the ANSI dialog and the wide one.
#define ADD_TITLE_TEXT "Add Bitmaps..."
// Pairs of description and pattern; the literal's own zero ends the list.
// The new shell takes pictures too (through their cached bitmaps).
#define PICTURE_FILTER_TEXT \
    "Bitmap files (*.BMP)\0*.bmp\0" \
    "Pictures (*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff)\0" \
    "*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff\0" \
    "All files\0*.*\0"
static const char ADD_TITLE[] = ADD_TITLE_TEXT;
static const char BITMAP_FILTER[] = "Bitmap files (*.BMP)\0*.bmp\0All files\0*.*\0";
static const char PICTURE_FILTER[] = PICTURE_FILTER_TEXT;

static const char TOO_MANY_FILES[] =
    "No files were added because too many files were chosen at once: their names do not fit.\n\n"
    "Choose fewer files and add them in several steps.";
static const char SKIPPED_ONE[] = "This file was not added because its path is longer than 99 characters:\n\n";
static const char SKIPPED_MANY[] = "These files were not added because their paths are longer than 99 characters:\n\n";
// The skipped names all lie inside the 300-byte result, so this holds them
// all with a line break each.
const int SKIPPED_NAMES = 512;

static const WCHAR ADD_TITLE_WIDE[] = L"" ADD_TITLE_TEXT;
static const WCHAR PICTURE_FILTER_WIDE[] = L"" PICTURE_FILTER_TEXT;
static const WCHAR NAME_NOT_KEPT[] =
    L"Nothing was added: VISTRELL.INI cannot keep this name, as its letters are not in this system's "
    L"character set and its drive gives the file no short name:\n\n";

typedef BOOL(WINAPI* OpenFileProc)(LPOPENFILENAMEA);
typedef BOOL(WINAPI* OpenFileWideProc)(LPOPENFILENAMEW);
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

// The folder the dialog left the process in, remembered for the next Add
// where the settings file can keep its name.
static void rememberCurrentDirectory()
{
    WCHAR wide[DIRECTORY_BUFFER];
    char directory[DIRECTORY_BUFFER];
    if (!wideFilesAvailable()) {
        currentDirectory(directory);
    } else {
        DWORD length = GetCurrentDirectoryW(DIRECTORY_BUFFER, wide);
        if (length == 0 || length >= static_cast<DWORD>(DIRECTORY_BUFFER) ||
            !ansiPathOf(wide, directory, DIRECTORY_BUFFER))
            directory[0] = '\0';
    }
    if (directory[0])
        writeSettingText(SECTION_CONFIG, KEY_OPEN_DIRECTORY, directory);
}

// Where the dialog opens: the folder of the last pick, else the current one.
static void startDirectory(char* directory)
{
    char current[DIRECTORY_BUFFER];
    currentDirectory(current);
    readSettingText(SECTION_CONFIG, KEY_OPEN_DIRECTORY, current, directory, DIRECTORY_BUFFER);
}

int openFileDialog(HWND owner, char* result, int resultSize, const char* title, const char* filter)
{
    // No file name to start with, and nothing left over from before in the
    // area the dialog answers in.
    memset(result, 0, resultSize);
    char directory[DIRECTORY_BUFFER];
    startDirectory(directory);

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
    if (chosen)
        rememberCurrentDirectory();
    return chosen;
}

// The same dialog answering in wide characters, so that a name in any
// script comes back as it is; result holds resultChars of them.
static int openWideFileDialog(HWND owner, WCHAR* result, int resultChars)
{
    memset(result, 0, resultChars * sizeof result[0]);
    char directory[DIRECTORY_BUFFER];
    startDirectory(directory);
    WCHAR wideDirectory[DIRECTORY_BUFFER];
    if (!MultiByteToWideChar(CP_ACP, 0, directory, -1, wideDirectory, DIRECTORY_BUFFER))
        wideDirectory[0] = L'\0';

    OPENFILENAMEW dialog;
    memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = PICTURE_FILTER_WIDE;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = result;
    dialog.nMaxFile = resultChars;
    dialog.lpstrInitialDir = wideDirectory;
    dialog.lpstrTitle = ADD_TITLE_WIDE;
    dialog.Flags = OPEN_FLAGS;
    OpenFileWideProc open = moduleFunction<OpenFileWideProc>(commonDialogsModule(), "GetOpenFileNameW");
    int chosen = open ? open(&dialog) : 0;
    if (chosen)
        rememberCurrentDirectory();
    return chosen;
}

DialogSpelling spellDialogResult(const WCHAR* result, int resultChars, char* area, int areaSize, WCHAR* unkept)
{
    memset(area, 0, areaSize);
    int at = 0;
    int text = 0;
    const WCHAR* directory = result;
    for (const WCHAR* name = result; name < result + resultChars && *name; name += lstrlenW(name) + 1, ++text) {
        char spelled[MAX_PATH];
        bool kept = false;
        if (text == 0) {
            kept = ansiPathOf(name, spelled, MAX_PATH);
        } else {
            // A name behind the directory: spelled as it is, or by the last
            // part of its short path.
            WCHAR full[MAX_PATH];
            kept = lstrlenW(directory) + 1 + lstrlenW(name) < MAX_PATH;
            if (kept) {
                lstrcpyW(full, directory);
                lstrcatW(full, L"\\");
                lstrcatW(full, name);
                kept = ansiPathOf(full, spelled, MAX_PATH);
            }
            if (kept) {
                const char* last = strrchr(spelled, '\\');
                memmove(spelled, last + 1, strlen(last + 1) + 1);
            }
        }
        if (!kept) {
            lstrcpynW(unkept, name, MAX_PATH);
            return SPELLING_UNKEPT;
        }
        int length = static_cast<int>(strlen(spelled));
        // The area ends with two zeros, as the dialog's own does.
        if (at + length + 2 > areaSize)
            return SPELLING_TOO_LONG;
        memcpy(area + at, spelled, length + 1);
        at += length + 1;
    }
    return SPELLING_DONE;
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

// Tells in a box that a chosen name cannot be kept: nothing was added.
void tellNameNotKept(HWND owner, const WCHAR* name)
{
    WCHAR text[sizeof NAME_NOT_KEPT / sizeof NAME_NOT_KEPT[0] + MAX_PATH];
    lstrcpyW(text, NAME_NOT_KEPT);
    lstrcatW(text, name);
    MessageBoxW(owner, text, L"" EDITOR_ERROR_TITLE, MB_OK | MB_ICONEXCLAMATION);
}

// The dialog's answer in the ANSI area the rest works on; false (told
// already, or cancelled) when there is nothing to add. On Windows NT's new
// shell the dialog answers in wide characters, and each name is spelled for
// the settings file.
static bool chooseFiles(HWND owner, char* resultArea)
{
    // The old shell, and Windows 95 to Me, name every file in the ANSI code
    // page: the dialog answers in it.
    if (isOldShell || !wideFilesAvailable()) {
        int chosen = openFileDialog(owner, resultArea, RESULT_AREA, ADD_TITLE, isOldShell ? BITMAP_FILTER : PICTURE_FILTER);
        if (!tooManyChosen(chosen, resultArea))
            return chosen != 0;
    } else {
        // The wide answer gets room for far more than the area holds: Wine's
        // wide dialog writes a long choice past the room it is given, where
        // Windows refuses it. What does not fit the area is too many all the
        // same.
        WCHAR* wide = static_cast<WCHAR*>(malloc(WIDE_RESULT_CHARS * sizeof(WCHAR)));
        WCHAR unkept[MAX_PATH];
        int chosen = wide ? openWideFileDialog(owner, wide, WIDE_RESULT_CHARS) : 0;
        bool tooMany = chosen ? wide[WIDE_RESULT_CHARS - 1] != 0 : tooManyChosen(chosen, resultArea);
        DialogSpelling spelling = SPELLING_TOO_LONG;
        if (chosen && !tooMany)
            spelling = spellDialogResult(wide, WIDE_RESULT_CHARS, resultArea, RESULT_AREA, unkept);
        free(wide);
        if (!tooMany && !chosen)
            return false;
        if (spelling == SPELLING_DONE)
            return true;
        if (spelling == SPELLING_UNKEPT) {
            tellNameNotKept(owner, unkept);
            return false;
        }
    }
    // Adding the names that happen to fit would lose the rest unseen.
    MessageBoxA(owner, TOO_MANY_FILES, EDITOR_ERROR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

int addBitmapsFromDialog(HWND owner)
{
    char resultArea[RESULT_AREA];
    if (!chooseFiles(owner, resultArea))
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
