#include "harness.h"

#include "contract.h"

#include <gtest/gtest.h>
#include <aclapi.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

bool hostRuns32BitPrograms()
{
    if (sizeof(void*) == 4)
        return true;
    const char* runs = std::getenv("VISTRELL_HOST_RUNS_I686");
    return !runs || std::strcmp(runs, "0") != 0;
}

std::string testDirectory()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    char* slash = std::strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

Program startProgram(const std::string& path, const std::string& arguments, const std::string& workDir)
{
    Program program;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::string directory = workDir;
    if (directory.empty()) {
        directory = path.substr(0, path.find_last_of('\\') + 1);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    BOOL ok = FALSE;
    // On a loaded host Wine now and then fails a start with
    // ERROR_INTERNAL_ERROR when the new process does not report back in
    // time; the same start made again succeeds. Any other error is final.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ok = CreateProcessA(path.c_str(), line.data(), NULL, NULL, FALSE, 0, NULL,
                            directory.empty() ? NULL : directory.c_str(), &startup, &info);
        if (ok || GetLastError() != ERROR_INTERNAL_ERROR)
            break;
        Sleep(1000);
    }
    EXPECT_TRUE(ok) << "cannot start " << path << " error " << GetLastError();
    if (ok) {
        CloseHandle(info.hThread);
        program.process = info.hProcess;
        program.id = info.dwProcessId;
    }
    return program;
}

bool waitForExit(Program& program, DWORD timeoutMs, DWORD* exitCode)
{
    if (!program.process)
        return true;
    DWORD start = GetTickCount();
    for (;;) {
        // Keep this thread's own windows alive while waiting.
        DWORD left = timeoutMs - (GetTickCount() - start);
        if (static_cast<int>(left) <= 0)
            left = 0;
        DWORD result = MsgWaitForMultipleObjects(1, &program.process, FALSE, left, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) {
            if (exitCode)
                GetExitCodeProcess(program.process, exitCode);
            return true;
        }
        if (result == WAIT_TIMEOUT)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

bool isRunning(const Program& program)
{
    return program.process && WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT;
}

void stopProgram(Program& program)
{
    if (!program.process)
        return;
    if (isRunning(program)) {
        TerminateProcess(program.process, 99);
        WaitForSingleObject(program.process, 5000);
    }
    CloseHandle(program.process);
    program.process = NULL;
    program.id = 0;
}

bool answers(HWND window, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

void pumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

bool waitUntilGone(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        pumpFor(10);
    }
    return true;
}

void registerTestClass(const char* className, WNDPROC procedure)
{
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(NULL), className, &existing))
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = className;
    EXPECT_NE(RegisterClassA(&windowClass), 0) << className;
}

namespace {
struct WindowQuery {
    const char* className;
    const char* title;
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM param)
{
    WindowQuery* query = reinterpret_cast<WindowQuery*>(param);
    char text[256];
    if (query->className) {
        GetClassNameA(window, text, sizeof text);
        if (std::strcmp(text, query->className) != 0)
            return TRUE;
    }
    if (query->title) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, query->title) != 0)
            return TRUE;
    }
    if (query->processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query->processId)
            return TRUE;
    }
    if (query->visibleOnly && !IsWindowVisible(window))
        return TRUE;
    query->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> findWindows(const char* className, const char* title, DWORD processId, bool visibleOnly)
{
    WindowQuery query = {className, title, processId, visibleOnly, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

void endProgramsByClass(const char* className, DWORD waitMs)
{
    for (int round = 0; round < 5; ++round) {
        HWND window = FindWindowA(className, NULL);
        if (!window)
            return;
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        Program program;
        program.process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
        program.id = processId;
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (program.process && !waitForExit(program, waitMs))
            TerminateProcess(program.process, 99);
        stopProgram(program);
        pumpFor(50);
    }
}

HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs, DWORD processId)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = findWindows(className, title, processId, false);
        if (!found.empty())
            return found.front();
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        pumpFor(20);
    }
}

HWND findMessageBox(const char* title, DWORD processId)
{
    std::vector<HWND> found = findWindows("#32770", title, processId, true);
    return found.empty() ? NULL : found.front();
}

HWND waitForMessageBox(const char* title, DWORD timeoutMs, DWORD processId)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND box = findMessageBox(title, processId);
        if (box)
            return box;
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        pumpFor(20);
    }
}

int countMessageBoxes(const char* title, DWORD processId, bool visibleOnly)
{
    return static_cast<int>(findWindows("#32770", title, processId, visibleOnly).size());
}

std::string messageBoxText(HWND box)
{
    // The message text is the static control with identifier 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text)
        return "";
    char buffer[1024] = "";
    SendMessageA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

namespace {
BOOL CALLBACK findIconControl(HWND child, LPARAM param)
{
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

static UINT matchBoxIcon(HWND box);

UINT messageBoxIcon(HWND box)
{
    // A box found right after it was created may not be painted yet.
    for (int attempt = 0; attempt < 20; ++attempt) {
        UINT icon = matchBoxIcon(box);
        if (icon)
            return icon;
        pumpFor(50);
    }
    return 0;
}

static UINT matchBoxIcon(HWND box)
{
    // The icon is a static control of style SS_ICON (identifier 20 on
    // Windows, another one in Wine). Its icon handle belongs to the box's
    // process, so the picture on the screen is compared instead with each
    // system icon drawn here on the same background.
    HWND iconControl = NULL;
    EnumChildWindows(box, findIconControl, reinterpret_cast<LPARAM>(&iconControl));
    if (!iconControl)
        return 0;
    const int size = 32;
    // Another process's window DC cannot be read under Wine; the screen can.
    RECT place;
    GetWindowRect(iconControl, &place);
    HDC screen = GetDC(NULL);
    RECT iconArea = {place.left, place.top, place.left + size, place.top + size};
    std::vector<COLORREF> shown = capturePixels(screen, iconArea);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, canvas);
    ReleaseDC(NULL, screen);
    struct { LPCSTR id; UINT style; } icons[] = {
        {IDI_HAND, MB_ICONHAND},
        {IDI_QUESTION, MB_ICONQUESTION},
        {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
        {IDI_ASTERISK, MB_ICONASTERISK},
    };
    UINT found = 0;
    for (auto& icon : icons) {
        RECT area = {0, 0, size, size};
        HBRUSH background = CreateSolidBrush(shown[0]);
        FillRect(memory, &area, background);
        DeleteObject(background);
        DrawIconEx(memory, 0, 0, LoadIconA(NULL, icon.id), size, size, 0, NULL, DI_NORMAL);
        std::vector<COLORREF> drawn = capturePixels(memory, area);
        int same = 0;
        for (size_t i = 0; i < drawn.size(); ++i)
            same += drawn[i] == shown[i];
        if (same > size * size * 95 / 100) {
            found = icon.style;
            break;
        }
    }
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    return found;
}

std::vector<int> messageBoxButtons(HWND box)
{
    std::vector<int> buttons;
    const int candidates[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    for (int id : candidates) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button))
            buttons.push_back(id);
    }
    return buttons;
}

HWND messageBoxOwner(HWND box)
{
    return GetWindow(box, GW_OWNER);
}

bool answerMessageBox(HWND box, int buttonId, DWORD timeoutMs)
{
    HWND button = GetDlgItem(box, buttonId);
    if (!button)
        return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return waitUntilGone(box, timeoutMs);
}

std::string settingsPath()
{
    char directory[MAX_PATH];
    GetWindowsDirectoryA(directory, MAX_PATH);
    return std::string(directory) + "\\" SETTINGS_FILE;
}

void removeSettings()
{
    // Flush the platform's profile cache before the file goes away.
    WritePrivateProfileStringA(NULL, NULL, NULL, SETTINGS_FILE);
    SetFileAttributesA(settingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(settingsPath().c_str());
}

void writeSetting(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, SETTINGS_FILE);
}

std::string readSetting(const char* section, const char* key)
{
    char buffer[1024];
    GetPrivateProfileStringA(section, key, "<absent>", buffer, sizeof buffer, SETTINGS_FILE);
    return buffer;
}

std::string settingsFileText()
{
    std::ifstream file(settingsPath().c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string readProfile(const char* section, const char* key)
{
    char buffer[1024];
    GetProfileStringA(section, key, "<absent>", buffer, sizeof buffer);
    return buffer;
}

void writeProfile(const char* section, const char* key, const char* value)
{
    WriteProfileStringA(section, key, value);
}

std::string readUserRegistry(const char* subkey, const char* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "<absent>";
    char buffer[1024];
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, value, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return "<absent>";
    buffer[size] = '\0';
    return buffer;
}

DWORD userRegistryType(const char* subkey, const char* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return REG_NONE;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, value, NULL, &type, NULL, NULL) != ERROR_SUCCESS)
        type = REG_NONE;
    RegCloseKey(key);
    return type;
}

void writeUserRegistry(const char* subkey, const char* value, const char* text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subkey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>(strlen(text) + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

bool deleteUserRegistryValue(const char* subkey, const char* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG result = RegDeleteValueA(key, value);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool deleteUserRegistryKey(const char* subkey)
{
    return RegDeleteKeyA(HKEY_CURRENT_USER, subkey) == ERROR_SUCCESS;
}

const char DPI_KEY[] = "Control Panel\\Desktop";

ScreenDpi::ScreenDpi(int dpi)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DPI_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS) {
        ADD_FAILURE() << "the display scale cannot be set";
        return;
    }
    DWORD value = static_cast<DWORD>(dpi);
    EXPECT_EQ(RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

ScreenDpi::~ScreenDpi()
{
    deleteUserRegistryValue(DPI_KEY, "LogPixels");
}

void setProgramVersion(const char* exeName, const char* version)
{
    std::string subkey = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(std::strlen(version) + 1));
    RegCloseKey(key);
}

const char* windowsXp()
{
    return sizeof(void*) == 8 ? "winxp64" : "winxp";
}

void clearProgramVersion(const char* exeName)
{
    std::string subkey = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    deleteUserRegistryValue(subkey.c_str(), "Version");
}

SIZE_T privateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return 0;
    // Wine fills PrivateUsage only for the calling process; for another one
    // it reports the anonymous memory as PagefileUsage, which on Windows is
    // the same count as the private bytes.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

bool underWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL;
}

DWORD handleCount(HANDLE process)
{
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0)
        return count;
    // Wine's handle table hands out the lowest free slot (handle values are
    // four times the slot number). Handles duplicated into the process fill
    // its free slots from the bottom, so the highest of PROBES of them sits
    // just above every slot in use: that slot number minus PROBES is the
    // count in use. (Windows reuses slots in another order.)
    const int PROBES = 64;
    HANDLE probes[PROBES] = {};
    UINT_PTR highest = 0;
    for (HANDLE& probe : probes) {
        if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), process, &probe, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            return 0;
        UINT_PTR value = reinterpret_cast<UINT_PTR>(probe);
        highest = value > highest ? value : highest;
    }
    for (HANDLE probe : probes) {
        HANDLE back = NULL;
        if (DuplicateHandle(process, probe, GetCurrentProcess(), &back, 0, FALSE,
                            DUPLICATE_CLOSE_SOURCE | DUPLICATE_SAME_ACCESS))
            CloseHandle(back);
    }
    return static_cast<DWORD>(highest / 4 - PROBES);
}

void writeTestBitmap(const std::string& path, int width, int height, COLORREF colour)
{
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<unsigned char> pixels(info.biSizeImage);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) {
            unsigned char* p = &pixels[row * stride + col * 3];
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size());
}

std::string sampleBitmap(int index)
{
    static const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 60, 200),
                                       RGB(220, 200, 40), RGB(140, 40, 160)};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    std::snprintf(name, sizeof name, "sample%d.bmp", index);
    std::string path = std::string(temp) + name;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        writeTestBitmap(path, 32 + 8 * index, 24 + 4 * index, colours[index % 5]);
    return path;
}

void lockDesktopRegistry(bool lock)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_REGISTRY_KEY, 0, WRITE_DAC | READ_CONTROL, &key),
              ERROR_SUCCESS);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = NULL;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    char aclBuffer[256];
    PACL acl = reinterpret_cast<PACL>(aclBuffer);
    InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
    AddAccessAllowedAce(acl, ACL_REVISION, lock ? (KEY_READ | WRITE_DAC | READ_CONTROL) : KEY_ALL_ACCESS, everyone);
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
    RegCloseKey(key);
    FreeSid(everyone);
}

BoxWatcher::BoxWatcher(const char* title, int answer) : title_(title), answer_(answer)
{
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(NULL, 0, run, this, 0, NULL);
}

BoxWatcher::~BoxWatcher()
{
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

DWORD WINAPI BoxWatcher::run(void* param)
{
    BoxWatcher* self = static_cast<BoxWatcher*>(param);
    while (!self->stop_) {
        HWND box = findMessageBox(self->title_.c_str(), GetCurrentProcessId());
        if (box) {
            std::string text = messageBoxText(box);
            UINT icon = messageBoxIcon(box);
            HWND owner = messageBoxOwner(box);
            HWND button = GetDlgItem(box, self->answer_);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(self->answer_, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box); ++i)
                Sleep(10);
            EnterCriticalSection(&self->lock_);
            self->texts_.push_back(text);
            self->icons_.push_back(icon);
            self->owners_.push_back(owner);
            LeaveCriticalSection(&self->lock_);
        }
        Sleep(20);
    }
    return 0;
}

bool BoxWatcher::waitFor(size_t count, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        EnterCriticalSection(&lock_);
        size_t seen = texts_.size();
        LeaveCriticalSection(&lock_);
        if (seen >= count)
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        pumpFor(20);
    }
}

std::vector<std::string> BoxWatcher::texts()
{
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = texts_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<UINT> BoxWatcher::icons()
{
    EnterCriticalSection(&lock_);
    std::vector<UINT> copy = icons_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<HWND> BoxWatcher::owners()
{
    EnterCriticalSection(&lock_);
    std::vector<HWND> copy = owners_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<COLORREF> capturePixels(HDC source, const RECT& area)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP canvas = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, canvas);
    BitBlt(memory, 0, 0, width, height, source, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const DWORD* read = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB((read[i] >> 16) & 0xFF, (read[i] >> 8) & 0xFF, read[i] & 0xFF);
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    return pixels;
}

ResourceFile::ResourceFile(const std::string& path)
    : module_(LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE))
{
    EXPECT_NE(module_, (HMODULE)NULL) << "cannot load " << path;
}

ResourceFile::~ResourceFile()
{
    if (module_)
        FreeLibrary(module_);
}

namespace {
BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    std::string text = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name;
    reinterpret_cast<std::set<std::string>*>(param)->insert(text);
    return TRUE;
}
}  // namespace

std::set<std::string> ResourceFile::names(LPCSTR type) const
{
    std::set<std::string> found;
    EnumResourceNamesA(module_, type, collectName, reinterpret_cast<LONG_PTR>(&found));
    return found;
}

std::set<UINT> menuCommands(HMENU menu)
{
    std::set<UINT> commands;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        HMENU popup = GetSubMenu(menu, i);
        if (popup) {
            std::set<UINT> inner = menuCommands(popup);
            commands.insert(inner.begin(), inner.end());
        } else if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR)) {
            commands.insert(GetMenuItemID(menu, i));
        }
    }
    return commands;
}

std::vector<MenuStep> menuPath(HMENU menu, UINT command)
{
    int downs = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MenuStep step = {i, downs};
        HMENU popup = GetSubMenu(menu, i);
        if (popup) {
            std::vector<MenuStep> inner = menuPath(popup, command);
            if (!inner.empty()) {
                inner.insert(inner.begin(), step);
                return inner;
            }
        } else if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) && GetMenuItemID(menu, i) == command) {
            return {step};
        }
        if (!(GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR))
            ++downs;
    }
    return {};
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string withoutTrailingSlash(std::string folder)
{
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}
