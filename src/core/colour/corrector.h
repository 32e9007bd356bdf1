// SPDX-License-Identifier: GPL-3.0-or-later
// The colour corrector's core: marking its cell range, the sixteen operations that rewrite
// the range on one or both screens, and the images its window shows.
#pragma once

#include "colour/corrector_range.h"
#include "picture/mgs_image.h"

#include <QImage>
#include <QPoint>

#include <array>

struct LinePatterns;

// The screen views show the picture at twice its size.
inline constexpr int kCorrectorViewWidth = 512;
inline constexpr int kCorrectorViewHeight = 384;
// The char view: three cell rows and columns at 4x with one-pixel gaps.
inline constexpr int kCorrectorCharSize = 98;

// The cell under a point of a screen view. Floors, so points left of or above the view give
// negative values.
QPoint CorrectorCellAt(QPoint viewPoint, int charHeight);

// Mend: the range is kept in cells, so a change of CharHeight can leave it beyond the last
// cell row; this brings every corner back inside the picture and keeps c1 >= c0, r1 >= r0.
void ClampCorrectorRange(CorrectorRangeRecord& range, int charHeight);

// Marking with the pointer. The range only grows right and down from the pressed cell and
// is clamped to column 31 and the last cell row. Move returns false when the pointer is
// still over the far corner cell (nothing to redraw); it acts only while dragging.
void CorrectorPress(CorrectorRangeRecord& range, QPoint viewPoint, int charHeight);
bool CorrectorMove(CorrectorRangeRecord& range, QPoint viewPoint, int charHeight);
void CorrectorRelease(CorrectorRangeRecord& range, QPoint viewPoint, int charHeight);

enum class CorrectorOperation {
    InvertAll0,    // screen 0: pixels inverted, paper and ink swapped: the same look
    InvertRgb0,    // screen 0: paper and ink swapped
    InvertPix0,    // screen 0: pixels inverted
    InvertAll1,    // the same three on screen 1
    InvertRgb1,    //
    InvertPix1,    //
    InvertAllBoth, // the same three on both screens
    InvertRgbBoth, //
    InvertPixBoth, //
    CopyRAll,      // screen 0 to screen 1: pixels and attributes
    CopyRRgb,      // attributes only
    CopyRPix,      // pixels only
    CopyLAll,      // screen 1 to screen 0: pixels and attributes
    CopyLRgb,      //
    CopyLPix,      //
    Exchange,      // pixels and attributes exchanged between the screens
};

// Applies the operation to every pixel row of the range in every column of it: the pixel
// byte and the stored attribute entry of each row, not only the cell's top row. A range
// reaching beyond the picture is cut at its edge.
void ApplyCorrectorOperation(MgsImage& picture, const CorrectorRangeRecord& range,
                             CorrectorOperation operation);

// The pixel rows the range covers, first and last inclusive, cut to the picture.
struct CorrectorRows {
    int first = 0, last = -1;
};
CorrectorRows CorrectorRangeRows(const CorrectorRangeRecord& range, int charHeight);

// Paper and ink of screen 0, then of screen 1, of the attribute entry stored at the start
// cell's top row.
std::array<int, 4> CorrectorStripIndices(const MgsImage& picture,
                                         const CorrectorRangeRecord& range);
// A fresh ZX palette strip with the marker on colour `index`.
QImage MarkedZxStrip(int index);

// A screen image (256 x 192) at twice its size.
QImage CorrectorScreenView(const QImage& screen);
// The same into `view`, reusing its pixels when it already has the size: the window redraws
// its two views on every pointer move of a range drag.
void DrawCorrectorScreenView(QImage& view, const QImage& screen);

// The char view of one screen: the start cell in the middle with its eight neighbours at
// 4x, hatched where a neighbour lies outside the picture, with grid-pattern separators.
QImage CorrectorCharView(const QImage& screen, const CorrectorRangeRecord& range, int charHeight,
                         const LinePatterns& patterns);

// The marching frame around the range on a screen view at dash phase `phase`. Returns the
// frame's rectangle.
QRect DrawCorrectorFrame(QImage& view, const CorrectorRangeRecord& range, int charHeight, int phase,
                         const LinePatterns& patterns);
