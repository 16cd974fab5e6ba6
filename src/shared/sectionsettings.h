// A small section of the settings file read whole, for the several values a
// change takes from it: one call instead of one per key. Each value is what
// the profile's readers give one key at a time, and is read so when the
// memory for the whole is lacking.
#ifndef VISTRELL_SECTIONSETTINGS_H
#define VISTRELL_SECTIONSETTINGS_H

struct SectionSettings {
    const char* section;
    char* block;  // NULL: each value is read on its own
    unsigned length;
};

// Read by readSettingsGroup (settingsgroup.h).
void freeSectionSettings(SectionSettings* read);

// As readSettingInt.
int sectionSettingInt(const SectionSettings& read, const char* key, int fallback);
// As readSettingText with an empty fallback.
unsigned sectionSettingText(const SectionSettings& read, const char* key, char* out, unsigned size);
// A text written escaped (escapedtext.h), such as a path, as it was: false
// when the key is missing, its escapes are damaged or the text does not fit
// in size bytes (at most a path of MAX_PATH wide characters in UTF-8).
bool sectionEscapedText(const SectionSettings& read, const char* key, char* out, unsigned size);

#endif
