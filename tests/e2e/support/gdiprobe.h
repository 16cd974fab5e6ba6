// Counts the GDI objects another process holds, by running gdiprobe.dll's
// functions inside it (see tests/e2e/gdiprobe): its object table is filled
// up to a headroom, and the headroom is counted after each piece of work.
#ifndef VISTRELL_GDIPROBE_H
#define VISTRELL_GDIPROBE_H

#include <windows.h>

class GdiProbe {
public:
    // Loads the probe into the process and fills its table up to headroom
    // free objects.
    GdiProbe(HANDLE process, DWORD headroom);
    // Gives the filling back.
    ~GdiProbe();
    bool ready() const { return ready_; }
    // Objects the process can still make (at most twice the headroom).
    DWORD freeObjects();

private:
    DWORD call(const char* function, DWORD argument);
    HANDLE process_;
    HMODULE local_ = NULL;
    BYTE* remoteBase_ = NULL;
    DWORD headroom_;
    bool ready_ = false;
};

#endif
