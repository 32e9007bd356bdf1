// SPDX-License-Identifier: GPL-3.0-or-later
// The floating windows drawn inside the main window: a raised panel whose first child is a
// 17-pixel title bar that drags it, with an optional close box; TPanelCaption and
// TFreePanel add the resizable picture window.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPoint>

#include <optional>

class FloatingWindow;

// The title bar. A press with any button starts a drag that follows the pointer in screen
// coordinates, so moving the window under the pointer does not disturb the delta.
class PanelTitleBar : public QLabel {
    Q_OBJECT
public:
    static constexpr int kHeight = 17;
    PanelTitleBar(FloatingWindow* window, const QString& caption);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The single drag in progress.
    struct PanelDrag {
        bool active = false;
        QPoint startPointer; // screen coordinates
        QPoint startPos;     // the window's left and top
    };
    FloatingWindow* window_;
    PanelDrag drag_;
};

class FloatingWindow : public QFrame {
    Q_OBJECT
public:
    // How the window lies in its parent: free, or filling the work area (only the
    // maximised picture window).
    enum class Alignment { Free, Client };

    FloatingWindow(QWidget* parent, const QString& name, const QString& caption, QSize size);

    PanelTitleBar* TitleBar() const { return titleBar_; }
    // Adds a 16 x 13 box in an 18 x 15 panel at the right end of the title bar; a click on
    // it emits TitleBoxClicked. A close box is such a box that hides the window.
    QLabel* AddTitleBox(const QString& name, const QString& iconResource);
    QLabel* AddCloseBox(const QString& name);
    // The area below the title bar that holds the content.
    QRect ContentRect() const;

    Alignment Align() const { return align_; }
    virtual void SetAlign(Alignment align) { align_ = align; }
    bool CanBeDragged() const { return align_ == Alignment::Free; }

    // Shows the window when hidden and hides it when shown (a rolled-up window rolls down
    // instead); returns the new visibility.
    bool ToggleVisible();
    // What a close box or a Cancel button does.
    void ClosePanel();

    // Rolled up, only the title bar shows. A window that may roll does so when its title
    // bar is double-clicked, as on the desktop, and when one being opened needs its room.
    void SetRollable(bool rollable);
    bool Rollable() const { return rollable_; }
    bool RolledUp() const { return unrolledSize_.isValid(); }
    // Rolling down goes back to where the window was when it rolled up, unless its title
    // bar has been dragged since.
    void SetRolledUp(bool rolled);
    void ForgetRollHome() { rollHome_.reset(); }
    // Where the window lies when rolled down: what the positions file keeps.
    QPoint HomePos() const { return rollHome_.value_or(pos()); }

signals:
    void VisibilityToggled(bool visible);
    void TitleBoxClicked();
    // Rolled down by the user, or shown again by its key.
    void Unrolled();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void LayOutTitleBar();

private:
    PanelTitleBar* titleBar_;
    QWidget* closeBoxPanel_ = nullptr;
    QLabel* titleBox_ = nullptr;
    Alignment align_ = Alignment::Free;
    bool rollable_ = false;
    QSize unrolledSize_; // the size to roll down to; invalid while not rolled up
    std::optional<QPoint> rollHome_;
};

// A floating window that can be resized by a 6-pixel band along its edges, never below
// its minimum size.
class TPanelCaption : public FloatingWindow {
    Q_OBJECT
public:
    // Which part of the panel lies under a point, as the windowing system asks.
    enum class HitArea {
        Client,
        Caption,
        Left,
        Right,
        Top,
        Bottom,
        TopLeft,
        TopRight,
        BottomLeft,
        BottomRight
    };
    static constexpr int kBand = 6;

    TPanelCaption(QWidget* parent, const QString& name, const QString& caption, QSize size);

    int MinWidth = 0;
    int MinHeight = 0;
    bool Moving() const { return moving_; }
    // Stores the value only when it is true and the panel is free; other assignments are
    // ignored.
    void SetMoving(bool value);

    HitArea HitTest(QPoint local) const;
    // A free panel shows a frame as wide as the sizing band, so that the band lies on the
    // panel itself and not on its content.
    void SetAlign(Alignment align) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool moving_ = false;
    HitArea sizing_ = HitArea::Client;
    QPoint sizingPointer_;
    QRect sizingStart_;
};

class TFreePanel : public TPanelCaption {
    Q_OBJECT
    Q_PROPERTY(int MinWidth MEMBER MinWidth)
    Q_PROPERTY(int MinHeight MEMBER MinHeight)
    Q_PROPERTY(bool Moving READ Moving WRITE SetMoving)
public:
    using TPanelCaption::TPanelCaption;
};
