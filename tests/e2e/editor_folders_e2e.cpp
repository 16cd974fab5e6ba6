// Folder entries in the editor: "Add Folder..." through the platform's
// folder picker (driven as a user would: a folder selected, OK pressed),
// the folder's first picture for Apply, a folder's place left alone by a
// save, and the old shell's greyed command.
#include "editor_driver.h"
#include "editortexts.h"
#include "folderplace.h"
#include "ids.h"
#include "residentdriver.h"
#include "residentmenuids.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

namespace {
class EditorFolders : public EditorFixture {};

// The picker: the editor's only standard dialog window while it is open.
HWND waitForFolderPicker(const Editor& editor)
{
    HWND picker = waitForWindow("#32770", NULL, 15000, editor.program.id);
    for (DWORD start = GetTickCount(); picker && !IsWindowVisible(picker) && GetTickCount() - start < 10000;)
        pumpFor(20);
    return picker && IsWindowVisible(picker) ? picker : NULL;
}

// The picker's tree: its selected item, or NULL while it fills.
HTREEITEM pickerSelection(HWND picker)
{
    HWND tree = FindWindowExA(picker, NULL, WC_TREEVIEWA, NULL);
    return tree ? reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) : NULL;
}

// Selects folder in the picker: the path goes into the editor's memory,
// where the picker's message expects it. The picker answers messages while
// it still fills its tree, where a selection finds nothing: it is sent
// again until the tree's selection moves.
bool selectInPicker(const Editor& editor, HWND picker, const std::string& folder)
{
    HTREEITEM first = NULL;
    for (DWORD start = GetTickCount(); !(first = pickerSelection(picker)) && GetTickCount() - start < 10000;)
        pumpFor(20);
    void* remote = VirtualAllocEx(editor.program.process, NULL, folder.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (!remote || !WriteProcessMemory(editor.program.process, remote, folder.c_str(), folder.size() + 1, NULL))
        return false;
    // The picker answers through its dialog result, which it leaves at 0.
    for (int tries = 0; first && pickerSelection(picker) == first && tries < 20; ++tries, pumpFor(100))
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(editor.program.process, remote, 0, MEM_RELEASE);
    return first && pickerSelection(picker) != first;
}
// The picker's own message loop still runs a moment after its window hides,
// and answers for the editor there: the row added is the sign it returned.
bool waitForRowCount(HWND dialog, size_t count, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); listRows(dialog).size() != count; pumpFor(20))
        if (GetTickCount() - start >= timeoutMs)
            return false;
    return true;
}
BOOL CALLBACK collectDialog(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}
}  // namespace

// The folder chosen becomes the list's last row, lower-cased with its
// trailing backslash; saved as such; Apply on it shows its first picture.
TEST_F(EditorFolders, AFolderChosenInThePickerBecomesAnEntry)
{
    std::string folder = freshFolder("VistEdit Photos");
    writeTestBitmap(folder + "B.bmp", 8, 8, RGB(0, 90, 0));
    writeTestBitmap(folder + "A.bmp", 8, 8, RGB(90, 0, 0));
    writeEntries({{sampleBitmap(0), 1, 1, 1}});
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    postCommand(editor.dialog, IDC_ADD_FOLDER);
    HWND picker = waitForFolderPicker(editor);
    ASSERT_NE(picker, (HWND)NULL) << "the folder picker did not appear";
    ASSERT_TRUE(selectInPicker(editor, picker, withoutTrailingSlash(folder)));
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(waitUntilGone(picker, 10000));
    ASSERT_TRUE(waitForRowCount(editor.dialog, 2, 10000)) << "no row was added";
    // In the letter case the picker gave.
    const std::string row = folder;
    EXPECT_EQ(listRows(editor.dialog), (std::vector<std::string>{sampleBitmap(0), row}));

    setCaretRow(editor.dialog, 1);
    sendCommand(editor.dialog, ED_SAVE);
    EXPECT_EQ(readEntry(1), (std::vector<std::string>{row, "1", "1", "1"}));
    sendCommand(editor.dialog, ED_APPLY);
    EXPECT_EQ(lowerAscii(readProfile("DESKTOP", "WALLPAPER")), lowerAscii(row + "a.bmp"));
    closeUnchanged(editor);
}

// The changer keeps a folder's place in section "Folders", which the
// editor's save never touches: a save that moves the folder's row (a row
// above it removed) between two changes leaves the place, and the next
// change goes on from it. Keys of before in the list go with the save.
TEST_F(EditorFolders, AFoldersPlaceSurvivesASaveThatMovesItsRow)
{
    std::string folder = freshFolder("VistEdit Place");
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        writeTestBitmap(folder + name, 8, 8, RGB(90, 0, 0));
    writeEntries({{sampleBitmap(0), 1, 1, 1}, {folder, 1, 1, 1}});
    writeSetting("Configuration", "Change every", "1");
    writeSetting("Configuration", "Bitmap index", "1");
    struct EndsResidents {
        ~EndsResidents() { endAllResidents(); }
    } ending;
    Resident resident = startResident();
    changeNow(resident, 2);
    EXPECT_EQ(lowerAscii(readProfile("DESKTOP", "WALLPAPER")), lowerAscii(folder + "a.bmp"));
    char key[PATH_KEY_SIZE];
    pathKey(folder.c_str(), key);
    const std::string place = readSetting("Folders", key);
    ASSERT_NE(place, "<absent>");

    writeSetting("Bitmap list", "001_next", "0");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    selectRows(editor.dialog, {0});
    sendCommand(editor.dialog, ED_REMOVE);
    setCaretRow(editor.dialog, 0);
    sendCommand(editor.dialog, ED_SAVE);
    EXPECT_EQ(readEntry(0)[0], folder);
    EXPECT_EQ(readSetting("Folders", key), place);
    EXPECT_EQ(readSetting("Bitmap list", "000_next"), "<absent>");
    EXPECT_EQ(readSetting("Bitmap list", "001_next"), "<absent>");
    closeUnchanged(editor);

    changeNow(resident, 1);
    EXPECT_EQ(lowerAscii(readProfile("DESKTOP", "WALLPAPER")), lowerAscii(folder + "b.bmp"));
    EXPECT_TRUE(closeResident(resident));
}

// The old shell has no folder picker: the command does nothing there (the
// display options, asked for after it, come without a picker before them).
TEST_F(EditorFolders, OnTheOldShellAddFolderOpensNoPicker)
{
    setProgramVersion("vistedit.exe", "nt351");
    Editor editor = startEditor();
    ASSERT_NE(editor.dialog, (HWND)NULL);
    postCommand(editor.dialog, IDC_ADD_FOLDER);
    postCommand(editor.dialog, IDC_DISPLAY_OPTIONS);
    HWND options = waitForWindow("#32770", DISPLAY_OPTIONS_TITLE, 10000, editor.program.id);
    ASSERT_NE(options, (HWND)NULL);
    std::vector<HWND> dialogs;
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&dialogs));
    DWORD editorProcess = editor.program.id;
    for (HWND dialog : dialogs) {
        DWORD owner = 0;
        GetWindowThreadProcessId(dialog, &owner);
        EXPECT_TRUE(owner != editorProcess || dialog == options) << "a picker opened on the old shell";
    }
    PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntilGone(options, 5000));
    closeUnchanged(editor);
}
