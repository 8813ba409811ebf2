#pragma once
#include "core/win32.h"

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// Tavlor's icon in the notification area, from start to exit: greyed while
// paused, its tooltip naming the state.
void addTrayIcon();
void removeTrayIcon();

// Brings the icon and its tooltip in line with the state; asks the shell
// only when they change.
void refreshTrayIcon();
