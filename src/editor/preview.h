// Draws a bitmap file stretched into the dialog's preview frame (control 110),
// 2 pixels inside its edge. The picture is kept nowhere: any repaint of the
// frame erases it, which clearPreview uses to empty the frame.
#ifndef VISTEDIT_PREVIEW_H
#define VISTEDIT_PREVIEW_H

#include <windows.h>

void createPreviewContexts(HWND dialog);
// 1 = drawn, 0 = not drawn (file missing, not a bitmap, or failing the
// checks). On the new shell a file that does not begin with "BM" is taken
// for a picture (JPEG, PNG...) and drawn the same way. The path is in
// UTF-8, as a change holds it, so that a folder's picture named in any
// script is drawn.
int previewBitmap(HWND dialog, const char* path);
void clearPreview(HWND dialog);
// Draws the picture drawn last again, at the frame's size now (the dialog
// moved to a monitor of another display scale); nothing once cleared.
void redrawPreview(HWND dialog);
void releasePreviewContexts();

#endif
