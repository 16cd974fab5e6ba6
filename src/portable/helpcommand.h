// The command lines that open the manual beside the running program.
#ifndef VISTRELL_HELPCOMMAND_H
#define VISTRELL_HELPCOMMAND_H

#include <stddef.h>

#define HELP_VIEWER "WINHELP.EXE"
#define HELP_FILE "VISTRELL.HLP"
// The HTML Help viewer, in the Windows directory of every Windows since 98,
// and the same manual in its format.
#define HTML_HELP_VIEWER "HH.EXE"
#define HTML_HELP_FILE "VISTRELL.CHM"

// Builds  WINHELP.EXE "<directory of modulePath>VISTRELL.HLP"  into out. The
// path is quoted so that a folder with blanks ("C:\Program Files\...") still
// reaches the viewer whole. Returns false, leaving out empty, when the line
// does not fit into outSize bytes: the path is never cut.
bool buildHelpCommand(const char* modulePath, char* out, size_t outSize);

// The same for the HTML Help viewer:  HH.EXE "<directory>VISTRELL.CHM".
bool buildHtmlHelpCommand(const char* modulePath, char* out, size_t outSize);

#endif
