#pragma once
#include "core/win32.h"

// True when no other Tavlor runs in this session; this process then holds
// the session's Tavlor mutex until it exits. Otherwise the running Tavlor's
// window (found by its class) is brought to the front, shown if it was
// hidden, restored if it was minimised, and the result is false.
bool claimSingleInstance(const wchar_t* className);
