#include "gdiprobe.h"

#include "harness.h"

#include <psapi.h>

#include <string>

namespace {
const DWORD THREAD_TIMEOUT_MS = 60000;

// Where a module of the given file name is loaded in the process.
BYTE* moduleBase(HANDLE process, const char* name)
{
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &needed))
        return NULL;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
        char base[MAX_PATH] = "";
        GetModuleBaseNameA(process, modules[i], base, sizeof base);
        if (lstrcmpiA(base, name) == 0)
            return reinterpret_cast<BYTE*>(modules[i]);
    }
    return NULL;
}

// Runs start(argument) on a new thread of the process; its exit code, or
// ~0u when it did not run or end.
DWORD runThread(HANDLE process, void* start, void* argument)
{
    HANDLE thread = CreateRemoteThread(process, NULL, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), argument, 0,
                                       NULL);
    if (!thread)
        return ~0u;
    DWORD code = ~0u;
    if (WaitForSingleObject(thread, THREAD_TIMEOUT_MS) == WAIT_OBJECT_0)
        GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}
}  // namespace

GdiProbe::GdiProbe(HANDLE process, DWORD headroom) : process_(process), headroom_(headroom)
{
    std::string path = testDirectory() + "gdiprobe.dll";
    local_ = LoadLibraryA(path.c_str());
    BYTE* kernel = moduleBase(process, "kernel32.dll");
    HMODULE localKernel = GetModuleHandleA("kernel32.dll");
    void* remotePath = VirtualAllocEx(process, NULL, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (!local_ || !kernel || !remotePath ||
        !WriteProcessMemory(process, remotePath, path.c_str(), path.size() + 1, NULL))
        return;
    // The same system DLL in both processes: the same offset of its function.
    BYTE* loadLibrary =
        kernel + (reinterpret_cast<BYTE*>(GetProcAddress(localKernel, "LoadLibraryA")) -
                  reinterpret_cast<BYTE*>(localKernel));
    runThread(process, loadLibrary, remotePath);
    VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
    remoteBase_ = moduleBase(process, "gdiprobe.dll");
    ready_ = remoteBase_ && call("fillObjectTable", headroom) != ~0u;
}

GdiProbe::~GdiProbe()
{
    if (ready_)
        call("emptyObjectTable", 0);
    if (local_)
        FreeLibrary(local_);
}

DWORD GdiProbe::freeObjects()
{
    return call("countFreeObjects", 2 * headroom_);
}

DWORD GdiProbe::call(const char* function, DWORD argument)
{
    BYTE* here = reinterpret_cast<BYTE*>(GetProcAddress(local_, function));
    if (!here || !remoteBase_)
        return ~0u;
    BYTE* there = remoteBase_ + (here - reinterpret_cast<BYTE*>(local_));
    return runThread(process_, there, reinterpret_cast<void*>(static_cast<UINT_PTR>(argument)));
}
