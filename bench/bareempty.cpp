// The smallest static Win32 program with the shipped programs' flags: what
// any program of ours weighs on disk before it does anything.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
