#pragma once

// Windows' timer clock runs at 15.6 ms unless a program asks for better, and
// then a 20 ms timer fires only every other clock tick, about every 31 ms.
// While the main window exists Tavlor asks for 1 ms, and asks Windows 11 not
// to take that back when the window is hidden or covered.
void beginFineTicks();
void endFineTicks();
