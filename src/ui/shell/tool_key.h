// SPDX-License-Identifier: GPL-3.0-or-later
// A toolbar key: a 32 x 32 white panel with a single border holding a 22 x 22 icon that
// carries the hint, or a caption. It acts on a press of any mouse button, on the panel or
// on its icon, and shows itself lowered while its switch or window is on.
#pragma once

#include <QFrame>

class QLabel;

class ToolKey : public QFrame {
    Q_OBJECT
public:
    // `iconName` names the icon control (ImageZoom4, ...); empty for a key with a caption.
    ToolKey(QWidget* parent, const QString& name, const QString& iconResource,
            const QString& iconName, const QString& hint, int left, int width = 32);
    // A key that shows a caption instead of an icon (PIX, RGB).
    static ToolKey* WithCaption(QWidget* parent, const QString& name, const QString& caption,
                                const QString& hint, int left, int width);

    void SetPressed(bool pressed);
    bool IsPressed() const { return pressed_; }
    QLabel* Icon() const { return icon_; }

signals:
    void Pressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* icon_ = nullptr;
    bool pressed_ = false;
};
