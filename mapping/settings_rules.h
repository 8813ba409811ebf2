#pragma once
#include <cstdint>

#include "core/app_state.h"

// The rules that give stored settings their defaults, bring them into range
// and decide which window positions are worth keeping. No registry, no window.

constexpr int kMinScale = 1;
constexpr int kMaxScale = 4;
constexpr int kSettingCount = 9;

// A registry value and the field it is kept in.
struct StoredValue {
    const wchar_t* name;
    void* field;
    uint32_t size;
};

// The nine settings in the order they are read and written.
void listSettings(AppState& s, StoredValue (&values)[kSettingCount]);

// The mapping table of a controller slot 0..4 ("P1" to "P5").
StoredValue profileValue(AppState& s, int slot);

// Copies stored bytes over the start of the field, whatever their type. Bytes
// that do not fit the field leave it as it was.
void overlayStoredValue(const StoredValue& value, const uint8_t* bytes, uint32_t size);

// The modifier byte that Save stores for the boxes ticked (bit 0 Ctrl to bit 3
// Win): the stored byte itself while the boxes show what it holds, so that a
// byte written by something else stays as it was until its boxes change.
uint8_t savedModifierByte(uint8_t stored, uint8_t ticked);

// The settings before anything stored is read: Single, Medium, Curved, a
// scale that suits the primary screen and the window at (150, 100).
void setDefaultSettings(AppState& s, int32_t screenWidth, int32_t screenHeight);

// Brings the settings into range for a virtual screen of this size.
void settleSettings(AppState& s, int32_t virtualWidth, int32_t virtualHeight);

// A stored value that is one of the choices stands; any other is the first.
int32_t settleChoice(int32_t stored, const int32_t (&choices)[kClockChoices]);

// Clamps a requested window scale into 1..4.
int32_t clampWindowScale(int32_t requested);

// The scale that suits a primary screen: its shorter side in steps of 1080, 1..4.
int32_t screenScale(int32_t screenWidth, int32_t screenHeight);

// A stored left (or top) edge stands while some of the picture, `extent`
// pixels at scale 1, can be on the virtual screen; otherwise a quarter of
// the virtual screen's size replaces it.
int32_t settlePosition(int32_t stored, int32_t extent, int32_t scale, int32_t virtualSize);

// Whether the window's position at exit is worth recording: at most half the
// picture beyond the left edge and half its height above the top.
bool positionWorthSaving(const RECT& window, int32_t scale);
