// The portable layer reaching up into the shared one.
#include "high.h"
