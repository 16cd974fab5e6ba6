// Broken and valid Windows bitmap files, one per class of damage known from
// public BMP test suites, for the editor's preview and apply and as seeds of
// the bitmap check's fuzzing. Each case says what the preview must make of it.
#ifndef TOOLS_BITMAPCORPUS_H
#define TOOLS_BITMAPCORPUS_H

#include <cstdint>
#include <string>
#include <vector>

enum PreviewOutcome {
    PREVIEW_DRAWN,    // the picture, all of one colour, fills the frame
    PREVIEW_REFUSED,  // the file fails the checks: nothing is drawn
    PREVIEW_EITHER,   // the header is sound and the bits are damaged: the
                      // platform decodes what it can; drawn or not, no crash
};

struct BitmapCase {
    std::string name;  // a file name without ".bmp"
    std::vector<uint8_t> bytes;
    PreviewOutcome preview;
    uint32_t colour;  // 0x00BBGGRR, as a COLORREF; of drawn cases only
};

std::vector<BitmapCase> hostileBitmaps();

#endif
