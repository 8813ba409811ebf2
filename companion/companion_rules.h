#pragma once
#include <cstddef>
#include <cstdint>

#include "core/app_state.h"

// The decisions of Tavlor's life beside other programs: the notification
// icon's tooltip and look, the command line, the Run value that starts
// Tavlor with Windows, and which programs Tavlor can reach. No Windows calls.

// "Tavlor: paused", "Tavlor: cannot reach <name> (administrator)",
// "Tavlor: no controller" or "Tavlor: controller <n>", in that order of weight.
void trayTipText(const AppState& s, wchar_t (&tip)[kTrayTipChars]);

// Brings the icon's look (grey while paused) and its tooltip in `s` up to
// date; true when either changed, so that the shell has to be told.
bool updateTrayLook(AppState& s);

// Turns icon pixels (0xAARRGGBB) into their grey, keeping each one's alpha.
void greyPixels(uint32_t* pixels, size_t count);

struct LaunchOptions {
    bool background;       // "/background": start with the window hidden
    uint32_t afterProcess; // "/after <pid>": wait for that process to end first; 0 none
};

// Reads the command line (without the program's own name); what it does not
// know, or cannot read, is ignored.
LaunchOptions parseLaunchOptions(const wchar_t* commandLine);

// The Run value for this exe: its path in quotes, then " /background".
// False when it does not fit.
bool composeRunValue(const wchar_t* exePath, wchar_t* value, size_t capacity);

// Whether a Run value starts this exe: its first word (quoted or not) is
// this exe's path, whatever the case of its letters.
bool runValueNamesExe(const wchar_t* value, const wchar_t* exePath);

// Windows drops input injected into a program of a higher integrity level. A
// program whose level cannot be read (its token cannot be opened, as an
// elevated program's cannot from a normal one) counts as out of reach.
bool outOfReach(uint32_t ownLevel, bool levelRead, uint32_t programLevel);
