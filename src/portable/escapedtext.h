// Texts the settings file keeps in plain ASCII whatever they hold: a
// picture's name in UTF-8 may be in any script, and the settings file
// spells only the system's own character set. A byte outside printable
// ASCII, and '%' itself, becomes '%' and two hexadecimal digits; so do
// blanks, quotes and '|' where the text is one part of a value.
#ifndef VISTRELL_ESCAPEDTEXT_H
#define VISTRELL_ESCAPEDTEXT_H

#include <stddef.h>

enum EscapeSet {
    ESCAPE_PATH,  // a value of its own: '%', control characters and non-ASCII bytes
    ESCAPE_PART,  // a part of a value: those, and blanks, quotes and '|'
};

// Writes text escaped at out, which holds 3 * strlen(text) + 1 bytes;
// returns the length written.
size_t escapeText(const char* text, EscapeSet set, char* out);

// Reads length bytes of escaped text up to the first '|' (or the end) into
// out (size bytes); false for a damaged escape or a text that does not
// fit. *used is how many bytes of the escaped text were read.
bool unescapeText(const char* text, size_t length, char* out, size_t size, size_t* used);

#endif
