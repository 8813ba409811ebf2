#pragma once
#include "core/win32_types.h"

// Where a dialog of the given window rectangle sits when it is centred over
// `area` (its parent's window rectangle, or the work area).
POINT centeredPosition(const RECT& dialog, const RECT& area);
