// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, first show, close, and the filter that sees keys and wheel turns before any
// control of the main window does.
#include "shell/main_window.h"

#include "colour/palette_bus.h"
#include "colour/palette_window.h"
#include "display/picture_view.h"
#include "display/status_bar.h"
#include "shell/floating_window.h"
#include "shell/recovery_keeper.h"
#include "shell/user_dialogs.h"

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
    // Keys and the mouse wheel anywhere in the main window reach this window first.
    qApp->installEventFilter(this);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    state_.Picture = MgsImage{};
    state_.View = ViewState{};
    // The border palette is shown by the colour tools; MixTable is built at compile time.
    patterns_ = LinePatterns::Create();
    images_ = RenderImages::Create();
    // Exactly one argument is a picture to open; otherwise the dialogs start in the
    // program's folder. The path is made absolute, as the dialogs' are, so that it still
    // names the file after the emulator preview changes the current folder.
    if (arguments.size() == 1) {
        OpenFileByName(AbsoluteFileName(arguments.constFirst()));
    } else {
        openDialog1_.InitialDir = QCoreApplication::applicationDirPath();
        saveDialog1_.InitialDir = openDialog1_.InitialDir;
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
    palettes_->RedrawPalettes();
    palettes_->ShowCharColorSelection();
    RefreshView(true);
    // Once the window is there to own the question: work left by a copy that crashed.
    QTimer::singleShot(0, this, [this] {
        recovery_->OfferLeft(this, *dialogs_,
                             [this](const RecoveryData& data) { RestoreRecovered(data); });
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmClose()) {
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
            OnWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
            return true; // the wheel zooms; it never scrolls the picture
        }
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
