// A bitmap file's part as an operation draws it: copied from the file where
// the bitmap is plain 24- or 32-bit at its own size, drawn by the platform
// (GDI) into a section of the part's size otherwise, halftoned where it is
// scaled.
#ifndef VISTRELL_BITMAPDECODE_H
#define VISTRELL_BITMAPDECODE_H

#include "bitmapfile.h"
#include "decodedpart.h"

bool decodeBitmapPart(const MappedBitmap& bitmap, const LayoutOp& op, DecodedPart* decoded);

#endif
