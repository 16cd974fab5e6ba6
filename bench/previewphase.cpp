// The preview and composer figures are measured inside programs of their
// own, which link the editor's preview code and the changer's composer;
// this runs them and waits for their rows.
#include "benchrun.h"
#include "children.h"

#include <stdio.h>

// Previews of each image per repeat; a repeat's value is their median.
static const int PREVIEWS_PER_REPEAT = 3;
static const DWORD PREVIEW_TIMEOUT_MS = 30 * 60 * 1000;

// Runs a bench program of the folder on the rows file and waits for it.
static bool runRowsProgram(const char* path, const char* arguments, const char* what)
{
    Child child;
    if (!startChild(path, arguments, &child, true))
        return false;
    DWORD code = 1;
    if (WaitForSingleObject(child.process, PREVIEW_TIMEOUT_MS) != WAIT_OBJECT_0) {
        printf("the %s bench did not end\n", what);
        TerminateProcess(child.process, 99);
    }
    GetExitCodeProcess(child.process, &code);
    CloseHandle(child.process);
    return code == 0;
}

bool runComposePhase(const BenchRun& run, const char* rowsPath)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sbenchcompose.exe", run.benchDir);
    char arguments[MAX_PATH + 32];
    snprintf(arguments, sizeof arguments, "%d %s", run.repeats, rowsPath);
    return runRowsProgram(path, arguments, "compose");
}

bool runPreviewPhase(const BenchRun& run, const char* rowsPath)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sbenchpreview.exe", run.benchDir);
    char arguments[MAX_PATH + 32];
    snprintf(arguments, sizeof arguments, "%d %d %s", run.repeats, run.quick ? 1 : PREVIEWS_PER_REPEAT, rowsPath);
    return runRowsProgram(path, arguments, "preview");
}
