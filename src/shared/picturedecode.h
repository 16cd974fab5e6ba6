// A picture's part as an operation draws it, through the imaging component
// (WIC): scaled by the component's own filter, and only the part's rows and
// columns worked out, in bands.
#ifndef VISTRELL_PICTUREDECODE_H
#define VISTRELL_PICTUREDECODE_H

#include "decodedpart.h"
#include "picture.h"

// The reader stays open: the same picture may serve further operations.
bool decodePicturePart(PictureReader* reader, const LayoutOp& op, DecodedPart* decoded);

#endif
