// SPDX-License-Identifier: GPL-3.0-or-later
// The marching dashed frames around the selection and the colour corrector's range.
#pragma once

#include <QRect>
#include <QRegion>

class QPainter;
struct LinePatterns;

// One step of the 250 ms tick: 4, 8, 12, 0, 4, ...
constexpr int NextFramePhase(int phase) {
    return (phase + 4) % 16;
}

// Draws the 1-pixel dashed frame on the outermost pixels of `rect`: top and right edges
// copied from the dash pattern at offset 15 - phase, bottom and left at offset phase, so
// that the dashes run clockwise as the phase advances.
void DrawDashFrame(QPainter& painter, const QRect& rect, int phase, const LinePatterns& patterns);

// The four one-pixel edges of a frame: all that a tick needs to repaint.
QRegion FrameEdges(const QRect& rect);

// The view rectangle of a selection of w x h cells at column x, cell row y.
QRect SelectionFrameRect(int x, int y, int w, int h, int zoomFactor, int charHeight);

// The rectangle of an inclusive cell range on a corrector view (the picture at 2x).
QRect CorrectorFrameRect(int x1, int y1, int x2, int y2, int charHeight);
