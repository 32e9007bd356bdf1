// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the zoomed picture view with its grids, one exposed rectangle at a time, and
// holds the line patterns the grids and the marching frames are copied from.
#pragma once

#include "display/rubber_band.h"

#include <QImage>
#include <QRect>

#include <optional>

class QPainter;
class QRegion;

struct LinePatterns {
    // Grid patterns alternate grey and white (light) or grey and black (dark), grey at
    // even positions. The grids copy them from pixel 1 on, so they are one pixel longer
    // than the largest view.
    QImage GridLightH, GridLightV, GridDarkH, GridDarkV;
    // Dash patterns: positions 8..14 of every 16 black, the rest white; one period longer
    // than the largest view so that a copy may start at any offset 0..15.
    QImage DashH, DashV;

    static LinePatterns Create();
};

inline constexpr int kMaxZoomFactor = 16;
inline constexpr int kMaxViewWidth = 256 * kMaxZoomFactor;  // 4096
inline constexpr int kMaxViewHeight = 192 * kMaxZoomFactor; // 3072

struct ViewGrids {
    bool pixel = false; // PixelGrid
    bool chr = false;   // CharGrid
};

// Everything the picture view shows: the zoomed picture, its grids, and the overlays drawn
// over them.
struct ViewScene {
    const QImage* mixed = nullptr; // the renderer's mixed image, 256 x 192 used
    int zoomFactor = 4;
    int charHeight = 8;
    ViewGrids grids;
    QRect selectionFrame; // view coordinates; empty without a selection
    int framePhase = 0;
    std::optional<RubberBand> rubberBand; // drawn last, over everything
};

// Paints the parts of the view in `region`, then the overlays over them.
void PaintView(QPainter& painter, const QRegion& region, const ViewScene& scene,
               const LinePatterns& patterns);

// The view pixels a rubber band may cover: a moving band repaints only these, where it was
// and where it is, instead of the whole view. A line is covered piece by piece so that a
// long diagonal does not claim its whole bounding box.
QRegion RubberBandRegion(const RubberBand& band);

// Paints the part `area` (view coordinates) of the view of `mixed` (the renderer's mixed
// image, 256 x 192 used) at `zoomFactor`, then the pixel grid and the char grid over it.
// Every picture pixel becomes a zoomFactor x zoomFactor block; no closing grid line is
// drawn at the right or bottom edge.
void PaintPictureView(QPainter& painter, const QRect& area, const QImage& mixed, int zoomFactor,
                      int charHeight, ViewGrids grids, const LinePatterns& patterns);
