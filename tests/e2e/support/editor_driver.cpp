#include "editor_driver.h"

#include <cstdio>
#include <cstring>

namespace {
const char* const DIALOG_TITLE = "Windows Scenara";
const char* const FILE_DIALOG_TITLE = "Add Bitmaps...";
// The file-name field of the explorer-style open dialog: edt1, or cmb13 in
// the newer template.
const int FILE_NAME_IDS[] = {0x480, 0x47C};

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

BOOL CALLBACK collectEditorProcess(HWND window, LPARAM param)
{
    char name[64];
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, EDITOR_CLASS) == 0) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        reinterpret_cast<std::vector<DWORD>*>(param)->push_back(id);
    }
    return TRUE;
}

// The rows of a list box or a combo box of another process. Wine hands such
// texts across processes in UTF-16 and does not convert them back for an
// ANSI caller, so they are asked for with the wide messages.
std::vector<std::string> itemTexts(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage)
{
    std::vector<std::string> rows;
    LRESULT count = sendWithTimeout(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t wide[512] = L"";
        char text[1024] = "";
        LRESULT length = sendWithTimeout(control, lengthMessage, i, 0);
        if (length < 0 || length >= 512) {
            rows.push_back("<unreadable>");
            continue;
        }
        DWORD_PTR result = 0;
        SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 10000, &result);
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
        rows.push_back(text);
    }
    return rows;
}

HWND fileNameField(HWND fileDialog)
{
    for (int id : FILE_NAME_IDS) {
        HWND field = GetDlgItem(fileDialog, id);
        if (field && IsWindowVisible(field))
            return field;
    }
    return NULL;
}
}  // namespace

std::string editorPath()
{
    return testDirectory() + "vistedit.exe";
}

// A minimized window is parked at this position.
static const LONG MINIMIZED_POSITION = -32000;

// Whether the dialog is shown normally. The minimized style goes before the
// window leaves its parking place, so the place is checked too.
static bool shownNormally(HWND dialog)
{
    RECT place;
    return IsWindowVisible(dialog) && !IsIconic(dialog) && GetWindowRect(dialog, &place) &&
           place.left != MINIMIZED_POSITION;
}

// Waits until the editor's dialog is shown normally, and finds its host.
static void waitForDialog(Editor& editor)
{
    editor.dialog = waitForWindow(NULL, DIALOG_TITLE, 15000, editor.program.id);
    EXPECT_NE(editor.dialog, (HWND)NULL) << "the editor's dialog did not appear";
    // The dialog shows itself minimized, then normal: wait for the second.
    DWORD start = GetTickCount();
    while (editor.dialog && !shownNormally(editor.dialog) && GetTickCount() - start < 15000)
        pumpFor(20);
    editor.host = waitForWindow(EDITOR_CLASS, NULL, 1000, editor.program.id);
}

Editor startEditor(const std::string& workDir)
{
    Editor editor;
    editor.program = startProgram(editorPath(), "", workDir);
    waitForDialog(editor);
    return editor;
}

Editor attachEditor(DWORD timeoutMs)
{
    Editor editor;
    HWND host = waitForWindow(EDITOR_CLASS, NULL, timeoutMs);
    EXPECT_NE(host, (HWND)NULL) << "no editor came";
    if (!host)
        return editor;
    GetWindowThreadProcessId(host, &editor.program.id);
    editor.program.process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, editor.program.id);
    waitForDialog(editor);
    return editor;
}

DWORD waitForEditorExit(Editor& editor, DWORD timeoutMs)
{
    DWORD code = ~0u;
    if (!waitForExit(editor.program, timeoutMs, &code))
        code = ~0u;
    return code;
}

void closeUnchanged(Editor& editor)
{
    PostMessageA(editor.dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(waitForEditorExit(editor), 0u);
    EXPECT_EQ(countMessageBoxes(QUERY_TITLE), 0) << "nothing was changed, yet closing asked";
    stopProgram(editor.program);
}

void killEditors()
{
    std::vector<DWORD> ids;
    EnumWindows(collectEditorProcess, reinterpret_cast<LPARAM>(&ids));
    for (DWORD id : ids) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process)
            continue;
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

void sendCommand(HWND dialog, int id)
{
    sendWithTimeout(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void postCommand(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void clickButton(HWND dialog, int id)
{
    sendWithTimeout(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::vector<std::string> listRows(HWND dialog)
{
    return itemTexts(GetDlgItem(dialog, ED_LIST), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

bool focusControl(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    sendWithTimeout(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    DWORD thread = GetWindowThreadProcessId(dialog, NULL);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; pumpFor(20)) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        // A combo box's focus is its edit field, a child of the combo.
        if (GetGUIThreadInfo(thread, &info) && (info.hwndFocus == control || GetParent(info.hwndFocus) == control))
            return true;
    }
    return false;
}

void selectRows(HWND dialog, const std::vector<int>& rows)
{
    HWND list = GetDlgItem(dialog, ED_LIST);
    sendWithTimeout(list, LB_SETSEL, FALSE, -1);
    for (int row : rows)
        sendWithTimeout(list, LB_SETSEL, TRUE, row);
}

void setCaretRow(HWND dialog, int row)
{
    sendWithTimeout(GetDlgItem(dialog, ED_LIST), LB_SETCARETINDEX, row, FALSE);
}

int caretRow(HWND dialog)
{
    return static_cast<int>(sendWithTimeout(GetDlgItem(dialog, ED_LIST), LB_GETCARETINDEX, 0, 0));
}

bool isChecked(HWND dialog, int id)
{
    return sendWithTimeout(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int comboSelection(HWND dialog, int id)
{
    return static_cast<int>(sendWithTimeout(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}

std::vector<std::string> comboRows(HWND dialog, int id)
{
    return itemTexts(GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::string controlText(HWND dialog, int id)
{
    char text[512] = "";
    sendWithTimeout(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void setControlText(HWND dialog, int id, const std::string& text)
{
    sendWithTimeout(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool isEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

HWND waitForFileDialog(const Editor& editor, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND found = findMessageBox(FILE_DIALOG_TITLE, editor.program.id);
        if (found && fileNameField(found)) {
            // Let the dialog finish filling its folder view.
            pumpFor(300);
            return found;
        }
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        pumpFor(50);
    }
}

namespace {
bool pressAndWait(HWND fileDialog, int buttonId)
{
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(fileDialog, buttonId)));
    return waitUntilGone(fileDialog, 10000);
}
}  // namespace

bool chooseInFileDialog(HWND fileDialog, const std::string& names)
{
    HWND field = fileNameField(fileDialog);
    if (!field)
        return false;
    sendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
    return pressAndWait(fileDialog, IDOK);
}

bool cancelFileDialog(HWND fileDialog)
{
    return pressAndWait(fileDialog, IDCANCEL);
}

bool addFilesThroughDialog(const Editor& editor, const std::string& names, size_t expectRows)
{
    postCommand(editor.dialog, ED_ADD);
    HWND fileDialog = waitForFileDialog(editor);
    if (!fileDialog || !chooseInFileDialog(fileDialog, names))
        return false;
    DWORD start = GetTickCount();
    while (listRows(editor.dialog).size() != expectRows) {
        if (GetTickCount() - start >= 5000)
            return false;
        pumpFor(20);
    }
    return true;
}

std::string entryKey(int index, EntryField field)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return key;
}

namespace {
const EntryField ENTRY_FIELDS[] = {ENTRY_WALL, ENTRY_XPOS, ENTRY_YPOS, ENTRY_TYPE};
}  // namespace

void writeEntries(const std::vector<StoredEntry>& entries)
{
    removeSettings();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string values[] = {entries[i].path, std::to_string(entries[i].x), std::to_string(entries[i].y),
                                      std::to_string(entries[i].mode)};
        for (EntryField field : ENTRY_FIELDS)
            writeSetting(SECTION_LIST, entryKey(static_cast<int>(i), field).c_str(), values[field].c_str());
    }
}

std::vector<std::string> readEntry(int index)
{
    std::vector<std::string> values;
    for (EntryField field : ENTRY_FIELDS)
        values.push_back(readSetting(SECTION_LIST, entryKey(index, field).c_str()));
    return values;
}

std::string freshFolder(const std::string& name)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name + "\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

void EditorFixture::SetUp()
{
    killEditors();
    removeSettings();
    clearProgramVersion("vistedit.exe");
}

void EditorFixture::TearDown()
{
    killEditors();
    SetFileAttributesA(settingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    clearProgramVersion("vistedit.exe");
}
