#include "a.h"
void a() {}
