// Size on disk of both programs against an empty program built with the
// same flags. A size does not vary, so it is read once.
#include "benchrun.h"

#include <stdio.h>

static double fileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
}

void runDiskPhase(BenchRun& run)
{
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%sbareempty.exe", run.benchDir);
    double empty = fileSize(path);
    const char* const programs[] = {"vistrell.exe", "vistedit.exe"};
    for (const char* program : programs) {
        char name[64];
        snprintf(name, sizeof name, "Size on disk, %s", program);
        Figure figure = newFigure(run, name, UNIT_BYTES, 0);
        figure.repeats = 1;
        snprintf(path, sizeof path, "%s%s", run.programDir, program);
        figure.ours.push_back(fileSize(path));
        figure.bare.push_back(empty);
        run.figures.push_back(figure);
    }
}
