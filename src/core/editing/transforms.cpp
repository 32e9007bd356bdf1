// SPDX-License-Identifier: GPL-3.0-or-later
// The seven rearrangements of the selected rectangle: a pixel pass over pairs of screen-0
// and screen-1 bits, then, for flips and the turn, a pass over each cell's first attribute
// row.
#include "editing/transforms.h"

#include "picture/cell_layout.h"

#include <algorithm>

namespace {

struct Point {
    int x, y;
};

bool PixelInside(Point p) {
    return p.x >= 0 && p.x < kPictureWidth && p.y >= 0 && p.y < kPictureHeight;
}

// Both screens' bits of picture pixel `from` in `work` are written to pixel `to`.
void CopyPair(const PicturePlanes& work, MgsImage& picture, Point from, Point to) {
    const uint8_t fromMask = PixelMask(from.x), toMask = PixelMask(to.x);
    const int fromIndex = PlaneIndex(from.x >> 3, from.y), toIndex = PlaneIndex(to.x >> 3, to.y);
    for (int s = 0; s < 2; ++s) {
        uint8_t& byte = picture.PixelPlane[s][toIndex];
        if (work.PixelPlane[s][fromIndex] & fromMask)
            byte |= toMask;
        else
            byte &= static_cast<uint8_t>(~toMask);
    }
}

// Where the pixel at (i, r) of the w x h rectangle goes, relative to its top-left corner.
// The same mappings move the attribute cells, with cells for pixels.
Point FlipHorizontalTarget(int i, int r, int w, int) {
    return {w - 1 - i, r};
}
Point FlipVerticalTarget(int i, int r, int, int h) {
    return {i, h - 1 - r};
}
Point Rotate90Target(int i, int r, int, int h) {
    return {h - 1 - r, i};
}
Point RollLeftTarget(int i, int r, int w, int) {
    return {i == 0 ? w - 1 : i - 1, r};
}
Point RollRightTarget(int i, int r, int w, int) {
    return {i == w - 1 ? 0 : i + 1, r};
}
Point RollUpTarget(int i, int r, int, int h) {
    return {i, r == 0 ? h - 1 : r - 1};
}
Point RollDownTarget(int i, int r, int, int h) {
    return {i, r == h - 1 ? 0 : r + 1};
}

using TargetFn = Point (*)(int, int, int, int);

TargetFn TargetOf(Transform t) {
    switch (t) {
    case Transform::FlipHorizontal:
        return FlipHorizontalTarget;
    case Transform::FlipVertical:
        return FlipVerticalTarget;
    case Transform::Rotate90:
        return Rotate90Target;
    case Transform::RollLeft:
        return RollLeftTarget;
    case Transform::RollRight:
        return RollRightTarget;
    case Transform::RollUp:
        return RollUpTarget;
    case Transform::RollDown:
        return RollDownTarget;
    }
    return FlipHorizontalTarget;
}

// Every pair of the pixel rectangle, read from the work copy, written where `target` says.
// A template so that each mapping is inlined into its own loop.
template <TargetFn target>
void PixelPass(const PicturePlanes& work, MgsImage& picture, int x0, int y0, int width,
               int height) {
    // Down each pixel column: the planes are column-major.
    for (int i = 0; i < width; ++i)
        for (int r = 0; r < height; ++r) {
            const Point offset = target(i, r, width, height);
            const Point to{x0 + offset.x, y0 + offset.y};
            // Only the turn can reach past the picture: its block is H wide and W high.
            if (PixelInside(to))
                CopyPair(work, picture, {x0 + i, y0 + r}, to);
        }
}

using PassFn = void (*)(const PicturePlanes&, MgsImage&, int, int, int, int);

PassFn PixelPassOf(Transform t) {
    switch (t) {
    case Transform::FlipHorizontal:
        return PixelPass<FlipHorizontalTarget>;
    case Transform::FlipVertical:
        return PixelPass<FlipVerticalTarget>;
    case Transform::Rotate90:
        return PixelPass<Rotate90Target>;
    case Transform::RollLeft:
        return PixelPass<RollLeftTarget>;
    case Transform::RollRight:
        return PixelPass<RollRightTarget>;
    case Transform::RollUp:
        return PixelPass<RollUpTarget>;
    case Transform::RollDown:
        return PixelPass<RollDownTarget>;
    }
    return PixelPass<FlipHorizontalTarget>;
}

bool MovesAttributes(Transform t) {
    return t == Transform::FlipHorizontal || t == Transform::FlipVertical ||
           t == Transform::Rotate90;
}

} // namespace

ViewUpdate ApplyTransform(MgsImage& picture, const SelectionRecord& sel, Transform transform) {
    const int ch = picture.CharHeight;
    const CellRect cells = SelectionRect(sel, ch);
    if (cells.IsEmpty())
        return ViewUpdate::Rerender;
    const PicturePlanes work = picture;

    PixelPassOf(transform)(work, picture, 8 * cells.x, ch * cells.y, 8 * cells.w, ch * cells.h);

    if (MovesAttributes(transform)) {
        // Each cell's shown attribute moves, never a hidden row (in the 8x1 side columns
        // most rows are hidden), and then fills every row of the cell it lands in.
        const int rows = CellRowCount(ch);
        for (int j = 0; j < cells.h; ++j)
            for (int i = 0; i < cells.w; ++i) {
                const Point offset = TargetOf(transform)(i, j, cells.w, cells.h);
                const Point to{cells.x + offset.x, cells.y + offset.y};
                if (to.x >= kByteColumns || to.y >= rows)
                    continue;
                const int column = cells.x + i, row = (cells.y + j) * ch;
                const int from = PlaneIndex(column, EffectiveAttrRow(ch, row, column));
                for (int s = 0; s < 2; ++s)
                    picture.AttrPlane[s][PlaneIndex(to.x, to.y * ch)] = work.AttrPlane[s][from];
            }
        // The turned block is h cells wide and w high.
        const bool turned = transform == Transform::Rotate90;
        const int width = turned ? cells.h : cells.w, height = turned ? cells.w : cells.h;
        for (int c = cells.x; c < std::min(cells.x + width, kByteColumns); ++c)
            SpreadCellAttributes(picture, c, cells.y * ch, (cells.y + height) * ch - 1);
    }
    return ViewUpdate::Rerender;
}
