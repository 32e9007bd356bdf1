// SPDX-License-Identifier: GPL-3.0-or-later
// The import window's controls and its one worker thread. A new option cancels the
// conversion in flight; results of an outdated run are dropped by their generation number.
#include "colour/picture_import_window.h"

#include "display/renderer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kProgressDelayMs = 200;

QLabel* PictureLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedSize(2 * kPictureWidth, 2 * kPictureHeight);
    label->setFrameShape(QFrame::NoFrame);
    return label;
}

QComboBox* Choices(const QString& name, const QStringList& items, int current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(current);
    return box;
}

QPixmap Doubled(const QImage& image) {
    return QPixmap::fromImage(image.copy(0, 0, kPictureWidth, kPictureHeight)
                                  .scaled(2 * kPictureWidth, 2 * kPictureHeight));
}

constexpr int kHeights[] = {8, 4, 2, 1};

} // namespace

PictureImportWindow::PictureImportWindow(const QImage& source, const QString& fileName,
                                         const ImportChoice& choice, QWidget* parent)
    : QDialog(parent), source_(source) {
    setObjectName("Panel_ImportPicture");
    setWindowTitle(QStringLiteral("Import picture - %1").arg(QFileInfo(fileName).fileName()));

    sourceView_ = PictureLabel("Img_ImportSource", this);
    resultView_ = PictureLabel("Img_ImportResult", this);
    placementText_ = new QLabel(this);
    placementText_->setObjectName("Label_ImportPlacement");
    int heightIndex = 0;
    for (int i = 0; i < 4; ++i)
        heightIndex = kHeights[i] == choice.Conversion.CharHeight ? i : heightIndex;
    charHeight_ =
        Choices("Combo_ImportCharHeight",
                {QStringLiteral("8x8 Standart Gigascreen"), QStringLiteral("8x4 MultiGigaScreen"),
                 QStringLiteral("8x2 MultiGigaScreen"), QStringLiteral("8x1 MultiGigaScreen")},
                heightIndex, this);
    placement_ = Choices("Combo_ImportPlacement",
                         {QStringLiteral("Fit (whole picture, black around it)"),
                          QStringLiteral("Fill (cover the screen, edges cut off)"),
                          QStringLiteral("Stretch")},
                         static_cast<int>(choice.Place), this);
    dither_ = Choices(
        "Combo_ImportDither",
        {QStringLiteral("None"), QStringLiteral("Ordered"), QStringLiteral("Error diffusion")},
        static_cast<int>(choice.Conversion.Dither), this);
    oneScreen_ = new QCheckBox(QStringLiteral("One screen (15 colours, no mixing)"), this);
    oneScreen_->setObjectName("Check_ImportOneScreen");
    oneScreen_->setChecked(choice.Conversion.OneScreen);
    lowFlicker_ = new QCheckBox(QStringLiteral("Low flicker (mix only colours one brightness "
                                               "step apart)"),
                                this);
    lowFlicker_->setObjectName("Check_ImportLowFlicker");
    lowFlicker_->setChecked(choice.Conversion.LowFlicker);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Progress_Import");
    progress_->setRange(0, 100);
    progress_->hide();

    auto* buttons = new QDialogButtonBox(this);
    import_ = buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::AcceptRole);
    import_->setObjectName("Button_ImportOk");
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("Button_ImportCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(sourceView_);
    pictures->addWidget(resultView_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Char size:"), charHeight_);
    form->addRow(QStringLiteral("Placement:"), placement_);
    form->addRow(QStringLiteral("Dithering:"), dither_);
    form->addRow(QString(), oneScreen_);
    form->addRow(QString(), lowFlicker_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pictures);
    layout->addWidget(placementText_);
    layout->addLayout(form);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(progress_, 1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(50);
    connect(progressTimer_, &QTimer::timeout, this, &PictureImportWindow::ShowProgress);
    for (QComboBox* box : {charHeight_, placement_, dither_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &PictureImportWindow::StartConversion);
    }
    for (QCheckBox* box : {oneScreen_, lowFlicker_})
        connect(box, &QCheckBox::toggled, this, &PictureImportWindow::StartConversion);
    StartConversion();
}

PictureImportWindow::~PictureImportWindow() {
    StopWorker();
}

ImportChoice PictureImportWindow::Choice() const {
    ImportChoice choice;
    choice.Place = static_cast<Placement>(placement_->currentIndex());
    choice.Conversion.CharHeight = kHeights[charHeight_->currentIndex()];
    choice.Conversion.Dither = static_cast<DitherMode>(dither_->currentIndex());
    choice.Conversion.OneScreen = oneScreen_->isChecked();
    choice.Conversion.LowFlicker = lowFlicker_->isChecked();
    return choice;
}

void PictureImportWindow::StopWorker() {
    cancel_ = true;
    if (worker_.joinable())
        worker_.join(); // quick: the conversion looks at the flag between cells
    cancel_ = false;
}

void PictureImportWindow::StartConversion() {
    StopWorker();
    const int generation = ++generation_;
    result_.reset();
    import_->setEnabled(false);
    lowFlicker_->setEnabled(!oneScreen_->isChecked()); // one screen never mixes
    done_ = 0;
    total_ = 1;
    started_.start();
    progressTimer_->start();
    const ImportChoice choice = Choice();
    std::optional<PlacedImage> known;
    if (placedFor_ == choice.Place)
        known = placed_;
    worker_ = std::thread([this, generation, choice, known, source = source_] {
        const PlacedImage placed = known ? *known : PlaceImage(source, choice.Place);
        ConversionControl control;
        control.Cancel = &cancel_;
        control.Progress = [this](int done, int total) {
            total_ = total;
            done_ = done;
        };
        const std::optional<MgsImage> picture =
            ConvertImage(placed.Target, choice.Conversion, control);
        if (!picture)
            return; // cancelled: a newer run follows
        RenderImages images = RenderImages::Create();
        RenderPicture(*picture, images);
        const QImage mixed = images.MixedImage.copy(0, 0, kPictureWidth, kPictureHeight);
        // Runs on the window's thread; dropped with the window if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, generation, choice, placed, picture, mixed] {
                Finish(generation, choice.Place, placed, picture, mixed);
            },
            Qt::QueuedConnection);
    });
}

void PictureImportWindow::Finish(int generation, Placement placement, const PlacedImage& placed,
                                 const std::optional<MgsImage>& picture, const QImage& mixed) {
    if (generation != generation_)
        return;
    result_ = picture;
    placedFor_ = placement;
    placed_ = placed;
    sourceView_->setPixmap(Doubled(placed.Target));
    resultView_->setPixmap(Doubled(mixed));
    placementText_->setText(placed.How);
    progressTimer_->stop();
    progress_->hide();
    import_->setEnabled(true);
}

void PictureImportWindow::ShowProgress() {
    if (started_.elapsed() < kProgressDelayMs)
        return;
    progress_->show();
    progress_->setValue(100 * done_ / std::max(1, total_.load()));
}
