#include "display/status_text.h"

#include <gtest/gtest.h>

namespace {

constexpr int kZoom = 4;

PointerInfoTexts TextAt(const MgsImage& picture, int x, int y,
                        PointerInfoVariant variant = PointerInfoVariant::Move, int paintSize = 1) {
    const auto info =
        TakePointerInfo(picture, kZoom, paintSize, {x * kZoom + 1, y * kZoom + 3}, variant);
    EXPECT_TRUE(info.has_value());
    return info ? PointerInfoText(*info) : PointerInfoTexts{};
}

TEST(StatusText, TopLeftOfAnEmptyPicture) {
    const PointerInfoTexts texts = TextAt(MgsImage{}, 0, 0);
    EXPECT_EQ(texts.Ax, "X:0");
    EXPECT_EQ(texts.Ay, "Y:0");
    EXPECT_EQ(texts.Bx, "Ax:0");
    EXPECT_EQ(texts.By, "Ay:0");
    EXPECT_EQ(texts.Byte, "Adr: [#4000,#5800], Byte:#00/#00, Attr:#00/#00, AdrAdd:0,0");
}

TEST(StatusText, SpectrumAddressesFollowTheScreenLayout) {
    const MgsImage picture;
    EXPECT_EQ(TextAt(picture, 255, 191).Byte,
              "Adr: [#57FF,#5AFF], Byte:#00/#00, Attr:#00/#00, AdrAdd:6143,767");
    EXPECT_TRUE(TextAt(picture, 0, 8).Byte.startsWith("Adr: [#4020,#5820]"));
    EXPECT_TRUE(TextAt(picture, 0, 8).Byte.endsWith("AdrAdd:32,32"));
    EXPECT_TRUE(TextAt(picture, 0, 1).Byte.startsWith("Adr: [#4100,#5800]"));
    EXPECT_TRUE(TextAt(picture, 0, 64).Byte.startsWith("Adr: [#4800,#5900]"));
}

TEST(StatusText, BytesOfBothScreensAndTheEffectiveAttribute) {
    MgsImage picture;
    picture.CharHeight = 2;
    const int x = 8 * 7 + 2, y = 5;
    picture.PixelPlane[0][PlaneIndex(7, y)] = 0xA5;
    picture.PixelPlane[1][PlaneIndex(7, y)] = 0x0C;
    picture.AttrPlane[0][PlaneIndex(7, 4)] = {2, 14}; // bright blue paper, bright white ink
    picture.AttrPlane[1][PlaneIndex(7, 4)] = {3, 0};
    picture.AttrPlane[0][PlaneIndex(7, 5)] = {9, 9}; // stored but not in effect
    const PointerInfoTexts texts = TextAt(picture, x, y);
    EXPECT_EQ(texts.By, "Ay:2");
    EXPECT_EQ(texts.Byte, "Adr: [#4507,#5807], Byte:#A5/#0C, Attr:#4F/#10, AdrAdd:1287,7");

    const auto colours = CellColoursAt(picture, kZoom, {x * kZoom, y * kZoom});
    ASSERT_TRUE(colours.has_value());
    EXPECT_EQ(*colours, (CharColours{Mix(2, 3), Mix(2, 0), Mix(14, 3), Mix(14, 0)}));
}

TEST(StatusText, PaintFormSnapsXAndHasABlankAfterEachColon) {
    const PointerInfoTexts texts = TextAt(MgsImage{}, 14, 100, PointerInfoVariant::Paint, 4);
    EXPECT_EQ(texts.Ax, "X: 12");
    EXPECT_EQ(texts.Ay, "Y: 100");
    EXPECT_EQ(texts.Bx, "Ax: 1");
    EXPECT_EQ(texts.By, "Ay: 12");
    EXPECT_EQ(TextAt(MgsImage{}, 14, 100, PointerInfoVariant::Move, 4).Ax, "X:14");
}

TEST(StatusText, NothingOutsideTheView) {
    EXPECT_FALSE(TakePointerInfo(MgsImage{}, kZoom, 1, {256 * kZoom, 0}, PointerInfoVariant::Move));
    EXPECT_FALSE(TakePointerInfo(MgsImage{}, kZoom, 1, {0, -1}, PointerInfoVariant::Move));
    EXPECT_FALSE(CellColoursAt(MgsImage{}, kZoom, {0, 192 * kZoom}));
}

} // namespace
