#include "app/dialogs/dialog_placement.h"

POINT centeredPosition(const RECT& dialog, const RECT& area) {
    LONG x = area.left + ((area.right - area.left) - (dialog.right - dialog.left)) / 2;
    LONG y = area.top + ((area.bottom - area.top) - (dialog.bottom - dialog.top)) / 2;
    return {x, y};
}

namespace {

LONG keptInside(LONG at, LONG size, LONG low, LONG high) {
    if (at + size > high) {
        at = high - size;
    }
    return at < low ? low : at;
}

} // namespace

POINT keptInside(POINT at, const RECT& dialog, const RECT& area) {
    return {keptInside(at.x, dialog.right - dialog.left, area.left, area.right),
            keptInside(at.y, dialog.bottom - dialog.top, area.top, area.bottom)};
}
