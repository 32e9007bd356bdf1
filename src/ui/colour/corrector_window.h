// SPDX-License-Identifier: GPL-3.0-or-later
// The content of the "Color Corrector" window: both screens on their own at 2x, the char
// views round the start cell, the colour strips of the start cell and the sixteen buttons.
#pragma once

#include "colour/corrector.h"

#include <QObject>

#include <array>

class Editor;
class ImageControl;
class QFrame;
class QWidget;

class CorrectorWindow : public QObject {
    Q_OBJECT
public:
    // Builds the controls inside `window` (Panel_Corrector), placed relative to its client
    // area, the title bar included.
    CorrectorWindow(Editor& editor, QWidget* window);

    // What showing the window does: the char panels fit the CharHeight, the images are
    // rendered again and everything is redrawn.
    void Shown();
    void RefreshCorrectorImages(bool rerender);
    void RedrawCorrector();
    // The marching frame round the range on both screen views, at the current FramePhase.
    void AnimateCorrectorFrame();
    // A button: an undoable edit of the picture, shown in every view.
    void RunOperation(CorrectorOperation operation, const QString& caption);

private:
    void OnPress(QPoint position);
    void OnMove(QPoint position);
    void OnRelease(QPoint position);
    // The range, brought inside the picture first: a load may have changed CharHeight.
    CorrectorRangeRecord& Range();
    void FitCharPanels();

    Editor& editor_;
    std::array<ImageControl*, 2> views_{};     // IMGCorrector0/1
    std::array<QFrame*, 2> charPanels_{};      // PanelCorrChar0/1
    std::array<ImageControl*, 2> charViews_{}; // IMGCorrChar0/1
    std::array<ImageControl*, 4> strips_{};    // ImgCorrPAP0, ImgCorrINK0, ImgCorrPAP1, ImgCorrINK1
};
