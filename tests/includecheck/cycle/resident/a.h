// Calls b, whose source calls back into a.
#include "b.h"
void a();
