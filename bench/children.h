// The programs the bench drives from outside: start one, wait until it is
// ready by a condition seen from here, read its memory, end it.
#ifndef VISTRELL_BENCH_CHILDREN_H
#define VISTRELL_BENCH_CHILDREN_H

#include "benchtime.h"

#include <windows.h>

struct Child {
    HANDLE process;
    DWORD id;
    HWND window;  // the window that its readiness was seen on
};

// Starts path with arguments (may be empty) in the program's own directory;
// with shareOutput the child writes to this program's standard output.
bool startChild(const char* path, const char* arguments, Child* child, bool shareOutput = false);

// What "ready" means for each program, polled from outside.
enum Readiness {
    READY_TRAY,    // a window of the class has its tray icon (identifier 666)
    READY_SHOWN,   // a window of the class (or title) is visible and not minimized
    READY_EDITOR,  // the editor's dialog is shown and its list holds the expected rows
};
struct ReadyCondition {
    Readiness kind;
    const char* className;  // READY_TRAY, READY_SHOWN
    int listRows;           // READY_EDITOR
};

// Polls every millisecond until the condition holds (true, child->window
// set) or the child ends or the time-out passes (false).
bool waitUntilReady(Child* child, const ReadyCondition& condition, DWORD timeoutMs);

// Waits until the child sits idle in its message loop.
bool waitUntilIdle(const Child& child);

// Private bytes (PrivateUsage, or PagefileUsage where the platform leaves
// that at 0 for another process) and working set of the child.
bool readMemory(const Child& child, double* privateBytes, double* workingSet);

// Asks the child's window to close and waits for the process to end; ends it
// by force (and answers false) when it does not go in time.
bool endChild(Child* child, HWND closeWindow);

#endif
