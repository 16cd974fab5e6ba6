// Hexadecimal digits, either case, as the settings file's escapes, keys and
// stored states spell them.
#ifndef VISTRELL_HEXDIGIT_H
#define VISTRELL_HEXDIGIT_H

#include <stdint.h>

// 0 to 15, or -1 for any other character.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Sixteen digits into a 64-bit value; false at any other character.
inline bool parseHex64(const char* text, uint64_t* value)
{
    *value = 0;
    for (int i = 0; i < 16; ++i) {
        int digit = hexDigitValue(text[i]);
        if (digit < 0)
            return false;
        *value = *value << 4 | static_cast<uint64_t>(digit);
    }
    return true;
}

// The value as sixteen lower-case digits, without a terminator.
inline void formatHex64(uint64_t value, char* text)
{
    static const char DIGITS[] = "0123456789abcdef";
    for (int i = 0; i < 16; ++i)
        text[i] = DIGITS[(value >> (60 - 4 * i)) & 0xF];
}

#endif
