// Help opens the manual: the WinHelp viewer on VISTRELL.HLP where WINHELP.EXE
// exists, the HTML Help viewer on VISTRELL.CHM where it does not, both from a
// folder whose name holds blanks; and the WinHelp viewer shows the manual's
// contents page.
#include "editor_driver.h"
#include "helpcommand.h"
#include "residentdriver.h"

#include <gtest/gtest.h>

#include <winternl.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {
// The manual's own title, which both viewers show in their caption.
const char MANUAL_TITLE[] = "Vistrell Manual";
const char WINHELP_CLASS[] = "MS_WINHELP";
const char HTML_HELP_CLASS[] = "HH Parent";

std::string windowsDirectory()
{
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

bool winHelpFound()
{
    char found[MAX_PATH];
    return SearchPathA(NULL, HELP_VIEWER, NULL, MAX_PATH, found, NULL) != 0;
}

std::string windowTitle(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The whole text of a window of another process (WM_GETTEXT is carried across).
std::string windowText(HWND window)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

// The command line another process of our bitness was started with, read
// from its process parameters.
std::string commandLineOf(DWORD processId)
{
    typedef NTSTATUS(NTAPI * QueryProcess)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    QueryProcess query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    std::string result;
    PROCESS_BASIC_INFORMATION basic = {};
    PEB peb;
    RTL_USER_PROCESS_PARAMETERS parameters;
    if (process && query && query(process, ProcessBasicInformation, &basic, sizeof basic, NULL) == 0 &&
        ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, NULL) &&
        ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, NULL)) {
        std::wstring text(parameters.CommandLine.Length / sizeof(WCHAR), L'\0');
        if (!text.empty() &&
            ReadProcessMemory(process, parameters.CommandLine.Buffer, &text[0], parameters.CommandLine.Length, NULL)) {
            result.resize(text.size() * 2 + 1);
            int length = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &result[0],
                                             static_cast<int>(result.size()), NULL, NULL);
            result.resize(length > 0 ? length : 0);
        }
    }
    if (process)
        CloseHandle(process);
    return result;
}

// How a program is asked for help: the resident changer by its menu command
// 131, the editor by "&Help" (101) of its dialog's menu bar.
struct HelpSource {
    const char* program;
    bool isEditor;
};
const HelpSource SOURCES[] = {{"vistrell.exe", false}, {"vistedit.exe", true}};

class Help : public ResidentTest {
protected:
    void SetUp() override
    {
        ResidentTest::SetUp();
        endProgramsByClass(WINHELP_CLASS, 5000);
        endProgramsByClass(HTML_HELP_CLASS, 5000);
        // The programs and their manual in a folder whose name holds blanks.
        folder = freshFolder("Vistrell Help Test");
        for (const char* file : {"vistrell.exe", "vistedit.exe", HELP_FILE, HTML_HELP_FILE})
            ASSERT_TRUE(CopyFileA((testDirectory() + file).c_str(), (folder + file).c_str(), FALSE)) << file;
        // A list and "On Demand": the changer neither changes nor opens the editor at start.
        writeBitmapList(3);
        writeSetting("Configuration", "Change every", "1");
    }
    void TearDown() override
    {
        endProgramsByClass(WINHELP_CLASS, 5000);
        endProgramsByClass(HTML_HELP_CLASS, 5000);
        killEditors();
        if (!hiddenWinHelp.empty())
            MoveFileA(hiddenWinHelp.c_str(), (windowsDirectory() + "\\winhelp.exe").c_str());
        ResidentTest::TearDown();
    }

    // Starts the program from the folder, asks it for help, and leaves it running.
    Program askForHelp(const HelpSource& source)
    {
        std::string path = folder + source.program;
        if (!source.isEditor) {
            Resident resident = startResident(path);
            EXPECT_NE(resident.window, (HWND)NULL);
            PostMessageA(resident.window, WM_COMMAND, 131, 0);
            return resident.program;
        }
        Program editor = startProgram(path);
        HWND dialog = waitForWindow(NULL, "Windows Scenara", 15000, editor.id);
        EXPECT_NE(dialog, (HWND)NULL);
        PostMessageA(dialog, WM_COMMAND, ED_HELP, 0);
        return editor;
    }

    // Takes WINHELP.EXE out of the Windows directory, as on Windows without it.
    void hideWinHelp()
    {
        std::string viewer = windowsDirectory() + "\\winhelp.exe";
        std::string away = windowsDirectory() + "\\winhelp.exe.away";
        if (GetFileAttributesA(viewer.c_str()) != INVALID_FILE_ATTRIBUTES) {
            ASSERT_TRUE(MoveFileA(viewer.c_str(), away.c_str()));
            hiddenWinHelp = away;
        }
        ASSERT_FALSE(winHelpFound()) << "a WINHELP.EXE remains on the search path";
    }

    std::string folder;
    std::string hiddenWinHelp;
};
}  // namespace

TEST_F(Help, WithoutWinHelpTheHtmlHelpViewerOpensTheManualBesideTheProgram)
{
    hideWinHelp();
    for (const HelpSource& source : SOURCES) {
        SCOPED_TRACE(source.program);
        Program program = askForHelp(source);
        HWND viewer = waitForWindow(HTML_HELP_CLASS, NULL, 30000);
        ASSERT_NE(viewer, (HWND)NULL) << "no HTML Help viewer came up";
        // The caption is the title read from the file; the command line names
        // the file beside the program, quoted whole. (Windows shows the page
        // too; Wine without its Gecko engine shows the contents tree only.)
        EXPECT_EQ(windowTitle(viewer), MANUAL_TITLE);
        DWORD viewerId = 0;
        GetWindowThreadProcessId(viewer, &viewerId);
        EXPECT_EQ(lowerAscii(commandLineOf(viewerId)),
                  lowerAscii(HTML_HELP_VIEWER " \"" + folder + HTML_HELP_FILE "\""));
        // Help tells nothing on its own.
        EXPECT_EQ(countMessageBoxes(NULL, program.id), 0);
        endProgramsByClass(HTML_HELP_CLASS, 5000);
        endAllResidents();
        killEditors();
        stopProgram(program);
    }
}

TEST_F(Help, WhereWinHelpExistsItShowsTheManual)
{
    if (!winHelpFound())
        GTEST_SKIP() << "no WINHELP.EXE in this prefix";
    // Wine's WINHELP.EXE is a 16-bit program, run by a 32-bit loader.
    if (!hostRuns32BitPrograms())
        GTEST_SKIP() << "WINHELP.EXE needs 32-bit code, which this host does not execute";
    for (const HelpSource& source : SOURCES) {
        SCOPED_TRACE(source.program);
        Program program = askForHelp(source);
        HWND viewer = waitForWindow(WINHELP_CLASS, NULL, 30000);
        ASSERT_NE(viewer, (HWND)NULL) << "no WinHelp viewer came up";
        EXPECT_EQ(windowTitle(viewer).find(MANUAL_TITLE), 0u) << windowTitle(viewer);
        EXPECT_EQ(FindWindowA(HTML_HELP_CLASS, NULL), (HWND)NULL);
        endProgramsByClass(WINHELP_CLASS, 5000);
        endAllResidents();
        killEditors();
        stopProgram(program);
    }
}

TEST_F(Help, WinHelpViewerShowsTheContentsPage)
{
    // The system directory's viewer has the test's own bitness, so it runs
    // on every host.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    Program viewer = startProgram(std::string(system) + "\\winhlp32.exe", "\"" + testDirectory() + HELP_FILE "\"");
    HWND window = waitForWindow(WINHELP_CLASS, NULL, 30000, viewer.id);
    ASSERT_NE(window, (HWND)NULL);
    EXPECT_EQ(windowTitle(window).find(MANUAL_TITLE), 0u) << windowTitle(window);

    // The page's text: the title and a link per chapter. The viewer fills
    // its page after its window is up.
    HWND page = NULL;
    std::string text;
    DWORD start = GetTickCount();
    while (text.find("Appendix A") == std::string::npos && GetTickCount() - start < 15000) {
        pumpFor(100);
        page = FindWindowExA(window, NULL, "RichEdit20A", NULL);
        if (page)
            text = windowText(page);
    }
    ASSERT_NE(page, (HWND)NULL);
    for (const char* line : {"Vistrell Manual", "Chapter 1: What Vistrell does",
                             "Chapter 6: The settings file VISTRELL.INI", "Chapter 7: Troubleshooting",
                             "Appendix A: Licence"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " is not on the page:\n" << text;

    // And what the screen shows there: text drawn on the page, not an empty window.
    SetForegroundWindow(window);
    pumpFor(500);
    RECT area;
    GetWindowRect(page, &area);
    area.bottom = area.top + (area.bottom - area.top) / 2;
    HDC screen = GetDC(NULL);
    std::vector<COLORREF> pixels = capturePixels(screen, area);
    ReleaseDC(NULL, screen);
    size_t dark = 0;
    for (COLORREF pixel : pixels)
        if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128)
            ++dark;
    EXPECT_GT(dark, pixels.size() / 100) << "the page looks empty on the screen";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitForExit(viewer, 10000));
    stopProgram(viewer);
}

// Not a check: poses the viewer that the changer's Help opens, for the
// pictures in docs/. scripts/screenshot-help.sh runs it (it is disabled in
// ordinary runs) with SCREENSHOT_VIEWER "winhelp" or "htmlhelp" (WINHELP.EXE
// taken away) and takes the picture while the test waits.
TEST_F(Help, DISABLED_ViewerForTheScreenshot)
{
    const char* exchange = std::getenv("SCREENSHOT_EXCHANGE");
    ASSERT_NE(exchange, nullptr) << "run through scripts/screenshot-help.sh";
    std::string folder = std::string(exchange) + "\\";
    const char* kind = std::getenv("SCREENSHOT_VIEWER");
    bool htmlHelp = kind && std::string(kind) == "htmlhelp";
    if (htmlHelp)
        hideWinHelp();

    Program program = askForHelp(SOURCES[0]);
    HWND viewer = waitForWindow(htmlHelp ? HTML_HELP_CLASS : WINHELP_CLASS, NULL, 30000);
    ASSERT_NE(viewer, (HWND)NULL);
    pumpFor(1500);
    std::ofstream((folder + "ready").c_str()) << "ready\n";
    DWORD start = GetTickCount();
    while (GetFileAttributesA((folder + "done").c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 60000)
        pumpFor(100);
    stopProgram(program);
}
