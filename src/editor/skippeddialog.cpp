#include "skippeddialog.h"

#include "editorstate.h"
#include "editortexts.h"
#include "escapedtext.h"
#include "folderplace.h"
#include "ids.h"
#include "pathtext.h"
#include "settings.h"
#include "skiplist.h"

#include <stdlib.h>
#include <string.h>

// The section as read when the dialog opened: each row's item data is the
// offset of its line, whose key "Show again" takes off the list.
static char* skipSection;

// Fills the list: one row per picture, its path as it is, in any script.
static void fillList(HWND dialog)
{
    unsigned length = 0;
    if (!readSettingSection(SECTION_SKIP, &skipSection, &length))
        return;
    for (unsigned at = 0; at < length && skipSection[at]; at += static_cast<unsigned>(strlen(skipSection + at)) + 1) {
        const char* line = skipSection + at;
        const char* equals = strchr(line, '=');
        char path[PICTURE_PATH_BYTES];
        size_t used = 0;
        WCHAR wide[MAX_PATH];
        if (!equals || !unescapeText(equals + 1, strlen(equals + 1), path, sizeof path, &used) ||
            !widePath(path, wide))
            continue;
        LRESULT row = SendDlgItemMessageW(dialog, IDC_SKIPPED_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
        SendDlgItemMessageA(dialog, IDC_SKIPPED_LIST, LB_SETITEMDATA, static_cast<WPARAM>(row), at);
    }
}

// Takes the selected pictures off the list, and their rows with them.
static void showAgain(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SKIPPED_LIST);
    for (LRESULT row = SendMessageA(list, LB_GETCOUNT, 0, 0) - 1; row >= 0; --row) {
        if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(row), 0) <= 0)
            continue;
        char key[PATH_KEY_SIZE + 8];
        const char* line = skipSection + SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
        size_t length = static_cast<size_t>(strchr(line, '=') - line);
        if (length >= sizeof key)
            continue;
        memcpy(key, line, length);
        key[length] = '\0';
        if (!showPictureAgain(key)) {
            MessageBoxA(dialog, DISPLAY_SAVE_FAILED_TEXT, EDITOR_ERROR_TITLE, MB_OK | MB_ICONHAND);
            return;
        }
        SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    }
}

static INT_PTR CALLBACK skippedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        fillList(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SHOW_AGAIN:
            showAgain(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void runSkippedPictures(HWND owner)
{
    DialogBoxParamA(editorInstance, SKIPPED_DIALOG_NAME, owner, skippedDialogProc, 0);
    free(skipSection);
    skipSection = NULL;
}
