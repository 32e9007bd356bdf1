// SPDX-License-Identifier: GPL-3.0-or-later
// The palette controls keep no colour state of their own: every press goes to the palette
// rules over the drawing state, and the controls then show what those rules produce.
#include "colour/palette_window.h"

#include "editing/editor.h"
#include "picture/palette_images.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr int kSwatchCount = 4;

// Positions inside the Full Palette window, measured from its inner top-left corner.
constexpr QPoint kFullPaletteFrame(88, 32);
constexpr int kStripLeft = 88;
constexpr std::array<int, 4> kStripTops = {307, 331, 355, 379}; // by the row of its ZX button
constexpr std::array<int, 4> kZxButtonTops = {304, 328, 352, 376};
constexpr int kZxButtonLeft = 32;
constexpr std::array<int, 4> kWindowSwatchLefts = {8, 92, 174, 256};
constexpr int kWindowSwatchTop = 448;
constexpr std::array<int, 4> kWindowLabelLefts = {9, 95, 177, 261};
constexpr int kWindowLabelTop = 431;

// The rows of the window from top to bottom: strip N lies right of ZX button N. The strip
// of paper 0 is the one named IMG_INK0; the captions tell the truth.
constexpr std::array<PaletteStrip, 4> kStripRows = {PaletteStrip::Paper0, PaletteStrip::Ink0,
                                                    PaletteStrip::Paper1, PaletteStrip::Ink1};
constexpr std::array<ZxButton, 4> kZxRows = {ZxButton::Pap0, ZxButton::Ink0, ZxButton::Pap1,
                                             ZxButton::Ink1};
const std::array<const char*, 4> kZxCaptions = {"PAP0", "INK0", "PAP1", "INK1"};
const std::array<const char*, 4> kZxHints = {"Draw paper on screen 0", "Draw ink on screen 0",
                                             "Draw paper on screen 1", "Draw ink on screen 1"};

const std::array<const char*, 4> kWindowLabels = {"PAP0+PAP1", "PAP0+INK1", "INK0+PAP1",
                                                  "INK0+INK1"};
// Each hint names the combination its label names.
const std::array<const char*, 4> kWindowHints = {"PAP0 + PAP1", "PAP0 + INK1", "INK0 + PAP1",
                                                 "INK0 + INK1"};

// The toolbar strip Panel_CurrentColors.
constexpr std::array<int, 4> kToolbarSwatchLefts = {11, 62, 111, 158};
constexpr std::array<int, 4> kToolbarSwatchWidths = {46, 43, 42, 43};
constexpr int kToolbarSwatchTop = 12;
constexpr int kToolbarSwatchHeight = 17;
const std::array<const char*, 4> kToolbarLabels = {"P0+P1", "P0+I1", "I0+P1", "I0+I1"};
const std::array<const char*, 4> kToolbarHints = {
    "PAP0 + PAP1 (Use Hotkey '1')", "PAP0 + INK1 (Use Hotkey '2')", "INK0 + PAP1 (Use Hotkey '3')",
    "INK0 + INK1 (Use Hotkey '4')"};

// A one-pixel box around an image control, as the palette pictures sit in.
QFrame* ImageFrame(QWidget* parent, QPoint topLeft, QSize imageSize) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    frame->setGeometry(QRect(topLeft, imageSize + QSize(2, 2)));
    return frame;
}

// What an image control shows before the first redraw.
QImage BlankImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QLabel* SectionBar(QWidget* parent, const char* name, const char* caption, QPoint topLeft) {
    auto* bar = new QLabel(QString::fromLatin1(caption), parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->setAlignment(Qt::AlignCenter);
    QFont font = bar->font();
    font.setBold(true);
    bar->setFont(font);
    bar->setGeometry(QRect(topLeft, QSize(322, 17)));
    return bar;
}

QLabel* SmallLabel(QWidget* parent, const QString& name, const char* text, const QRect& geometry,
                   int pixelSize, Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

} // namespace

PaletteButton::PaletteButton(QWidget* parent, const QString& name, const QRect& geometry,
                             const QString& caption, const QString& hint)
    : QFrame(parent) {
    setObjectName(name);
    setGeometry(geometry);
    setToolTip(hint);
    setAutoFillBackground(true);
    captioned_ = !caption.isEmpty();
    if (!captioned_) {
        SetColour(MakeRgb(0, 0, 0)); // a swatch: its colour is its background
    } else {
        auto* label = new QLabel(caption, this);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(rect());
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    SetPressed(false);
}

void PaletteButton::SetColour(Rgb colour) {
    colour_ = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    setPalette(palette);
}

void PaletteButton::SetPressed(bool pressed) {
    pressed_ = pressed;
    setFrameStyle(pressed ? (QFrame::Panel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
    // A swatch keeps its colour, so only a deep bevel shows that it is the chosen one; a
    // ZX button also takes the pressed colour of the toolbar keys.
    setLineWidth(pressed ? (captioned_ ? 2 : 3) : 1);
    if (captioned_) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, pressed ? QColor(0xB8, 0xD0, 0xEC) : QColor(Qt::white));
        setPalette(palette);
    }
}

void PaletteButton::mousePressEvent(QMouseEvent* event) {
    armed_ = event->button() == Qt::LeftButton;
}

void PaletteButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        armed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    armed_ = false;
    if (click)
        emit Clicked();
}

ColourPalettes::ColourPalettes(Editor& editor, QWidget* window, QPoint origin,
                               QWidget* currentColours)
    : QObject(window), editor_(editor), sources_(PaletteSources::Create()) {
    CreateWindowControls(window, origin);
    CreateToolbarSwatches(currentColours);
    // Until the first show draws them, the controls show the state of colour 0.
    ShowCharColorSelection();
}

void ColourPalettes::CreateWindowControls(QWidget* window, QPoint origin) {
    // Image_PaletteGradient, the gradient palette, takes the place at (8, 40).
    QFrame* fullFrame =
        ImageFrame(window, origin + kFullPaletteFrame, QSize(kFullPaletteSize, kFullPaletteSize));
    full_ = new ImageControl(fullFrame, QStringLiteral("Img_Palette_full"),
                             BlankImage(QSize(kFullPaletteSize, kFullPaletteSize)));
    full_->move(1, 1);
    connect(full_, &ImageControl::Pressed, this, [this](QPoint position) {
        if (ClickFullPalette(editor_.State().Drawing, position.x(), position.y()))
            RedrawPalettes();
    });

    SectionBar(window, "Panel2", "ZX Screen's Palette", origin + QPoint(8, 280));
    for (int row = 0; row < 4; ++row) {
        const ZxButton zx = kZxRows[row];
        auto* button = new PaletteButton(
            window, QString::fromLatin1(ZxButtonControlName(zx)),
            QRect(origin + QPoint(kZxButtonLeft, kZxButtonTops[row]), QSize(49, 25)),
            QString::fromLatin1(kZxCaptions[row]), QString::fromLatin1(kZxHints[row]));
        zxButtons_[static_cast<int>(zx)] = button;
        connect(button, &PaletteButton::Clicked, this, [this, zx] {
            ClickZxButton(editor_.State().Drawing, zx);
            ShowCharColorSelection();
        });

        const PaletteStrip strip = kStripRows[row];
        QFrame* frame = ImageFrame(window, origin + QPoint(kStripLeft, kStripTops[row]),
                                   QSize(kStripWidth, kSwatchSize));
        auto* image = new ImageControl(frame, QString::fromLatin1(StripControlName(strip)),
                                       BlankImage(QSize(kStripWidth, kSwatchSize)));
        image->move(1, 1);
        strips_[static_cast<int>(strip)] = image;
        connect(image, &ImageControl::Pressed, this, [this, strip](QPoint position) {
            if (ClickStrip(editor_.State().Drawing, strip, position.x()))
                RedrawPalettes();
        });
    }

    SectionBar(window, "Panel11", "Char's Palette", origin + QPoint(8, 408));
    for (int n = 0; n < kSwatchCount; ++n) {
        SmallLabel(window, QStringLiteral("Label%1").arg(n + 1), kWindowLabels[n],
                   QRect(origin + QPoint(kWindowLabelLefts[n], kWindowLabelTop), QSize(72, 15)), 11,
                   Qt::AlignLeft | Qt::AlignVCenter);
        auto* swatch = new PaletteButton(
            window, QStringLiteral("Pal4Color%1").arg(n),
            QRect(origin + QPoint(kWindowSwatchLefts[n], kWindowSwatchTop), QSize(73, 25)), {},
            QString::fromLatin1(kWindowHints[n]));
        windowSwatches_[n] = swatch;
        connect(swatch, &PaletteButton::Clicked, this, [this, n] { SelectSwatch(n); });
    }
}

void ColourPalettes::CreateToolbarSwatches(QWidget* strip) {
    for (int n = 0; n < kSwatchCount; ++n) {
        const int left = kToolbarSwatchLefts[n], width = kToolbarSwatchWidths[n];
        SmallLabel(strip, QStringLiteral("Label%1").arg(n + 7), kToolbarLabels[n],
                   QRect(left, 0, width, kToolbarSwatchTop), 10, Qt::AlignCenter);
        auto* swatch =
            new PaletteButton(strip, QStringLiteral("CharPal_SelectedColor%1").arg(n),
                              QRect(left, kToolbarSwatchTop, width, kToolbarSwatchHeight), {},
                              QString::fromLatin1(kToolbarHints[n]));
        toolbarSwatches_[n] = swatch;
        connect(swatch, &PaletteButton::Clicked, this, [this, n] { SelectSwatch(n); });
    }
}

void ColourPalettes::RedrawPalettes() {
    const PaletteImages images = MakePaletteImages(sources_, editor_.State().Drawing.CurrentAttr);
    for (int i = 0; i < 4; ++i)
        strips_[i]->SetImage(images.strips[i]);
    full_->SetImage(images.full);
    for (int n = 0; n < kSwatchCount; ++n) {
        windowSwatches_[n]->SetColour(images.swatches[n]);
        toolbarSwatches_[n]->SetColour(images.swatches[n]);
    }
}

void ColourPalettes::ShowCharColorSelection() {
    const CharColorSelection selection =
        CharColorSelectionOf(editor_.State().Drawing.CurrentCharColor);
    for (int n = 0; n < kSwatchCount; ++n) {
        windowSwatches_[n]->SetPressed(selection.swatch[n]);
        toolbarSwatches_[n]->SetPressed(selection.swatch[n]);
        zxButtons_[n]->SetPressed(selection.zxButton[n]);
    }
}

void ColourPalettes::SelectSwatch(int n) {
    SelectCharColor(editor_.State().Drawing, n);
    ShowCharColorSelection();
}

void ColourPalettes::RedrawFullPaletteMarkers() {
    DrawFullPaletteMarkers(full_->MutableImage(), editor_.State().Drawing.CurrentAttr);
    full_->Repaint();
}
