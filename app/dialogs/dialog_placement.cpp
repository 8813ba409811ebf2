#include "app/dialogs/dialog_placement.h"

POINT centeredPosition(const RECT& dialog, const RECT& area) {
    LONG x = area.left + ((area.right - area.left) - (dialog.right - dialog.left)) / 2;
    LONG y = area.top + ((area.bottom - area.top) - (dialog.bottom - dialog.top)) / 2;
    return {x, y};
}
