#pragma once
// The Windows headers of the glue: the code that calls Windows. It is built
// for Windows only.
#include <windows.h>
#include <mmsystem.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <shellapi.h>
#include <dbt.h>
