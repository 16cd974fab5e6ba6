#include "settings.h"

#include <windows.h>

#include <stdio.h>

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
