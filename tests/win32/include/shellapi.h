#pragma once
// Stand-in for the shell's ShellExecuteW.
#include <windows.h>

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR directory, INT show);
