// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing else is redrawn on a press: the picture view shows no border.
#include "colour/border_palette_window.h"

#include "colour/border_palette.h"
#include "colour/image_control.h"
#include "editing/editor.h"

#include <QFrame>

BorderPaletteWindow::BorderPaletteWindow(Editor& editor, QWidget* window)
    : QObject(window), editor_(editor) {
    auto* frame = new QFrame(window);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(QRect(window->contentsRect().topLeft() + QPoint(8, 26), QSize(130, 130)));
    palette_ =
        new ImageControl(frame, QStringLiteral("Img_Palette_Border"), MarkedBorderPalette(0, 0));
    palette_->move(1, 1);
    connect(palette_, &ImageControl::Pressed, this, &BorderPaletteWindow::Press);
}

void BorderPaletteWindow::Press(QPoint position) {
    EditorState& state = editor_.State();
    const MgsImage before = state.Picture;
    const BorderPick pick = PressBorderPalette(state.Picture, state.BorderRGB, position);
    editor_.RecordEdit(QStringLiteral("Border"), before);
    palette_->SetImage(MarkedBorderPalette(pick.a, pick.b));
    emit BorderPicked(pick.colour);
}

void BorderPaletteWindow::ShowPictureBorder() {
    EditorState& state = editor_.State();
    const auto pair = state.Picture.BorderPair;
    // The middle of the pair's cell picks that same pair again.
    constexpr int cell = kBorderPaletteSize / 8;
    const BorderPick pick =
        PressBorderPalette(state.Picture, state.BorderRGB,
                           QPoint(pair[0] * cell + cell / 2, pair[1] * cell + cell / 2));
    palette_->SetImage(MarkedBorderPalette(pick.a, pick.b));
    emit BorderPicked(pick.colour);
}
