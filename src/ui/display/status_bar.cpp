// SPDX-License-Identifier: GPL-3.0-or-later
// Labels in a fixed-pitch font so that the numbers do not make the line jump.
#include "display/status_bar.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, const QFont& font,
                  int minimumWidth) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setMinimumWidth(minimumWidth);
    return label;
}

} // namespace

QString ElideAddressLine(const QString& line, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    const QString ellipsis = QStringLiteral("\u2026");
    // The longest run of whole pieces that fits with the ellipsis after it.
    for (qsizetype cut = line.lastIndexOf(QLatin1String(", ")); cut > 0;
         cut = line.lastIndexOf(QLatin1String(", "), cut - 1)) {
        const QString shown = line.left(cut) + QLatin1Char(' ') + ellipsis;
        if (metrics.horizontalAdvance(shown) <= width)
            return shown;
    }
    return ellipsis;
}

QSize AddressLineLabel::minimumSizeHint() const {
    // It may shrink to its ellipsis; the layout gives it its whole width when there is room.
    return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")),
            QLabel::minimumSizeHint().height()};
}

void AddressLineLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter,
                     ElideAddressLine(text(), fontMetrics(), contentsRect().width()));
}

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
    setObjectName("Panel_StatusBar_1");
    setFixedHeight(kHeight);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(6);

    auto* title = new QLabel(QStringLiteral("Current Char Palette:"), this);
    title->setObjectName("Label5");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    for (int i = 0; i < 4; ++i) {
        auto* swatch = new QFrame(this);
        swatch->setObjectName(QStringLiteral("Status_Color%1").arg(i));
        swatch->setFixedSize(32, 16);
        swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        swatch->setAutoFillBackground(true);
        swatches_[i] = swatch;
        layout->addWidget(swatch);
    }
    SetCellColours({MakeRgb(0, 0, 0), MakeRgb(0, 0, 0), MakeRgb(0, 0, 0), MakeRgb(0, 0, 0)});

    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    fixed.setBold(true);
    fixed.setPixelSize(13);
    const int digit = QFontMetrics(fixed).horizontalAdvance(QLatin1Char('0'));
    layout->addSpacing(8);
    ax_ = MakeLabel(this, "Status_Ax", "X: 000", fixed, 7 * digit);
    ay_ = MakeLabel(this, "Status_Ay", "Y:000", fixed, 7 * digit);
    bx_ = MakeLabel(this, "Status_Bx", "Ax: 00", fixed, 8 * digit);
    by_ = MakeLabel(this, "Status_By", "Ay: 00", fixed, 8 * digit);
    byte_ = new AddressLineLabel(QStringLiteral("Byte: 00"), this);
    byte_->setObjectName("Status_Byte");
    byte_->setFont(fixed);
    for (QLabel* label : {ax_, ay_, bx_, by_, static_cast<QLabel*>(byte_)})
        layout->addWidget(label);
    drawOn_ = new QLabel(this);
    drawOn_->setObjectName("Status_DrawOn");
    layout->addSpacing(16);
    layout->addWidget(drawOn_);

    // The note takes only the room the pointer texts leave; a long one is cut at the edge.
    note_ = new QLabel(this);
    note_->setObjectName("Status_Note");
    note_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addSpacing(16);
    layout->addWidget(note_, 1);
    noteTimer_ = new QTimer(this);
    noteTimer_->setSingleShot(true);
    noteTimer_->setInterval(8000);
    connect(noteTimer_, &QTimer::timeout, note_, &QLabel::clear);
}

void StatusBar::SetCellColours(const CharColours& colours) {
    for (int i = 0; i < 4; ++i) {
        QPalette palette = swatches_[i]->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(colours[i]));
        swatches_[i]->setPalette(palette);
    }
}

void StatusBar::SetPointerTexts(const QString& ax, const QString& ay, const QString& bx,
                                const QString& by, const QString& byteLine) {
    ax_->setText(ax);
    ay_->setText(ay);
    bx_->setText(bx);
    by_->setText(by);
    byte_->setText(byteLine);
    byte_->setToolTip(byteLine);
}

void StatusBar::SetDrawOn(const QString& text) {
    drawOn_->setText(text);
}

void StatusBar::ShowNote(const QString& text) {
    note_->setText(text);
    noteTimer_->start();
}
