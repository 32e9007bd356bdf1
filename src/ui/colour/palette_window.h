// SPDX-License-Identifier: GPL-3.0-or-later
// The Full Palette window's controls and the toolbar's current-colour strip. They forward
// presses to the palette rules and show the images and pressed states those rules give.
#pragma once

#include "colour/image_control.h"

#include "colour/palette.h"
#include "picture/colour.h"

#include <QFrame>
#include <QImage>
#include <QObject>
#include <QWidget>

#include <array>

class Editor;

// A fixed-size picture control that owns the image it shows, so that other tools (the
// gradient palette's blink) can paint into it, and reports a press of any mouse button in
// its own pixels.
// A colour swatch or a ZX button: a panel that shows a colour or a caption and a lowered
// inner bevel while it is the chosen one. A click with the left button, pressed and
// released over it, emits Clicked.
class PaletteButton : public QFrame {
    Q_OBJECT
public:
    PaletteButton(QWidget* parent, const QString& name, const QRect& geometry,
                  const QString& caption, const QString& hint);

    void SetColour(Rgb colour);
    Rgb Colour() const { return colour_; }
    void SetPressed(bool pressed);
    bool IsPressed() const { return pressed_; }

signals:
    void Clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Rgb colour_ = 0;
    bool captioned_ = false; // a ZX button, not a swatch
    bool pressed_ = false;
    bool armed_ = false; // the left button went down over the button
};

class ColourPalettes : public QObject {
    Q_OBJECT
public:
    // Builds the controls of the Full Palette window inside `window`, at positions measured
    // from `origin` (the window's inner top-left corner, above its title bar), and the four
    // swatches with their labels inside the toolbar strip `currentColours`.
    ColourPalettes(Editor& editor, QWidget* window, QPoint origin, QWidget* currentColours);

    // Repaints the four strips and the full palette with their markers and colours every
    // swatch from CurrentAttr.
    void RedrawPalettes();
    // Shows CurrentCharColor as pressed swatches and ZX buttons.
    void ShowCharColorSelection();
    // A click on swatch N of either row, or the key N + 1.
    void SelectSwatch(int n);

    // The full palette Img_Palette_full, whose image the gradient palette's blink paints.
    ImageControl* FullPalette() const { return full_; }
    // Draws the four CurrentAttr markers again over the full palette as it is now and
    // repaints it, as the blink needs after filling cells.
    void RedrawFullPaletteMarkers();

    ImageControl* Strip(PaletteStrip strip) const { return strips_[static_cast<int>(strip)]; }
    PaletteButton* ZxButtonControl(ZxButton button) const {
        return zxButtons_[static_cast<int>(button)];
    }
    PaletteButton* WindowSwatch(int n) const { return windowSwatches_[n & 3]; }
    PaletteButton* ToolbarSwatch(int n) const { return toolbarSwatches_[n & 3]; }

private:
    void CreateWindowControls(QWidget* window, QPoint origin);
    void CreateToolbarSwatches(QWidget* strip);

    Editor& editor_;
    PaletteSources sources_;
    ImageControl* full_ = nullptr;
    std::array<ImageControl*, 4> strips_{};           // indexed by PaletteStrip
    std::array<PaletteButton*, 4> zxButtons_{};       // indexed by ZxButton
    std::array<PaletteButton*, 4> windowSwatches_{};  // Pal4Color0..3
    std::array<PaletteButton*, 4> toolbarSwatches_{}; // CharPal_SelectedColor0..3
};
