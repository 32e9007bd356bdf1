// SPDX-License-Identifier: GPL-3.0-or-later
// The viewers proven in an emulator: Fuse runs each snapshot under Xvfb, records every
// frame, and each recorded frame must be exactly screen 0 or screen 1 of the picture,
// alternating, with that screen's border colour.
#include "formats/zx_program.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <climits>

#include <signal.h>
#include <unistd.h>

namespace {

constexpr int kFrames = 40; // interrupts before Fuse is told to exit
const QString kRom = QStringLiteral("/usr/share/spectrum-roms/opense.rom");
const QString kStubRom = QStringLiteral("/usr/share/spectrum-roms/opense-stub.rom");

// Fuse's colours: 192 for a normal channel, 255 for a bright one.
QRgb FuseColour(int colour, bool bright) {
    const int level = bright ? 255 : 192;
    return qRgb((colour & 2) ? level : 0, (colour & 4) ? level : 0, (colour & 1) ? level : 0);
}

// One screen as the Spectrum shows it: the attribute byte of each pixel's effective row.
QImage ScreenAsShown(const MgsImage& picture, int screen) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPixelRows; ++y) {
        for (int c = 0; c < kByteColumns; ++c) {
            const uint8_t attr = SpectrumAttr(
                picture.AttrPlane[screen][PlaneIndex(c, EffectiveAttrRow(picture, y, c))]);
            const bool bright = (attr & 0x40) != 0;
            const uint8_t bits = picture.PixelPlane[screen][PlaneIndex(c, y)];
            for (int x = 0; x < 8; ++x) {
                const int colour = (bits & PixelMask(x)) ? (attr & 7) : ((attr >> 3) & 7);
                image.setPixel(c * 8 + x, y, FuseColour(colour, bright));
            }
        }
    }
    return image;
}

struct FuseRun {
    QList<QImage> Frames;
    QString Error;
};

FuseRun RunFuse(const TempFolder& folder, const QString& file, SpectrumMachine machine) {
    FuseRun run;
    const bool pentagon = machine == SpectrumMachine::Pentagon;
    const QStringList roms =
        pentagon ? QStringList{"--rom-pentagon-0", kRom,    "--rom-pentagon-1", kRom,
                               "--rom-pentagon-2", kStubRom}
                 : QStringList{"--rom-128-0", kRom, "--rom-128-1", kRom};
    const QString stop = QStringLiteral("break 0x%1\nignore 1 %2\ncommands 1\nexit\nend")
                             .arg(QString::number(kViewerInterruptAddress, 16))
                             .arg(kFrames);
    QStringList args{"-a",
                     "-s",
                     "-screen 0 640x480x24",
                     "fuse-sdl",
                     "--machine",
                     pentagon ? "pentagon" : "128",
                     "--no-sound",
                     "--no-autosave-settings"};
    args << roms << "--snapshot" << file << "--movie-start" << folder.Path("run.fmf")
         << "--debugger-command" << stop;
    // Other X servers starting at the same moment can take the display xvfb-run picked, and
    // then Fuse ends at once without a frame: such a start is tried again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        QProcess fuse;
        fuse.setWorkingDirectory(folder.dir.path());
        // A group of its own, so that a run that never ends takes Xvfb and Fuse with it.
        fuse.setChildProcessModifier([] { ::setpgid(0, 0); });
        fuse.start("xvfb-run", args);
        if (!fuse.waitForFinished(60000)) {
            ::kill(-static_cast<pid_t>(fuse.processId()), SIGKILL);
            fuse.waitForFinished();
            run.Error = "Fuse did not reach the frame count in time";
            return run;
        }
        if (QFileInfo(folder.Path("run.fmf")).size() > 0)
            break;
        run.Error = "Fuse recorded nothing: " + QString::fromLocal8Bit(fuse.readAllStandardError());
    }
    if (QFileInfo(folder.Path("run.fmf")).size() == 0)
        return run;
    run.Error.clear();
    QProcess conv;
    conv.setWorkingDirectory(folder.dir.path());
    conv.start("fmfconv", {"-y", "--ppm", "run.fmf", "frame.ppm"});
    if (!conv.waitForFinished(60000) || conv.exitCode() != 0) {
        run.Error = "fmfconv failed: " + QString::fromLocal8Bit(conv.readAllStandardError());
        return run;
    }
    QDir dir(folder.dir.path());
    for (const QString& name : dir.entryList({"frame*.ppm"}, QDir::Files, QDir::Name))
        run.Frames.append(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return run;
}

// Where a frame first differs from the screen it is most like: the pixel row and the
// attribute column, which is what tells a window placed too early from one too late.
std::string Mismatch(const QImage& area, const std::array<QImage, 2>& screens) {
    std::string best;
    int fewest = INT_MAX;
    for (int s = 0; s < 2; ++s) {
        int wrong = 0;
        std::string first;
        for (int y = 0; y < area.height(); ++y) {
            for (int x = 0; x < area.width(); ++x) {
                if (area.pixel(x, y) == screens[s].pixel(x, y))
                    continue;
                if (wrong++ == 0)
                    first = "row " + std::to_string(y) + " column " + std::to_string(x / 8);
            }
        }
        if (wrong < fewest) {
            fewest = wrong;
            best = "closest to screen " + std::to_string(s) + ", " + std::to_string(wrong) +
                   " pixels differ from " + first;
        }
    }
    return best;
}

struct FuseCase {
    int CharHeight;
    SpectrumMachine Machine;
};

class FuseFrames : public testing::TestWithParam<FuseCase> {};

TEST_P(FuseFrames, EveryFrameIsOneScreenAlternating) {
    if (QStandardPaths::findExecutable("fuse-sdl").isEmpty() ||
        QStandardPaths::findExecutable("xvfb-run").isEmpty())
        GTEST_SKIP() << "Fuse (fuse-emulator-sdl) or xvfb-run is not installed";
    const auto [charHeight, machine] = GetParam();
    MgsImage picture = RandomPicture(charHeight, 7);
    picture.BorderPair = {2, 5};
    TempFolder folder;
    const QByteArray z80 = WriteZ80(picture, machine);
    ASSERT_FALSE(z80.isEmpty()) << "no snapshot was written";
    folder.Write("view.z80", z80);
    const FuseRun run = RunFuse(folder, folder.Path("view.z80"), machine);
    ASSERT_TRUE(run.Error.isEmpty()) << run.Error.toStdString();
    ASSERT_GE(run.Frames.size(), kFrames);

    const std::array<QImage, 2> screens = {ScreenAsShown(picture, 0), ScreenAsShown(picture, 1)};
    // Fuse's frame is 320 x 240 with the picture at (32, 24). The viewer copies its screens
    // and syncs during the first few frames; from then on every frame must be exact.
    constexpr int kSettle = 8;
    int previous = -1;
    for (qsizetype f = kSettle; f < run.Frames.size(); ++f) {
        const QImage& frame = run.Frames[f];
        ASSERT_EQ(frame.size(), QSize(320, 240));
        const QImage area = frame.copy(32, 24, kPictureWidth, kPictureHeight);
        const int shown = area == screens[0] ? 0 : area == screens[1] ? 1 : -1;
        ASSERT_NE(shown, -1) << "frame " << f << " is neither screen; " << Mismatch(area, screens);
        EXPECT_NE(shown, previous) << "frame " << f << " repeats screen " << shown;
        EXPECT_EQ(frame.pixel(0, 0), FuseColour(picture.BorderPair[shown], false))
            << "border of frame " << f;
        previous = shown;
    }
}

std::string CaseName(const testing::TestParamInfo<FuseCase>& info) {
    return "mode8x" + std::to_string(info.param.CharHeight) +
           (info.param.Machine == SpectrumMachine::Pentagon ? "_pentagon" : "_128k");
}

INSTANTIATE_TEST_SUITE_P(Viewers, FuseFrames,
                         testing::Values(FuseCase{8, SpectrumMachine::Spectrum128},
                                         FuseCase{8, SpectrumMachine::Pentagon},
                                         FuseCase{4, SpectrumMachine::Pentagon},
                                         FuseCase{4, SpectrumMachine::Spectrum128},
                                         FuseCase{2, SpectrumMachine::Pentagon},
                                         FuseCase{2, SpectrumMachine::Spectrum128},
                                         FuseCase{1, SpectrumMachine::Pentagon},
                                         FuseCase{1, SpectrumMachine::Spectrum128}),
                         CaseName);

} // namespace
