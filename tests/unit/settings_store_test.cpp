#include "test_support.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>
#include <tuple>
#include <vector>

#include "fake_registry.h"
#include "mapping/settings_store.h"

namespace {

using Bytes = std::vector<uint8_t>;

const wchar_t* const kNames[] = {L"Trigger", L"MouseSpeed", L"MouseCurve", L"Size", L"X", L"Y"};
// What each setting loads as when the key does not hold it, at screen scale 1.
const int64_t kDefaults[] = {0, 1, 1, 1, 150, 100};
// Controller 1's built-in codes.
const Bytes kSlot0Codes = {38, 40, 37, 39, 8, 13, 161, 163, 165, 32, 1, 9, 0, 0, 0, 0};

int settingIndex(const wchar_t* name) {
    for (int i = 0; i < 6; ++i) {
        if (std::wcscmp(name, kNames[i]) == 0) {
            return i;
        }
    }
    ADD_FAILURE() << "no such setting";
    return 0;
}

void store(const wchar_t* name, DWORD type, const Bytes& bytes) {
    fakeRegistryStore(name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
}

Bytes stored(const wchar_t* name) {
    const FakeRegistryValue* value = fakeRegistryValue(name);
    return value == nullptr ? Bytes{} : Bytes(value->data, value->data + value->size);
}

int32_t storedInt(const wchar_t* name) {
    Bytes bytes = stored(name);
    int32_t result = INT32_MIN;
    if (bytes.size() == 4) {
        std::memcpy(&result, bytes.data(), 4);
    }
    return result;
}

class SettingsStoreTest : public TavlorTest {
  protected:
    void TearDown() override {
        EXPECT_EQ(fakeRegistryOpenHandles(), 0) << "a key handle was left open";
        EXPECT_EQ(fakeRegistry().badCloses, 0);
        TavlorTest::TearDown();
    }

    void screens(int width, int height, int virtualWidth, int virtualHeight) {
        fake().screenWidth = width;
        fake().screenHeight = height;
        fake().virtualWidth = virtualWidth;
        fake().virtualHeight = virtualHeight;
    }

    // The main window at (left, top) with the size of the current scale.
    void mainWindowAt(int left, int top) {
        int scale = state().windowScale;
        state().hwndMain = fakeBareWindow({left, top, left + 494 * scale, top + 185 * scale}, 0);
    }

    int64_t setting(int index) {
        const AppState& s = state();
        const int64_t values[] = {s.triggerModes, s.mouseSpeed, s.mouseCurve,
                                  s.windowScale,  s.windowX,    s.windowY};
        return values[index];
    }

    Bytes codes(int slot, int count = kMappingBytes) {
        const uint8_t* c = state().profiles[slot].mappingCodes;
        return {c, c + count};
    }
};

} // namespace

// --- Loading ---

TEST_F(SettingsStoreTest, WithoutAReadableKeyEverySettingTakesItsDefault) {
    // The window scale suits the shorter side of the primary screen, in steps of 1080.
    const int screenCases[][3] = {
        {1920, 1080, 1}, {3840, 2160, 2}, {2160, 3840, 2}, {1000, 700, 1}, {21600, 10800, 4}};
    for (int key = 0; key < 3; ++key) { // no key, an empty key, a key that cannot be read
        for (const auto& [width, height, scale] : screenCases) {
            SCOPED_TRACE(testing::Message() << "key " << key << ", " << width << "x" << height);
            SetUp();
            screens(width, height, width, height);
            fakeRegistry().keyExists = key > 0;
            if (key == 2) {
                fakeRegistryStoreDword(L"MouseSpeed", 2);
                fakeRegistryStoreDword(L"X", 600);
                fakeRegistry().readable = false;
            }
            state().mouseCurve = 0;
            state().windowX = state().windowY = 7;
            loadSettings();
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(setting(i), i == 3 ? scale : kDefaults[i]) << i;
            }
            EXPECT_EQ(fakeRegistry().createAttempts, 0) << "reading never creates the key";
        }
    }
}

TEST_F(SettingsStoreTest, StoredSettingsAreBroughtIntoRange) {
    using Loads = std::vector<std::pair<uint32_t, int64_t>>; // stored, loaded
    const std::pair<const wchar_t*, Loads> cases[] = {
        {L"Trigger", {{0x212, 0x212}, {0xFFFFF212u, 0x212}}},
        {L"MouseCurve", {{2, 0}, {0xFFFFFFFFu, 1}}},
        {L"MouseSpeed", {{2, 2}, {3, 0}, {uint32_t(-1), 2}, {uint32_t(-2), 1}, {uint32_t(-3), 0}}},
        {L"MouseSpeed", {{0x80000000u, 1}}},
        {L"Size", {{0, 1}, {uint32_t(-5), 1}, {4, 4}, {5, 4}}},
    };
    for (const auto& [name, loads] : cases) {
        for (const auto& [stored, loaded] : loads) {
            SCOPED_TRACE(testing::Message() << std::hex << stored << " for " << settingIndex(name));
            SetUp();
            fakeRegistryStoreDword(name, stored);
            loadSettings();
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(setting(i), i == settingIndex(name) ? loaded : kDefaults[i]) << i;
            }
        }
    }
}

// A stored edge stands while some of the picture (484 x 175 at scale 1) can be
// on the virtual screen; otherwise a quarter of the virtual screen replaces it.
TEST_F(SettingsStoreTest, APositionOutsideTheLoadBoundsFallsBackToAQuarterOfTheVirtualScreen) {
    const struct {
        int32_t size; // 0: no "Size" value
        int screen, virtualWidth, virtualHeight;
        int32_t x, y, loadedX, loadedY;
    } cases[] = {
        {0, 1080, 1920, 1080, -484, -175, 480, 270},
        {0, 1080, 1920, 1080, -483, -174, -483, -174},
        {0, 1080, 1920, 1080, 1915, 1075, 480, 270},
        {0, 1080, 1920, 1080, 1914, 1074, 1914, 1074},
        {0, 1080, 1920, 1080, INT32_MIN, INT32_MAX, 480, 270},
        {0, 1080, 3841, 1083, 3836, 1078, 960, 270}, // a quarter, truncated
        {2, 1080, 1920, 1080, -968, 1070, 480, 270},
        {2, 1080, 1920, 1080, -967, 1069, -967, 1069},
        {0, 2160, 3840, 2160, -968, 2150, 960, 540}, // no size: the screen's scale 2 counts
        {1, 2160, 3840, 2160, -968, 2154, 960, 2154},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetUp();
        screens(c.screen * 16 / 9, c.screen, c.virtualWidth, c.virtualHeight);
        if (c.size != 0) {
            fakeRegistryStoreDword(L"Size", static_cast<uint32_t>(c.size));
        }
        fakeRegistryStoreDword(L"X", static_cast<uint32_t>(c.x));
        fakeRegistryStoreDword(L"Y", static_cast<uint32_t>(c.y));
        loadSettings();
        EXPECT_EQ(state().windowX, c.loadedX);
        EXPECT_EQ(state().windowY, c.loadedY);
    }
}

// Values are copied byte for byte whatever their type; a shorter one overlays
// the start of its field, a longer one leaves the field alone.
TEST_F(SettingsStoreTest, AValueOverlaysOnlyTheBytesItHoldsIfItFits) {
    const std::tuple<const wchar_t*, DWORD, Bytes, int64_t> cases[] = {
        {L"Size", REG_DWORD, {0xFF}, 4},      // 255, not -1
        {L"X", REG_DWORD, {0xFF, 0xFF}, 960}, // 65535 is off the screen; -1 would stand
        {L"Y", REG_DWORD, {0x10, 0x00, 0x00}, 16},
        {L"MouseSpeed", REG_DWORD, {}, 1},
        {L"X", REG_DWORD, {0x2C, 0x01, 0, 0, 0}, 150}, // 300, but five bytes
        {L"MouseCurve", REG_BINARY, Bytes(64, 0), 1},
        {L"Trigger", REG_SZ, {0x31, 0x00, 0x32, 0x00}, 0x031}, // "12" in UTF-16
        {L"MouseSpeed", REG_BINARY, {0x02}, 2},
    };
    for (const auto& [name, type, bytes, loaded] : cases) {
        SetUp();
        screens(3840, 2160, 3840, 2160);
        store(name, type, bytes);
        loadSettings();
        EXPECT_EQ(setting(settingIndex(name)), loaded) << bytes.size() << " bytes, type " << type;
    }
}

// --- Saving ---

TEST_F(SettingsStoreTest, SavingWritesTheSixSettingsInOrderAsDwords) {
    state().triggerModes = 0x212;
    state().mouseSpeed = 2;
    state().windowScale = 3;
    mainWindowAt(-100, 40);
    saveSettings();
    const int32_t expected[] = {0x212, 2, 0, 3, -100, 40};
    ASSERT_EQ(fakeRegistry().writeCount, 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(fakeRegistry().writes[i].name, kNames[i]);
        EXPECT_EQ(fakeRegistry().writes[i].type, DWORD{REG_DWORD});
        EXPECT_EQ(storedInt(kNames[i]), expected[i]) << i;
    }
    EXPECT_EQ(fakeRegistry().lastCreateOptions, REG_OPTION_NON_VOLATILE);
}

// Minimised ('M'), or mostly off the screen: at most half the picture may be
// beyond the left edge, half its height above the top. '?': placement unknown.
TEST_F(SettingsStoreTest, AMinimisedOrHiddenWindowKeepsThePreviousPosition) {
    const std::tuple<char, int32_t, int32_t, int32_t, bool> cases[] = {
        {' ', 1, -241, -86, true},  {' ', 1, -242, 0, false},   {' ', 1, 0, -87, false},
        {' ', 1, 5000, 3000, true}, {' ', 2, -483, -174, true}, {' ', 2, -484, 0, false},
        {' ', 2, 0, -175, false},   {' ', 3, -725, -261, true}, {' ', 3, 0, -262, false},
        {'M', 1, 20, 10, false},    {'?', 1, 20, 10, true},
    };
    for (const auto& [placement, scale, left, top, taken] : cases) {
        SCOPED_TRACE(testing::Message()
                     << placement << " scale " << scale << " at " << left << ", " << top);
        SetUp();
        state().windowScale = scale;
        state().windowX = 400;
        state().windowY = 300;
        fake().placementShowCmd = placement == ' ' ? SW_SHOWNORMAL : SW_SHOWMINIMIZED;
        fake().windowPlacementFails = placement == '?';
        mainWindowAt(left, top);
        saveSettings();
        EXPECT_EQ(storedInt(L"X"), taken ? left : 400);
        EXPECT_EQ(storedInt(L"Y"), taken ? top : 300);
    }
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeWrittenIsLeftAsItWas) {
    for (bool keyExists : {false, true}) {
        SetUp();
        if (keyExists) {
            fakeRegistryStoreDword(L"MouseSpeed", 0);
        }
        fakeRegistry().writable = false;
        state().mouseSpeed = 2;
        state().windowScale = 1;
        mainWindowAt(30, 40);
        saveSettings();
        EXPECT_EQ(fakeRegistry().writeCount, 0);
        EXPECT_EQ(fakeRegistry().keyExists, keyExists);
        EXPECT_EQ(stored(L"MouseSpeed"), (keyExists ? Bytes{0, 0, 0, 0} : Bytes{}));
        EXPECT_EQ(state().mouseSpeed, 2);
    }
}

// --- Mapping tables ---

TEST_F(SettingsStoreTest, EachSlotLoadsAndSavesItsOwnTableWithTheReservedBytes) {
    const wchar_t* const names[] = {L"P1", L"P2", L"P3", L"P4", L"P5"};
    Bytes tables[kControllerSlots];
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        for (int i = 0; i < kMappingBytes; ++i) {
            tables[slot].push_back(static_cast<uint8_t>(slot * 40 + i + 1));
        }
        store(names[slot], REG_BINARY, tables[slot]);
    }
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
        EXPECT_EQ(codes(slot), tables[slot]) << "slot " << slot;
    }
    resetFakeRegistry();
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        saveMappingTable(slot);
        EXPECT_EQ(stored(names[slot]), tables[slot]) << "slot " << slot;
        EXPECT_STREQ(fakeRegistry().writes[slot].name, names[slot]);
        EXPECT_EQ(fakeRegistry().writes[slot].type, DWORD{REG_BINARY});
    }
}

TEST_F(SettingsStoreTest, WithoutTheKeyOrAValidSlotTheTablesStayAsTheyAre) {
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
    }
    EXPECT_EQ(codes(0, 16), kSlot0Codes);
    EXPECT_FALSE(fakeRegistry().keyExists);

    store(L"P1", REG_BINARY, Bytes(32, 0x55));
    const int opened = fakeRegistry().openAttempts;
    for (int slot : {-1, 5, INT_MIN, INT_MAX}) {
        loadMappingTable(slot);
        saveMappingTable(slot);
    }
    EXPECT_EQ(fakeRegistry().openAttempts, opened);
    EXPECT_EQ(fakeRegistry().createAttempts, 0);
    EXPECT_EQ(codes(0, 16), kSlot0Codes);
}

TEST_F(SettingsStoreTest, ATableValueOverlaysOnlyTheBytesItHoldsIfItFits) {
    std::memset(state().profiles[2].mappingCodes, 0x77, kMappingBytes);
    store(L"P3", REG_BINARY, {0x26, 0x28, 0x25, 0x27});
    store(L"P1", REG_BINARY, Bytes(33, 0x11));
    store(L"P2", REG_SZ, {0x41, 0x00, 0x42, 0x00, 0x00, 0x00}); // "AB" in UTF-16
    store(L"P4", REG_BINARY, {});
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
    }
    Bytes slot2(kMappingBytes, 0x77);
    std::memcpy(slot2.data(), "\x26\x28\x25\x27", 4);
    EXPECT_EQ(codes(2), slot2);
    EXPECT_EQ(codes(0, 16), kSlot0Codes);
    EXPECT_EQ(codes(3), Bytes(kMappingBytes, 0));
    EXPECT_EQ(codes(1, 8), (Bytes{0x41, 0, 0x42, 0, 0, 0, 99, 101}));
}
