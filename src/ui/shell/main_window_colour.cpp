// SPDX-License-Identifier: GPL-3.0-or-later
// The colour tools' windows: the corrector, the border palette and the gradient palette,
// and what ties them to the rest of the main window.
#include "shell/main_window.h"

#include "colour/border_palette_window.h"
#include "colour/corrector_window.h"
#include "colour/gradient_palette_view.h"
#include "colour/palette_window.h"
#include "shell/floating_window.h"

#include <QFrame>

void MainWindow::CreateColourTools() {
    corrector_ = new CorrectorWindow(*this, Panel(QStringLiteral("Panel_Corrector")));
    // Start-up shows the border palette with its marker on (0, 0).
    borderPalette_ = new BorderPaletteWindow(*this, Panel(QStringLiteral("Panel_Border")));
    connect(borderPalette_, &BorderPaletteWindow::BorderPicked, this,
            &MainWindow::SetBorderPreviewColour);
    // The gradient palette blinks cells of the full palette's image, which the Full
    // Palette window owns, and has that window redraw its colour markers on every tick.
    gradientPalette_ = new GradientPaletteView(Panel(QStringLiteral("Panel_Color")));
    gradientPalette_->AttachFullPalette(&palettes_->FullPalette()->MutableImage(),
                                        [this] { palettes_->RedrawFullPaletteMarkers(); });
}

void MainWindow::ToggleCorrector() {
    PlaceWindowsOnFirstUse();
    if (Panel(QStringLiteral("Panel_Corrector"))->ToggleVisible())
        corrector_->Shown();
}

void MainWindow::SetBorderPreviewColour(Rgb colour) {
    QPalette palette = borderPreview_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    borderPreview_->setPalette(palette);
    UpdateTitle(); // the border pair is part of the picture
}
