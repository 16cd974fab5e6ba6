#include "sectionsettings.h"

#include "sectionread.h"
#include "settings.h"

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
