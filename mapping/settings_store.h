#pragma once

// Sets the settings to their defaults, overlays the stored values and
// brings every one into range.
void loadSettings();

// Records the window position when usable and writes the settings.
void saveSettings();

// Overlays a slot's stored mapping table on its mapping codes.
void loadMappingTable(int slot);

// Writes a slot's mapping codes.
void saveMappingTable(int slot);

// Makes the named program the remembered one and reads what Tavlor keeps for
// it (under Programs\<name>); what is not stored, or does not fit, stays as
// it starts: no pause and the general tables.
void loadProgramSettings(const wchar_t* name);

// Write the remembered program's Pause, or its own table of a slot.
void saveProgramPause();
void saveProgramTable(int slot);

// Deletes the remembered program's own tables of every slot.
void removeProgramTables();
