// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, first show, close, and the filter that sees keys and wheel turns before any
// control of the main window does.
#include "shell/main_window.h"

#include "colour/palette_bus.h"
#include "colour/palette_window.h"
#include "display/picture_view.h"
#include "display/status_bar.h"
#include "shell/dialog_folders.h"
#include "shell/floating_window.h"
#include "shell/recovery_keeper.h"
#include "shell/user_dialogs.h"
#include "shell/window_placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

namespace {
const QString kCaption = QStringLiteral("tileSmith x0.96");
const QString kVersion = QStringLiteral("version x0.96");
} // namespace

MainWindow::MainWindow(const QStringList& arguments, QWidget* parent)
    : MainWindow(arguments, std::make_unique<QtUserDialogs>(), parent) {}

MainWindow::MainWindow(const QStringList& arguments, std::unique_ptr<UserDialogs> dialogs,
                       QWidget* parent)
    : QMainWindow(parent), dialogs_(std::move(dialogs)) {
    CreateWorkArea();
    CreateMenus();
    CreateFilePanels();

    // The start-up steps run in this fixed order; later steps rely on earlier ones.
    // First the palette message: this copy hears every pick made in any running copy.
    paletteBus_ = new PaletteMessageBus(this);
    connect(paletteBus_, &PaletteMessageBus::Received, this, &MainWindow::OnPaletteMessage);
    paletteBus_->Listen();
    setAcceptDrops(true);
    setWindowTitle(kCaption);
    Panel(QStringLiteral("Panel_About"))
        ->findChild<QLabel*>(QStringLiteral("Label12"))
        ->setText(kVersion);
    // The selection's clipboard format needs no registration: the clipboard carries it as
    // a named MIME format.
    state_.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    ApplyWindowPositions(ReadWindowPositions(SettingsPath()));
    // A settings file that is no regular file or is huge is not read; say so once.
    if (const QString problem = SettingsFileProblem(SettingsPath()); !problem.isEmpty())
        statusBar_->ShowNote(problem);
    placementPending_ = !HasSavedPositions(SettingsPath());
    // Keys and the mouse wheel anywhere in the main window reach this window first.
    qApp->installEventFilter(this);
    PlaceOnWorkArea(0);
    state_.Picture = MgsImage{};
    state_.View = ViewState{};
    // The border palette is shown by the colour tools; MixTable is built at compile time.
    patterns_ = LinePatterns::Create();
    images_ = RenderImages::Create();
    // Exactly one argument is a picture to open. The path is made absolute, as the dialogs' are, so
    // that it still names the file after the emulator preview changes the current folder. The
    // dialogs start in the folder last used, in this run or an earlier one.
    openDialog1_.InitialDir = ReadDialogFolder(SettingsPath());
    saveDialog1_.InitialDir = openDialog1_.InitialDir;
    if (arguments.size() == 1) {
        // A message now would stand alone on the desktop: it waits until the window shows.
        starting_ = true;
        OpenFileByName(AbsoluteFileName(arguments.constFirst()));
        starting_ = false;
    }

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(250);
    connect(timer_, &QTimer::timeout, this, &MainWindow::OnTimer);
    timer_->start();

    recovery_ = new RecoveryKeeper(
        [this]() -> std::optional<RecoveryData> {
            if (!HasUnsavedChanges())
                return std::nullopt;
            return RecoveryData{state_.CurrentFileName, state_.Picture};
        },
        this);
    connect(recovery_, &RecoveryKeeper::WriteFailed, statusBar_, &StatusBar::ShowNote);
}

void MainWindow::PlaceOnWorkArea(int retries) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    // A top-level's move() places its frame; resize() sizes its inside.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(area.size() - frame);
    move(area.topLeft());
    if (frame.isNull() && retries > 0)
        QTimer::singleShot(50, this, [this, retries] { PlaceOnWorkArea(retries - 1); });
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::SetDialogs(std::unique_ptr<UserDialogs> dialogs) {
    dialogs_ = std::move(dialogs);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShowDone_)
        return;
    firstShowDone_ = true;
    // Positions saved on a larger desktop could leave a window where it can never be
    // grabbed again; its title bar comes back inside the main window's area.
    std::vector<QWidget*> windows{pictureWindow_};
    for (const auto& [name, panel] : panels_)
        windows.push_back(panel);
    for (QWidget* window : windows) {
        window->move(TitleBarOnScreen(window->geometry(), PanelTitleBar::kHeight,
                                      window->parentWidget()->rect()));
    }
    // The window manager frames the window only once it is mapped; then the frame, title
    // bar included, is fitted to the work area.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QTimer::singleShot(50, this, [this] { PlaceOnWorkArea(20); });
    palettes_->RedrawPalettes();
    palettes_->ShowCharColorSelection();
    RefreshView(true);
    if (!startupError_.isEmpty()) {
        // After the window manager has mapped the window, so that the box sits over it.
        QTimer::singleShot(0, this, [this] { dialogs_->ShowError(this, startupError_); });
    }
    // Once the window is there to own the question: work left by a copy that crashed.
    QTimer::singleShot(0, this, [this] {
        recovery_->OfferLeft(this, *dialogs_,
                             [this](const RecoveryData& data) { RestoreRecovered(data); });
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    timer_->stop();
    recovery_->Forget(); // a clean exit: saved or discarded
    QMainWindow::closeEvent(event);
}

bool MainWindow::OwnsWidget(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->window() == this;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (OwnsWidget(watched) && HandleKey(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::KeyRelease:
        if (OwnsWidget(watched)) {
            HandleKeyRelease(static_cast<QKeyEvent*>(event));
            return true; // handled once here, not again by every parent it would reach
        }
        break;
    case QEvent::Wheel:
        if (OwnsWidget(watched)) {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            OnWheel(wheel->angleDelta().y(), wheel->globalPosition().toPoint());
            return true; // the wheel zooms; it never scrolls the picture
        }
        break;
    case QEvent::MouseMove:
        // The pointer left the Preview picture for its border: the selector frame goes.
        if (watched == borderPreview_)
            CopyPreview();
        break;
    case QEvent::Resize:
        if (watched == workArea_)
            LayOutWorkArea();
        else if (watched == pictureWindow_)
            LayOutPictureWindow();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
