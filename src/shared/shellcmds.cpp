#include "shellcmds.h"

#include "contract.h"
#include "helpcommand.h"

// Longest path GetModuleFileNameA can report (extended-length paths included),
// so the help line is never built from a cut path.
static const DWORD MODULE_PATH_BUFFER = 32768;
static char modulePath[MODULE_PATH_BUFFER];
static char helpCommand[MODULE_PATH_BUFFER + 32];

void showHelp(HWND owner)
{
    (void)owner;  // the viewer runs on its own; nothing is owned
    DWORD length = GetModuleFileNameA(NULL, modulePath, MODULE_PATH_BUFFER);
    if (length == 0 || length >= MODULE_PATH_BUFFER)
        return;
    if (buildHelpCommand(modulePath, helpCommand, sizeof helpCommand) && WinExec(helpCommand, SW_SHOW) > 31)
        return;
    // No WinHelp viewer on this Windows (none on 64-bit Windows since Vista):
    // the same manual in the HTML Help viewer. A failure here is not told
    // either, as the WinHelp start's is not.
    if (buildHtmlHelpCommand(modulePath, helpCommand, sizeof helpCommand))
        WinExec(helpCommand, SW_SHOW);
}

// VISTRELL_VERSION and VISTRELL_RELEASE_DATE come from the build (the
// project version in CMakeLists.txt).
void showAbout(HWND owner, ProgramKind program)
{
    const char* text = program == PROGRAM_RESIDENT
        ? "Vistrell - Scenara wallpaper changer\n"
          "Version " VISTRELL_VERSION ", released " VISTRELL_RELEASE_DATE "\n\n"
          "Written by the Scenara team."
        : "Vistedit - Scenara configuration editor\n"
          "Version " VISTRELL_VERSION ", released " VISTRELL_RELEASE_DATE "\n\n"
          "Written by the Scenara team.";
    MessageBoxA(owner, text, ABOUT_TITLE, MB_OK | MB_ICONINFORMATION);
}

// The NT family refuses a reboot unless the process holds the shutdown
// privilege; logging off needs none.
static void enableShutdownPrivilege()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, NULL, NULL);
    CloseHandle(token);
}

void confirmShutdown(HWND owner, ShutdownKind kind, ProgramKind program)
{
    const char* text;
    if (kind == SHUTDOWN_RESTART_WINDOWS)
        text = program == PROGRAM_EDITOR ? "You attempt to restart Windows.\nAre you sure?"
                                         : "You attempt to restart Windows.\nAre you sure ?";
    else
        text = "You attempt to reboot machine.\nAre you sure ?";

    if (MessageBoxA(owner, text, CAUTION_TITLE, MB_ICONEXCLAMATION | MB_YESNO) == IDNO)
        return;
    if (kind == SHUTDOWN_RESTART_WINDOWS) {
        ExitWindowsEx(EWX_LOGOFF, 0);
    } else {
        enableShutdownPrivilege();
        ExitWindowsEx(EWX_REBOOT, 0);
    }
}
