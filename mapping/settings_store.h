#pragma once

// Sets the six settings to their defaults, overlays the stored values and
// brings every one into range.
void loadSettings();

// Records the window position when usable and writes the six settings.
void saveSettings();

// Overlays a slot's stored mapping table on its mapping codes.
void loadMappingTable(int slot);

// Writes a slot's mapping codes.
void saveMappingTable(int slot);
