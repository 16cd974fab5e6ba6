#include "editorstate.h"

HINSTANCE editorInstance = NULL;
bool isDirty = false;
bool isSyncingPlacement = false;
bool isClosing = false;
HWND xUpDown = NULL;
HWND yUpDown = NULL;
int rememberedChangePolicy = 0;
int rememberedTimePeriod = 0;
