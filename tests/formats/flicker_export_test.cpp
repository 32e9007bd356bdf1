// SPDX-License-Identifier: GPL-3.0-or-later
// The two screens as a flickering GIF: two looping frames at 20 ms.
#include "formats/flicker_export.h"
#include "support/test_pictures.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

MgsImage Picture() {
    MgsImage picture = RandomPicture(4, 3);
    picture.BorderPair = {2, 5}; // red on screen 0, cyan on screen 1
    return picture;
}

TEST(FlickerExport, TheGifIsTwoLoopingFramesOfTheScreensAt20Ms) {
    const MgsImage picture = Picture();
    for (const PngOption& option : {PngOptions[0], PngOptions[9]}) {
        GifBytes gif = EncodeFlickerGif(picture, option);
        ASSERT_EQ(gif.Error, QString());
        QBuffer buffer(&gif.Bytes);
        QImageReader reader(&buffer, "gif");
        ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
        EXPECT_EQ(reader.imageCount(), 2);
        EXPECT_EQ(reader.loopCount(), -1); // for ever
        for (int s = 0; s < 2; ++s) {
            const QImage frame = reader.read();
            EXPECT_EQ(reader.nextImageDelay(), 20);
            EXPECT_EQ(frame.convertToFormat(QImage::Format_RGB888),
                      ComposeScreenImage(picture, s, option))
                << "frame " << s << " at " << option.Width();
        }
        EXPECT_FALSE(reader.canRead());
    }
}

} // namespace
