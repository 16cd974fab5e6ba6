#include "sharedcommands.h"

bool runSharedCommand(HWND owner, UINT id, const SharedCommands& commands)
{
    if (id == commands.help)
        showHelp(owner);
    else if (id == commands.about)
        showAbout(owner, commands.program);
    else if (id == commands.restartWindows)
        confirmShutdown(owner, SHUTDOWN_RESTART_WINDOWS, commands.program);
    else if (id == commands.reboot)
        confirmShutdown(owner, SHUTDOWN_REBOOT, commands.program);
    else
        return false;
    return true;
}
