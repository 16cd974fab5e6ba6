// The bare preview: a bitmap file read whole with ReadFile, turned into a
// device bitmap by the platform and stretched into the frame. What any
// preview costs before it checks or adds anything of its own.
#ifndef VISTRELL_BENCH_BAREPREVIEW_H
#define VISTRELL_BENCH_BAREPREVIEW_H

#include <windows.h>

struct BarePreview {
    HWND frame;
    HDC frameContext;   // held for the preview's life, as the editor holds its own
    HDC memoryContext;
};

bool openBarePreview(HWND frame, BarePreview* preview);
// Draws the file 2 pixels inside the frame's edge; false when it could not.
bool drawBarePreview(const BarePreview& preview, const char* path);
void closeBarePreview(BarePreview* preview);

#endif
