#include "core/app_state.h"
#include "core/win32.h"
#include "input/scan_codes.h"

// MapVirtualKeyW answers with the plain make code of the current layout; the
// keys it is asked about never carry the E0 prefix.
void loadScanCodes() {
    AppState& s = appState();
    fillFixedScanCodes(s.keyScanCodes);
    for (UINT key = 0; key < kVirtualKeyCount; ++key) {
        if (fixedScanCode(static_cast<uint8_t>(key)) == kScanFromLayout) {
            s.keyScanCodes[key] =
                static_cast<uint16_t>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC) & 0xFF);
        }
    }
}
