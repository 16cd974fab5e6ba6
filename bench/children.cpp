#include "children.h"

#include "benchnames.h"

#include <psapi.h>
#include <shellapi.h>

#include <stdio.h>
#include <string.h>

static const DWORD END_TIMEOUT_MS = 15000;
static const DWORD ANSWER_TIMEOUT_MS = 5000;

bool startChild(const char* path, const char* arguments, Child* child, bool shareOutput)
{
    char line[2 * MAX_PATH + 64];
    if (arguments && *arguments)
        snprintf(line, sizeof line, "\"%s\" %s", path, arguments);
    else
        snprintf(line, sizeof line, "\"%s\"", path);
    char directory[MAX_PATH];
    lstrcpynA(directory, path, sizeof directory);
    char* slash = strrchr(directory, '\\');
    if (slash)
        slash[1] = '\0';
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (shareOutput) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path, line, NULL, NULL, shareOutput, 0, NULL, directory, &startup, &info)) {
        printf("cannot start %s (error %lu)\n", path, GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    child->process = info.hProcess;
    child->id = info.dwProcessId;
    child->window = NULL;
    return true;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

static BOOL CALLBACK matchWindow(HWND window, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    char text[64];
    if (search->className && (!GetClassNameA(window, text, sizeof text) || strcmp(text, search->className) != 0))
        return TRUE;
    if (search->title && (!GetWindowTextA(window, text, sizeof text) || strcmp(text, search->title) != 0))
        return TRUE;
    search->found = window;
    return FALSE;
}

static HWND findChildWindow(const Child& child, const char* className, const char* title)
{
    WindowSearch search = {child.id, className, title, NULL};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Only an icon that exists can be modified, so an empty modification tells
// whether the tray holds it.
static bool trayIconShown(HWND window)
{
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = window;
    probe.uID = TRAY_ICON_ID;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

static bool isShown(HWND window)
{
    return IsWindowVisible(window) && !IsIconic(window);
}

static bool listHolds(HWND dialog, int rows)
{
    DWORD_PTR count = 0;
    HWND list = GetDlgItem(dialog, EDITOR_LIST_ID);
    return list && SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, ANSWER_TIMEOUT_MS, &count) &&
           static_cast<int>(count) == rows;
}

static HWND readyWindow(const Child& child, const ReadyCondition& condition)
{
    switch (condition.kind) {
    case READY_TRAY: {
        HWND window = findChildWindow(child, condition.className, NULL);
        return window && trayIconShown(window) ? window : NULL;
    }
    case READY_SHOWN: {
        HWND window = findChildWindow(child, condition.className, NULL);
        return window && isShown(window) ? window : NULL;
    }
    case READY_EDITOR: {
        HWND dialog = findChildWindow(child, NULL, EDITOR_DIALOG_TITLE);
        return dialog && isShown(dialog) && listHolds(dialog, condition.listRows) ? dialog : NULL;
    }
    }
    return NULL;
}

bool waitUntilReady(Child* child, const ReadyCondition& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        child->window = readyWindow(*child, condition);
        if (child->window)
            return true;
        if (WaitForSingleObject(child->process, 0) == WAIT_OBJECT_0 || GetTickCount() - start > timeoutMs)
            return false;
        Sleep(1);
    }
}

bool waitUntilIdle(const Child& child)
{
    if (WaitForInputIdle(child.process, END_TIMEOUT_MS) != 0)
        return false;
    // The idle signal may come from an earlier wait for input; a message
    // answered now is answered from the loop.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(child.window, WM_NULL, 0, 0, SMTO_NORMAL, END_TIMEOUT_MS, &result) != 0;
}

bool readMemory(const Child& child, double* privateBytes, double* workingSet)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(child.process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return false;
    // Wine fills PrivateUsage only for the calling process; for another one
    // its anonymous memory is PagefileUsage, the same count on Windows.
    *privateBytes = static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
    *workingSet = static_cast<double>(counters.WorkingSetSize);
    return *privateBytes > 0 && *workingSet > 0;
}

bool endChild(Child* child, HWND closeWindow)
{
    if (!child->process)
        return true;
    if (closeWindow)
        PostMessageA(closeWindow, WM_CLOSE, 0, 0);
    bool ended = WaitForSingleObject(child->process, END_TIMEOUT_MS) == WAIT_OBJECT_0;
    if (!ended) {
        printf("process %lu did not end; ending it by force\n", child->id);
        TerminateProcess(child->process, 99);
        WaitForSingleObject(child->process, END_TIMEOUT_MS);
    }
    CloseHandle(child->process);
    child->process = NULL;
    return ended;
}
