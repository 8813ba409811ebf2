#include "input/emulation.h"

void emulateMouse() {}
