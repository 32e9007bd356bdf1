// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of zooming: where the view scrolls to when the level changes, and the
// zoom selector frame the Preview window draws.
#pragma once

#include <QPoint>

#include <QRect>
#include <QSize>
#include <optional>

// Scroll positions after a change of zoom factor from `oldFactor` to `newFactor` that keep
// the centre of the visible area in place. `box` is the outer size of the scroll box and
// `scroll` its scroll positions before the change. Negative results become 0; the scroll
// box itself limits positions past its range.
QPoint ScrollKeepingCentre(QSize box, QPoint scroll, int oldFactor, int newFactor);

// Scroll positions after a change of zoom factor that keep the picture point under the
// pointer where it is (the mouse wheel). `viewPoint` is the pointer on the view at the old
// factor, `pointerInBox` the pointer in the scroll box's visible area and `viewOrigin`
// where the view starts in the scrolled content. Negative results become 0.
QPoint ScrollKeepingPoint(QPoint viewPoint, QPoint pointerInBox, QPoint viewOrigin, int oldFactor,
                          int newFactor);

// The zoom selector of the Preview window: the frame the view would show at factor
// `selectorFactor` (8, 12 or 16), in Preview pixels, for a scroll box of size `box`.
QSize ZoomSelectorFrameSize(QSize box, int selectorFactor);

// The selector cell (8 x 8 picture pixels) for a pointer at `previewPoint` on the
// 512 x 384 Preview image, limited so that the frame stays inside the picture while the
// point lies inside the image.
QPoint ZoomSelectorCell(QPoint previewPoint, QSize box, int selectorFactor);

// The frame's rectangle on the Preview image for a selector cell.
QRect ZoomSelectorRect(QPoint cell, QSize box, int selectorFactor);

// The picture pixel under a point of the picture view at `zoomFactor`; none outside the
// view (and for negative points, which integer division would round toward the picture).
std::optional<QPoint> PicturePixelAt(int zoomFactor, QPoint viewPoint);
