// SPDX-License-Identifier: GPL-3.0-or-later
// The timer runs only while a blink does; hiding the window does not stop it.
#include "colour/gradient_palette_view.h"

#include <QTimer>

GradientPaletteView::GradientPaletteView(QWidget* window)
    : ImageControl(window, QStringLiteral("Image_PaletteGradient"), MakeGradientPaletteImage()),
      timer_(new QTimer(this)) {
    move(window->contentsRect().topLeft() + QPoint(8, 40));
    timer_->setObjectName("Timer_GradPal");
    timer_->setInterval(kBlinkIntervalMs);
    connect(timer_, &QTimer::timeout, this, &GradientPaletteView::Tick);
    connect(this, &ImageControl::Pressed, this, &GradientPaletteView::Press);
}

void GradientPaletteView::AttachFullPalette(QImage* fullPalette, PaletteCellsChanged cellsChanged) {
    fullPalette_ = fullPalette;
    cellsChanged_ = std::move(cellsChanged);
}

void GradientPaletteView::Press(QPoint position) {
    timer_->stop();
    if (PressGradientPalette(blink_, fullPalette_, position, cellsChanged_))
        timer_->start();
}

void GradientPaletteView::Tick() {
    if (!TickGradientPalette(blink_, fullPalette_, cellsChanged_))
        timer_->stop();
}
