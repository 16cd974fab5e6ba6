#include "textcase.h"

static char lowercaseOf(char c)
{
    return static_cast<char>(foldedByte(c));
}

void lowercaseAscii(char* text)
{
    for (; *text; ++text)
        *text = lowercaseOf(*text);
}

void lowercaseAsciiWithin(char* text, size_t size)
{
    for (size_t i = 0; i < size && text[i]; ++i)
        text[i] = lowercaseOf(text[i]);
}
