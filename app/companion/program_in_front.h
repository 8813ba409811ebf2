#pragma once

// Follows the foreground window, once a tick. Only when it moved to another
// process does anything happen: whatever Tavlor holds goes up at once, before
// anything else is sent, and the program now in front (its process's file
// name) is looked up with its settings. Tavlor's own windows count as a
// program of their own; a process that cannot be opened, or any program while
// Map Buttons Here is open, counts as one without settings.
void followForeground();
