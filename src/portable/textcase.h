// Lower-casing of texts the editor takes from the platform.
#ifndef VISTRELL_TEXTCASE_H
#define VISTRELL_TEXTCASE_H

#include <stddef.h>

// Turns the letters A to Z into a to z, up to the first zero character;
// every other character stays as it is.
void lowercaseAscii(char* text);

// The same within a buffer of size bytes that need not hold a zero: stops at
// the first zero or at the buffer's end, whichever comes first.
void lowercaseAsciiWithin(char* text, size_t size);

#endif
