#pragma once
// The Windows headers the product uses. The native test build finds a
// stand-in with the same names under tests/win32/include.
#include <windows.h>
#include <mmsystem.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <shellapi.h>
