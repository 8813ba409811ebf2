#pragma once
#include "core/win32.h"

// Fills the sixteen lists of the open Map Buttons dialog with the key
// catalogue, each showing its input's code in the slot the dialog edits, and
// ticks the modifier boxes beside each list as the table holds them.
void fillMapButtons(HWND dialog);

// Save, Cancel and Enter in the Map Buttons dialog; FALSE for anything else.
INT_PTR onMapButtonsCommand(HWND dialog, WPARAM wParam);

// An input pressed on the controller while Map Buttons is open takes the
// keyboard focus to that input's list.
void focusPressedInput();
