// Installs one bitmap or picture as the wallpaper through the programs' own applier:
//   applytool.exe PATH [MODE [X Y]]
// Used by the run command to show a sample, and by the end-to-end tests.
#include "oldshell.h"
#include "wallpaper.h"
#include "wallpaperfile.h"

#include <windows.h>

#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    detectOldShell();
    int mode = argc > 2 ? atoi(argv[2]) : POSITION_CENTER;
    int x = argc > 4 ? atoi(argv[3]) : 0;
    int y = argc > 4 ? atoi(argv[4]) : 0;
    applyWallpaperFile(argv[1], mode, x, y);
    return 0;
}
