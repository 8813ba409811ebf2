// Loads the settings and the five mapping tables from a registry key filled
// with arbitrary values and aborts when a setting is out of range, a table
// differs from its old bytes overlaid with a value that fits, a key handle is
// left open, or the settings do not survive a save and a second load.
//
// Input layout (every part optional; a short input ends the decoding):
//   byte 0       bit 0: the key exists even without values
//                bit 1: the key cannot be read
//                bit 2: the key cannot be written
//   bytes 1-16   SM_CXSCREEN, SM_CYSCREEN, SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN,
//                each a little-endian int32 (1920 x 1080 when missing)
//   then values: name byte (index into kNames, modulo; the registry takes
//                "size" and "x" for "Size" and "X"), type byte (the
//                registry type, any), size byte (below 128: 0..4, else 0..64),
//                then that many data bytes
#include "settings_fuzzer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/app_state.h"
#include "fake_registry.h"
#include "fake_win32.h"
#include "mapping/settings_store.h"

namespace {

const wchar_t* const kNames[] = {
    L"Trigger", L"MouseSpeed", L"MouseCurve", L"Size", L"X",  L"Y",        L"P1",   L"P2",    L"P3",
    L"P4",      L"P5",         L"",           L"P0",   L"P6", L"Trigger2", L"size", L"Sizes", L"x",
};
constexpr size_t kNameCount = sizeof(kNames) / sizeof(kNames[0]);
constexpr DWORD kMaxFuzzedValue = 64;
constexpr int32_t kPictureWidth = 484;
constexpr int32_t kPictureHeight = 175;
constexpr int32_t kFrameWidth = 5;

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "settings fuzzer: %s failed at line %d\n", #condition, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

class Reader {
  public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return offset_ >= size_; }
    bool byte(uint8_t& out) {
        if (offset_ >= size_) {
            return false;
        }
        out = data_[offset_++];
        return true;
    }
    bool int32(int32_t& out) {
        if (size_ - offset_ < 4) {
            return false;
        }
        uint32_t value = 0;
        std::memcpy(&value, data_ + offset_, 4);
        offset_ += 4;
        out = static_cast<int32_t>(value);
        return true;
    }
    // Up to `wanted` bytes, fewer when the input ends.
    size_t bytes(uint8_t* out, size_t wanted) {
        size_t count = size_ - offset_ < wanted ? size_ - offset_ : wanted;
        std::memcpy(out, data_ + offset_, count);
        offset_ += count;
        return count;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

void decodeRegistry(Reader& in) {
    uint8_t flags = 0;
    in.byte(flags);
    FakeRegistry& registry = fakeRegistry();
    registry.keyExists = (flags & 1) != 0;
    registry.readable = (flags & 2) == 0;
    registry.writable = (flags & 4) == 0;

    FakeWin32& win32 = fakeWin32();
    int32_t metrics[4] = {1920, 1080, 1920, 1080};
    for (int32_t& metric : metrics) {
        in.int32(metric);
    }
    win32.screenWidth = metrics[0];
    win32.screenHeight = metrics[1];
    win32.virtualWidth = metrics[2];
    win32.virtualHeight = metrics[3];

    uint8_t name = 0;
    uint8_t type = 0;
    uint8_t size = 0;
    while (in.byte(name) && in.byte(type) && in.byte(size)) {
        uint8_t data[kMaxFuzzedValue] = {};
        DWORD wanted = size < 128 ? size % 5u : size % (kMaxFuzzedValue + 1);
        DWORD got = static_cast<DWORD>(in.bytes(data, wanted));
        fakeRegistryStore(kNames[name % kNameCount], type, data, got);
    }
}

// A stored value reaches memory only when the key can be read and the value fits.
const FakeRegistryValue* readableValue(const wchar_t* name, DWORD room) {
    const FakeRegistry& registry = fakeRegistry();
    const FakeRegistryValue* value = fakeRegistryValue(name);
    if (!registry.keyExists || !registry.readable || value == nullptr || value->size > room) {
        return nullptr;
    }
    return value;
}

bool standsOrFallsBack(int32_t position, int32_t extent, int32_t scale, int32_t virtualSize) {
    int64_t low = -int64_t{extent} * scale;
    int64_t high = int64_t{virtualSize} - int64_t{kFrameWidth} * scale;
    return (low < position && position < high) || position == virtualSize / 4;
}

int32_t screenScale(int32_t width, int32_t height) {
    int32_t shorter = width >= height ? height : width;
    int32_t scale = shorter / 1080;
    return scale < 1 ? 1 : scale > 4 ? 4 : scale;
}

// Without a readable key the defaults stand as they are, unchecked.
void checkDefaults(const AppState& s) {
    const FakeWin32& win32 = fakeWin32();
    FUZZ_CHECK(s.triggerModes == 0);
    FUZZ_CHECK(s.mouseSpeed == 1);
    FUZZ_CHECK(s.mouseCurve == 1);
    FUZZ_CHECK(s.windowScale == screenScale(win32.screenWidth, win32.screenHeight));
    FUZZ_CHECK(s.windowX == 150 && s.windowY == 100);
}

void checkSettingsInRange(const AppState& s) {
    const FakeWin32& win32 = fakeWin32();
    FUZZ_CHECK(s.triggerModes <= 0xFFFu);
    FUZZ_CHECK(s.mouseSpeed >= 0 && s.mouseSpeed <= 2);
    FUZZ_CHECK(s.mouseCurve >= 0 && s.mouseCurve <= 1);
    FUZZ_CHECK(s.windowScale >= 1 && s.windowScale <= 4);
    FUZZ_CHECK(standsOrFallsBack(s.windowX, kPictureWidth, s.windowScale, win32.virtualWidth));
    FUZZ_CHECK(standsOrFallsBack(s.windowY, kPictureHeight, s.windowScale, win32.virtualHeight));
}

void checkHandlesClosed() {
    FUZZ_CHECK(fakeRegistryOpenHandles() == 0);
    FUZZ_CHECK(fakeRegistry().badCloses == 0);
}

const wchar_t* const kSettingNames[6] = {L"Trigger", L"MouseSpeed", L"MouseCurve",
                                         L"Size",    L"X",          L"Y"};

void settingsOf(const AppState& s, int32_t (&out)[6]) {
    out[0] = static_cast<int32_t>(s.triggerModes);
    out[1] = s.mouseSpeed;
    out[2] = s.mouseCurve;
    out[3] = s.windowScale;
    out[4] = s.windowX;
    out[5] = s.windowY;
}

} // namespace

void runSettingsCase(const uint8_t* data, size_t size) {
    resetFakeRegistry();
    fakeWin32().callCount = 0;
    Reader in(data, size);
    decodeRegistry(in);

    auto state = std::make_unique<AppState>();
    publishAppState(state.get());

    // The tables each slot should hold afterwards: the built-in ones, with a
    // value that fits laid over their first bytes.
    uint8_t expected[kControllerSlots][kMappingBytes];
    const wchar_t* const tableNames[kControllerSlots] = {L"P1", L"P2", L"P3", L"P4", L"P5"};
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        std::memcpy(expected[slot], state->profiles[slot].mappingCodes, kMappingBytes);
        const FakeRegistryValue* value = readableValue(tableNames[slot], kMappingBytes);
        if (value != nullptr) {
            std::memcpy(expected[slot], value->data, value->size);
        }
    }

    bool keyRead = fakeRegistry().keyExists && fakeRegistry().readable;
    loadSettings();
    if (keyRead) {
        checkSettingsInRange(*state);
    } else {
        checkDefaults(*state);
    }
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
        FUZZ_CHECK(std::memcmp(state->profiles[slot].mappingCodes, expected[slot], kMappingBytes) ==
                   0);
    }
    checkHandlesClosed();

    // What was loaded is written back as it is and, once checked, loads again
    // unchanged. (Defaults that stood unchecked may not pass the checks.)
    int32_t loaded[6];
    settingsOf(*state, loaded);
    saveSettings();
    checkHandlesClosed();
    if (fakeRegistry().writable) {
        for (int i = 0; i < 6; ++i) {
            const FakeRegistryValue* value = fakeRegistryValue(kSettingNames[i]);
            FUZZ_CHECK(value != nullptr && value->type == REG_DWORD && value->size == 4);
            FUZZ_CHECK(std::memcmp(value->data, &loaded[i], 4) == 0);
        }
        fakeRegistry().readable = true;
        loadSettings();
        checkSettingsInRange(*state);
        int32_t again[6];
        settingsOf(*state, again);
        FUZZ_CHECK(!keyRead || std::memcmp(loaded, again, sizeof(loaded)) == 0);
        checkHandlesClosed();
    }
    publishAppState(nullptr);
}

#ifndef TAVLOR_FUZZ_REPLAY
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runSettingsCase(data, size);
    return 0;
}
#endif
