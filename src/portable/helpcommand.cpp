#include "helpcommand.h"

#include <string.h>

bool buildHelpCommand(const char* modulePath, char* out, size_t outSize)
{
    if (outSize == 0)
        return false;
    out[0] = '\0';

    // Drive and directory: everything up to the last separator, kept whole.
    size_t directoryLength = 0;
    for (size_t i = 0; modulePath[i]; ++i)
        if (modulePath[i] == '\\' || modulePath[i] == '/' || modulePath[i] == ':')
            directoryLength = i + 1;

    const char prefix[] = HELP_VIEWER " \"";
    const char suffix[] = HELP_FILE "\"";
    size_t needed = (sizeof prefix - 1) + directoryLength + (sizeof suffix - 1) + 1;
    if (needed > outSize)
        return false;

    char* p = out;
    memcpy(p, prefix, sizeof prefix - 1);
    p += sizeof prefix - 1;
    memcpy(p, modulePath, directoryLength);
    p += directoryLength;
    memcpy(p, suffix, sizeof suffix);
    return true;
}
