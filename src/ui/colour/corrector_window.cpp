// SPDX-License-Identifier: GPL-3.0-or-later
// The corrector's controls are thin: every image they show is made by the corrector's
// core routines from the renderer's screen images and the range.
#include "colour/corrector_window.h"

#include "display/frames.h"

#include "colour/image_control.h"
#include "editing/editor.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

struct ButtonRow {
    const char* name;
    const char* caption;
    CorrectorOperation operation;
    QRect geometry;
    const char* hint;
};

using Op = CorrectorOperation;
const ButtonRow kButtons[] = {
    {"Button2",
     "Invert All",
     Op::InvertAll0,
     {120, 464, 65, 25},
     "Screen 0: invert the pixels and swap paper and ink of the marked cells (they look the same)"},
    {"Button11",
     "Invert RGB",
     Op::InvertRgb0,
     {184, 464, 73, 25},
     "Screen 0: swap paper and ink of the marked cells"},
    {"Button13",
     "Invert PIX",
     Op::InvertPix0,
     {256, 464, 73, 25},
     "Screen 0: invert the pixels of the marked cells"},
    {"Button8",
     "CopyR All",
     Op::CopyRAll,
     {120, 488, 65, 25},
     "Copy the marked cells' pixels and attributes from screen 0 to screen 1"},
    {"Button15",
     "CopyR RGB",
     Op::CopyRRgb,
     {184, 488, 73, 25},
     "Copy the marked cells' attributes from screen 0 to screen 1"},
    {"Button16",
     "CopyR PIX",
     Op::CopyRPix,
     {256, 488, 73, 25},
     "Copy the marked cells' pixels from screen 0 to screen 1"},
    {"Button3",
     "Invert All",
     Op::InvertAll1,
     {632, 464, 65, 25},
     "Screen 1: invert the pixels and swap paper and ink of the marked cells (they look the same)"},
    {"Button12",
     "Invert RGB",
     Op::InvertRgb1,
     {696, 464, 73, 25},
     "Screen 1: swap paper and ink of the marked cells"},
    {"Button14",
     "Invert PIX",
     Op::InvertPix1,
     {768, 464, 73, 25},
     "Screen 1: invert the pixels of the marked cells"},
    {"Button17",
     "CopyL All",
     Op::CopyLAll,
     {632, 488, 65, 25},
     "Copy the marked cells' pixels and attributes from screen 1 to screen 0"},
    {"Button18",
     "CopyL RGB",
     Op::CopyLRgb,
     {696, 488, 73, 25},
     "Copy the marked cells' attributes from screen 1 to screen 0"},
    {"Button9",
     "CopyL PIX",
     Op::CopyLPix,
     {768, 488, 73, 25},
     "Copy the marked cells' pixels from screen 1 to screen 0"},
    {"Button1",
     "Exchange Chars between screens",
     Op::Exchange,
     {8, 552, 1025, 25},
     "Exchange the marked cells' pixels and attributes between screen 0 and screen 1"},
    {"Button6",
     "Invert All",
     Op::InvertAllBoth,
     {8, 577, 81, 25},
     "Both screens: invert the pixels and swap paper and ink of the marked cells"},
    {"Button7",
     "Invert RGB",
     Op::InvertRgbBoth,
     {88, 577, 81, 25},
     "Both screens: swap paper and ink of the marked cells"},
    {"Button10",
     "Invert PIX",
     Op::InvertPixBoth,
     {168, 577, 81, 25},
     "Both screens: invert the pixels of the marked cells"},
};

struct StripRow {
    const char* label;
    const char* caption;
    QPoint labelAt;
    const char* strip;
    QPoint stripAt;
};

// In the order of CorrectorStripIndices: paper and ink of screen 0, then of screen 1.
const StripRow kStrips[] = {
    {"StaticText1", "P0", {124, 415}, "ImgCorrPAP0", {143, 414}},
    {"StaticText2", "I0", {124, 438}, "ImgCorrINK0", {143, 437}},
    {"StaticText3", "P1", {635, 415}, "ImgCorrPAP1", {655, 414}},
    {"StaticText4", "I1", {635, 438}, "ImgCorrINK1", {655, 437}},
};

constexpr QPoint kViewAt[2] = {{3, 22}, {520, 22}};
constexpr QPoint kCharPanelAt[2] = {{8, 414}, {520, 414}};

QImage Blank(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

int CharPanelHeight(int charHeight) {
    return 12 * charHeight + 4;
}

} // namespace

CorrectorWindow::CorrectorWindow(Editor& editor, QWidget* window)
    : QObject(window), editor_(editor) {
    const QPoint origin = window->contentsRect().topLeft();
    QFont small = window->font();
    small.setPixelSize(11);

    for (int s = 0; s < 2; ++s) {
        views_[s] = new ImageControl(window, QStringLiteral("IMGCorrector%1").arg(s),
                                     Blank(kCorrectorViewWidth, kCorrectorViewHeight));
        views_[s]->move(origin + kViewAt[s]);
        connect(views_[s], &ImageControl::Pressed, this, &CorrectorWindow::OnPress);
        connect(views_[s], &ImageControl::Moved, this, &CorrectorWindow::OnMove);
        connect(views_[s], &ImageControl::Released, this, &CorrectorWindow::OnRelease);

        charPanels_[s] = new QFrame(window);
        charPanels_[s]->setObjectName(QStringLiteral("PanelCorrChar%1").arg(s));
        charPanels_[s]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        charPanels_[s]->setLineWidth(1);
        charPanels_[s]->move(origin + kCharPanelAt[s]);
        charViews_[s] = new ImageControl(charPanels_[s], QStringLiteral("IMGCorrChar%1").arg(s),
                                         Blank(kCorrectorCharSize, kCorrectorCharSize));
        charViews_[s]->move(1, 1);
    }
    FitCharPanels();

    for (int i = 0; i < 4; ++i) {
        const StripRow& row = kStrips[i];
        auto* label = new QLabel(QString::fromLatin1(row.caption), window);
        label->setObjectName(QString::fromLatin1(row.label));
        label->move(origin + row.labelAt);
        label->adjustSize();
        strips_[i] = new ImageControl(window, QString::fromLatin1(row.strip), MarkedZxStrip(0));
        strips_[i]->move(origin + row.stripAt);
    }

    for (const ButtonRow& row : kButtons) {
        auto* button = new QPushButton(QString::fromLatin1(row.caption), window);
        button->setObjectName(QString::fromLatin1(row.name));
        button->setGeometry(row.geometry.translated(origin));
        button->setFont(small);
        button->setToolTip(QString::fromLatin1(row.hint));
        // Keys belong to the main window's command table, never to a button.
        button->setFocusPolicy(Qt::NoFocus);
        const CorrectorOperation operation = row.operation;
        const QString caption = QString::fromLatin1(row.caption);
        connect(button, &QPushButton::clicked, this,
                [this, operation, caption] { RunOperation(operation, caption); });
    }
}

CorrectorRangeRecord& CorrectorWindow::Range() {
    EditorState& state = editor_.State();
    ClampCorrectorRange(state.CorrectorRange, state.Picture.CharHeight);
    return state.CorrectorRange;
}

void CorrectorWindow::FitCharPanels() {
    const int height = CharPanelHeight(editor_.State().Picture.CharHeight);
    for (QFrame* panel : charPanels_)
        panel->setFixedSize(kCorrectorCharSize + 2, height);
}

void CorrectorWindow::Shown() {
    FitCharPanels();
    RefreshCorrectorImages(true);
    RedrawCorrector();
}

void CorrectorWindow::RefreshCorrectorImages(bool rerender) {
    if (rerender)
        editor_.RerenderImages();
    for (int s = 0; s < 2; ++s) {
        DrawCorrectorScreenView(views_[s]->MutableImage(), editor_.Images().ScreenImage[s]);
        views_[s]->Repaint();
    }
}

void CorrectorWindow::RedrawCorrector() {
    const CorrectorRangeRecord& range = Range();
    const MgsImage& picture = editor_.State().Picture;
    const std::array<int, 4> indices = CorrectorStripIndices(picture, range);
    for (int i = 0; i < 4; ++i)
        strips_[i]->SetImage(MarkedZxStrip(indices[i]));
    // The panels follow CharHeight here too, so that a CharHeight changed while the window
    // is shown does not leave them cutting the three cell rows.
    FitCharPanels();
    for (int s = 0; s < 2; ++s) {
        const QImage& screen = editor_.Images().ScreenImage[s];
        DrawCorrectorScreenView(views_[s]->MutableImage(), screen);
        views_[s]->Repaint();
        charViews_[s]->SetImage(
            CorrectorCharView(screen, range, picture.CharHeight, editor_.Patterns()));
    }
}

void CorrectorWindow::AnimateCorrectorFrame() {
    const CorrectorRangeRecord& range = Range();
    for (ImageControl* view : views_) {
        const QRect frame =
            DrawCorrectorFrame(view->MutableImage(), range, editor_.State().Picture.CharHeight,
                               editor_.State().FramePhase, editor_.Patterns());
        view->Repaint(FrameEdges(frame));
    }
}

void CorrectorWindow::RunOperation(CorrectorOperation operation, const QString& caption) {
    EditorState& state = editor_.State();
    const MgsImage before = state.Picture;
    ApplyCorrectorOperation(state.Picture, Range(), operation);
    editor_.RecordEdit(QStringLiteral("Corrector: ") + caption, before);
    // Every view at once: a picture view repainted later from the new render while parts
    // of it still show the old one would show a picture that never existed.
    editor_.RefreshView(true);
    editor_.UpdateZoomPreview();
    // RedrawCorrector below scales the screen views itself.
    RedrawCorrector();
}

void CorrectorWindow::OnPress(QPoint position) {
    EditorState& state = editor_.State();
    CorrectorPress(state.CorrectorRange, position, state.Picture.CharHeight);
    RedrawCorrector();
}

void CorrectorWindow::OnMove(QPoint position) {
    EditorState& state = editor_.State();
    if (!CorrectorMove(state.CorrectorRange, position, state.Picture.CharHeight))
        return;
    RedrawCorrector();
    // Let the views repaint (and the frame tick) during the drag. Input stays queued: the
    // next move is handled after this one returns, never inside it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CorrectorWindow::OnRelease(QPoint position) {
    EditorState& state = editor_.State();
    CorrectorRelease(state.CorrectorRange, position, state.Picture.CharHeight);
    RedrawCorrector();
}
