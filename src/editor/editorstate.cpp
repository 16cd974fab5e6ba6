#include "editorstate.h"

// Globals start zeroed: no instance, nothing unsaved, no up-down controls,
// the schedule values 0.
HINSTANCE editorInstance;
bool isDirty;
bool isSyncingPlacement;
bool isClosing;
HWND xUpDown;
HWND yUpDown;
int rememberedChangePolicy;
int rememberedTimePeriod;

void resetEditorState(HINSTANCE instance)
{
    editorInstance = instance;
    isDirty = isSyncingPlacement = isClosing = false;
    xUpDown = yUpDown = NULL;
    rememberedChangePolicy = rememberedTimePeriod = 0;
}
