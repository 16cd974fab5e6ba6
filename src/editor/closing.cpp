#include "closing.h"

#include "editorstate.h"
#include "hostwindow.h"
#include "savesettings.h"

// Outcome of the save that precedes closing.
enum CloseSave { CLOSE_SAVED, CLOSE_CANCELLED, CLOSE_KEEP_OPEN };

// Saves before closing: the changes when the user wants them (or only the
// dialog's position), nothing on any other answer. A failed save of the
// changes keeps them unsaved and the dialog open; a failed save of the
// position alone is not worth keeping the user.
static CloseSave saveBeforeClosing(HWND dialog, UINT buttons)
{
    if (!isDirty) {
        saveSettings(dialog, false);
        return CLOSE_SAVED;
    }
    switch (MessageBoxA(dialog, SAVE_QUESTION, SAVE_QUESTION_TITLE, MB_ICONEXCLAMATION | buttons)) {
    case IDYES:
        return saveSettings(dialog, true) ? CLOSE_SAVED : CLOSE_KEEP_OPEN;
    case IDNO:
        saveSettings(dialog, false);
        return CLOSE_SAVED;
    case IDCANCEL:
        return CLOSE_CANCELLED;
    default:
        return CLOSE_SAVED;
    }
}

INT_PTR closeDialog(HWND dialog)
{
    // A second WM_CLOSE while the first still runs neither asks nor saves.
    if (isClosing)
        return TRUE;
    isClosing = true;
    if (saveBeforeClosing(dialog, MB_YESNO) == CLOSE_KEEP_OPEN) {
        // Closing again must ask again.
        isClosing = false;
        return TRUE;
    }
    isDirty = false;
    EndDialog(dialog, 0);
    return TRUE;
}

INT_PTR runExitCommand(HWND dialog)
{
    if (saveBeforeClosing(dialog, MB_YESNOCANCEL) != CLOSE_SAVED)
        return 0;
    isDirty = false;
    EndDialog(dialog, 0);
    quitEditor();
    return 0;
}
