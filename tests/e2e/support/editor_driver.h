// Helpers for the editor's end-to-end tests: start vistedit.exe and find its
// dialog, read its controls from outside, drive its open-file dialog, and
// prepare the settings file it loads.
#ifndef VISTRELL_EDITOR_DRIVER_H
#define VISTRELL_EDITOR_DRIVER_H

#include "harness.h"
#include "keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Control identifiers of the editor's dialog, as the tests see them.
enum EditorControl {
    ED_HELP = 101,
    ED_SAVE = 103,
    ED_ADD = 104,
    ED_REMOVE = 105,
    ED_Y_EDIT = 106,
    ED_REMOVE_ALL = 107,
    ED_APPLY = 108,
    ED_PREVIEW = 109,
    ED_PREVIEW_FRAME = 110,
    ED_X_EDIT = 111,
    ED_CHANGE_EVERY = 113,
    ED_LIST = 114,
    ED_CURRENT_WALLPAPER = 115,
    ED_UNDO = 116,
    ED_EXIT = 117,
    ED_TILE = 118,
    ED_SUCCESSIVE = 119,
    ED_TIME_PERIOD = 120,
    ED_RANDOM = 121,
    ED_CENTER = 122,
    ED_DEFINED = 123,
    ED_CLOSE_WINDOW = 129,
    ED_ABOUT = 130,
    ED_X_UPDOWN = 150,
    ED_Y_UPDOWN = 151,
};

struct Editor {
    Program program;
    HWND dialog = NULL;
    HWND host = NULL;
};

std::string editorPath();

// Starts vistedit.exe (in workDir, or its own directory) and waits until its
// dialog "Windows Scenara" is visible. Fails the test when it does not come.
Editor startEditor(const std::string& workDir = "");
// Takes hold of an editor that someone else starts (the resident, say): waits
// for its host window and then for its dialog, as startEditor does.
Editor attachEditor(DWORD timeoutMs = 15000);
// Waits for the editor to end and returns its exit code (or ~0u on time-out).
DWORD waitForEditorExit(Editor& editor, DWORD timeoutMs = 10000);
// Closes an editor that holds no changes: it must end with 0 without asking.
void closeUnchanged(Editor& editor);
// Ends every editor still running (after a failed test) and closes handles.
void killEditors();

// Sends WM_COMMAND with the identifier (as a click) and waits for it.
void sendCommand(HWND dialog, int id);
// Posts it: for commands that open a modal box or dialog.
void postCommand(HWND dialog, int id);
// Clicks a button or radio button of the dialog (BM_CLICK).
void clickButton(HWND dialog, int id);

std::vector<std::string> listRows(HWND dialog);
void selectRows(HWND dialog, const std::vector<int>& rows);
void setCaretRow(HWND dialog, int row);
int caretRow(HWND dialog);
bool isChecked(HWND dialog, int id);
int comboSelection(HWND dialog, int id);
std::vector<std::string> comboRows(HWND dialog, int id);
std::string controlText(HWND dialog, int id);
// Replaces an edit box's text (its notifications reach the dialog).
void setControlText(HWND dialog, int id, const std::string& text);
bool isEnabled(HWND dialog, int id);
// Moves the keyboard focus to a control of the dialog, as Tab would, and
// waits until the dialog's thread reports it there.
bool focusControl(HWND dialog, int id);

// The open-file dialog "Add Bitmaps..." of the editor.
HWND waitForFileDialog(const Editor& editor, DWORD timeoutMs = 15000);
// Types names into its file-name field and presses Open; waits until it goes.
bool chooseInFileDialog(HWND fileDialog, const std::string& names);
bool cancelFileDialog(HWND fileDialog);
// Runs "Add BMP" and picks names; returns once the list has expectRows rows.
bool addFilesThroughDialog(const Editor& editor, const std::string& names, size_t expectRows);

struct StoredEntry {
    std::string path;
    int x;
    int y;
    int mode;
};
// Removes the settings file and writes a fresh one with these entries.
void writeEntries(const std::vector<StoredEntry>& entries);
std::string entryKey(int index, EntryField field);
// Reads entry index back: path, x, y and mode as the file holds them.
std::vector<std::string> readEntry(int index);

// A folder of its own under the temp directory, emptied, with a trailing backslash.
std::string freshFolder(const std::string& name);

// Base of the editor's test suites: no editor runs and no settings file
// exists when a test starts, and nothing of a failed test is left behind.
class EditorFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

#endif
