// The command line that opens the help file beside the running program.
#ifndef VISTRELL_HELPCOMMAND_H
#define VISTRELL_HELPCOMMAND_H

#include <stddef.h>

#define HELP_VIEWER "WINHELP.EXE"
#define HELP_FILE "VISTRELL.HLP"

// Builds  WINHELP.EXE "<directory of modulePath>VISTRELL.HLP"  into out. The
// path is quoted so that a folder with blanks ("C:\Program Files\...") still
// reaches the viewer whole. Returns false, leaving out empty, when the line
// does not fit into outSize bytes: the path is never cut.
bool buildHelpCommand(const char* modulePath, char* out, size_t outSize);

#endif
