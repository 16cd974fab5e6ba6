// The value of one hexadecimal digit, either case, as the settings file's
// escapes, keys and stored states spell them.
#ifndef VISTRELL_HEXDIGIT_H
#define VISTRELL_HEXDIGIT_H

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

#endif
