// Start-up, first show and the work area of the main window.
#include "shell/main_window.h"

#include "display/picture_view.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace {
const QString kCaption = QStringLiteral("tileSmith x0.96");
}

MainWindow::MainWindow(const QStringList& arguments, QWidget* parent) : QMainWindow(parent) {
    // The start-up steps run in a fixed order; later steps rely on earlier ones.
    // Registering the palette message and installing its filter, and accepting dropped
    // files, come with the features that own them.
    setWindowTitle(kCaption);
    // The selection clipboard format needs no registration: the clipboard carries it as
    // a named MIME format.
    state_.ProgramDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    CreateWorkArea();
    CreateMenus();
    // Window positions from the settings file and the mouse-wheel binding come with the
    // floating windows.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    state_.Picture = MgsImage{};
    state_.View = ViewState{};
    // MixTable is built at compile time; the renderer's images come last.
    patterns_ = LinePatterns::Create();
    images_ = RenderImages::Create();
    // Opening a picture named on the command line comes with the file formats.
    (void)arguments;
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateWorkArea() {
    workArea_ = new QWidget(this);
    workArea_->setObjectName("EditMode_MGS");
    setCentralWidget(workArea_);
    workArea_->installEventFilter(this);

    pictureWindow_ = new QFrame(workArea_);
    pictureWindow_->setObjectName("Panel_Editor_Picture");
    pictureWindow_->setFrameStyle(QFrame::Panel | QFrame::Raised);

    scrollBox_ = new QScrollArea(pictureWindow_);
    scrollBox_->setObjectName("ScrollBox_EditPicture");
    scrollBox_->setFrameShape(QFrame::NoFrame);
    scrollBox_->setAlignment(Qt::AlignCenter);
    scrollBox_->setWidgetResizable(false);

    editPanel_ = new QWidget;
    editPanel_->setObjectName("Panel_EditPicture");
    editPanel_->setAutoFillBackground(true);
    view_ = new PictureView(*this, editPanel_);
    view_->move(1, 1);
    editPanel_->setFixedSize(view_->ViewSize() + QSize(2, 2));
    scrollBox_->setWidget(editPanel_);
}

void MainWindow::LayOutWorkArea() {
    pictureWindow_->setGeometry(workArea_->rect());
    scrollBox_->setGeometry(pictureWindow_->contentsRect());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == workArea_ && event->type() == QEvent::Resize)
        LayOutWorkArea();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShowDone_)
        return;
    firstShowDone_ = true;
    // The palettes are drawn before the first render once the palette windows exist.
    RefreshView(true);
}

void MainWindow::RefreshView(bool rerender) {
    if (rerender)
        RenderPicture(state_.Picture, images_);
    view_->update();
}

void MainWindow::SetZoom(int level) {
    state_.View.ZoomLevel = std::clamp(level, kMinZoomLevel, kMaxZoomLevel);
    view_->UpdateSize();
    editPanel_->setFixedSize(view_->ViewSize() + QSize(2, 2));
}

void MainWindow::NewPicture(int charHeight) {
    ::NewPicture(state_.Picture, charHeight);
    SetZoom(1);
    RefreshView(true);
}

void MainWindow::ConvertCharHeight(int charHeight) {
    ::ConvertCharHeight(state_.Picture, charHeight);
    SetZoom(1);
    RefreshView(true);
}
