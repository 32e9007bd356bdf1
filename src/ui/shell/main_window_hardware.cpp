// SPDX-License-Identifier: GPL-3.0-or-later
// The picture as the hardware shows it: the View menu with its 50 Hz Flicker, drawing on
// one screen, and the exports of one screen or of the flicker at the PNG sizes.
#include "shell/main_window.h"

#include "display/picture_view.h"
#include "display/status_bar.h"
#include "formats/flicker_export.h"
#include "shell/floating_window.h"
#include "shell/tool_key.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

namespace {

struct ViewItem {
    ViewMode mode;
    const char* name;
    const char* caption;
    const char* key;
};

constexpr ViewItem kViewItems[] = {
    {ViewMode::Mix, "ViewMix1", "Mix", "F5"},
    {ViewMode::Screen0, "ViewScreen01", "Screen 0", "F6"},
    {ViewMode::Screen1, "ViewScreen11", "Screen 1", "F7"},
    {ViewMode::Flicker, "ViewFlicker1", "Flicker", "F8"},
    {ViewMode::Interlace, "ViewInterlace1", "Interlace", "F9"},
};

struct DrawOnKey {
    DrawOn on;
    const char* name;
    const char* caption;
    const char* hint;
    const char* status;
    int left;
    int width;
};

constexpr DrawOnKey kDrawOnKeys[] = {
    {DrawOn::Both, "KEY_DrawOn_Both", "0+1", "Draw on both screens (use hotkey 'F2')",
     "Draw on: both", 938, 38},
    {DrawOn::Screen0, "KEY_DrawOn_0", "0", "Draw on screen 0 only (use hotkey 'F3')",
     "Draw on: screen 0", 976, 28},
    {DrawOn::Screen1, "KEY_DrawOn_1", "1", "Draw on screen 1 only (use hotkey 'F4')",
     "Draw on: screen 1", 1004, 28},
};

struct SizedExportText {
    const char* name;
    const char* caption; // of the menu item
    const char* title;   // of the size panel
};

// Indexed by MainWindow::SizedExport; the mix's menu item is the PNG export's own.
constexpr SizedExportText kSizedExports[] = {
    {nullptr, nullptr, "Export to *.PNG"},
    {"ExportScreen0Png1", "Screen 0 as PNG…", "Export screen 0 to *.PNG"},
    {"ExportScreen1Png1", "Screen 1 as PNG…", "Export screen 1 to *.PNG"},
    {"ExportFlickerGif1", "Animated GIF (flicker)…", "Export flicker to *.GIF"},
};

} // namespace

const QImage& MainWindow::ShownImage() const {
    return ViewImage(images_, hardware_, state_.View.Mode, state_.View.FlickerScreen);
}

const QImage& MainWindow::ShownPreviewImage() const {
    return ViewPreviewImage(images_, hardware_, state_.View.Mode, state_.View.FlickerScreen);
}

void MainWindow::CreateViewMenu() {
    hardware_ = HardwareImages::Create();
    flickerTimer_ = new QTimer(this);
    flickerTimer_->setTimerType(Qt::PreciseTimer);
    flickerTimer_->setInterval(kFlickerIntervalMs);
    connect(flickerTimer_, &QTimer::timeout, this, &MainWindow::OnFlickerTick);

    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName("View1");
    auto* group = new QActionGroup(view);
    for (const ViewItem& item : kViewItems) {
        QAction* action = view->addAction(MenuCaption(item.caption, item.key));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setChecked(item.mode == ViewMode::Mix);
        group->addAction(action);
        const ViewMode mode = item.mode;
        connect(action, &QAction::triggered, this, [this, mode] { SetViewMode(mode); });
    }
    CreateDrawOnKeys();
    CreateHistoryWindow();
}

void MainWindow::CreateDrawOnKeys() {
    for (const DrawOnKey& entry : kDrawOnKeys) {
        ToolKey* key = ToolKey::WithCaption(
            toolbar_, QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption),
            QString::fromLatin1(entry.hint), entry.left, entry.width);
        keys_[key->objectName()] = key;
        const DrawOn on = entry.on;
        connect(key, &ToolKey::Pressed, this, [this, on] { SetDrawOn(on); });
    }
    SetDrawOn(DrawOn::Both);
}

void MainWindow::SetViewMode(ViewMode mode) {
    ViewState& view = state_.View;
    if (mode == ViewMode::Flicker && !flickerNoteShown_) {
        flickerNoteShown_ = true;
        auto* note = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Flicker"),
            QStringLiteral("Flicker shows the two screens one after the other at 50 Hz, as a "
                           "Spectrum does. The picture flashes quickly; if flashing images "
                           "trouble you, use Mix, Screen 0, Screen 1 or Interlace instead."),
            QMessageBox::Ok, this);
        note->setObjectName("FlickerNote");
        note->setAttribute(Qt::WA_DeleteOnClose);
        note->open(); // not modal to the program: the flicker runs behind it
    }
    view.Mode = mode;
    view.FlickerScreen = 0;
    for (const ViewItem& item : kViewItems)
        findChild<QAction*>(QString::fromLatin1(item.name))->setChecked(item.mode == mode);
    if (mode == ViewMode::Flicker)
        flickerTimer_->start();
    else
        flickerTimer_->stop();
    // Painting in the mix leaves the single screens to the next full render.
    RefreshView(true);
    UpdateZoomPreview();
}

void MainWindow::OnFlickerTick() {
    state_.View.FlickerScreen ^= 1;
    view_->update();
    if (Panel(QStringLiteral("Panel_Preview"))->isVisible())
        CopyPreview();
    if (Panel(QStringLiteral("Panel_ZoomPreview"))->isVisible())
        UpdateZoomPreview();
}

void MainWindow::SetDrawOn(DrawOn on) {
    state_.Drawing.DrawScreen = on;
    for (const DrawOnKey& entry : kDrawOnKeys) {
        keys_[QString::fromLatin1(entry.name)]->SetPressed(entry.on == on);
        if (entry.on == on)
            statusBar_->SetDrawOn(QString::fromLatin1(entry.status));
    }
}

void MainWindow::AddHardwareExportItems(QMenu* exportMenu) {
    for (int i = 1; i < static_cast<int>(std::size(kSizedExports)); ++i) {
        QAction* action = exportMenu->addAction(QString::fromUtf8(kSizedExports[i].caption));
        action->setObjectName(QString::fromLatin1(kSizedExports[i].name));
        const auto kind = static_cast<SizedExport>(i);
        connect(action, &QAction::triggered, this, [this, kind] { ShowSizedExportPanel(kind); });
    }
}

void MainWindow::ShowSizedExportPanel(SizedExport kind) {
    sizedExport_ = kind;
    FloatingWindow* panel = Panel(QStringLiteral("Panel_ExportToBmp"));
    panel->TitleBar()->setText(QString::fromLatin1(kSizedExports[static_cast<int>(kind)].title));
    panel->show();
}

QString MainWindow::ExportAtSize(const PngOption& option, const QString& path) const {
    switch (sizedExport_) {
    case SizedExport::Screen0:
        return ExportScreenPng(state_.Picture, 0, option, path);
    case SizedExport::Screen1:
        return ExportScreenPng(state_.Picture, 1, option, path);
    case SizedExport::FlickerGif:
        return ExportFlickerGif(state_.Picture, option, path);
    case SizedExport::Mix:
        break;
    }
    return ExportPng(images_.MixedImage, PngBorderColour(state_.Picture), option, path);
}
