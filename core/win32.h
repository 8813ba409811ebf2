#pragma once
// The Windows headers of the glue: the code that calls Windows. It is built
// for Windows only; windows.h comes first, the others build on its types.
#include <windows.h>

#include <commctrl.h>
#include <dbt.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <uxtheme.h>
