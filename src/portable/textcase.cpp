#include "textcase.h"

void lowercaseAscii(char* text)
{
    for (; *text; ++text)
        if (*text >= 'A' && *text <= 'Z')
            *text = static_cast<char>(*text - 'A' + 'a');
}
