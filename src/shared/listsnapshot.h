// The section "Bitmap list" read whole, once, and its entries' fields looked
// up in it: the values the profile's readers would give one call at a time.
#ifndef VISTRELL_LISTSNAPSHOT_H
#define VISTRELL_LISTSNAPSHOT_H

#include "sectionread.h"

struct ListSnapshot {
    char* block;       // the section; NULL when it could not be held, and
                       // the fields are then read one call at a time
    unsigned length;
    ListLines* lines;  // the entries 000 to 499, indexed
};

// Read by readSettingsGroup (settingsgroup.h).
void freeListSnapshot(ListSnapshot* list);

// A field's value; false when the entry has no such key.
bool snapshotValue(const ListSnapshot& list, int index, EntryField field, SectionValue* value);

// As readEntryPath: the path cut to PATH_BUFFER - 1 characters, false (with
// the missing-entry text in path) when the entry is missing.
bool snapshotEntryPath(const ListSnapshot& list, int index, char* path);

// As readEntryInt.
int snapshotEntryInt(const ListSnapshot& list, int index, EntryField field, int fallback);

// A field's text into out (size bytes, cut as the string reader cuts it);
// false when the entry has no such key.
bool snapshotText(const ListSnapshot& list, int index, EntryField field, char* out, unsigned size);

// As countEntries.
int snapshotCount(const ListSnapshot& list, int bound);

#endif
