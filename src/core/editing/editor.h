// SPDX-License-Identifier: GPL-3.0-or-later
// The narrow face of the editor that panels and widgets see: the state records, the
// renderer's images and the few routines they call. The main window implements it.
#pragma once

#include "display/renderer.h"
#include "display/view_painter.h"
#include "editing/editor_state.h"

class Editor {
public:
    virtual EditorState& State() = 0;
    virtual const RenderImages& Images() const = 0;
    virtual const LinePatterns& Patterns() const = 0;
    // The 256 x 192 image the picture view shows in the chosen view (the mix, a screen...).
    virtual const QImage& ShownImage() const = 0;

    // Shows the last render in every view; re-renders first when `rerender`.
    virtual void RefreshView(bool rerender) = 0;
    // Renders the off-screen images again without repainting any view: the picture view
    // shows the change at its next repaint.
    virtual void RerenderImages() = 0;
    // The Preview Zoom window shows the picture around the last pointer position again.
    virtual void UpdateZoomPreview() = 0;
    // An edit called `name` changed the picture from `before`: the undo copy and an undo
    // history entry. Nothing when it changed nothing; returns whether it recorded.
    virtual bool RecordEdit(const QString& name, const MgsImage& before) = 0;

protected:
    ~Editor() = default;
};
