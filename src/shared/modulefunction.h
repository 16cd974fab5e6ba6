// A function looked up at run time in a module: for what older Windows lack,
// and for libraries loaded only while they are used.
#ifndef VISTRELL_MODULEFUNCTION_H
#define VISTRELL_MODULEFUNCTION_H

#include <windows.h>

// NULL when the module is NULL or lacks the function. The cast goes through
// a plain function pointer, which the compiler allows for any other.
template <typename Proc> Proc moduleFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : NULL;
}

#endif
