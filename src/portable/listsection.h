// The "Bitmap list" section written whole: which of its keys the editor owns
// and which lines of the section as it stands a save carries over untouched.
#ifndef VISTRELL_LISTSECTION_H
#define VISTRELL_LISTSECTION_H

#include <stddef.h>

// True for the keys of the entries "000" to "049" ("000_wall" ...
// "049_round"), in any letter case and with blanks around them, as the
// profile functions match keys. Everything else in the section (entries 050
// and up, other spellings of a number, foreign keys) belongs to others.
bool isEditorEntryKey(const char* key, size_t length);

// Copies from a section as the profile reader returns it (lines "key=value"
// or bare keys, each ended by a zero; the first empty line or length ends
// it) every line whose key the editor does not own, each with its zero, into
// out, which must hold length + 1 bytes (a last line cut off by length gets a
// zero too). Returns the number of bytes written.
size_t copyForeignLines(const char* section, size_t length, char* out);

#endif
