#include "input/emulation.h"

void emulateButtons() {}
