// SPDX-License-Identifier: GPL-3.0-or-later
// The content of the "Border Palette" window: the palette picture Img_Palette_Border.
#pragma once

#include "picture/colour.h"

#include <QObject>
#include <QPoint>

class Editor;
class ImageControl;
class QWidget;

class BorderPaletteWindow : public QObject {
    Q_OBJECT
public:
    // Builds the control inside `window` (Panel_Border), showing the palette marked at
    // cell (0, 0) as at start-up.
    BorderPaletteWindow(Editor& editor, QWidget* window);

    ImageControl* Palette() const { return palette_; }
    // A press on the palette: BorderPair and BorderRGB are set and the cell is marked.
    void Press(QPoint position);
    // After an undo brought back another BorderPair: the marker and the Preview's frame
    // follow the picture's pair.
    void ShowPictureBorder();

signals:
    // The Preview window's border frame takes this colour.
    void BorderPicked(Rgb colour);

private:
    Editor& editor_;
    ImageControl* palette_;
};
