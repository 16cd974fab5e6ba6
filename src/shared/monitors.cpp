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
    MonitorSet* monitors;    // in physical pixels where each one's mode tells them
    MonitorSet logical;      // as the platform's monitor rectangles give them
    MonitorInfoProc monitorInfo;
    EnumSettingsExProc enumSettings;
};

// Puts a monitor into a set: the primary first, the others in the
// platform's order. A full set keeps the primary and drops the last other.
static void addTo(MonitorSet* set, const LayoutRect& rect, bool primary)
{
    if (primary) {
        int moved = set->count < MONITOR_LIMIT ? set->count : MONITOR_LIMIT - 1;
        memmove(set->rects + 1, set->rects, sizeof set->rects[0] * moved);
        set->rects[0] = rect;
        set->count = moved + 1;
    } else if (set->count < MONITOR_LIMIT) {
        set->rects[set->count++] = rect;
    }
}

static BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    Enumeration* walk = reinterpret_cast<Enumeration*>(data);
    MONITORINFOEXA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!walk->monitorInfo(monitor, &info))
        return TRUE;
    bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    LayoutRect logical = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    // A monitor whose mode does not tell its place keeps the rectangle the
    // platform reports; the others keep their pixels.
    LayoutRect physical = logical;
    physicalRect(walk->enumSettings, info.szDevice, &physical);
    addTo(walk->monitors, physical, primary);
    addTo(&walk->logical, logical, primary);
    return TRUE;
}

// Both sets: physical (each monitor whose mode is told) and as reported.
// Without the platform's monitors, the one screen in each.
static void enumerateMonitors(MonitorSet* physical, MonitorSet* reported)
{
    physical->count = 0;
    EnumMonitorsProc enumMonitors = userFunction<EnumMonitorsProc>("EnumDisplayMonitors");
    Enumeration walk;
    walk.monitors = physical;
    walk.logical.count = 0;
    walk.monitorInfo = userFunction<MonitorInfoProc>("GetMonitorInfoA");
    walk.enumSettings = userFunction<EnumSettingsExProc>("EnumDisplaySettingsExA");
    if (enumMonitors && walk.monitorInfo)
        enumMonitors(NULL, NULL, addMonitor, reinterpret_cast<LPARAM>(&walk));
    *reported = walk.logical;
    if (physical->count > 0)
        return;
    // One screen: its display mode, or its metrics where that is not told.
    LayoutRect screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    reported->rects[0] = screen;
    reported->count = 1;
    DEVMODEA mode;
    memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode) && mode.dmPelsWidth && mode.dmPelsHeight) {
        screen.right = static_cast<int32_t>(mode.dmPelsWidth);
        screen.bottom = static_cast<int32_t>(mode.dmPelsHeight);
    }
    physical->rects[0] = screen;
    physical->count = 1;
}

void measureMonitors(MonitorSet* monitors)
{
    MonitorSet reported;
    enumerateMonitors(monitors, &reported);
}

void reportedMonitors(MonitorSet* monitors)
{
    MonitorSet physical;
    enumerateMonitors(&physical, monitors);
}

MeasureMonitorsProc measureMonitorsCall = measureMonitors;

LayoutRect virtualScreenOf(const MonitorSet& monitors)
{
    return boundingRect(monitors.rects, monitors.count);
}
