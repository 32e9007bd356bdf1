// SPDX-License-Identifier: GPL-3.0-or-later
// The gradient palette Image_PaletteGradient in the "Full Palette" window, with its blink
// timer Timer_GradPal.
#pragma once

#include "colour/gradient_palette.h"
#include "colour/image_control.h"

class QTimer;

class GradientPaletteView : public ImageControl {
    Q_OBJECT
public:
    // Placed at (8, 40) of `window`'s client area, the title bar included.
    explicit GradientPaletteView(QWidget* window);

    // The blink paints the cells of the full palette's image. Its owner hands over that
    // image and a routine that draws the four CurrentAttr markers on it again and repaints
    // it; both must live as long as this control. Until then a press only runs the timer.
    void AttachFullPalette(QImage* fullPalette, PaletteCellsChanged cellsChanged);

    const GradientBlinkRecord& Blink() const { return blink_; }
    QTimer* Timer() const { return timer_; }
    void Press(QPoint position);
    void Tick();

private:
    GradientBlinkRecord blink_;
    QTimer* timer_;
    QImage* fullPalette_ = nullptr;
    PaletteCellsChanged cellsChanged_;
};
