#pragma once

// Whether Windows starts this Tavlor at sign-in: the Run value "Tavlor" of the
// current user exists and names this exe.
bool startsWithWindows();

// Writes that value (this exe, quoted, with /background) or deletes it.
void setStartWithWindows(bool start);
