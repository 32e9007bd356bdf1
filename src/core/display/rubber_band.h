// SPDX-License-Identifier: GPL-3.0-or-later
// The rubber band: a line or an unfilled rectangle previewed over the picture view while a
// shape is being drawn. It lives on the view only and never touches the picture.
#pragma once

#include "picture/colour.h"

#include <QPoint>

enum class RubberBandShape { Line, Rect };

// In view coordinates, until the next refresh of the view.
struct RubberBand {
    RubberBandShape shape = RubberBandShape::Line;
    QPoint from, to;  // line ends, or opposite corners of the unfilled rectangle
    Rgb colour = 0;   // the current char-colour swatch
    int penWidth = 1; // ZoomFactor
    friend bool operator==(const RubberBand&, const RubberBand&) = default;
};
