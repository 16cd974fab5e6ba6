// The preview figures: the editor's own preview path (open, check, read,
// palette, device bitmap, stretch into the frame) against the bare preview,
// on a 4000 x 3000 24-bit and a 4000 x 3000 8-bit bitmap, in a frame of the
// editor's size. Both draw into the same frame, taking turns.
//
//   benchpreview.exe REPEATS PREVIEWS ROWS
// Appends two rows of the results table to the file ROWS; exits with 0 when
// both are filled.
#include "barepreview.h"
#include "benchnames.h"
#include "benchtime.h"
#include "bmpwriter.h"
#include "figures.h"
#include "preview.h"

#include <windows.h>

#include <stdio.h>

#include <vector>

static const int IMAGE_WIDTH = 4000;
static const int IMAGE_HEIGHT = 3000;
static const int FRAME_ID = 110;

static INT_PTR CALLBACK frameDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

struct PreviewBench {
    HWND dialog;
    BarePreview bare;
    int previews;
};

// One preview by either path, timed; 0 when it did not draw.
static double timePreview(const PreviewBench& bench, bool ours, const char* path)
{
    pumpMessages();
    double start = nowMs();
    bool drawn = ours ? previewBitmap(bench.dialog, path) == 1 : drawBarePreview(bench.bare, path);
    double ms = nowMs() - start;
    return drawn ? ms : 0;
}

// One repeat: the median of each path's previews, taking turns.
static void measureRepeat(const PreviewBench& bench, const char* path, int repeat, Figure* figure)
{
    std::vector<double> ours, bare;
    for (int i = 0; i < bench.previews; ++i) {
        bool oursFirst = (repeat + i) % 2 == 0;
        double first = timePreview(bench, oursFirst, path);
        double second = timePreview(bench, !oursFirst, path);
        ours.push_back(oursFirst ? first : second);
        bare.push_back(oursFirst ? second : first);
    }
    double oursMedian = spreadOf(ours).median;
    double bareMedian = spreadOf(bare).median;
    // A preview that did not draw leaves the figure unfilled.
    for (size_t i = 0; i < ours.size(); ++i)
        if (ours[i] <= 0 || bare[i] <= 0)
            oursMedian = bareMedian = 0;
    printf("%s, repeat %d: %.1f ms against %.1f ms\n", figure->name.c_str(), repeat + 1, oursMedian, bareMedian);
    figure->ours.push_back(oursMedian);
    figure->bare.push_back(bareMedian);
}

static Figure previewFigure(const char* name, int repeats)
{
    Figure figure;
    figure.name = name;
    figure.arch = BENCH_ARCH;
    figure.unit = UNIT_MILLISECONDS;
    figure.target = 1.5;
    figure.repeats = static_cast<size_t>(repeats);
    return figure;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    int repeats = 0;
    PreviewBench bench;
    char rowsPath[MAX_PATH];
    if (sscanf(commandLine, "%d %d %259[^\r\n]", &repeats, &bench.previews, rowsPath) != 3 || repeats < 1 ||
        bench.previews < 1)
        return 2;

    char image24[MAX_PATH], image8[MAX_PATH];
    GetTempPathA(MAX_PATH - 32, image24);
    lstrcpyA(image8, image24);
    lstrcatA(image24, "benchpreview24.bmp");
    lstrcatA(image8, "benchpreview8.bmp");
    if (!writeBenchBitmap(image24, IMAGE_WIDTH, IMAGE_HEIGHT, 24, 1) ||
        !writeBenchBitmap(image8, IMAGE_WIDTH, IMAGE_HEIGHT, 8, 2)) {
        printf("cannot write the preview images\n");
        return 1;
    }

    bench.dialog = CreateDialogParamA(instance, "FRAME_DIALOG", NULL, frameDialogProc, 0);
    if (!bench.dialog)
        return 1;
    ShowWindow(bench.dialog, SW_SHOWNORMAL);
    UpdateWindow(bench.dialog);
    pumpMessages();
    createPreviewContexts(bench.dialog);
    if (!openBarePreview(GetDlgItem(bench.dialog, FRAME_ID), &bench.bare))
        return 1;

    Figure figure24 = previewFigure("One preview, 4000\xC3\x97" "3000 24-bit", repeats);
    Figure figure8 = previewFigure("One preview, 4000\xC3\x97" "3000 8-bit", repeats);
    for (int repeat = 0; repeat < repeats; ++repeat) {
        measureRepeat(bench, image24, repeat, &figure24);
        measureRepeat(bench, image8, repeat, &figure8);
    }

    releasePreviewContexts();
    closeBarePreview(&bench.bare);
    DestroyWindow(bench.dialog);
    DeleteFileA(image24);
    DeleteFileA(image8);

    FILE* rows = fopen(rowsPath, "ab");
    if (!rows)
        return 1;
    fputs(tableRow(figure24).c_str(), rows);
    fputs(tableRow(figure8).c_str(), rows);
    fclose(rows);
    return isFilled(figure24) && isFilled(figure8) ? 0 : 1;
}
