// ASCII letter case: lower-casing of texts the editor takes from the
// platform, and comparing names and paths letter case aside, the same on
// every Windows whatever its language.
#ifndef VISTRELL_TEXTCASE_H
#define VISTRELL_TEXTCASE_H

#include <stddef.h>
#include <string.h>

// A to Z as a to z; every other byte as it is, as an unsigned value, so
// that texts order byte by byte.
inline unsigned char foldedByte(char c)
{
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// Whether the length bytes of text are name, letter case aside.
inline bool sameFolded(const char* text, size_t length, const char* name)
{
    if (strlen(name) != length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (foldedByte(text[i]) != foldedByte(name[i]))
            return false;
    return true;
}

// Turns the letters A to Z into a to z, up to the first zero character;
// every other character stays as it is.
void lowercaseAscii(char* text);

// The same within a buffer of size bytes that need not hold a zero: stops at
// the first zero or at the buffer's end, whichever comes first.
void lowercaseAsciiWithin(char* text, size_t size);

#endif
