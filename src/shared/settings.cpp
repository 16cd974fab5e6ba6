#include "settings.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// A section is read into a block that grows until the whole of it fits; the
// bound only keeps a runaway file from taking all memory.
const unsigned SECTION_START_SIZE = 4096;
const unsigned SECTION_SIZE_LIMIT = 64u << 20;

// The settings file's full path: the profile functions look for a bare
// name in the Windows directory, and so does this (on Vista and later both
// are sent to the user's virtual store alike). False when it does not fit.
static bool settingsFilePath(char* path)
{
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + sizeof SETTINGS_FILE > MAX_PATH)
        return false;
    if (path[length - 1] != '\\')
        path[length++] = '\\';
    memcpy(path + length, SETTINGS_FILE, sizeof SETTINGS_FILE);
    return true;
}

bool settingsReadable()
{
    char path[MAX_PATH];
    if (!settingsFilePath(path))
        return true;  // nowhere to look: the profile reader decides alone
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool settingsFileHasText()
{
    char path[MAX_PATH];
    WIN32_FILE_ATTRIBUTE_DATA file;
    return settingsFilePath(path) && GetFileAttributesExA(path, GetFileExInfoStandard, &file) &&
           (file.nFileSizeLow != 0 || file.nFileSizeHigh != 0);
}

int readSettingInt(const char* section, const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, SETTINGS_FILE));
}

unsigned readSettingText(const char* section, const char* key, const char* fallback,
                         char* buffer, unsigned size)
{
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, SETTINGS_FILE);
}

bool writeSettingText(const char* section, const char* key, const char* text)
{
    return WritePrivateProfileStringA(section, key, text, SETTINGS_FILE) != 0;
}

bool writeSettingInt(const char* section, const char* key, int value)
{
    char text[16];
    sprintf(text, "%d", value);
    return writeSettingText(section, key, text);
}

bool writeSettingUnsigned(const char* section, const char* key, unsigned value)
{
    char text[16];
    sprintf(text, "%u", value);
    return writeSettingText(section, key, text);
}

bool deleteSetting(const char* section, const char* key)
{
    return writeSettingText(section, key, NULL);
}

bool readSettingSection(const char* section, char** block, unsigned* length)
{
    // The size that held the list last time is tried first: a list read at
    // every change is read once, not once per doubling. The small sections
    // start small whatever the list needs.
    static unsigned lastFitted = SECTION_START_SIZE;
    bool list = strcmp(section, SECTION_LIST) == 0;
    for (unsigned size = list ? lastFitted : SECTION_START_SIZE; size <= SECTION_SIZE_LIMIT; size *= 2) {
        char* read = static_cast<char*>(malloc(size));
        if (!read)
            return false;
        DWORD count = GetPrivateProfileSectionA(section, read, size, SETTINGS_FILE);
        // size - 2 means the section did not fit.
        if (count < size - 2) {
            read[count] = '\0';
            read[count + 1] = '\0';
            *block = read;
            *length = count;
            // The smallest block that holds the list as it is now, so that a
            // list once large and since cut does not keep a large block.
            if (list) {
                lastFitted = SECTION_START_SIZE;
                while (count >= lastFitted - 2)
                    lastFitted *= 2;
            }
            return true;
        }
        free(read);
    }
    return false;
}

bool writeSettingSection(const char* section, const char* block)
{
    return WritePrivateProfileSectionA(section, block, SETTINGS_FILE) != 0;
}

int readEntryInt(int index, EntryField field, int fallback)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return readSettingInt(SECTION_LIST, key, fallback);
}

bool readEntryPath(int index, char* path)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, ENTRY_WALL);
    readSettingText(SECTION_LIST, key, MISSING_ENTRY, path, PATH_BUFFER);
    return !isMissingEntry(path);
}

bool writeEntryText(int index, EntryField field, const char* text)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return writeSettingText(SECTION_LIST, key, text);
}

bool writeEntryInt(int index, EntryField field, int value)
{
    char key[ENTRY_KEY_BUFFER];
    formatEntryKey(key, index, field);
    return writeSettingInt(SECTION_LIST, key, value);
}

bool deleteEntryField(int index, EntryField field)
{
    return writeEntryText(index, field, NULL);
}

int countEntries(int bound)
{
    char path[PATH_BUFFER];
    int count = 0;
    while (count < bound && readEntryPath(count, path))
        ++count;
    return count;
}
