#include "commandswitch.h"

#include "textcase.h"

#include <string.h>

CommandSwitch parseCommandSwitch(const char* commandLine)
{
    static const char* const NAMES[] = {"next", "previous", "skip", "reload"};
    const char* at = commandLine;
    while (*at) {
        while (*at == ' ' || *at == '\t')
            ++at;
        bool quoted = *at == '"';
        if (quoted)
            ++at;
        const char* start = at;
        while (*at && (quoted ? *at != '"' : *at != ' ' && *at != '\t'))
            ++at;
        size_t length = static_cast<size_t>(at - start);
        if (quoted && *at == '"')
            ++at;
        if (length > 1 && (start[0] == '/' || start[0] == '-'))
            for (int i = 0; i < 4; ++i)
                if (sameFolded(start + 1, length - 1, NAMES[i]))
                    return static_cast<CommandSwitch>(SWITCH_NEXT + i);
    }
    return SWITCH_NONE;
}
