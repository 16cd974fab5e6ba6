// "Add Folder...": one folder of pictures as one entry of the list.
#ifndef VISTEDIT_ADDFOLDER_H
#define VISTEDIT_ADDFOLDER_H

#include <windows.h>

// Asks for a folder with the platform's folder picker (new shell only) and
// adds it as the list's last row, its path lower-cased and ended by a
// backslash. Returns 0 only when the list is full, before asking.
int addFolderFromPicker(HWND owner);

#endif
