#include "residentdriver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>

namespace {
const int CHANGE_NOW_COMMAND = 106;
// How long "Bitmap index" must keep one value before it counts as settled.
const DWORD QUIET_MS = 300;
}  // namespace

std::string residentPath()
{
    return testDirectory() + "vistrell.exe";
}

std::string isolatedResidentCopy()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "vistrell-alone";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string copy = folder + "\\vistrell.exe";
    EXPECT_TRUE(CopyFileA(residentPath().c_str(), copy.c_str(), FALSE)) << "cannot copy to " << copy;
    EXPECT_EQ(GetFileAttributesA((folder + "\\vistedit.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    return copy;
}

Resident startResident(const std::string& path, bool settle, const std::string& arguments)
{
    Resident resident;
    resident.program = startProgram(path, arguments);
    resident.window = waitForWindow(RESIDENT_CLASS, "Vistrell", 10000, resident.program.id);
    EXPECT_NE(resident.window, (HWND)NULL) << "no resident window";
    if (resident.window && settle) {
        EXPECT_TRUE(waitUntilHandled(resident)) << "the resident's message loop does not run";
    }
    return resident;
}

bool waitUntilHandled(const Resident& resident, DWORD timeoutMs)
{
    PostMessageA(resident.window, WM_USER, 666, WM_LBUTTONDOWN);
    HWND menu = waitForPopupMenu(resident.program.id, timeoutMs);
    return menu && dismissPopupMenu(menu);
}

bool closeResident(Resident& resident, DWORD* exitCode)
{
    if (!resident.program.process)
        return true;
    if (resident.window && IsWindow(resident.window))
        PostMessageA(resident.window, WM_CLOSE, 0, 0);
    bool ended = waitForExit(resident.program, 10000, exitCode);
    stopProgram(resident.program);
    resident.window = NULL;
    return ended;
}

int bitmapIndex()
{
    std::string text = readSetting(SECTION_CONFIG, KEY_BITMAP_INDEX);
    if (text == "<absent>")
        return -1000;
    return std::atoi(text.c_str());
}

void writeBitmapList(int count)
{
    removeSettings();
    for (int i = 0; i < count; ++i) {
        char key[ENTRY_KEY_BUFFER];
        formatEntryKey(key, i, ENTRY_WALL);
        writeSetting(SECTION_LIST, key, sampleBitmap(i % 5).c_str());
    }
}

int settledIndex(int atLeast, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    int value = bitmapIndex();
    while (value < atLeast && GetTickCount() - start < timeoutMs) {
        pumpFor(10);
        value = bitmapIndex();
    }
    DWORD quietSince = GetTickCount();
    while (GetTickCount() - quietSince < QUIET_MS) {
        pumpFor(20);
        int now = bitmapIndex();
        if (now != value) {
            value = now;
            quietSince = GetTickCount();
        }
    }
    return value;
}

int changesByTicks(HWND window, int ticks, int expected)
{
    int before = bitmapIndex();
    if (before < 0)
        before = 0;
    for (int i = 0; i < ticks; ++i)
        PostMessageA(window, WM_TIMER, 666, 0);
    PostMessageA(window, WM_COMMAND, CHANGE_NOW_COMMAND, 0);
    int after = settledIndex(before + expected + 1);
    return after - before - 1;
}

int waitForIndex(int expected, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    int value = bitmapIndex();
    while (value != expected && GetTickCount() - start < timeoutMs) {
        pumpFor(10);
        value = bitmapIndex();
    }
    return value;
}

void changeNow(const Resident& resident, int expectedIndex)
{
    PostMessageA(resident.window, WM_COMMAND, CHANGE_NOW_COMMAND, 0);
    ASSERT_EQ(waitForIndex(expectedIndex), expectedIndex);
}

int dayNumberByFileTime(WORD year, WORD month, WORD day)
{
    SYSTEMTIME date = {};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    FILETIME file;
    EXPECT_TRUE(SystemTimeToFileTime(&date, &file));
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    // File times count 100 ns steps from 1 January 1601, whose DayNumber is
    // -108746 (1 January 1900, 109207 days later, is 461).
    const ULONGLONG ticksPerDay = 864000000000ULL;
    return static_cast<int>(ticks.QuadPart / ticksPerDay) - 108746;
}

int todayByFileTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return dayNumberByFileTime(now.wYear, now.wMonth, now.wDay);
}

HWND findPopupMenu(DWORD processId)
{
    HWND found = NULL;
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, "#32768", NULL)) != NULL) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window)) {
            found = window;
            break;
        }
    }
    return found;
}

HWND waitForPopupMenu(DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND menu = findPopupMenu(processId);
        if (menu || GetTickCount() - start >= timeoutMs)
            return menu;
        pumpFor(10);
    }
}

bool dismissPopupMenu(HWND menuWindow, DWORD timeoutMs)
{
    PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    return waitUntilGone(menuWindow, timeoutMs);
}

namespace {
LRESULT CALLBACK standInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

HWND createEditorStandIn()
{
    registerTestClass(EDITOR_CLASS, standInProc);
    return CreateWindowExA(0, EDITOR_CLASS, "Scenara - GUI", WS_OVERLAPPEDWINDOW, 50, 50, 200, 100, NULL,
                           NULL, GetModuleHandleA(NULL), NULL);
}

bool trayIconPresent(HWND window)
{
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the record's first form
    probe.hWnd = window;
    probe.uID = 666;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

std::vector<std::string> trayTips()
{
    std::vector<std::string> tips;
    HWND tray = FindWindowA("Shell_TrayWnd", NULL);
    DWORD shellId = 0;
    if (!tray || !GetWindowThreadProcessId(tray, &shellId))
        return tips;
    HANDLE shell = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, shellId);
    if (!shell)
        return tips;
    // The record and the text's room live in the shell's memory: the
    // tooltip fills them in its own process.
    const SIZE_T textChars = 512;
    BYTE* remote = static_cast<BYTE*>(
        VirtualAllocEx(shell, NULL, sizeof(TTTOOLINFOW) + textChars * sizeof(WCHAR), MEM_COMMIT, PAGE_READWRITE));
    WCHAR* remoteText = reinterpret_cast<WCHAR*>(remote + sizeof(TTTOOLINFOW));
    for (HWND tooltip : findWindows(TOOLTIPS_CLASSA, NULL, shellId, false)) {
        LRESULT tools = SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; remote && i < tools; ++i) {
            TTTOOLINFOW info = {};
            info.cbSize = sizeof info;
            info.lpszText = remoteText;
            WCHAR none = 0;
            WriteProcessMemory(shell, remote, &info, sizeof info, NULL);
            WriteProcessMemory(shell, remoteText, &none, sizeof none, NULL);
            if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote)))
                continue;
            WCHAR text[textChars] = {};
            ReadProcessMemory(shell, remoteText, text, sizeof text - sizeof text[0], NULL);
            char narrow[textChars * 2];
            WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, NULL, NULL);
            tips.push_back(narrow);
        }
    }
    if (remote)
        VirtualFreeEx(shell, remote, 0, MEM_RELEASE);
    CloseHandle(shell);
    return tips;
}

bool waitForTrayTip(const std::string& tip, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        for (const std::string& shown : trayTips())
            if (shown == tip)
                return true;
        pumpFor(50);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

void endAllResidents()
{
    endProgramsByClass(RESIDENT_CLASS, 3000);
}

void writeLongBitmapList(int count)
{
    removeSettings();
    std::ofstream file(settingsPath().c_str(), std::ios::binary);
    file << "[" SECTION_LIST "]\r\n";
    for (int i = 0; i < count; ++i) {
        char key[ENTRY_KEY_BUFFER];
        formatEntryKey(key, i, ENTRY_WALL);
        file << key << "=" << sampleBitmap(i % 2) << "\r\n";
    }
}

void ResidentTest::SetUp()
{
    endAllResidents();
    removeSettings();
}

void ResidentTest::TearDown()
{
    endAllResidents();
    clearProgramVersion("vistrell.exe");
    removeSettings();
}

int changingStartsUnderRandomPolicy(int starts)
{
    const char* const before = "100";
    writeBitmapList(1);
    writeSetting(SECTION_CONFIG, KEY_CHANGE_EVERY, "2");
    int changed = 0;
    time_t previousSecond = 0;
    for (int i = 0; i < starts; ++i) {
        while (time(nullptr) <= previousSecond)
            pumpFor(10);
        writeSetting(SECTION_CONFIG, KEY_LAST_CHANGE, before);
        Resident resident = startResident();
        previousSecond = time(nullptr);
        std::string last = readSetting(SECTION_CONFIG, KEY_LAST_CHANGE);
        if (last != before) {
            EXPECT_EQ(last, std::to_string(todayByFileTime())) << "start " << i;
            ++changed;
        }
        EXPECT_TRUE(closeResident(resident)) << "start " << i;
    }
    std::printf("%d of %d starts changed the wallpaper\n", changed, starts);
    return changed;
}
