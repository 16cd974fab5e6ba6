#include "sectionsettings.h"

#include "escapedtext.h"
#include "sectionread.h"
#include "settings.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>

void freeSectionSettings(SectionSettings* read)
{
    free(read->block);
    read->block = NULL;
}

int sectionSettingInt(const SectionSettings& read, const char* key, int fallback)
{
    if (!read.block)
        return readSettingInt(read.section, key, fallback);
    SectionValue value;
    return sectionValue(read.block, read.length, key, &value) ? sectionValueInt(value, fallback) : fallback;
}

bool sectionEscapedText(const SectionSettings& read, const char* key, char* out, unsigned size)
{
    // Each byte of a path in UTF-8 is written as at most three.
    static char text[3 * 3 * MAX_PATH];
    size_t used = 0;
    return sectionSettingText(read, key, text, sizeof text) && unescapeText(text, strlen(text), out, size, &used);
}

unsigned sectionSettingText(const SectionSettings& read, const char* key, char* out, unsigned size)
{
    if (!read.block)
        return readSettingText(read.section, key, "", out, size);
    SectionValue value;
    if (!sectionValue(read.block, read.length, key, &value)) {
        value.text = "";
        value.length = 0;
    }
    copySectionValue(value, out, size);
    return static_cast<unsigned>(strlen(out));
}
