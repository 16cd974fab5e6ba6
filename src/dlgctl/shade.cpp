// "BorShade": raised panels, horizontal dividers and recessed frames drawn with
// the platform's edges. A shade has no behaviour: it is disabled and
// transparent to the mouse, so it never takes the focus, a click or a tab
// stop, and a click on a control lying under it reaches that control.
#include "bwcc.h"
#include "controls.h"

namespace {

// Dialog controls overlap without WS_CLIPSIBLINGS, and the order in which
// siblings repaint is not fixed, so each shade leaves out the siblings that
// lie in front of it whatever their place among the dialog's windows: raised
// panels are at the back, frames and dividers over them, every other control
// in front. Each point is then painted by exactly one window.
enum Layer { LAYER_PANEL, LAYER_LINE, LAYER_CONTROL };

int shadeKind(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE) & SHADE_KIND_MASK;
}

Layer layerOf(HWND window, ATOM shadeAtom)
{
    if (static_cast<ATOM>(GetClassLongA(window, GCW_ATOM)) != shadeAtom) return LAYER_CONTROL;
    return shadeKind(window) == SHADE_RAISED_PANEL ? LAYER_PANEL : LAYER_LINE;
}

void leaveOutSiblingsInFront(HWND window, HDC dc)
{
    ATOM shadeAtom = static_cast<ATOM>(GetClassLongA(window, GCW_ATOM));
    Layer own = layerOf(window, shadeAtom);
    for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling != NULL;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == window || !IsWindowVisible(sibling)) continue;
        if (layerOf(sibling, shadeAtom) <= own) continue;
        RECT covered;
        GetWindowRect(sibling, &covered);
        MapWindowPoints(NULL, window, reinterpret_cast<POINT*>(&covered), 2);
        ExcludeClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
    }
}

void paintShade(HWND window, HDC dc)
{
    RECT area;
    GetClientRect(window, &area);
    leaveOutSiblingsInFront(window, dc);

    // The same brush the dialog gives its labels and radio buttons, so that a
    // shade's gray is the dialog's gray.
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(window)));
    if (brush == NULL) brush = GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &area, brush);

    switch (shadeKind(window)) {
    case SHADE_RAISED_PANEL:
        DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
        break;
    case SHADE_RECESSED_FRAME:
        DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
        break;
    case SHADE_HORIZONTAL_DIVIDER: {
        // A dark line over a light one, across the middle, each a pixel
        // high at 100 % and as much more as the display is scaled.
        int middle = (area.top + area.bottom) / 2;
        int height = scaledForWindow(window, 1);
        RECT dark = {area.left, middle - height, area.right, middle};
        RECT light = {area.left, middle, area.right, middle + height};
        FillRect(dc, &dark, GetSysColorBrush(COLOR_BTNSHADOW));
        FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        break;
    }
    default:
        break;
    }
}

}  // namespace

LRESULT CALLBACK shadeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        // Disabled controls are skipped by the dialog's tab and arrow-key
        // navigation and by the mouse.
        LONG style = GetWindowLongA(window, GWL_STYLE);
        SetWindowLongA(window, GWL_STYLE, (style & ~WS_TABSTOP) | WS_DISABLED);
        return 0;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the whole shade
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        paintShade(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
