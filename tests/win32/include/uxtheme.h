#pragma once
// Stand-in for the theme header, for the frame margins.
#include <windows.h>

struct MARGINS {
    int cxLeftWidth;
    int cxRightWidth;
    int cyTopHeight;
    int cyBottomHeight;
};
