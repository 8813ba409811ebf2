#pragma once
#include "core/win32.h"

// True when no other Tavlor runs in this session; this process then holds
// the session's Tavlor mutex until it exits. Otherwise (also when the mutex
// exists but may not be opened) the running Tavlor's window, found by its
// class, is shown if it was hidden, restored if it was minimised, and it, or
// the dialog it has open, is brought to the front; the result is false.
bool claimSingleInstance(const wchar_t* className);
