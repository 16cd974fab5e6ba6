#include "hotkeys.h"

#include "oldshell.h"
#include "residentids.h"
#include "residentstate.h"
#include "settings.h"
#include "tray.h"

#include <string.h>

// A hot-key control's modifier flags in its value's high byte.
const unsigned CONTROL_SHIFT = 1;
const unsigned CONTROL_CONTROL = 2;
const unsigned CONTROL_ALT = 4;

struct HotKey {
    const char* key;
    unsigned fallback;
    UINT command;
};

static const HotKey HOT_KEYS[] = {
    {KEY_NEXT_KEY, DEFAULT_NEXT_KEY, IDM_CHANGE_NOW},
    {KEY_PREVIOUS_KEY, DEFAULT_PREVIOUS_KEY, IDM_PREVIOUS},
    {KEY_SKIP_KEY, DEFAULT_SKIP_KEY, IDM_NEVER_SHOW},
};
const int HOT_KEY_COUNT = 3;
// Identifiers of the registrations: 1 to 3.
const int FIRST_HOT_KEY_ID = 1;
// RegisterHotKey's MOD_NOREPEAT (Windows 7 and later, which refuse nothing
// for it): a key held down is one press, not one at every repeat, which
// would skip past pictures the user never saw.
const UINT NO_REPEAT = 0x4000;
const unsigned WINDOWS_7 = 0x0601;

void unregisterHotKeys(HWND window)
{
    for (int i = 0; i < HOT_KEY_COUNT; ++i)
        UnregisterHotKey(window, FIRST_HOT_KEY_ID + i);
}

void registerHotKeys(HWND window)
{
    unregisterHotKeys(window);
    char held[64] = "";
    for (int i = 0; i < HOT_KEY_COUNT; ++i) {
        unsigned value = static_cast<unsigned>(readSettingInt(SECTION_DISPLAY, HOT_KEYS[i].key,
                                                              static_cast<int>(HOT_KEYS[i].fallback)));
        UINT key = value & 0xFF;
        if (key == 0)
            continue;
        unsigned flags = value >> 8;
        UINT modifiers = ((flags & CONTROL_SHIFT) ? MOD_SHIFT : 0) | ((flags & CONTROL_CONTROL) ? MOD_CONTROL : 0) |
                         ((flags & CONTROL_ALT) ? MOD_ALT : 0) | (windowsVersion >= WINDOWS_7 ? NO_REPEAT : 0);
        if (!RegisterHotKey(window, FIRST_HOT_KEY_ID + i, modifiers, key)) {
            if (held[0])
                strcat(held, ",");
            strcat(held, HOT_KEYS[i].key);
        }
    }
    // For the editor to mark; a failed write costs nothing but the mark.
    writeSettingText(SECTION_DISPLAY, KEY_KEYS_HELD, held[0] ? held : NULL);
    if (held[0] && !hotKeysHeldTold)
        hotKeysHeldTold = showTrayBalloon(HOT_KEYS_HELD_TITLE, HOT_KEYS_HELD_TEXT);
}

UINT hotKeyCommand(WPARAM id)
{
    int index = static_cast<int>(id) - FIRST_HOT_KEY_ID;
    return index >= 0 && index < HOT_KEY_COUNT ? HOT_KEYS[index].command : 0;
}
