// SPDX-License-Identifier: GPL-3.0-or-later
// Title-bar dragging, close boxes and the picture window's own edge sizing. These are
// child widgets, not top-level windows, so the window manager cannot do any of it.
#include "shell/floating_window.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include <algorithm>

namespace {
const QColor kTitleColour(0xA6, 0xCA, 0xF0); // sky blue
}

PanelTitleBar::PanelTitleBar(FloatingWindow* window, const QString& caption)
    : QLabel(caption, window), window_(window) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kTitleColour);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    QFont font = this->font();
    font.setBold(true);
    setFont(font);
    setAlignment(Qt::AlignCenter);
    setFixedHeight(kHeight);
}

void PanelTitleBar::mousePressEvent(QMouseEvent* event) {
    if (!window_->CanBeDragged())
        return;
    drag_ = {true, event->globalPosition().toPoint(), window_->pos()};
}

void PanelTitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_.active)
        return;
    // Not clamped: a window may leave the main window partly or wholly.
    window_->ForgetRollHome();
    window_->move(drag_.startPos + (event->globalPosition().toPoint() - drag_.startPointer));
}

void PanelTitleBar::mouseReleaseEvent(QMouseEvent*) {
    drag_.active = false;
}

void PanelTitleBar::mouseDoubleClickEvent(QMouseEvent*) {
    if (!window_->Rollable())
        return;
    const bool rollDown = window_->RolledUp();
    window_->SetRolledUp(!rollDown);
    if (rollDown)
        emit window_->Unrolled();
}

FloatingWindow::FloatingWindow(QWidget* parent, const QString& name, const QString& caption,
                               QSize size)
    : QFrame(parent), titleBar_(new PanelTitleBar(this, caption)) {
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    resize(size);
    hide();
}

QLabel* FloatingWindow::AddTitleBox(const QString& name, const QString& iconResource) {
    closeBoxPanel_ = new QWidget(titleBar_);
    closeBoxPanel_->setFixedSize(18, 15);
    titleBox_ = new QLabel(closeBoxPanel_);
    titleBox_->setObjectName(name);
    titleBox_->setPixmap(QPixmap(iconResource));
    titleBox_->setGeometry(1, 1, 16, 13);
    titleBox_->installEventFilter(this);
    LayOutTitleBar();
    return titleBox_;
}

QLabel* FloatingWindow::AddCloseBox(const QString& name) {
    QLabel* box = AddTitleBox(name, QStringLiteral(":/icons/close_box.png"));
    box->setToolTip(QStringLiteral("Close"));
    connect(this, &FloatingWindow::TitleBoxClicked, this, &FloatingWindow::ClosePanel);
    return box;
}

void FloatingWindow::ClosePanel() {
    if (!isVisible())
        return;
    hide();
    emit VisibilityToggled(false);
}

bool FloatingWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == titleBox_ && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (titleBox_->rect().contains(mouse->position().toPoint()))
            emit TitleBoxClicked();
        return true;
    }
    if (watched == titleBox_ && event->type() == QEvent::MouseButtonPress)
        return true; // a press on the box does not start a drag of the title bar
    return QFrame::eventFilter(watched, event);
}

QRect FloatingWindow::ContentRect() const {
    const QRect inner = contentsRect();
    return inner.adjusted(0, PanelTitleBar::kHeight, 0, 0);
}

void FloatingWindow::SetRollable(bool rollable) {
    rollable_ = rollable;
    titleBar_->setToolTip(rollable ? QStringLiteral("Drag to move; double-click to roll up or down")
                                   : QString());
}

void FloatingWindow::SetRolledUp(bool rolled) {
    if (rolled == RolledUp() || !rollable_)
        return;
    if (rolled) {
        unrolledSize_ = size();
        rollHome_ = pos();
        // Only as wide as its caption, so that the bars fit in what room is left.
        const int captionWidth = titleBar_->fontMetrics().horizontalAdvance(titleBar_->text());
        const int boxWidth = closeBoxPanel_ ? closeBoxPanel_->width() : 0;
        resize(std::min(width(), captionWidth + 2 * boxWidth + 24 + 2 * frameWidth()),
               PanelTitleBar::kHeight + 2 * frameWidth());
    } else {
        if (rollHome_)
            move(*rollHome_);
        resize(unrolledSize_);
        unrolledSize_ = QSize();
        rollHome_.reset();
    }
}

bool FloatingWindow::ToggleVisible() {
    // The key of a rolled-up window brings the whole window back rather than hiding it.
    if (isVisible() && RolledUp()) {
        SetRolledUp(false);
        raise();
        emit Unrolled();
        return true;
    }
    SetRolledUp(false);
    setVisible(!isVisible());
    emit VisibilityToggled(isVisible());
    return isVisible();
}

void FloatingWindow::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    LayOutTitleBar();
}

void FloatingWindow::LayOutTitleBar() {
    const QRect inner = contentsRect();
    titleBar_->setGeometry(inner.left(), inner.top(), inner.width(), PanelTitleBar::kHeight);
    if (closeBoxPanel_)
        closeBoxPanel_->move(titleBar_->width() - closeBoxPanel_->width() - 1, 1);
}

TPanelCaption::TPanelCaption(QWidget* parent, const QString& name, const QString& caption,
                             QSize size)
    : FloatingWindow(parent, name, caption, size) {
    setMouseTracking(true);
}

void TPanelCaption::SetAlign(Alignment align) {
    FloatingWindow::SetAlign(align);
    const int margin = align == Alignment::Free ? kBand - lineWidth() : 0;
    setContentsMargins(margin, margin, margin, margin);
    LayOutTitleBar();
}

void TPanelCaption::SetMoving(bool value) {
    if (value && Align() == Alignment::Free)
        moving_ = value;
}

TPanelCaption::HitArea TPanelCaption::HitTest(QPoint local) const {
    const int x = local.x(), y = local.y(), w = width(), h = height();
    if (moving_ && Align() == Alignment::Free)
        return HitArea::Caption;
    if (Align() == Alignment::Client)
        return HitArea::Client;
    const bool right = w - x < kBand, left = x < kBand;
    const bool bottom = h - y < kBand, top = y < kBand;
    if (right && bottom)
        return HitArea::BottomRight;
    if (left && top)
        return HitArea::TopLeft;
    if (right && top)
        return HitArea::TopRight;
    if (left && bottom)
        return HitArea::BottomLeft;
    HitArea area = HitArea::Client;
    if (right)
        area = HitArea::Right;
    if (left)
        area = HitArea::Left;
    if (bottom)
        area = HitArea::Bottom;
    if (top)
        area = HitArea::Top;
    return area;
}

namespace {

Qt::CursorShape CursorFor(TPanelCaption::HitArea area) {
    using A = TPanelCaption::HitArea;
    switch (area) {
    case A::Left:
    case A::Right:
        return Qt::SizeHorCursor;
    case A::Top:
    case A::Bottom:
        return Qt::SizeVerCursor;
    case A::TopLeft:
    case A::BottomRight:
        return Qt::SizeFDiagCursor;
    case A::TopRight:
    case A::BottomLeft:
        return Qt::SizeBDiagCursor;
    case A::Caption:
        return Qt::SizeAllCursor;
    case A::Client:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

void TPanelCaption::mousePressEvent(QMouseEvent* event) {
    sizing_ = HitTest(event->position().toPoint());
    sizingPointer_ = event->globalPosition().toPoint();
    sizingStart_ = geometry();
}

void TPanelCaption::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::MouseButtonMask)) {
        setCursor(CursorFor(HitTest(event->position().toPoint())));
        return;
    }
    using A = HitArea;
    if (sizing_ == A::Client)
        return;
    const QPoint delta = event->globalPosition().toPoint() - sizingPointer_;
    if (sizing_ == A::Caption) {
        move(sizingStart_.topLeft() + delta);
        return;
    }
    // The opposite edges stay where they are; the moving ones stop at the minimum size.
    int left = sizingStart_.left(), top = sizingStart_.top();
    int right = sizingStart_.right() + 1, bottom = sizingStart_.bottom() + 1;
    if (sizing_ == A::Left || sizing_ == A::TopLeft || sizing_ == A::BottomLeft)
        left = std::min(left + delta.x(), right - MinWidth);
    if (sizing_ == A::Right || sizing_ == A::TopRight || sizing_ == A::BottomRight)
        right = std::max(right + delta.x(), left + MinWidth);
    if (sizing_ == A::Top || sizing_ == A::TopLeft || sizing_ == A::TopRight)
        top = std::min(top + delta.y(), bottom - MinHeight);
    if (sizing_ == A::Bottom || sizing_ == A::BottomLeft || sizing_ == A::BottomRight)
        bottom = std::max(bottom + delta.y(), top + MinHeight);
    setGeometry(left, top, right - left, bottom - top);
}

void TPanelCaption::mouseReleaseEvent(QMouseEvent*) {
    sizing_ = HitArea::Client;
}
