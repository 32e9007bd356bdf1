// SPDX-License-Identifier: GPL-3.0-or-later
// The work area: toolbar, status bar, the picture window and the floating windows, their
// toggles, the maximise box, the About window and the window positions.
#include "shell/main_window.h"

#include "colour/palette_window.h"
#include "display/picture_view.h"
#include "display/preview_views.h"
#include "display/status_bar.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"
#include "shell/user_dialogs.h"
#include "shell/window_placement.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int kToolbarHeight = 41;
constexpr int kGap = 2; // between a window placed at first start and the work area's edge

// The windows kept off each other, in the order they are placed at first start: the most
// used first, each taking the best room the ones before it left. The Preview goes last: it
// closes itself once a zoom is picked.
constexpr const char* kToolWindows[] = {"Panel_Color",     "Panel_Border",  "Panel_ZoomPreview",
                                        "Panel_Corrector", "Panel_Preview", "Panel_History"};

struct PanelLayout {
    const char* name;
    const char* caption;
    QRect geometry;       // where the window starts unless the settings file places it
    const char* closeBox; // nullptr: none
    const char* titleBar; // the title bar's name
};

// In stacking order: later windows lie above earlier ones.
const PanelLayout kPanels[] = {
    {"Panel_Corrector", "Color Corrector", {3, 43, 1041, 617}, "Image16", "Panel12"},
    {"Panel_Color", "Full Palette", {3, 43, 342, 486}, nullptr, "Panel1"},
    {"Panel_Border", "Border Palette", {345, 43, 150, 166}, nullptr, "Panel5"},
    {"Panel_Preview",
     "Preview and Zoom Selector",
     {3, 43, 650, 510},
     nullptr,
     "Panel_Preview_Caption"},
    {"Panel_ExportToBmp",
     "Export to *.PNG",
     {51, 51, 230, 350},
     nullptr,
     "Panel_ExportToBmp_Caption"},
    {"Panel_ZoomPreview",
     "Preview Zoom",
     {495, 43, 193, 209},
     nullptr,
     "Panel_ZoomPreview_Caption"},
    {"Panel_About", "About", {0, 0, 345, 161}, "Image10", "Panel_About_Caption"},
    {"Panel_SaveSelection",
     "Save Selection",
     {40, 456, 217, 161},
     "Image12",
     "Panel_SaveSelection_Caption"},
    {"Panel_History", "History", {700, 43, 220, 520}, "Image21", "Panel_History_Caption"},
};

struct KeyLayout {
    const char* name;
    const char* icon;
    const char* iconName;
    const char* hint;
    int left;
};

const KeyLayout kKeys[] = {
    {"KEY_Zoom1_1", "zoom4", "ImageZoom4", "Zoom x4 (or turn the mouse wheel)", 4},
    {"KEY_Zoom2_1", "zoom8", "ImageZoom8", "Zoom x8 (or turn the mouse wheel)", 36},
    {"KEY_Zoom3_1", "zoom12", "ImageZoom12", "Zoom x12 (or turn the mouse wheel)", 68},
    {"KEY_Zoom4_1", "zoom16", "ImageZoom16", "Zoom x16 (or turn the mouse wheel)", 100},
    {"Key_Grid", "grid_char", "Image1", "PerChar Grid (use hotkey 'G')", 140},
    {"Key_zGrid", "grid_pixel", "Image2", "PerPixel Grid (use hotkey 'H')", 172},
    {"KEY_Palette", "palette_full", "Image4", "Full Palette Window (use hotkey 'C')", 212},
    {"KEY_BorderPalette", "palette_border", "Image5", "Border Palette Window (use hotkey 'B')",
     244},
    {"KEY_Preview", "preview", "Image3", "Preview and Zoom selector Window (use hotkey 'V')", 284},
    {"KEY_ZoomPreview", "zoom_preview", "Image14", "Preview Zoom Window (use hotkey 'ALT+V')", 316},
    {"Key_Instrument_Paint", "tool_pencil", "Image7", "Pencil (use hotkey 'P')", 668},
    {"Key_Instrument_Line", "tool_line", "Image8", "Line (use hotkey 'L')", 700},
    {"Key_Instrument_Rect", "tool_rect", "Image9", "Rectangle (use hotkey 'J')", 732},
    {"Key_Instrument_FillChar", "tool_fillchar", "Image15", "Fill Char (use hotkey 'N')", 764},
    {"Key_Instrument_Select", "tool_select", "Image17", "Selection (use hotkey 'S')", 796},
    {"Key_PaintSize1", "paint_size1", "Image18", "paint size x1", 834},
    {"Key_PaintSize2", "paint_size2", "Image19", "paint size x2", 866},
    {"Key_PaintSize4", "paint_size4", "Image20", "paint size x4", 898},
};

QString IconPath(const char* icon) {
    return QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon));
}

} // namespace

void MainWindow::CreateWorkArea() {
    workArea_ = new QWidget(this);
    workArea_->setObjectName("EditMode_MGS");
    setCentralWidget(workArea_);

    CreatePictureWindow();
    toolbar_ = new QWidget(workArea_);
    toolbar_->setObjectName("Panel_Instruments");
    CreateToolbar();
    statusBar_ = new StatusBar(workArea_);
    CreateFloatingWindows();
    CreateColourTools();
}

void MainWindow::CreatePictureWindow() {
    pictureWindow_ = new TFreePanel(workArea_, QStringLiteral("Panel_Editor_Picture"),
                                    QStringLiteral("Picture"), QSize(1033, 794));
    pictureWindow_->TitleBar()->setObjectName("Panel_Editor_Picture_Caption");
    pictureWindow_->MinWidth = kMinPictureWidth;
    pictureWindow_->MinHeight = kMinPictureHeight;
    pictureWindow_->show();
    maximiseBox_ = pictureWindow_->AddTitleBox(QStringLiteral("Image6"),
                                               QStringLiteral(":/icons/resize_min.png"));
    maximiseBox_->setToolTip(QStringLiteral("Maximise or restore the picture window"));
    connect(pictureWindow_, &FloatingWindow::TitleBoxClicked, this,
            &MainWindow::TogglePictureMaximised);

    scrollBox_ = new QScrollArea(pictureWindow_);
    scrollBox_->setObjectName("ScrollBox_EditPicture");
    scrollBox_->setFrameShape(QFrame::NoFrame);
    scrollBox_->setAlignment(Qt::AlignCenter);
    scrollBox_->setWidgetResizable(false);

    editPanel_ = new QWidget;
    editPanel_->setObjectName("Panel_EditPicture");
    view_ = new PictureView(*this, editPanel_);
    view_->move(1, 1);
    editPanel_->setFixedSize(view_->ViewSize() + QSize(2, 2));
    scrollBox_->setWidget(editPanel_);
    connect(view_, &PictureView::MousePressed, this, &MainWindow::OnPictureMousePress);
    connect(view_, &PictureView::MouseMoved, this, &MainWindow::OnPictureMouseMove);
    connect(view_, &PictureView::MouseReleased, this, &MainWindow::OnPictureMouseRelease);
}

void MainWindow::CreateFloatingWindows() {
    for (const PanelLayout& layout : kPanels) {
        auto* panel =
            new FloatingWindow(workArea_, QString::fromLatin1(layout.name),
                               QString::fromLatin1(layout.caption), layout.geometry.size());
        panel->move(layout.geometry.topLeft());
        panel->TitleBar()->setObjectName(QString::fromLatin1(layout.titleBar));
        if (layout.closeBox)
            panel->AddCloseBox(QString::fromLatin1(layout.closeBox));
        panels_[panel->objectName()] = panel;
    }
    for (const char* name : kToolWindows) {
        FloatingWindow* panel = Panel(QString::fromLatin1(name));
        panel->SetRollable(true);
        connect(panel, &FloatingWindow::VisibilityToggled, this, [this, panel](bool visible) {
            if (visible)
                MakeRoomFor(panel);
        });
        connect(panel, &FloatingWindow::Unrolled, this, [this, panel] { MakeRoomFor(panel); });
    }

    // The Preview window: the picture at 2x inside its border colour.
    FloatingWindow* previewPanel = Panel(QStringLiteral("Panel_Preview"));
    borderPreview_ = new QFrame(previewPanel);
    borderPreview_->setObjectName("PanelBorderPreview");
    borderPreview_->setGeometry(QRect(previewPanel->ContentRect().topLeft(), QSize(642, 481)));
    borderPreview_->setAutoFillBackground(true);
    QPalette border = borderPreview_->palette();
    border.setColor(QPalette::Window, Qt::black);
    borderPreview_->setPalette(border);
    borderPreview_->setMouseTracking(true); // its moves reach the application-wide filter
    preview_ = new PreviewView(borderPreview_);
    preview_->move(65, 50);
    connect(preview_, &PreviewView::PointerMoved, this, &MainWindow::TrackZoomSelector);
    connect(preview_, &PreviewView::Pressed, this, &MainWindow::ApplyZoomSelector);

    FloatingWindow* zoomPanel = Panel(QStringLiteral("Panel_ZoomPreview"));
    zoomPreview_ = new ZoomPreviewView(zoomPanel);
    const QRect zoomArea = zoomPanel->ContentRect();
    zoomPreview_->move(zoomArea.left() + (zoomArea.width() - 176) / 2,
                       zoomArea.top() + (zoomArea.height() - 176) / 2);

    // The Full Palette window, its content placed from the window's inner corner, and the
    // toolbar's current-colour strip.
    FloatingWindow* paletteWindow = Panel(QStringLiteral("Panel_Color"));
    palettes_ = new ColourPalettes(*this, paletteWindow, paletteWindow->contentsRect().topLeft(),
                                   toolbar_->findChild<QFrame*>("Panel_CurrentColors"));

    // About: the product, its line, its version and its licence. The project has no public
    // address yet, so none is shown.
    FloatingWindow* about = Panel(QStringLiteral("Panel_About"));
    const QRect aboutArea = about->ContentRect();
    auto addLine = [&](const char* name, const QString& text, int top, int height, int size) {
        auto* label = new QLabel(text, about);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPixelSize(size);
        font.setBold(size > 20);
        label->setFont(font);
        label->setGeometry(aboutArea.left(), aboutArea.top() + top, aboutArea.width(), height);
        return label;
    };
    addLine("Label6", QStringLiteral("tileSmith"), 8, 40, 32);
    addLine("Label11", QStringLiteral("cross-editor zx multigigascreen graphics"), 54, 20, 13);
    addLine("Label12", QStringLiteral("version x0.00"), 78, 20, 13);
    addLine("Label13", QStringLiteral("GNU General Public License, version 3 or later"), 106, 20,
            12);
}

void MainWindow::CreateToolbar() {
    for (const KeyLayout& layout : kKeys) {
        auto* key = new ToolKey(toolbar_, QString::fromLatin1(layout.name), IconPath(layout.icon),
                                QString::fromLatin1(layout.iconName),
                                QString::fromLatin1(layout.hint), layout.left);
        keys_[key->objectName()] = key;
    }
    auto* colours = new QFrame(toolbar_);
    colours->setObjectName("Panel_CurrentColors");
    colours->setGeometry(356, 4, 213, 32);
    keys_["KEY_EditMode_PIX"] = ToolKey::WithCaption(
        toolbar_, QStringLiteral("KEY_EditMode_PIX"), QStringLiteral("PIX"),
        QStringLiteral("PIX: drawing sets the pixels of both screens (use hotkey 'W')"), 572, 41);
    keys_["KEY_EditMode_RGB"] = ToolKey::WithCaption(
        toolbar_, QStringLiteral("KEY_EditMode_RGB"), QStringLiteral("RGB"),
        QStringLiteral("RGB: drawing sets the colours of the cell (use hotkey 'E')"), 613, 49);

    CreateDrawingKeys();

    // The state at start: zoom level 1, pencil, paint size 1, PIX and RGB on.
    for (const char* name : {"KEY_Zoom1_1", "Key_Instrument_Paint", "Key_PaintSize1",
                             "KEY_EditMode_PIX", "KEY_EditMode_RGB"})
        keys_[QString::fromLatin1(name)]->SetPressed(true);

    for (int level = 1; level <= 4; ++level)
        connect(keys_[QStringLiteral("KEY_Zoom%1_1").arg(level)], &ToolKey::Pressed, this,
                [this, level] {
                    SetZoom(level);
                    RefreshView(true);
                });
    connect(keys_["Key_Grid"], &ToolKey::Pressed, this, &MainWindow::ToggleCharGrid);
    connect(keys_["Key_zGrid"], &ToolKey::Pressed, this, &MainWindow::TogglePixelGrid);
    const std::pair<const char*, const char*> windowKeys[] = {
        {"KEY_Palette", "Panel_Color"},
        {"KEY_BorderPalette", "Panel_Border"},
        {"KEY_Preview", "Panel_Preview"},
        {"KEY_ZoomPreview", "Panel_ZoomPreview"},
    };
    for (auto [keyName, panelName] : windowKeys) {
        ToolKey* key = keys_[QString::fromLatin1(keyName)];
        const QString panel = QString::fromLatin1(panelName);
        connect(key, &ToolKey::Pressed, this,
                [this, key, panel] { ToggleWindow(Panel(panel), key); });
    }
}

FloatingWindow* MainWindow::Panel(const QString& name) const {
    const auto it = panels_.find(name);
    return it == panels_.end() ? nullptr : it->second;
}

void MainWindow::ToggleWindow(FloatingWindow* window, ToolKey* key) {
    PlaceWindowsOnFirstUse();
    const bool visible = window->ToggleVisible();
    key->SetPressed(visible);
    if (window == Panel(QStringLiteral("Panel_Preview")) && visible)
        CopyPreview();
    if (window == Panel(QStringLiteral("Panel_ZoomPreview")) && visible)
        zoomPreview_->update();
}

void MainWindow::PlaceWindowsOnFirstUse() {
    // Done when a window first opens, not at start: only then is the main window at its
    // final size on the screen.
    if (!placementPending_)
        return;
    placementPending_ = false;
    const QRect area = MaximisedPictureRect().adjusted(kGap, kGap, -kGap, -kGap);
    const QRect picture = PictureOnScreen();
    std::vector<QSize> sizes;
    for (const char* name : kToolWindows)
        sizes.push_back(Panel(QString::fromLatin1(name))->size());
    const std::vector<QPoint> places = PlaceFloatingWindows(area, picture, sizes);
    for (std::size_t i = 0; i < places.size(); ++i)
        Panel(QString::fromLatin1(kToolWindows[i]))->move(places[i]);
}

QRect MainWindow::PictureOnScreen() const {
    return QRect(view_->mapTo(workArea_, QPoint(0, 0)), view_->size())
        .intersected(QRect(scrollBox_->mapTo(workArea_, QPoint(0, 0)), scrollBox_->size()));
}

void MainWindow::MakeRoomFor(FloatingWindow* window) {
    // A screen too small for the windows side by side (1366 x 768 holds less than their
    // area): rather than hide the controls of a window under another, the ones in the way
    // become title bars, each a double-click or its key away from coming back.
    const QRect area = MaximisedPictureRect().adjusted(kGap, kGap, -kGap, -kGap);
    window->raise();
    std::vector<FloatingWindow*> open;
    for (const char* name : kToolWindows)
        if (FloatingWindow* panel = Panel(QString::fromLatin1(name)); panel->isVisible())
            open.push_back(panel);
    for (FloatingWindow* other : open) {
        if (other == window || !other->geometry().intersects(window->geometry()))
            continue;
        other->SetRolledUp(true); // a title bar already rolled up only moves
        std::vector<QRect> rest;
        for (FloatingWindow* panel : open)
            if (panel != other)
                rest.push_back(panel->geometry());
        other->move(PlaceFloatingWindows(area, PictureOnScreen(), {other->size()}, rest).front());
    }
}

QRect MainWindow::MaximisedPictureRect() const {
    return QRect(0, kToolbarHeight, workArea_->width(),
                 workArea_->height() - kToolbarHeight - StatusBar::kHeight);
}

void MainWindow::LayOutWorkArea() {
    toolbar_->setGeometry(0, 0, workArea_->width(), kToolbarHeight);
    statusBar_->setGeometry(0, workArea_->height() - StatusBar::kHeight, workArea_->width(),
                            StatusBar::kHeight);
    if (pictureWindow_->Align() == FloatingWindow::Alignment::Client)
        pictureWindow_->setGeometry(MaximisedPictureRect());
}

void MainWindow::LayOutPictureWindow() {
    scrollBox_->setGeometry(pictureWindow_->ContentRect());
    CentreView();
}

void MainWindow::SetPictureMaximised(bool maximised) {
    pictureWindow_->SetAlign(maximised ? FloatingWindow::Alignment::Client
                                       : FloatingWindow::Alignment::Free);
    if (maximised)
        pictureWindow_->setGeometry(MaximisedPictureRect());
    maximiseBox_->setPixmap(QPixmap(maximised ? QStringLiteral(":/icons/resize_min.png")
                                              : QStringLiteral(":/icons/resize_max.png")));
    LayOutPictureWindow();
}

void MainWindow::TogglePictureMaximised() {
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);
    if (pictureWindow_->Align() == FloatingWindow::Alignment::Free) {
        pictureRestoreRect_ = pictureWindow_->geometry();
        SetPictureMaximised(true);
    } else {
        SetPictureMaximised(false);
        pictureWindow_->setGeometry(pictureRestoreRect_);
    }
}

void MainWindow::ToggleAbout() {
    FloatingWindow* about = Panel(QStringLiteral("Panel_About"));
    const QSize outer = frameGeometry().size();
    about->move(static_cast<int>(outer.width() / 2.0 - about->width() / 2.0),
                static_cast<int>(outer.height() / 2.0 - about->height() / 2.0));
    about->ToggleVisible();
}

QString MainWindow::SettingsPath() const {
    return SettingsFilePath(state_.ProgramDir);
}

void MainWindow::ApplyWindowPositions(const WindowPositions& positions) {
    placementPending_ = false; // positions given win over the first-start placement
    // The bounds first, then free, and only then does the alignment decide.
    pictureWindow_->setGeometry(positions.picture);
    SetPictureMaximised(false);
    if (!positions.pictureFree)
        SetPictureMaximised(true);
    Panel(QStringLiteral("Panel_Color"))->move(positions.palette);
    Panel(QStringLiteral("Panel_Border"))->move(positions.borderPalette);
    Panel(QStringLiteral("Panel_Preview"))->move(positions.preview);
    Panel(QStringLiteral("Panel_ZoomPreview"))->move(positions.zoomPreview);
    Panel(QStringLiteral("Panel_Corrector"))->move(positions.corrector);
    Panel(QStringLiteral("Panel_History"))->move(positions.history);
}

WindowPositions MainWindow::CurrentWindowPositions() const {
    WindowPositions p;
    p.picture = pictureWindow_->geometry();
    p.pictureFree = pictureWindow_->Align() == FloatingWindow::Alignment::Free;
    p.palette = Panel(QStringLiteral("Panel_Color"))->pos();
    p.borderPalette = Panel(QStringLiteral("Panel_Border"))->pos();
    p.preview = Panel(QStringLiteral("Panel_Preview"))->pos();
    p.zoomPreview = Panel(QStringLiteral("Panel_ZoomPreview"))->pos();
    p.corrector = Panel(QStringLiteral("Panel_Corrector"))->pos();
    p.history = Panel(QStringLiteral("Panel_History"))->pos();
    return p;
}

void MainWindow::SaveWindowPositions() {
    state_.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString error = WriteWindowPositions(SettingsPath(), CurrentWindowPositions());
    if (!error.isEmpty())
        dialogs_->ShowError(this, error);
}
