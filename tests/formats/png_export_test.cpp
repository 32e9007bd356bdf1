// SPDX-License-Identifier: GPL-3.0-or-later
// PNG export: every size option's geometry, the written file decoded by libpng equal to
// MixedImage enlarged, the mixed border colour, and a failed write.
#include "display/renderer.h"
#include "formats/png_export.h"
#include "support/png_decode.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

class PngExport : public testing::Test, public TempFolder {
protected:
    void SetUp() override {
        picture.BorderPair = {1, 2};
        RenderPicture(picture, images);
    }
    MgsImage picture = RandomPicture(4, 9);
    RenderImages images = RenderImages::Create();
};

TEST_F(PngExport, EveryOptionPlacesTheEnlargedPictureInsideItsBorder) {
    struct Expected {
        int width, height, scale, left, top;
    };
    // In the panel's order.
    const Expected expected[] = {
        {256, 192, 1, 0, 0},     {512, 384, 2, 0, 0},   {768, 576, 3, 0, 0},
        {1024, 768, 4, 0, 0},    {1280, 960, 5, 0, 0},  {320, 240, 1, 32, 24},
        {640, 480, 2, 64, 48},   {800, 600, 3, 16, 12}, {1024, 768, 3, 128, 96},
        {1280, 960, 4, 128, 96}, {384, 300, 1, 64, 64},
    };
    const QRgb border = PngBorderColour(picture);
    for (size_t i = 0; i < PngOptions.size(); ++i) {
        const PngOption& option = PngOptions[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(std::string(option.Caption));
        const QString name = QStringLiteral("option%1.png").arg(i + 1);
        ASSERT_EQ(ExportPng(images.MixedImage, border, option, Path(name)), QString());
        const DecodedPng png = DecodePng(Contents(name));
        EXPECT_EQ(std::tuple(png.colourType, png.bitDepth), std::tuple(2, 8)); // RGB, no alpha

        // Every pixel: the border outside the picture, inside it MixedImage enlarged in
        // whole squares.
        QImage want(e.width, e.height, QImage::Format_RGB32);
        want.fill(border);
        QPainter(&want).drawImage(e.left, e.top,
                                  images.MixedImage.copy(0, 0, 256, 192)
                                      .convertToFormat(QImage::Format_RGB32)
                                      .scaled(256 * e.scale, 192 * e.scale));
        EXPECT_EQ(png.image.convertToFormat(QImage::Format_RGB32), want);
    }
}

TEST_F(PngExport, AFailedWriteNamesTheFileAndLeavesTheOldOne) {
    const QString missing = Path(QStringLiteral("no/such/folder/pic.png"));
    const QString error =
        ExportPng(images.MixedImage, PngBorderColour(picture), PngOptions[0], missing);
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot write ") + missing)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(missing));

    Write("old.png", "old");
    ASSERT_EQ(ExportPng(images.MixedImage, 0, PngOptions[0], Path("old.png")), QString());
    EXPECT_EQ(DecodePng(Contents("old.png")).width, 256);
    EXPECT_FALSE(EncodePng(QImage(4, 4, QImage::Format_RGB32)).Error.isEmpty());
}

} // namespace
