// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's texts: coordinates, the Spectrum addresses and the bytes under the pointer.
#include "display/status_text.h"

#include <gtest/gtest.h>

namespace {

constexpr int kZoom = 4;

PointerInfoTexts TextAt(const MgsImage& picture, int x, int y) {
    const auto info = TakePointerInfo(picture, kZoom, 1, {x * kZoom + 1, y * kZoom + 3},
                                      PointerInfoVariant::Move);
    EXPECT_TRUE(info.has_value());
    return info ? PointerInfoText(*info) : PointerInfoTexts{};
}

TEST(StatusText, CoordinatesAndSpectrumAddresses) {
    const MgsImage empty;
    const PointerInfoTexts origin = TextAt(empty, 0, 0);
    EXPECT_EQ(origin.Ax + origin.Ay + origin.Bx + origin.By, "X:0Y:0Ax:0Ay:0");
    EXPECT_EQ(origin.Byte, "Adr: [#4000,#5800], Byte:#00/#00, Attr:#00/#00, AdrAdd:0,0");
    EXPECT_EQ(TextAt(empty, 255, 191).Byte,
              "Adr: [#57FF,#5AFF], Byte:#00/#00, Attr:#00/#00, AdrAdd:6143,767");
    EXPECT_TRUE(TextAt(empty, 0, 8).Byte.startsWith("Adr: [#4020,#5820]"));
    EXPECT_TRUE(TextAt(empty, 0, 1).Byte.startsWith("Adr: [#4100,#5800]"));
    EXPECT_TRUE(TextAt(empty, 0, 64).Byte.startsWith("Adr: [#4800,#5900]"));
}

TEST(StatusText, BytesOfBothScreensAndTheEffectiveAttribute) {
    MgsImage picture;
    picture.CharHeight = 2;
    picture.PixelPlane[0][PlaneIndex(7, 5)] = 0xA5;
    picture.PixelPlane[1][PlaneIndex(7, 5)] = 0x0C;
    picture.AttrPlane[0][PlaneIndex(7, 4)] = {2, 14}; // bright blue paper, bright white ink
    picture.AttrPlane[1][PlaneIndex(7, 4)] = {3, 0};
    picture.AttrPlane[0][PlaneIndex(7, 5)] = {9, 9}; // stored, not in effect
    const PointerInfoTexts texts = TextAt(picture, 58, 5);
    EXPECT_EQ(texts.By, "Ay:2");
    EXPECT_EQ(texts.Byte, "Adr: [#4507,#5807], Byte:#A5/#0C, Attr:#4F/#10, AdrAdd:1287,7");
    EXPECT_EQ(CellColoursAt(picture, kZoom, {58 * kZoom, 5 * kZoom}),
              (CharColours{Mix(2, 3), Mix(2, 0), Mix(14, 3), Mix(14, 0)}));

    EXPECT_FALSE(TakePointerInfo(picture, kZoom, 1, {256 * kZoom, 0}, PointerInfoVariant::Move));
    EXPECT_FALSE(CellColoursAt(picture, kZoom, {0, -1}));
}

} // namespace
