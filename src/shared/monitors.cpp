#include "monitors.h"

#include <windows.h>

#include <string.h>

typedef BOOL(WINAPI* EnumMonitorsProc)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
typedef BOOL(WINAPI* MonitorInfoProc)(HMONITOR, LPMONITORINFO);
typedef BOOL(WINAPI* EnumSettingsExProc)(LPCSTR, DWORD, DEVMODEA*, DWORD);

template <typename Proc> static Proc userFunction(const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

// The display mode of a monitor's device: its place and its size in pixels.
static bool physicalRect(EnumSettingsExProc enumSettings, const char* device, LayoutRect* rect)
{
    DEVMODEA mode;
    memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    if (!enumSettings || !enumSettings(device, ENUM_CURRENT_SETTINGS, &mode, 0) ||
        (mode.dmFields & (DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT)) != (DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT) ||
        mode.dmPelsWidth == 0 || mode.dmPelsHeight == 0)
        return false;
    rect->left = mode.dmPosition.x;
    rect->top = mode.dmPosition.y;
    rect->right = static_cast<int32_t>(mode.dmPosition.x + static_cast<LONG>(mode.dmPelsWidth));
    rect->bottom = static_cast<int32_t>(mode.dmPosition.y + static_cast<LONG>(mode.dmPelsHeight));
    return true;
}

struct Enumeration {
    MonitorSet* monitors;
    MonitorInfoProc monitorInfo;
    EnumSettingsExProc enumSettings;
};

static BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    Enumeration* walk = reinterpret_cast<Enumeration*>(data);
    MonitorSet* set = walk->monitors;
    if (set->count >= MONITOR_LIMIT)
        return FALSE;
    MONITORINFOEXA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!walk->monitorInfo(monitor, &info))
        return TRUE;
    LayoutRect rect = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    physicalRect(walk->enumSettings, info.szDevice, &rect);
    // The primary goes first; the others keep the platform's order.
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        memmove(set->rects + 1, set->rects, sizeof set->rects[0] * set->count);
        set->rects[0] = rect;
    } else {
        set->rects[set->count] = rect;
    }
    ++set->count;
    return TRUE;
}

void measureMonitors(MonitorSet* monitors)
{
    monitors->count = 0;
    EnumMonitorsProc enumMonitors = userFunction<EnumMonitorsProc>("EnumDisplayMonitors");
    Enumeration walk = {monitors, userFunction<MonitorInfoProc>("GetMonitorInfoA"),
                        userFunction<EnumSettingsExProc>("EnumDisplaySettingsExA")};
    if (enumMonitors && walk.monitorInfo)
        enumMonitors(NULL, NULL, addMonitor, reinterpret_cast<LPARAM>(&walk));
    if (monitors->count > 0)
        return;
    // One screen: its display mode, or its metrics where that is not told.
    LayoutRect screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    DEVMODEA mode;
    memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode) && mode.dmPelsWidth && mode.dmPelsHeight) {
        screen.right = static_cast<int32_t>(mode.dmPelsWidth);
        screen.bottom = static_cast<int32_t>(mode.dmPelsHeight);
    }
    monitors->rects[0] = screen;
    monitors->count = 1;
}

LayoutRect virtualScreenOf(const MonitorSet& monitors)
{
    return boundingRect(monitors.rects, monitors.count);
}
