// SPDX-License-Identifier: GPL-3.0-or-later
// The gradient picture is generated from the two position tables; the tables are checked
// at compile time, so a wrong entry cannot overflow the blink's cell list.
#include "colour/gradient_palette.h"

#include "picture/palette_images.h"

#include <QPainter>

#include <vector>

namespace {

constexpr bool OnGrid(int v, int count) {
    return v >= 2 && (v - 2) % kGradientBoxSize == 0 && (v - 2) / kGradientBoxSize < count;
}

constexpr bool SameBox(int a, int b) {
    return GradientSwatchX[a] == GradientSwatchX[b] && GradientSwatchY[a] == GradientSwatchY[b];
}

constexpr bool TablesAreSound() {
    for (int c = 0; c < kColourCount; ++c) {
        for (int r = 0; r < kColourCount; ++r) {
            const int i = GradientIndex(c, r);
            if (!OnGrid(GradientSwatchX[i], 8) || !OnGrid(GradientSwatchY[i], 25))
                return false;
            if (!SameBox(i, GradientIndex(r, c)))
                return false;
            int sharing = 0;
            for (int j = 0; j < kFullPaletteCells; ++j) {
                if (!SameBox(i, j))
                    continue;
                ++sharing;
                if (MixTable[c][r] != MixTable[j / kColourCount][j % kColourCount])
                    return false;
            }
            if (sharing > kMaxBlinkCells)
                return false;
        }
    }
    return true;
}
static_assert(TablesAreSound(), "every box on the grid, in one colour, at most 8 cells");

constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kOutline = MakeRgb(0, 0, 0);

void FillCell(QImage& image, QPoint topLeft, Rgb colour) {
    const QRect cell = QRect(topLeft, QSize(kSwatchSize, kSwatchSize)).intersected(image.rect());
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        auto* line = reinterpret_cast<Rgb*>(image.scanLine(y));
        for (int x = cell.left(); x <= cell.right(); ++x)
            line[x] = colour;
    }
}

void FillBlinkCells(const GradientBlinkRecord& blink, QImage* image, Rgb colour) {
    if (!image || image->isNull())
        return;
    for (int i = 0; i < blink.BlinkCellCount; ++i)
        FillCell(*image, blink.BlinkCells[i], colour);
}

} // namespace

GradientCells GradientCellsAt(QPoint point) {
    GradientCells found;
    for (int r = 0; r < kColourCount; ++r) {
        for (int c = 0; c < kColourCount; ++c) {
            const int bx = GradientSwatchX[GradientIndex(c, r)];
            const int by = GradientSwatchY[GradientIndex(c, r)];
            if (bx <= point.x() && point.x() < bx + kGradientBoxSize && by <= point.y() &&
                point.y() < by + kGradientBoxSize)
                found.cells[found.count++] = {c, r};
        }
    }
    return found;
}

QImage MakeGradientPaletteImage() {
    QImage image(kGradientWidth, kGradientHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // Each box once, in the colour of its cells; the tables give every cell of a box the
    // same colour.
    for (int c = 0; c < kColourCount; ++c) {
        for (int r = 0; r < kColourCount; ++r) {
            const int i = GradientIndex(c, r);
            const QRect box(GradientSwatchX[i], GradientSwatchY[i], kGradientBoxSize,
                            kGradientBoxSize);
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    image.setPixel(x, y, MixTable[c][r]);
        }
    }
    // A row of touching boxes is one gradient: outline each such run on its outer pixels.
    const auto used = [&](int x, int y) { return qAlpha(image.pixel(x, y)) != 0; };
    std::vector<QRect> runs;
    for (int y = 2; y + kGradientBoxSize <= kGradientHeight; y += kGradientBoxSize) {
        for (int x = 2; x + kGradientBoxSize <= kGradientWidth;) {
            int end = x;
            while (end + kGradientBoxSize <= kGradientWidth && used(end, y))
                end += kGradientBoxSize;
            if (end > x)
                runs.emplace_back(x, y, end - x, kGradientBoxSize);
            x = end > x ? end : x + kGradientBoxSize;
        }
    }
    QPainter painter(&image);
    painter.setPen(QColor::fromRgb(kOutline));
    for (const QRect& run : runs)
        painter.drawRect(run.adjusted(0, 0, -1, -1));
    return image;
}

bool PressGradientPalette(GradientBlinkRecord& blink, QImage* fullPalette, QPoint point,
                          const PaletteCellsChanged& changed) {
    if (blink.Running) {
        blink.Running = false;
        // Before the first tick the cells still show their own colour.
        if (blink.BlinkCountdown < kBlinkSteps)
            FillBlinkCells(blink, fullPalette, blink.BlinkSavedColour);
        if (changed)
            changed();
    }
    const GradientCells found = GradientCellsAt(point);
    blink.BlinkCellCount = found.count;
    for (int i = 0; i < found.count; ++i)
        blink.BlinkCells[i] =
            QPoint(kSwatchSize * found.cells[i].c, kSwatchSize * found.cells[i].r);
    blink.BlinkCountdown = kBlinkSteps;
    blink.Running = found.count > 0;
    return blink.Running;
}

bool TickGradientPalette(GradientBlinkRecord& blink, QImage* fullPalette,
                         const PaletteCellsChanged& changed) {
    if (!blink.Running)
        return false;
    if (blink.BlinkCountdown == kBlinkSteps && blink.BlinkCellCount > 0 && fullPalette &&
        fullPalette->valid(blink.BlinkCells[0] + QPoint(2, 2)))
        blink.BlinkSavedColour = fullPalette->pixel(blink.BlinkCells[0] + QPoint(2, 2));
    if (blink.BlinkCountdown > 0) {
        FillBlinkCells(blink, fullPalette,
                       blink.BlinkCountdown % 2 == 0 ? kWhite : blink.BlinkSavedColour);
        if (changed)
            changed();
        --blink.BlinkCountdown;
        return true;
    }
    blink.Running = false;
    return false;
}
