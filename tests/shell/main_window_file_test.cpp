// SPDX-License-Identifier: GPL-3.0-or-later
// The file side of the main window, driven through its menu items, keys, panels, drops and
// close requests, with dialogs that answer from a script.
#include "formats/picture_formats.h"
#include "shell/floating_window.h"
#include "shell/recovery_keeper.h"
#include "support/main_window_fixture.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kCaption = QStringLiteral("tileSmith x0.96");

class FileUi : public testing::Test, public TempFolder {
protected:
    void SetUp() override { Start({}); }

    void Start(const QStringList& arguments) {
        window.reset();
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        window = std::make_unique<MainWindow>(arguments, std::move(fake));
        window->show();
    }
    MgsImage& Picture() { return window->State().Picture; }
    void Trigger(const char* name) { ::Trigger(*window, name); }
    QString Note() const { return window->findChild<QLabel*>("Status_Note")->text(); }
    void Drop(const QStringList& names) {
        QList<QUrl> urls;
        for (const QString& name : names)
            urls.append(QUrl::fromLocalFile(Path(name)));
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &drop);
    }
    // The file state a failed operation must leave alone.
    struct Snapshot {
        MgsImage picture;
        QString title, fileName, fileExt;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot Take() const {
        const EditorState& s = window->State();
        return {s.Picture, window->windowTitle(), s.CurrentFileName, s.CurrentFileExt};
    }

    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<MainWindow> window;
};

TEST_F(FileUi, FailedLoadsAndSavesLeavePictureTitleAndCurrentFile) {
    Picture() = RandomPicture(8, 12);
    dialogs->saveAnswers = {Path("keep.mgs")};
    Trigger("Save1");
    Picture().PixelPlane[0][5] ^= 0xFF; // an unsaved change, which must survive too
    const Snapshot before = Take();

    Write("short.mgs", WriteMgs(RandomPicture(8)).left(100));
    Write("wrong.mg8", WriteMgs(RandomPicture(8)));
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    dialogs->openAnswers = {Path("short.mgs"), Path("wrong.mg8")};
    Trigger("Open1");
    Trigger("Importfrommg1mg2mg4mg81");
    dialogs->saveAnswers = {Path("no/such/folder/pic"), Path("no/such/folder/pic")};
    Trigger("Save1");
    Trigger("Exporttomg81");

    ASSERT_EQ(dialogs->errors.size(), 4);
    EXPECT_TRUE(dialogs->errors[0].startsWith(Path("short.mgs") + " is too short"));
    EXPECT_EQ(dialogs->errors[1], "Error file format: " + Path("wrong.mg8"));
    EXPECT_TRUE(dialogs->errors[2].startsWith("Cannot write " + Path("no/such/folder/pic.mgs")));
    EXPECT_TRUE(dialogs->errors[3].startsWith("Cannot write " + Path("no/such/folder/pic.mg8")));
    EXPECT_EQ(Take(), before);
    EXPECT_TRUE(window->HasUnsavedChanges());
    EXPECT_EQ(Contents("keep.mgs").size(), kMgsFileSize);
}

// Closing, Quit and everything that replaces the picture ask first while it has changes
// never saved; Cancel, or a Save whose dialog is cancelled, leaves everything as it was.
TEST_F(FileUi, EveryCommandThatReplacesOrEndsThePictureAsksAboutUnsavedChanges) {
    EXPECT_TRUE(window->close());
    Start({});
    Picture().BorderPair[1] = 4;
    Picture().BorderPair[1] = 0; // changed and changed back: nothing to ask
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs->questions.isEmpty());

    Write("other.mgs", WriteMgs(RandomPicture(8, 2)));
    Write("other.mg8", WriteMg8File(RandomPicture(8, 2)));
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [&] { Trigger("N4x81"); }},
        {"Open", [&] { Trigger("Open1"); }},
        {"Import", [&] { Trigger("Importfrommg1mg2mg4mg81"); }},
        {"Import .scr", [&] { Trigger("Importfromscr1"); }},
        {"drop", [&] { Drop({"other.mgs"}); }},
        {"close", [&] { window->close(); }},
        {"Quit", [&] { Trigger("Quit1"); }},
    };
    for (const auto& [name, run] : commands) {
        for (const SaveChangesAnswer answer :
             {SaveChangesAnswer::Cancel, SaveChangesAnswer::Save, SaveChangesAnswer::Discard}) {
            Start({});
            Picture().PixelPlane[0][9] = 0x3C; // drawn, never saved
            window->RefreshView(true);
            const Snapshot before = Take();
            dialogs->closeAnswer = answer;              // Save finds its dialog cancelled
            dialogs->openAnswers = {Path("other.mg8")}; // Open and the imports
            if (QString(name) == "Open")
                dialogs->openAnswers = {Path("other.mgs")};
            run();
            EXPECT_EQ(dialogs->questions.size(), 1) << name;
            const bool kept = Take() == before && window->isVisible();
            EXPECT_EQ(kept, answer != SaveChangesAnswer::Discard) << name << " " << int(answer);
        }
    }
    // Save answered with a name saves, then closes.
    Start({});
    Trigger("Convertto8x2");
    dialogs->closeAnswer = SaveChangesAnswer::Save;
    dialogs->saveAnswers = {Path("closing")};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(Contents("closing.mgs"), WriteMgs(Picture()));
}

TEST_F(FileUi, RecoveryKeepsUnsavedChangesUntilSavedOrDiscarded) {
    RecoveryKeeper& recovery = *window->Recovery();
    const QString own = recovery.Store().Path();
    recovery.Tick();
    EXPECT_FALSE(QFile::exists(own)); // nothing unsaved, nothing written
    Picture().PixelPlane[0][5] = 0x81;
    recovery.Tick();
    ASSERT_TRUE(QFile::exists(own));
    QFile::remove(own);
    recovery.Tick();
    EXPECT_FALSE(QFile::exists(own)); // at most once per change
    dialogs->saveAnswers = {Path("saved.mgs")};
    Trigger("Save1");
    Picture().PixelPlane[1][7] = 1;
    recovery.Tick();
    EXPECT_TRUE(QFile::exists(own));
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(QFile::exists(own)); // the crash_recovery journey covers Restore
}

TEST_F(FileUi, LoadsStartAFreshHistorySavesNameWhatTheyWroteAndAskAboutTheFinalName) {
    Picture().PixelPlane[0][0] = 0xFF;
    window->RefreshView(true);
    dialogs->saveAnswers = {Path("pic")};
    Trigger("Save1");
    const QString saved = Path("pic.mgs");
    EXPECT_EQ(Note(), "Saved " + saved);
    EXPECT_TRUE(dialogs->yesNoQuestions.isEmpty());

    // "pic" again: the question is about pic.mgs, and No writes nothing.
    Picture().PixelPlane[0][0] = 0x0F;
    dialogs->saveAnswers = {Path("pic")};
    dialogs->yesNoAnswers = {false};
    Trigger("Save1");
    EXPECT_EQ(dialogs->yesNoQuestions, QStringList{saved + " already exists. Replace it?"});
    EXPECT_EQ(Contents("pic.mgs")[7], '\xFF');

    // Opening starts a fresh history: Ctrl+Z after it does not bring back the picture
    // before an edit (a Convert, which takes an undo copy) of the one it replaced.
    Trigger("Convertto8x2");
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    dialogs->openAnswers = {saved};
    Trigger("Open1");
    const MgsImage opened = Picture();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Picture(), opened);
    EXPECT_EQ(window->windowTitle(), kCaption + " - " + saved);

    // An 8x1 picture exported to .mg2 would change: asked first with the count; No stops.
    Picture().CharHeight = 1;
    Picture().PixelPlane[0].fill(0x0F);
    Picture().AttrPlane[0][PlaneIndex(12, 3)].ink = 5;
    dialogs->yesNoAnswers = {false};
    Trigger("Exporttomg11");
    EXPECT_TRUE(dialogs->yesNoQuestions.last().contains("1 cell of this 8x1 picture"));
    dialogs->saveAnswers = {Path("fine")};
    Trigger("Exporttomg01"); // the file's own char height: no question
    EXPECT_EQ(Contents("fine.mg1").size(), MgFileSize(1, true));
    EXPECT_EQ(dialogs->saveFilters.size(), 3);
    EXPECT_EQ(Note(), "Exported " + Path("fine.mg1"));
}

TEST_F(FileUi, SaveSelectionAsksAboutTheFilesItWouldReplaceAndNoWritesNothing) {
    Picture() = RandomPicture(8, 19);
    SelectionRecord& sel = window->State().Selection;
    sel.exists = true;
    sel.x = 1, sel.y = 2, sel.w = 2, sel.h = 3;
    FloatingWindow* panel = window->Panel("Panel_SaveSelection");
    Write("sprite_pix_0.bin", "old");
    dialogs->saveAnswers = {Path("sprite.bin")};
    dialogs->yesNoAnswers = {false};
    Trigger("MenuSaveSelection");
    panel->findChild<QPushButton*>("Button19")->click();
    ASSERT_EQ(dialogs->yesNoQuestions.size(), 1);
    EXPECT_TRUE(dialogs->yesNoQuestions[0].contains(Path("sprite_pix_0.bin")));
    EXPECT_EQ(Contents("sprite_pix_0.bin"), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"sprite_pix_0.bin"});
}

} // namespace
