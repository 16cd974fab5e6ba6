// Helpers for tests that drive the real programs under Wine: start a program
// and wait for it, find its windows, read and answer message boxes, and read
// the settings file, the user profile and the registry back.
#ifndef VISTRELL_HARNESS_H
#define VISTRELL_HARNESS_H

#include <windows.h>

#include <set>
#include <string>
#include <vector>

// Whether the host executes 32-bit programs (Wine's 16-bit and 32-bit
// helpers among them): always for a 32-bit test; for a 64-bit one as the
// test script found (VISTRELL_HOST_RUNS_I686=0 when it cannot).
bool hostRuns32BitPrograms();

// Directory of the running test program, with a trailing backslash; the
// programs under test are built beside it.
std::string testDirectory();

struct Program {
    HANDLE process = NULL;
    DWORD id = 0;
};

// Starts path (with optional arguments) in workDir (empty: the program's own
// directory). Fails the test when the program cannot be started.
Program startProgram(const std::string& path, const std::string& arguments = "",
                     const std::string& workDir = "");
// Waits for the process to end; returns false on time-out. The exit code is
// stored when the process ended.
bool waitForExit(Program& program, DWORD timeoutMs, DWORD* exitCode = nullptr);
bool isRunning(const Program& program);
// Ends the process if it still runs and closes its handle.
void stopProgram(Program& program);

// Closes each top-level window of the class (WM_CLOSE) and waits for its
// process to end; a process that does not end within waitMs is ended.
void endProgramsByClass(const char* className, DWORD waitMs);
// The top-level windows of a class and title (either NULL: any), of one
// process (0: any), visible ones only if asked.
std::vector<HWND> findWindows(const char* className, const char* title, DWORD processId, bool visibleOnly);

// Polls until a top-level window of the class exists (title optional, process
// optional); returns NULL on time-out.
HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs, DWORD processId = 0);

// Sends a null message; true when the window answered within the time.
bool answers(HWND window, DWORD timeoutMs = 5000);

// Processes this thread's messages and sleeps for ms.
void pumpFor(DWORD ms);
// Pumps until the window is gone or hidden; false on time-out.
bool waitUntilGone(HWND window, DWORD timeoutMs);

// Registers a window class of this test program once per process.
void registerTestClass(const char* className, WNDPROC procedure);

// Message boxes: dialog windows (#32770) with the given title.
HWND findMessageBox(const char* title, DWORD processId = 0);
HWND waitForMessageBox(const char* title, DWORD timeoutMs, DWORD processId = 0);
std::string messageBoxText(HWND box);
// The system icon shown in the box: MB_ICONHAND, MB_ICONQUESTION,
// MB_ICONEXCLAMATION, MB_ICONASTERISK, or 0.
UINT messageBoxIcon(HWND box);
// Which buttons the box offers, by their command identifiers (IDOK, IDYES...).
std::vector<int> messageBoxButtons(HWND box);
HWND messageBoxOwner(HWND box);
// Presses the button with the identifier and waits until the box is gone.
bool answerMessageBox(HWND box, int buttonId, DWORD timeoutMs = 5000);
// Number of message boxes with the title: visible ones, or also those made
// and not shown yet (a box's loop shows it once it first goes idle).
int countMessageBoxes(const char* title, DWORD processId = 0, bool visibleOnly = true);

// The settings file "VISTRELL.INI" in the Windows directory.
std::string settingsPath();
void removeSettings();
void writeSetting(const char* section, const char* key, const char* value);
// Returns the value, or "<absent>" when the key does not exist.
std::string readSetting(const char* section, const char* key);
std::string settingsFileText();

// The user profile (WIN.INI) and the registry under HKEY_CURRENT_USER.
std::string readProfile(const char* section, const char* key);
void writeProfile(const char* section, const char* key, const char* value);
std::string readUserRegistry(const char* subkey, const char* value);
// The value's type (REG_SZ...), REG_NONE when it is absent.
DWORD userRegistryType(const char* subkey, const char* value);
void writeUserRegistry(const char* subkey, const char* value, const char* text);
bool deleteUserRegistryValue(const char* subkey, const char* value);
// Deletes a key without subkeys.
bool deleteUserRegistryKey(const char* subkey);

// Wine's per-program version: "nt351" makes GetVersion report the old shell.
void setProgramVersion(const char* exeName, const char* version);
void clearProgramVersion(const char* exeName);
// Sets a program's version for as long as it lives (also when a test fails).
class ProgramVersion {
public:
    ProgramVersion(const char* exeName, const char* version) : exe_(exeName) { setProgramVersion(exeName, version); }
    ~ProgramVersion() { clearProgramVersion(exe_); }

private:
    const char* exe_;
};

// Programs started while it lives draw at this display scale, in dots per
// inch (96 is 100 %, 144 is 150 %): Wine reads LogPixels as each program
// starts. The default scale comes back when it ends.
class ScreenDpi {
public:
    explicit ScreenDpi(int dpi);
    ~ScreenDpi();
};

// Wine's name of Windows XP for programs of this test's architecture:
// "winxp", or "winxp64" for 64-bit ones (which "winxp" does not take).
const char* windowsXp();

// Denies (lock = true) or gives back (false) write access to
// HKEY_CURRENT_USER\Control Panel\desktop for every later opener. With the
// key locked the platform cannot store a wallpaper either, so both of the
// applier's failure boxes can be shown for real.
void lockDesktopRegistry(bool lock);

// Watches this process's message boxes with one title from a thread of its
// own and answers each with a button, recording their texts and icons. Lets
// a test call code that shows a box on the test's own thread.
class BoxWatcher {
public:
    BoxWatcher(const char* title, int answer);
    ~BoxWatcher();
    // Waits until count boxes were answered (or the time-out passed).
    bool waitFor(size_t count, DWORD timeoutMs = 5000);
    std::vector<std::string> texts();
    std::vector<UINT> icons();
    std::vector<HWND> owners();

private:
    static DWORD WINAPI run(void* self);
    std::string title_;
    int answer_;
    volatile LONG stop_ = 0;
    HANDLE thread_ = NULL;
    CRITICAL_SECTION lock_;
    std::vector<std::string> texts_;
    std::vector<UINT> icons_;
    std::vector<HWND> owners_;
};

// Private bytes of a process (PROCESS_MEMORY_COUNTERS_EX.PrivateUsage, or
// PagefileUsage where the platform leaves that empty).
SIZE_T privateBytes(HANDLE process);

// Whether the tests run under Wine (its ntdll exports wine_get_version).
bool underWine();

// Kernel handles a process holds. Windows answers GetProcessHandleCount; Wine
// answers 0, so there the count is read from the process's handle table (see
// the definition).
DWORD handleCount(HANDLE process);

// The pixels of an area of a device context, row by row. Another process's
// window DC cannot be read under Wine: pass GetDC(NULL) and screen
// coordinates for those.
std::vector<COLORREF> capturePixels(HDC source, const RECT& area);

// A program file loaded as data, for reading its resources.
class ResourceFile {
public:
    explicit ResourceFile(const std::string& path);
    ~ResourceFile();
    HMODULE handle() const { return module_; }
    // The names of every resource of a type (RT_MENU...); numbered ones as "#n".
    std::set<std::string> names(LPCSTR type) const;

private:
    HMODULE module_;
};

// The command identifiers of a menu's items, its pop-ups' included.
std::set<UINT> menuCommands(HMENU menu);

// Where a command sits in a menu, level by level from the top down to the
// item: its position there, and how many Down presses from the level's
// first item reach it (the keyboard skips separators). Empty when the menu
// does not carry the command. Tests find their items through this, from the
// menu resource itself, so that a new item moves nothing by hand.
struct MenuStep {
    int position;
    int downs;
    bool operator==(const MenuStep& other) const { return position == other.position && downs == other.downs; }
};
std::vector<MenuStep> menuPath(HMENU menu, UINT command);

// ASCII lower-casing, as the editor applies it to what the platform gives it.
std::string lowerAscii(std::string text);
// A folder path without its trailing backslash (a drive's root keeps it).
std::string withoutTrailingSlash(std::string folder);

// A set of bitmap files for tests, made once per run in the temp directory.
std::string sampleBitmap(int index);
// Writes a small valid 24-bit bitmap to path.
void writeTestBitmap(const std::string& path, int width, int height, COLORREF colour);

#endif
