#include "test_support.h"

// The record's defaults are what the rest of the program starts from.

TEST_F(TavlorTest, InputTableHoldsTheSixteenInputsInOrder) {
    const uint32_t masks[16] = {0x10000000, 0x20000000, 0x40000000, 0x80000000, 0x1, 0x2,
                                0x4,        0x8,        0x10,       0x20,       0x40, 0x80,
                                0x100,      0x200,      0x400,      0x800};
    for (int i = 0; i < 16; ++i) {
        const InputSlot& slot = state().inputTable[i];
        EXPECT_EQ(slot.mask, masks[i]) << i;
        EXPECT_EQ(slot.controlId, 1004 + i) << i;
        EXPECT_EQ(slot.repeatCountdown, 0u);
        uint32_t group = i < 4 ? 0 : static_cast<uint32_t>((i - 4) / 4);
        EXPECT_EQ(slot.groupModeMask, i < 4 ? 0u : 0xFu << (4 * group)) << i;
        EXPECT_EQ(slot.delayedModeMask, i < 4 ? 0u : 0x2u << (4 * group)) << i;
    }
}

TEST_F(TavlorTest, ControllerOneAndTwoWorkOutOfTheBox) {
    const uint8_t first[16] = {0x26, 0x28, 0x25, 0x27, 0x08, 0x0D, 0xA1, 0xA3,
                               0xA5, 0x20, 0x01, 0x09, 0,    0,    0,    0};
    const uint8_t second[16] = {0x68, 0x62, 0x64, 0x66, 0x60, 0x61, 0x63, 0x65};
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(state().profiles[0].mappingCodes[i], i < 16 ? first[i] : 0) << i;
        EXPECT_EQ(state().profiles[1].mappingCodes[i], i < 16 ? second[i] : 0) << i;
        for (int k = 2; k < 5; ++k) {
            EXPECT_EQ(state().profiles[k].mappingCodes[i], 0) << k;
        }
    }
    EXPECT_EQ(state().profiles[0].highlightColor, 0xFF00FF00u);
    EXPECT_EQ(state().profiles[4].frameColor, 0xFF8251D2u);
}

TEST_F(TavlorTest, EngineRecordsArePreparedForReuse) {
    EXPECT_EQ(state().joyInfo.dwSize, 52u);
    EXPECT_EQ(state().keyInput.type, static_cast<DWORD>(INPUT_KEYBOARD));
    EXPECT_EQ(state().mouseButtonInput.type, static_cast<DWORD>(INPUT_MOUSE));
    EXPECT_EQ(state().motionAxes, state().axes);
    EXPECT_EQ(state().wheelStep, 120.0f);
    EXPECT_EQ(state().viewDirty, 1);
    EXPECT_EQ(state().windowScale, 0);
    EXPECT_STREQ(state().appName, L"Tavlor");
    const BITMAPINFOHEADER& header = state().viewSurface.bitmapInfo.bmiHeader;
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biBitCount, 32);
    EXPECT_EQ(header.biXPelsPerMeter, 10000);
}

TEST_F(TavlorTest, LayoutFramesTileTheCanvas) {
    const RECT* r = state().layoutRects;
    long area = 0;
    for (int i = 16; i <= 20; ++i) {
        area += static_cast<long>(r[i].right - r[i].left) * (r[i].bottom - r[i].top);
    }
    EXPECT_EQ(area, 494L * 185L);
    EXPECT_EQ(r[21].right, 494);
    EXPECT_EQ(r[21].bottom, 185);
}
