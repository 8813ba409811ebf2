#pragma once
#include "core/win32_types.h"

// Where a dialog of the given window rectangle sits when it is centred over
// `area` (its parent's window rectangle, or the work area).
POINT centeredPosition(const RECT& dialog, const RECT& area);

// A dialog of the given window rectangle placed at `at`, moved back inside
// `area` (the work area of its monitor) where it sticks out; one larger than
// the area keeps its top-left corner inside.
POINT keptInside(POINT at, const RECT& dialog, const RECT& area);
