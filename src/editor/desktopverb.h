// "Next desktop picture" in the desktop background's right-click menu (per
// user, Windows 7 and later), for those who unpacked the zip: the installer
// writes the same key for its users.
#ifndef VISTEDIT_DESKTOPVERB_H
#define VISTEDIT_DESKTOPVERB_H

bool desktopVerbPresent();

// Writes the verb (running VISTRELL.EXE beside the editor with /next) or
// deletes it; false when the registry refused.
bool setDesktopVerb(bool present);

#endif
