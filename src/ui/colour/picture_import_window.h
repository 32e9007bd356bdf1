// SPDX-License-Identifier: GPL-3.0-or-later
// The import window: the source picture and its conversion side by side at 2x, the
// conversion's options, and Import / Cancel. Every option change converts again on a
// worker thread; the window never waits for it.
#pragma once

#include "colour/picture_conversion.h"
#include "formats/picture_import.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

struct ImportChoice {
    Placement Place = Placement::Fit;
    ConversionOptions Conversion;
    friend bool operator==(const ImportChoice&, const ImportChoice&) = default;
};

class PictureImportWindow : public QDialog {
    Q_OBJECT
public:
    PictureImportWindow(const QImage& source, const QString& fileName, const ImportChoice& choice,
                        QWidget* parent = nullptr);
    ~PictureImportWindow() override;

    ImportChoice Choice() const;
    // The conversion for the options now shown, once it is done.
    const std::optional<MgsImage>& Result() const { return result_; }
    bool Converting() const { return worker_.joinable() && !result_; }

private:
    void StartConversion();
    void Finish(int generation, Placement placement, const PlacedImage& placed,
                const std::optional<MgsImage>& picture, const QImage& mixed);
    void StopWorker();
    void ShowProgress();

    QImage source_;
    QLabel* sourceView_ = nullptr;
    QLabel* resultView_ = nullptr;
    QLabel* placementText_ = nullptr;
    QComboBox* charHeight_ = nullptr;
    QComboBox* placement_ = nullptr;
    QComboBox* dither_ = nullptr;
    QCheckBox* oneScreen_ = nullptr;
    QCheckBox* lowFlicker_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* import_ = nullptr;
    QTimer* progressTimer_ = nullptr;

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> done_{0}, total_{1};
    int generation_ = 0;
    QElapsedTimer started_;
    std::optional<MgsImage> result_;
    // The source as last placed, so that options other than the placement skip placing a
    // large picture again.
    std::optional<Placement> placedFor_;
    PlacedImage placed_;
};
