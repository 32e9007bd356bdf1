// SPDX-License-Identifier: GPL-3.0-or-later
// Picture conversion: the per-cell optimum against brute force over every allowed
// attribute combination (low flicker and one screen too), and cancelling.
#include "colour/picture_conversion.h"
#include "display/renderer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

bool SameBrightness(int a, int b) {
    return a == 0 || b == 0 || a % 2 == b % 2;
}

// The least CellError over every ordered paper/ink choice the brightness rule allows.
uint64_t BruteForce(const std::vector<Rgb>& targets, const ConversionOptions& options) {
    uint64_t best = UINT64_MAX;
    for (int p0 = 0; p0 < 15; ++p0) {
        for (int i0 = 0; i0 < 15; ++i0) {
            if (!SameBrightness(p0, i0))
                continue;
            const AttrCell s0{uint8_t(p0), uint8_t(i0)};
            if (options.OneScreen) {
                best = std::min(best, CellError(targets, s0, s0, options));
                continue;
            }
            for (int p1 = 0; p1 < 15; ++p1) {
                for (int i1 = 0; i1 < 15; ++i1) {
                    if (SameBrightness(p1, i1))
                        best = std::min(
                            best, CellError(targets, s0, {uint8_t(p1), uint8_t(i1)}, options));
                }
            }
        }
    }
    return best;
}

TEST(PictureConversion, CellOptimumEqualsBruteForce) {
    std::mt19937 random(14);
    std::uniform_int_distribution<int> level(0, 255), colour(0, 14), noise(-40, 40);
    const ConversionOptions modes[] = {
        {}, {8, DitherMode::None, true, false}, {8, DitherMode::None, false, true}};
    for (const ConversionOptions& options : modes) {
        for (int trial = 0; trial < 9; ++trial) {
            // Cells of an 8x1 row, an 8x2 cell and an 8x8 cell; half of them near a few
            // mixes, where many combinations come close, half plain noise.
            const int n = trial % 3 == 0 ? 8 : (trial % 3 == 1 ? 16 : 64);
            std::vector<Rgb> targets;
            const Rgb mixes[3] = {Mix(colour(random), colour(random)),
                                  Mix(colour(random), colour(random)),
                                  Mix(colour(random), colour(random))};
            for (int p = 0; p < n; ++p) {
                const Rgb m = mixes[p % 3];
                auto near = [&](int v) { return std::clamp(v + noise(random), 0, 255); };
                targets.push_back(trial % 2
                                      ? MakeRgb(level(random), level(random), level(random))
                                      : MakeRgb(near(RedOf(m)), near(GreenOf(m)), near(BlueOf(m))));
            }
            const CellChoice choice = BestCellAttributes(targets, options);
            EXPECT_EQ(choice.Error, BruteForce(targets, options))
                << "one screen " << options.OneScreen << ", low flicker " << options.LowFlicker
                << ", trial " << trial;
            EXPECT_EQ(CellError(targets, choice.Screen0, choice.Screen1, options), choice.Error);
            EXPECT_TRUE(SameBrightness(choice.Screen0.paper, choice.Screen0.ink));
            EXPECT_TRUE(SameBrightness(choice.Screen1.paper, choice.Screen1.ink));
        }
    }
}

QImage RandomImage(unsigned seed) {
    std::mt19937 random(seed);
    QImage image(256, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y) {
        for (int x = 0; x < 256; ++x)
            image.setPixel(x, y, random() | 0xFF000000u);
    }
    return image;
}

TEST(PictureConversion, ReportsProgressAndStopsWhenCancelled) {
    std::atomic<int> last{0}, total{0};
    ConversionControl control;
    control.Progress = [&](int done, int all) {
        last = std::max(last.load(), done);
        total = all;
    };
    ASSERT_TRUE(ConvertImage(RandomImage(1), {1, DitherMode::None, false, false}, control));
    EXPECT_EQ(total, 16 * 24 + 16 * 192); // 8x1: side columns in 8-row cells
    EXPECT_EQ(last, total);
    std::atomic<bool> cancel{true};
    control.Cancel = &cancel;
    for (const DitherMode dither : {DitherMode::None, DitherMode::Diffusion})
        EXPECT_FALSE(ConvertImage(RandomImage(1), {8, dither, false, false}, control));
}

} // namespace
