#include "closing.h"

#include "contract.h"
#include "editorstate.h"
#include "editortexts.h"
#include "savesettings.h"

// Whether closing goes on after the save that precedes it.
enum CloseOutcome { CLOSE_PROCEED, CLOSE_CANCELLED, CLOSE_KEEP_OPEN };

// Saves before closing: the changes when the user wants them (or only the
// dialog's position), nothing on any other answer. A failed save of the
// changes keeps them unsaved and the dialog open; a failed save of the
// position alone is not worth keeping the user.
static CloseOutcome saveBeforeClosing(HWND dialog, UINT buttons)
{
    if (!isDirty) {
        saveSettings(dialog, false);
        return CLOSE_PROCEED;
    }
    switch (MessageBoxA(dialog, SAVE_QUESTION, QUERY_TITLE, MB_ICONEXCLAMATION | buttons)) {
    case IDYES:
        return saveSettings(dialog, true) ? CLOSE_PROCEED : CLOSE_KEEP_OPEN;
    case IDNO:
        saveSettings(dialog, false);
        return CLOSE_PROCEED;
    case IDCANCEL:
        return CLOSE_CANCELLED;
    default:
        return CLOSE_PROCEED;
    }
}

static DialogFate endDialog(HWND dialog)
{
    isDirty = false;
    EndDialog(dialog, 0);
    return DIALOG_ENDS;
}

DialogFate closeDialog(HWND dialog)
{
    // A second WM_CLOSE while the first still runs neither asks nor saves.
    if (isClosing)
        return DIALOG_STAYS;
    isClosing = true;
    if (saveBeforeClosing(dialog, MB_YESNO) == CLOSE_KEEP_OPEN) {
        // Closing again must ask again.
        isClosing = false;
        return DIALOG_STAYS;
    }
    return endDialog(dialog);
}

DialogFate runExitCommand(HWND dialog)
{
    if (saveBeforeClosing(dialog, MB_YESNOCANCEL) != CLOSE_PROCEED)
        return DIALOG_STAYS;
    return endDialog(dialog);
}
