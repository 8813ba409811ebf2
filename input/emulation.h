#pragma once

// Injects the key and mouse-button events of this tick's inputs.
void emulateButtons();

// Moves the pointer and turns the wheel from the pointer controller's stick.
void emulateMouse();
