#include "test_support.h"

#include <climits>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "fake_registry.h"
#include "mapping/settings_store.h"

namespace {

using Bytes = std::vector<uint8_t>;

const wchar_t* const kSettingNames[] = {L"Trigger", L"MouseSpeed", L"MouseCurve",
                                        L"Size",    L"X",          L"Y"};
const wchar_t* const kTableNames[] = {L"P1", L"P2", L"P3", L"P4", L"P5"};
// Controller 1's built-in codes: arrows, Backspace, Enter, Shift, Ctrl and Alt
// Right, Space, left mouse button, Tab.
const Bytes kSlot0Codes = {38, 40, 37, 39, 8, 13, 161, 163, 165, 32, 1, 9, 0, 0, 0, 0};

class SettingsStoreTest : public TavlorTest {
  protected:
    void SetUp() override {
        TavlorTest::SetUp();
        resetFakeRegistry();
    }
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

    std::vector<std::wstring> writtenNames() {
        std::vector<std::wstring> names;
        for (int i = 0; i < fakeRegistry().writeCount; ++i) {
            names.emplace_back(fakeRegistry().writes[i].name);
        }
        return names;
    }

    Bytes codes(int slot, int count = kMappingBytes) {
        const uint8_t* c = state().profiles[slot].mappingCodes;
        return {c, c + count};
    }
};

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

std::string narrow(const wchar_t* name) {
    return std::string(name, name + std::wcslen(name));
}

int64_t setting(const AppState& s, const wchar_t* name) {
    const int64_t values[] = {s.triggerModes, s.mouseSpeed, s.mouseCurve,
                              s.windowScale,  s.windowX,    s.windowY};
    for (int i = 0; i < 6; ++i) {
        if (std::wcscmp(name, kSettingNames[i]) == 0) {
            return values[i];
        }
    }
    ADD_FAILURE() << "no setting " << narrow(name);
    return 0;
}

// What a setting loads as when the key does not hold it, at screen scale 1.
int64_t defaultSetting(const wchar_t* name) {
    const int64_t defaults[] = {0, 1, 1, 1, 150, 100};
    for (int i = 0; i < 6; ++i) {
        if (std::wcscmp(name, kSettingNames[i]) == 0) {
            return defaults[i];
        }
    }
    return 0;
}

// --- Loading the settings ---

TEST_F(SettingsStoreTest, WithoutAReadableKeyEverySettingTakesItsDefault) {
    struct Screen {
        int width, height;
        int32_t scale;
    };
    const Screen screenCases[] = {
        {1920, 1080, 1}, {3840, 2160, 2}, {1080, 1920, 1},   {2160, 3840, 2},
        {1000, 700, 1},  {7680, 4320, 4}, {21600, 10800, 4},
    };
    const char* const keys[] = {"no key", "empty key", "unreadable key"};
    for (int key = 0; key < 3; ++key) {
        for (const Screen& screen : screenCases) {
            SCOPED_TRACE(testing::Message()
                         << keys[key] << ", " << screen.width << "x" << screen.height);
            SetUp();
            screens(screen.width, screen.height, screen.width, screen.height);
            fakeRegistry().keyExists = key > 0;
            if (key == 2) {
                fakeRegistryStoreDword(L"MouseSpeed", 2);
                fakeRegistryStoreDword(L"X", 600);
                fakeRegistry().readable = false;
            }
            state().mouseCurve = 0;
            state().windowX = state().windowY = 7;
            loadSettings();
            EXPECT_EQ(state().triggerModes, 0u);
            EXPECT_EQ(state().mouseSpeed, 1);
            EXPECT_EQ(state().mouseCurve, 1);
            EXPECT_EQ(state().windowScale, screen.scale);
            EXPECT_EQ(state().windowX, 150);
            EXPECT_EQ(state().windowY, 100);
            EXPECT_EQ(fakeRegistry().lastOpenAccess, KEY_QUERY_VALUE);
            EXPECT_EQ(fakeRegistry().createAttempts, 0) << "reading never creates the key";
        }
    }
}

TEST_F(SettingsStoreTest, StoredSettingsAreBroughtIntoRange) {
    struct Case {
        const wchar_t* name;
        std::vector<std::pair<uint32_t, int64_t>> storedAndLoaded;
    };
    const Case cases[] = {
        {L"Trigger", {{0x212, 0x212}, {0xFFFFF212u, 0x212}, {0x80000FFFu, 0xFFF}}},
        {L"MouseCurve", {{2, 0}, {3, 1}, {0xFFFFFFFFu, 1}}},
        {L"MouseSpeed", {{2, 2}, {3, 0}, {4, 1}, {5, 2}}},
        {L"MouseSpeed",
         {{uint32_t(-1), 2}, {uint32_t(-2), 1}, {uint32_t(-3), 0}, {0x80000000u, 1}}},
        {L"Size", {{0, 1}, {uint32_t(-5), 1}, {3, 3}, {4, 4}, {7, 4}, {0x80000000u, 1}}},
    };
    for (const Case& c : cases) {
        for (const auto& [stored, loaded] : c.storedAndLoaded) {
            SCOPED_TRACE(testing::Message() << narrow(c.name) << " = 0x" << std::hex << stored);
            SetUp();
            fakeRegistryStoreDword(c.name, stored);
            loadSettings();
            for (const wchar_t* name : kSettingNames) {
                bool same = std::wcscmp(name, c.name) == 0;
                EXPECT_EQ(setting(state(), name), same ? loaded : defaultSetting(name))
                    << narrow(name);
            }
        }
    }
}

TEST_F(SettingsStoreTest, APositionOutsideTheLoadBoundsFallsBackToAQuarterOfTheVirtualScreen) {
    struct Case {
        const char* label;
        int32_t size; // 0: no "Size" value
        int screenWidth, screenHeight, virtualWidth, virtualHeight;
        int32_t x, y, loadedX, loadedY;
    };
    const Case cases[] = {
        {"left and top", 0, 1920, 1080, 1920, 1080, -484, -175, 480, 270},
        {"inside left and top", 0, 1920, 1080, 1920, 1080, -483, -174, -483, -174},
        {"right and bottom", 0, 1920, 1080, 1920, 1080, 1915, 1075, 480, 270},
        {"inside right and bottom", 0, 1920, 1080, 1920, 1080, 1914, 1074, 1914, 1074},
        {"far away", 0, 1920, 1080, 1920, 1080, INT32_MIN, INT32_MAX, 480, 270},
        {"wider virtual screen", 0, 1920, 1080, 3841, 1083, 3835, 1077, 3835, 1077},
        {"quarter truncated", 0, 1920, 1080, 3841, 1083, 3836, 1078, 960, 270},
        {"size 2", 2, 1920, 1080, 1920, 1080, -968, 1070, 480, 270},
        {"size 2 inside", 2, 1920, 1080, 1920, 1080, -967, 1069, -967, 1069},
        {"size 2 right", 2, 1920, 1080, 1920, 1080, 1910, -350, 480, 270},
        {"size 2 right inside", 2, 1920, 1080, 1920, 1080, 1909, -349, 1909, -349},
        {"size 7 at 4", 7, 1920, 1080, 1920, 1080, -1936, -699, 480, -699},
        {"size 7 at 4 inside", 7, 1920, 1080, 1920, 1080, -1935, -700, -1935, 270},
        {"size 7 at 4 right", 7, 1920, 1080, 1920, 1080, 1900, 1060, 480, 270},
        {"no size, scale 2 screen", 0, 3840, 2160, 3840, 2160, -967, -349, -967, -349},
        {"no size, scale 2 bounds", 0, 3840, 2160, 3840, 2160, -968, 2150, 960, 540},
        {"size 1 on a scale 2 screen", 1, 3840, 2160, 3840, 2160, -968, 2154, 960, 2154},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
        screens(c.screenWidth, c.screenHeight, c.virtualWidth, c.virtualHeight);
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
    struct Case {
        const wchar_t* name;
        DWORD type;
        Bytes bytes;
        int64_t loaded;
    };
    const Case cases[] = {
        {L"Size", REG_DWORD, {0x03}, 3},
        {L"Size", REG_DWORD, {0xFF}, 4},      // 255, not -1
        {L"X", REG_DWORD, {0xFF, 0xFF}, 960}, // 65535 is off the screen; -1 would stand
        {L"Y", REG_DWORD, {0x10, 0x00, 0x00}, 16},
        {L"MouseSpeed", REG_DWORD, {}, 1},
        {L"X", REG_DWORD, {0x2C, 0x01, 0, 0, 0}, 150}, // 300, but five bytes
        {L"Y", REG_BINARY, Bytes(8, 0), 100},
        {L"Size", REG_DWORD, {0, 0, 0, 0, 0}, 2},
        {L"MouseCurve", REG_BINARY, Bytes(64, 0), 1},
        {L"Trigger", REG_SZ, {0x31, 0x00, 0x32, 0x00}, 0x031}, // "12" in UTF-16
        {L"Size", REG_SZ, {0x33, 0x00}, 4},                    // "3" is 0x33
        {L"MouseSpeed", REG_BINARY, {0x02}, 2},
        {L"MouseCurve", REG_NONE, {0x00}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << narrow(c.name) << ", type " << c.type << ", "
                                        << c.bytes.size() << " bytes");
        SetUp();
        screens(3840, 2160, 3840, 2160);
        store(c.name, c.type, c.bytes);
        loadSettings();
        EXPECT_EQ(setting(state(), c.name), c.loaded);
    }
}

// --- Saving the settings ---

TEST_F(SettingsStoreTest, SavingWritesTheSixSettingsInOrderAsFourByteDwords) {
    state().triggerModes = 0x212;
    state().mouseSpeed = 2;
    state().windowScale = 3;
    mainWindowAt(-100, 40);
    saveSettings();
    EXPECT_EQ(writtenNames(), std::vector<std::wstring>(kSettingNames, kSettingNames + 6));
    for (int i = 0; i < fakeRegistry().writeCount; ++i) {
        EXPECT_EQ(fakeRegistry().writes[i].type, DWORD{REG_DWORD});
        EXPECT_EQ(fakeRegistry().writes[i].size, 4u);
    }
    const int32_t expected[] = {0x212, 2, 0, 3, -100, 40};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(storedInt(kSettingNames[i]), expected[i]) << narrow(kSettingNames[i]);
    }
    EXPECT_EQ(fakeRegistry().lastCreateAccess, KEY_WRITE);
    EXPECT_EQ(fakeRegistry().lastCreateOptions, REG_OPTION_NON_VOLATILE);
}

TEST_F(SettingsStoreTest, AMinimisedWindowKeepsThePreviousPosition) {
    struct Case {
        const char* label;
        UINT showCmd;
        bool placementFails;
        bool taken;
    };
    const Case cases[] = {
        {"normal", SW_SHOWNORMAL, false, true},
        {"maximised", 3, false, true},
        {"minimised", SW_SHOWMINIMIZED, false, false},
        {"placement unknown", SW_SHOWMINIMIZED, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
        state().windowScale = 1;
        state().windowX = 400;
        state().windowY = 300;
        fake().placementShowCmd = c.showCmd;
        fake().windowPlacementFails = c.placementFails;
        mainWindowAt(20, 10); // a usable place, so only the placement decides
        saveSettings();
        EXPECT_EQ(storedInt(L"X"), c.taken ? 20 : 400);
        EXPECT_EQ(storedInt(L"Y"), c.taken ? 10 : 300);
    }
}

TEST_F(SettingsStoreTest, AWindowMostlyOffTheScreenKeepsThePreviousPosition) {
    struct Case {
        int32_t scale, left, top;
        bool taken;
    };
    const Case cases[] = {
        {1, -241, -86, true},  {1, -242, 0, false}, {1, 0, -87, false},    {1, 5000, 3000, true},
        {2, -483, -174, true}, {2, -484, 0, false}, {2, 0, -175, false},   {3, -725, -261, true},
        {3, -726, 0, false},   {3, 0, -262, false}, {4, -967, -349, true}, {4, 0, -350, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "scale " << c.scale << " at " << c.left << ", " << c.top);
        SetUp();
        state().windowScale = c.scale;
        state().windowX = 400;
        state().windowY = 300;
        mainWindowAt(c.left, c.top);
        saveSettings();
        EXPECT_EQ(storedInt(L"X"), c.taken ? c.left : 400);
        EXPECT_EQ(storedInt(L"Y"), c.taken ? c.top : 300);
    }
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeWrittenIsLeftAsItWas) {
    for (bool keyExists : {false, true}) {
        SCOPED_TRACE(keyExists ? "read-only key" : "no key, none can be made");
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

TEST_F(SettingsStoreTest, AFailedWriteOfOneValueDoesNotStopTheOthers) {
    fakeRegistry().rejectWriteOf = L"MouseCurve";
    state().windowScale = 2;
    mainWindowAt(10, 20);
    saveSettings();
    EXPECT_EQ(fakeRegistry().writeCount, 6);
    EXPECT_EQ(fakeRegistryValue(L"MouseCurve"), nullptr);
    EXPECT_EQ(storedInt(L"Size"), 2);
    EXPECT_EQ(storedInt(L"Y"), 20);
}

// --- Mapping tables ---

TEST_F(SettingsStoreTest, EachSlotLoadsAndSavesItsOwnValue) {
    Bytes tables[kControllerSlots];
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        for (int i = 0; i < kMappingBytes; ++i) {
            tables[slot].push_back(static_cast<uint8_t>(slot * 40 + i + 1));
        }
        store(kTableNames[slot], REG_BINARY, tables[slot]);
    }
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
        EXPECT_EQ(codes(slot), tables[slot]) << "slot " << slot;
    }
    resetFakeRegistry();
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        saveMappingTable(slot);
        EXPECT_EQ(stored(kTableNames[slot]), tables[slot]) << "slot " << slot;
        EXPECT_EQ(fakeRegistry().writes[slot].type, DWORD{REG_BINARY});
    }
    EXPECT_EQ(writtenNames(), std::vector<std::wstring>(kTableNames, kTableNames + 5));
}

TEST_F(SettingsStoreTest, WithoutTheKeyOrAValidSlotTheTablesStayAsTheyAre) {
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
    }
    EXPECT_EQ(codes(0, 16), kSlot0Codes);
    EXPECT_EQ(codes(1, 2), (Bytes{104, 98})); // Numpad 8, Numpad 2
    EXPECT_FALSE(fakeRegistry().keyExists);

    store(L"P1", REG_BINARY, Bytes(32, 0x55));
    int opened = fakeRegistry().openAttempts;
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
    store(L"P5", REG_BINARY, Bytes(64, 0x11));
    store(L"P2", REG_SZ, {0x41, 0x00, 0x42, 0x00, 0x00, 0x00}); // "AB" in UTF-16
    store(L"P4", REG_BINARY, {});
    for (int slot = 0; slot < kControllerSlots; ++slot) {
        loadMappingTable(slot);
    }
    Bytes slot2(kMappingBytes, 0x77);
    std::memcpy(slot2.data(), "\x26\x28\x25\x27", 4);
    EXPECT_EQ(codes(2), slot2);
    EXPECT_EQ(codes(0, 16), kSlot0Codes);
    EXPECT_EQ(codes(4), Bytes(kMappingBytes, 0));
    EXPECT_EQ(codes(3), Bytes(kMappingBytes, 0));
    EXPECT_EQ(codes(1, 8), (Bytes{0x41, 0, 0x42, 0, 0, 0, 99, 101}));
}

TEST_F(SettingsStoreTest, ASavedTableKeepsTheReservedBytesItWasLoadedWith) {
    Bytes table;
    for (int i = 0; i < kMappingBytes; ++i) {
        table.push_back(static_cast<uint8_t>(0xA0 + i));
    }
    store(L"P1", REG_BINARY, table);
    loadMappingTable(0);
    state().profiles[0].mappingCodes[0] = 0x41;
    saveMappingTable(0);
    table[0] = 0x41;
    EXPECT_EQ(stored(L"P1"), table);
}

TEST_F(SettingsStoreTest, AFailedTableSaveStillChangesTheTableForThisRun) {
    Bytes old(kMappingBytes, 0);
    old[0] = 0x26;
    store(L"P1", REG_BINARY, old);
    fakeRegistry().writable = false;
    state().profiles[0].mappingCodes[0] = 0x57;
    saveMappingTable(0);
    EXPECT_EQ(codes(0, 1), Bytes{0x57});
    EXPECT_EQ(fakeRegistry().writeCount, 0);
    loadMappingTable(0); // as at the next start
    EXPECT_EQ(codes(0), old);
}

} // namespace
