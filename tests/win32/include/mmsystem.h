#pragma once
// Stand-in for the multimedia joystick interface.
#include <windows.h>

typedef UINT MMRESULT;

#define JOYERR_NOERROR 0
#define JOYERR_BASE 160
#define JOYERR_PARMS (JOYERR_BASE + 5)
#define JOYERR_UNPLUGGED (JOYERR_BASE + 7)
#define JOY_RETURNALL 0x000000FFu
#define JOY_POVCENTERED 0xFFFFu
#define JOYCAPS_HASZ 0x0001u
#define JOYCAPS_HASR 0x0002u
#define JOYCAPS_HASPOV 0x0010u

struct JOYCAPSW {
    WORD wMid;
    WORD wPid;
    WCHAR szPname[32];
    UINT wXmin;
    UINT wXmax;
    UINT wYmin;
    UINT wYmax;
    UINT wZmin;
    UINT wZmax;
    UINT wNumButtons;
    UINT wPeriodMin;
    UINT wPeriodMax;
    UINT wRmin;
    UINT wRmax;
    UINT wUmin;
    UINT wUmax;
    UINT wVmin;
    UINT wVmax;
    UINT wCaps;
    UINT wMaxAxes;
    UINT wNumAxes;
    UINT wMaxButtons;
    WCHAR szRegKey[32];
    WCHAR szOEMVxD[260];
};

struct JOYINFOEX {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwXpos;
    DWORD dwYpos;
    DWORD dwZpos;
    DWORD dwRpos;
    DWORD dwUpos;
    DWORD dwVpos;
    DWORD dwButtons;
    DWORD dwButtonNumber;
    DWORD dwPOV;
    DWORD dwReserved1;
    DWORD dwReserved2;
};

UINT joyGetNumDevs();
MMRESULT joyGetDevCapsW(UINT_PTR id, JOYCAPSW* caps, UINT size);
MMRESULT joyGetPosEx(UINT id, JOYINFOEX* info);
