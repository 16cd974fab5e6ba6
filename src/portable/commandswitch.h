// The few switches the changer takes on its command line, which go to the
// changer already running; every other argument is ignored, as it always
// was, so that scheduled tasks and launchers can start it with theirs.
#ifndef VISTRELL_COMMANDSWITCH_H
#define VISTRELL_COMMANDSWITCH_H

enum CommandSwitch { SWITCH_NONE, SWITCH_NEXT, SWITCH_PREVIOUS, SWITCH_SKIP, SWITCH_RELOAD };

// The first argument that is "/next", "/previous", "/skip" or "/reload" (or
// the same with "-"), in any letter case, quoted or not; SWITCH_NONE when
// none is.
CommandSwitch parseCommandSwitch(const char* commandLine);

#endif
