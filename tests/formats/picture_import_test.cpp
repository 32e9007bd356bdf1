// SPDX-License-Identifier: GPL-3.0-or-later
// Picture import: every PNG export size read back to the same rendered picture at every
// char height, the three placements, and files that cannot be read.
#include "display/renderer.h"
#include "formats/picture_import.h"
#include "formats/png_export.h"
#include "support/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

#include <random>

#include <zlib.h>

namespace {

// A random picture the brightness rule allows: paper and ink of a screen both normal or
// both bright, as every picture drawn in the editor or read from a Spectrum screen is.
MgsImage RandomSpectrumPicture(int charHeight, unsigned seed) {
    std::mt19937 random(seed);
    MgsImage picture;
    picture.CharHeight = static_cast<uint8_t>(charHeight);
    picture.BorderPair = {1, 6};
    auto colour = [&](int bright) {
        const int number = static_cast<int>(random() % 8);
        return static_cast<uint8_t>(number == 0 ? 0 : 2 * number - 1 + bright);
    };
    for (int s = 0; s < 2; ++s) {
        for (auto& b : picture.PixelPlane[s])
            b = static_cast<uint8_t>(random());
        for (auto& cell : picture.AttrPlane[s]) {
            const int bright = static_cast<int>(random() % 2);
            cell = {colour(bright), colour(bright)};
        }
    }
    return picture;
}

QImage Mixed(const MgsImage& picture) {
    RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    return images.MixedImage.copy(0, 0, kPictureWidth, kPictureHeight);
}

class PictureImport : public testing::Test, public TempFolder {};

TEST_F(PictureImport, EveryPngExportReadsBackToTheSameRenderedPicture) {
    for (const int charHeight : {8, 4, 2, 1}) {
        const MgsImage picture = RandomSpectrumPicture(charHeight, 100 + charHeight);
        const QImage mixed = Mixed(picture);
        for (const PngOption& option : PngOptions) {
            const QString name = QStringLiteral("export%1.png").arg(option.Caption.data());
            Write(name, EncodePng(ComposePngImage(mixed, option, PngBorderColour(picture))).Bytes);
            const ImageImport back =
                ImportImageFile(Path(name), Placement::Fill, {charHeight, DitherMode::None});
            ASSERT_TRUE(back.Picture) << back.Error.toStdString();
            EXPECT_EQ(back.Picture->CharHeight, charHeight);
            EXPECT_EQ(Mixed(*back.Picture), mixed)
                << option.Caption << " at 8x" << charHeight << ": " << back.How.toStdString();
        }
    }
}

TEST_F(PictureImport, PlacesOtherSizesAsAsked) {
    // 512 x 192: red follows x / 2, green follows y.
    QImage wide(512, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y) {
        for (int x = 0; x < 512; ++x)
            wide.setPixel(x, y, qRgb(x / 2, y, 0));
    }
    struct Case {
        Placement placement;
        QPoint at;       // a pixel of the 256 x 192 result
        QRgb expected;   //
        const char* how; // part of the description
    };
    const Case cases[] = {
        {Placement::Fit, {10, 48 + 5}, qRgb(10, 11, 0), "fitted as 256 x 96 at 0, 48"},
        {Placement::Fill, {10, 5}, qRgb(69, 5, 0), "filled from its part 256 x 192 at 128, 0"},
        {Placement::Stretch, {10, 5}, qRgb(10, 5, 0), "stretched"},
    };
    for (const Case& c : cases) {
        const PlacedImage placed = PlaceImage(wide, c.placement);
        EXPECT_EQ(placed.Target.size(), QSize(256, 192));
        EXPECT_EQ(placed.Target.pixel(c.at), c.expected) << c.how;
        EXPECT_TRUE(placed.How.contains(QString::fromLatin1(c.how))) << placed.How.toStdString();
    }
}

TEST_F(PictureImport, UnreadableFilesGiveAnErrorNamingThem) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(Path("good.png")));
    Write("cut.png", Contents("good.png").left(60));
    Write("noise.jpg", QByteArray(5000, '\x5a'));
    // good.png with a header that promises 60000 x 60000 pixels: beyond the reader's limit.
    QByteArray huge = Contents("good.png");
    const QByteArray side = QByteArray::fromHex("0000ea60");
    huge.replace(16, 4, side).replace(20, 4, side);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.constData() + 12), 17);
    for (int i = 0; i < 4; ++i)
        huge[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
    Write("huge.png", huge);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.gif"));
    for (const char* name : {"missing.png", "cut.png", "noise.jpg", "huge.png", "folder.gif"}) {
        const ImageImport result = ImportImageFile(Path(name), Placement::Fit, {});
        EXPECT_FALSE(result.Picture) << name;
        EXPECT_TRUE(result.Error.startsWith("Cannot import " + Path(name) + ": "));
    }
}

} // namespace
