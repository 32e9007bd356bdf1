// SPDX-License-Identifier: GPL-3.0-or-later
// The import window through the main window: Import asks about unsaved changes and then
// replaces the picture like a load; an unreadable file changes nothing.
#include "colour/picture_import_window.h"
#include "support/main_window_fixture.h"
#include "support/temp_folder.h"
#include "support/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class ImportUi : public ShownMainWindow, public TempFolder {
protected:
    void SetUp() override {
        QImage photo(400, 260, QImage::Format_RGB32); // not 4:3, so fit and fill differ
        for (int y = 0; y < 260; ++y) {
            for (int x = 0; x < 400; ++x)
                photo.setPixel(x, y, qRgb(x * 255 / 399, (x ^ y) & 255, y * 255 / 259));
        }
        ASSERT_TRUE(photo.save(Path("photo.jpg")));
        ShownMainWindow::SetUp();
        before = window.State().Picture;
        before.BorderPair = {3, 4};
        before.PixelPlane[0][5] = 0x81; // an edit never saved
        window.State().Picture = before;
    }
    // Opens the import window from the menu and waits for its first conversion.
    PictureImportWindow* OpenImport() {
        dialogs->openAnswers = {Path("photo.jpg")};
        Trigger(window, "ImportPicture1");
        auto* import = window.findChild<PictureImportWindow*>();
        EXPECT_NE(import, nullptr);
        if (import != nullptr)
            WaitForResult(import);
        return import;
    }
    static void WaitForResult(PictureImportWindow* import) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return import->Result().has_value(); }, 10000));
    }
    static QImage Shown(PictureImportWindow* import) {
        return Child<QLabel>(*import, "Img_ImportResult")->pixmap().toImage();
    }

    MgsImage before;
};

TEST_F(ImportUi, ImportAsksAboutUnsavedChangesThenReplacesThePicture) {
    PictureImportWindow* import = OpenImport();
    ASSERT_NE(import, nullptr);
    Child<QComboBox>(*import, "Combo_ImportCharHeight")->setCurrentIndex(1);
    WaitForResult(import);
    const MgsImage converted = *import->Result();
    dialogs->closeAnswer = SaveChangesAnswer::Cancel;
    Child<QPushButton>(*import, "Button_ImportOk")->click();
    EXPECT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(window.State().Picture, before);

    // A drop of a picture file opens the window too; this time the changes are discarded.
    window.OpenDroppedFiles({Path("photo.jpg")});
    import = window.findChild<PictureImportWindow*>();
    ASSERT_NE(import, nullptr);
    WaitForResult(import);
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    Child<QPushButton>(*import, "Button_ImportOk")->click();
    EXPECT_EQ(dialogs->questions.size(), 2);
    const MgsImage& now = window.State().Picture;
    EXPECT_EQ(static_cast<const PicturePlanes&>(now), static_cast<const PicturePlanes&>(converted));
    EXPECT_EQ(now.CharHeight, 4);
    EXPECT_EQ(now.BorderPair, before.BorderPair);
    EXPECT_FALSE(window.HasUnsavedChanges());
    window.SwapUndo(); // a fresh history: nothing to go back to
    EXPECT_EQ(window.State().Picture, now);
}

TEST_F(ImportUi, AnUnreadableFileIsNamedAndNothingChanges) {
    Write("broken.png", "not a picture");
    window.OpenDroppedFiles({Path("broken.png")});
    EXPECT_EQ(window.findChild<PictureImportWindow*>(), nullptr);
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].contains(Path("broken.png")));
    EXPECT_EQ(window.State().Picture, before);
}

} // namespace
