// The C runtime's report of a failed maths function (a message printed to
// a console these windowed programs do not have) in its quiet form: the
// programs call no maths function that fails, and its texts and printing
// would take half a kilobyte of each program.
#include <math.h>

extern "C" int _matherr(struct _exception*)
{
    return 0;
}

// The start-up code's patcher of references to data imported from a DLL
// (pseudo-relocations), in its empty form: the programs import no data,
// and the linker's script refuses a program that would (programs.ld). Its
// own form, with its failure texts, would take a kilobyte of each program.
extern "C" void _pei386_runtime_relocator()
{
}
