#pragma once
// Stand-in for the common controls.
#include <windows.h>

#define ICC_WIN95_CLASSES 0x000000FFu

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
