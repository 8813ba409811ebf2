#pragma once
#include "core/win32.h"

// Start-up after the state record exists: the command line, one Tavlor at a
// time, picture, settings, common controls, window class and main window, the
// notification icon, then the message loop. Returns the exit code;
// every start-up failure returns 0 without a message.
int runTavlor(HINSTANCE instance, const wchar_t* commandLine);

// The message loop. A WM_QUIT that arrives while the window still lives is
// turned into an orderly close; the loop ends on the quit that the window's
// own destruction posts, and returns its wParam.
int runMessageLoop();
