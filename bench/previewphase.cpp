// The preview figures are measured inside a program of their own, which
// links the editor's preview code; this runs it and waits for its rows.
#include "benchrun.h"
#include "children.h"

#include <stdio.h>

// Previews of each image per repeat; a repeat's value is their median.
static const int PREVIEWS_PER_REPEAT = 3;
static const DWORD PREVIEW_TIMEOUT_MS = 30 * 60 * 1000;

bool runPreviewPhase(const BenchRun& run, const char* rowsPath)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sbenchpreview.exe", run.benchDir);
    char arguments[MAX_PATH + 32];
    snprintf(arguments, sizeof arguments, "%d %d %s", run.repeats, run.quick ? 1 : PREVIEWS_PER_REPEAT, rowsPath);
    Child child;
    if (!startChild(path, arguments, &child, true))
        return false;
    DWORD code = 1;
    if (WaitForSingleObject(child.process, PREVIEW_TIMEOUT_MS) != WAIT_OBJECT_0) {
        printf("the preview bench did not end\n");
        TerminateProcess(child.process, 99);
    }
    GetExitCodeProcess(child.process, &code);
    CloseHandle(child.process);
    return code == 0;
}
