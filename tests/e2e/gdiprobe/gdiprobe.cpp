// Loaded into a program under test, where its functions run on threads the
// test starts, to count the GDI objects the program holds, which the platform
// cannot tell (Wine's GetGuiResources answers 0). The object table is filled
// until only a small headroom is left; the headroom, counted again after the
// work under test, shrinks by every object the work kept.
#include <windows.h>

namespace {
const DWORD FILLER_LIMIT = 1 << 20;
HBITMAP* filler = NULL;
DWORD held = 0;
}  // namespace

// Fills the table until it runs out, then gives back headroom objects.
// Returns the number of objects kept.
extern "C" __declspec(dllexport) DWORD WINAPI fillObjectTable(void* headroom)
{
    if (!filler)
        filler = static_cast<HBITMAP*>(HeapAlloc(GetProcessHeap(), 0, FILLER_LIMIT * sizeof(HBITMAP)));
    if (!filler)
        return 0;
    while (held < FILLER_LIMIT) {
        HBITMAP one = CreateBitmap(1, 1, 1, 1, NULL);
        if (!one)
            break;
        filler[held++] = one;
    }
    for (DWORD left = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(headroom)); left > 0 && held > 0; --left)
        DeleteObject(filler[--held]);
    return held;
}

// The number of objects that can still be made, up to limit.
extern "C" __declspec(dllexport) DWORD WINAPI countFreeObjects(void* limit)
{
    DWORD most = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(limit));
    HBITMAP* made = static_cast<HBITMAP*>(HeapAlloc(GetProcessHeap(), 0, (most + 1) * sizeof(HBITMAP)));
    if (!made)
        return 0;
    DWORD count = 0;
    while (count < most && (made[count] = CreateBitmap(1, 1, 1, 1, NULL)) != NULL)
        ++count;
    for (DWORD i = 0; i < count; ++i)
        DeleteObject(made[i]);
    HeapFree(GetProcessHeap(), 0, made);
    return count;
}

// Gives every object of the filling back.
extern "C" __declspec(dllexport) DWORD WINAPI emptyObjectTable(void*)
{
    while (held > 0)
        DeleteObject(filler[--held]);
    return 0;
}
