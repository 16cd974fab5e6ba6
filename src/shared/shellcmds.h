// The help, About and shutdown commands that both programs offer.
#ifndef VISTRELL_SHELLCMDS_H
#define VISTRELL_SHELLCMDS_H

#include <windows.h>

enum ProgramKind { PROGRAM_RESIDENT, PROGRAM_EDITOR };
enum ShutdownKind { SHUTDOWN_RESTART_WINDOWS, SHUTDOWN_REBOOT };

// Starts the help viewer on "VISTRELL.HLP" beside the running program; where
// no WinHelp viewer starts, the HTML Help viewer on "VISTRELL.CHM" beside it.
void showHelp(HWND owner);
// The About box of the given program, owned by owner.
void showAbout(HWND owner, ProgramKind program);
// Asks in a "Caution" box; unless the answer is No, logs off (restart
// Windows) or reboots the machine.
void confirmShutdown(HWND owner, ShutdownKind kind, ProgramKind program);

#endif
