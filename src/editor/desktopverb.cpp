#include "desktopverb.h"

#include "contract.h"

#include <windows.h>

#include <string.h>

static const char COMMAND_KEY[] = DESKTOP_VERB_KEY "\\command";

bool desktopVerbPresent()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, COMMAND_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Sets a key's default value (creating the key).
static bool setDefault(const char* path, const char* text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return false;
    bool set = RegSetValueExA(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                              static_cast<DWORD>(strlen(text) + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return set;
}

bool setDesktopVerb(bool present)
{
    if (!present) {
        // The command first: a key with subkeys cannot be deleted.
        LONG command = RegDeleteKeyA(HKEY_CURRENT_USER, COMMAND_KEY);
        LONG verb = RegDeleteKeyA(HKEY_CURRENT_USER, DESKTOP_VERB_KEY);
        return (command == ERROR_SUCCESS || command == ERROR_FILE_NOT_FOUND) &&
               (verb == ERROR_SUCCESS || verb == ERROR_FILE_NOT_FOUND);
    }
    // The changer beside the editor, quoted: its folder may hold blanks.
    char command[MAX_PATH + 16] = "\"";
    DWORD length = GetModuleFileNameA(NULL, command + 1, MAX_PATH);
    char* name = strrchr(command, '\\');
    if (length == 0 || length >= MAX_PATH || !name)
        return false;
    strcpy(name + 1, RESIDENT_PROGRAM "\" /next");
    return setDefault(DESKTOP_VERB_KEY, DESKTOP_VERB_TEXT) && setDefault(COMMAND_KEY, command);
}
