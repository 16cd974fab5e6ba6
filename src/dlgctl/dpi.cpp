#include "bwcc.h"

typedef UINT(WINAPI* DpiForWindowProc)(HWND);

// The designed scale, at which a pixel is a pixel.
const int DESIGN_DPI = 96;

UINT windowDpi(HWND window)
{
    static DpiForWindowProc dpiForWindow;
    static bool looked;
    if (!looked) {
        dpiForWindow = reinterpret_cast<DpiForWindowProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
        looked = true;
    }
    UINT dpi = dpiForWindow ? dpiForWindow(window) : 0;
    if (dpi == 0) {
        HDC screen = GetDC(NULL);
        dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(NULL, screen);
    }
    return dpi ? dpi : DESIGN_DPI;
}

int scaledForWindow(HWND window, int pixelsAt96)
{
    return MulDiv(pixelsAt96, static_cast<int>(windowDpi(window)), DESIGN_DPI);
}
