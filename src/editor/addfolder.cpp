#include "addfolder.h"

#include "addbitmaps.h"
#include "editorstate.h"
#include "editortexts.h"
#include "modulefunction.h"
#include "oldshell.h"
#include "pathtext.h"
#include "settings.h"
#include "slottable.h"

#include <shlobj.h>
#include <string.h>

typedef LPITEMIDLIST(WINAPI* BrowseProc)(LPBROWSEINFOW);
typedef BOOL(WINAPI* PathFromListProc)(LPCITEMIDLIST, LPWSTR);
typedef HRESULT(WINAPI* OleInitializeProc)(LPVOID);
typedef void(WINAPI* TaskFreeProc)(LPVOID);

#define BROWSE_PROMPT "Choose a folder of pictures:"
static const WCHAR BROWSE_TEXT[] = L"" BROWSE_PROMPT;
static const char BROWSE_TEXT_ANSI[] = BROWSE_PROMPT;
static const char FOLDER_TOO_LONG[] = "This folder was not added because its path is longer than 99 characters:\n\n";

// The picker opens on the folder the last Add left off in.
static int CALLBACK onBrowseEvent(HWND browser, UINT message, LPARAM, LPARAM start)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

// Whether OLE runs on this thread, started by the first Add Folder.
static bool oleRunning;

// The folder chosen into folder (MAX_PATH wide characters, as the picker
// gives it, in any script); false when cancelled. The
// picker's newer look (with "Make New Folder") needs OLE running on this
// thread: it is started at the first use and left running, like the
// libraries, for the editor's life. Without it the picker keeps its plain
// look.
static bool chooseFolder(HWND owner, WCHAR* folder)
{
    HMODULE shell = GetModuleHandleA("shell32.dll");
    static HMODULE ole;
    if (!ole) {
        ole = LoadLibraryA("ole32.dll");
        OleInitializeProc oleInitialize = moduleFunction<OleInitializeProc>(ole, "OleInitialize");
        oleRunning = oleInitialize && SUCCEEDED(oleInitialize(NULL));
    }
    // Windows 95 to Me have only the ANSI picker, whose record is laid out
    // as the wide one, its texts in the ANSI code page.
    bool wide = wideFilesAvailable();
    BrowseProc browse = moduleFunction<BrowseProc>(shell, wide ? "SHBrowseForFolderW" : "SHBrowseForFolderA");
    PathFromListProc toPath =
        moduleFunction<PathFromListProc>(shell, wide ? "SHGetPathFromIDListW" : "SHGetPathFromIDListA");
    TaskFreeProc taskFree = moduleFunction<TaskFreeProc>(ole, "CoTaskMemFree");
    if (!browse || !toPath)
        return false;
    char start[MAX_PATH];
    readSettingText(SECTION_CONFIG, KEY_OPEN_DIRECTORY, "", start, sizeof start);
    BROWSEINFOW info;
    memset(&info, 0, sizeof info);
    info.hwndOwner = owner;
    info.pszDisplayName = folder;
    info.lpszTitle = wide ? BROWSE_TEXT : reinterpret_cast<LPCWSTR>(BROWSE_TEXT_ANSI);
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (oleRunning)
        info.ulFlags |= BIF_NEWDIALOGSTYLE;
    info.lpfn = onBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST list = browse(&info);
    char ansi[MAX_PATH];
    bool chosen = list && (wide ? toPath(list, folder) && folder[0]
                                : toPath(list, reinterpret_cast<LPWSTR>(ansi)) && ansi[0] &&
                                      MultiByteToWideChar(CP_ACP, 0, ansi, -1, folder, MAX_PATH));
    if (list && taskFree)
        taskFree(list);
    return chosen;
}

int addFolderFromPicker(HWND owner)
{
    if (findFreeSlot(&slotTable) == NO_SLOT)
        return 0;
    WCHAR chosen[MAX_PATH];
    if (isOldShell || !chooseFolder(owner, chosen))
        return 1;
    // The settings file spells paths in the ANSI code page: a folder whose
    // name it cannot spell is kept by its short name, or not at all.
    char text[sizeof FOLDER_TOO_LONG + MAX_PATH];
    char* folder = text + sizeof FOLDER_TOO_LONG - 1;
    if (!ansiPathOf(chosen, folder, MAX_PATH - 1)) {
        tellNameNotKept(owner, chosen);
        return 1;
    }
    writeSettingText(SECTION_CONFIG, KEY_OPEN_DIRECTORY, folder);
    // A drive's root comes with its backslash; any other folder without.
    // Kept in the letter case the picker gave: a folder's name is the
    // user's.
    size_t length = strlen(folder);
    if (folder[length - 1] != '\\')
        strcpy(folder + length++, "\\");
    if (length >= static_cast<size_t>(PATH_BUFFER)) {
        memcpy(text, FOLDER_TOO_LONG, sizeof FOLDER_TOO_LONG - 1);
        MessageBoxA(owner, text, EDITOR_ERROR_TITLE, MB_OK | MB_ICONEXCLAMATION);
    } else if (addEntry(&slotTable, folder, ADDED_X, ADDED_Y, ADDED_MODE)) {
        isDirty = true;
    }
    return 1;
}
