// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar Panel_StatusBar_1: the four colours of the cell under the pointer, its
// coordinates and the Spectrum addresses and bytes there.
#pragma once

#include "picture/colour.h"

#include <QFrame>
#include <QLabel>

#include <array>

class QTimer;

// The address line cut to `width` pixels: whole, or its leading pieces (up to a ", ")
// followed by "…", so that no number is ever cut in half.
QString ElideAddressLine(const QString& line, const QFontMetrics& metrics, int width);

// A label that shows as much of its text as fits, cut only between pieces; text() stays
// whole and the whole line is its tooltip.
class AddressLineLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class StatusBar : public QFrame {
    Q_OBJECT
public:
    static constexpr int kHeight = 22;
    explicit StatusBar(QWidget* parent);

    void SetCellColours(const CharColours& colours);
    // Texts of Status_Ax, Status_Ay, Status_Bx, Status_By and Status_Byte.
    void SetPointerTexts(const QString& ax, const QString& ay, const QString& bx, const QString& by,
                         const QString& byteLine);

    // A short note at the right end (Status_Note), such as why a clipboard block was not
    // used; it goes by itself after a few seconds, or when the next note replaces it.
    void ShowNote(const QString& text);
    // Which screen drawing writes to (Status_DrawOn).
    void SetDrawOn(const QString& text);

    const std::array<QFrame*, 4>& Swatches() const { return swatches_; }

private:
    std::array<QFrame*, 4> swatches_{};
    QLabel* ax_;
    QLabel* ay_;
    QLabel* bx_;
    QLabel* by_;
    AddressLineLabel* byte_;
    QLabel* drawOn_;
    QLabel* note_;
    QTimer* noteTimer_;
};
