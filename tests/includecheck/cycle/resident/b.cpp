#include "b.h"
#include "a.h"
void b() { a(); }
