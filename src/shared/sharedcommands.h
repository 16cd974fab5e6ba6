// The help, About and shutdown commands as each program numbers them, so that
// both command switches hand them on in one place.
#ifndef VISTRELL_SHAREDCOMMANDS_H
#define VISTRELL_SHAREDCOMMANDS_H

#include "shellcmds.h"

#include <windows.h>

struct SharedCommands {
    ProgramKind program;
    UINT help;
    UINT about;
    UINT restartWindows;
    UINT reboot;
};

// Carries out id when it is one of the program's shared commands, with owner
// as the owner of its boxes; false for any other identifier.
bool runSharedCommand(HWND owner, UINT id, const SharedCommands& commands);

#endif
