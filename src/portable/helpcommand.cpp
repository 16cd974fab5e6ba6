#include "helpcommand.h"

#include <string.h>

// Builds  <viewer> "<directory of modulePath><file>"  into out, or refuses.
static bool buildViewerCommand(const char* viewer, const char* file, const char* modulePath, char* out,
                               size_t outSize)
{
    if (outSize == 0)
        return false;
    out[0] = '\0';

    // Drive and directory: everything up to the last separator, kept whole.
    size_t directoryLength = 0;
    for (size_t i = 0; modulePath[i]; ++i)
        if (modulePath[i] == '\\' || modulePath[i] == '/' || modulePath[i] == ':')
            directoryLength = i + 1;

    size_t viewerLength = strlen(viewer);
    size_t fileLength = strlen(file);
    // viewer, blank, quote, directory, file, quote, terminating zero
    size_t needed = viewerLength + 2 + directoryLength + fileLength + 2;
    if (needed > outSize)
        return false;

    char* p = out;
    memcpy(p, viewer, viewerLength);
    p += viewerLength;
    *p++ = ' ';
    *p++ = '"';
    memcpy(p, modulePath, directoryLength);
    p += directoryLength;
    memcpy(p, file, fileLength);
    p += fileLength;
    *p++ = '"';
    *p = '\0';
    return true;
}

bool buildHelpCommand(const char* modulePath, char* out, size_t outSize)
{
    return buildViewerCommand(HELP_VIEWER, HELP_FILE, modulePath, out, outSize);
}

bool buildHtmlHelpCommand(const char* modulePath, char* out, size_t outSize)
{
    return buildViewerCommand(HTML_HELP_VIEWER, HTML_HELP_FILE, modulePath, out, outSize);
}
