// SPDX-License-Identifier: GPL-3.0-or-later
// The file side of the main window, driven through its menu items, keys, panels, drops and
// close requests, with dialogs that answer from a script.
#include "display/view_state.h"
#include "formats/emulator_preview.h"
#include "formats/picture_formats.h"
#include "formats/png_export.h"
#include "formats/zx_program.h"
#include "shell/dialog_folders.h"
#include "shell/floating_window.h"
#include "shell/recovery_keeper.h"
#include "support/main_window_fixture.h"
#include "support/png_decode.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"
#include "support/widgets.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
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
    void Drop(const QStringList& names) {
        QList<QUrl> urls;
        for (const QString& name : names)
            urls.append(QUrl::fromLocalFile(Path(name)));
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
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

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

TEST_F(FileUi, FileMenuItemsStandInOrderAndEachSetsItsFilter) {
    const auto* file = window->menuBar()->findChild<QMenu*>("File1");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Captions(file),
              (QStringList{"New", "Change char size", "-", "Open *.mgs\tCtrl+O",
                           "Save *.mgs\tCtrl+S", "-", "Save selection", "-", "Import", "Export",
                           "-", "Make trd/tap and preview in Emul", "-", "Save windows positions",
                           "-", "Quit\tCtrl+Q"}));
    EXPECT_EQ(Captions(Child<QMenu>(*window, "Import1")),
              (QStringList{"Import from *.img", "Import from *.$img", "-", "Import from *.scr",
                           "Import from *.$scr", "-", "Import from *.mg1/mg2/mg4/mg8", "-",
                           "Import picture (PNG, JPEG, BMP, GIF)…"}));
    EXPECT_EQ(Captions(Child<QMenu>(*window, "Export1")),
              (QStringList{"Export to *.img", "-", "Export to *.mg1", "Export to *.mg2",
                           "Export to *.mg4", "Export to *.mg8", "-", "Export to *.PNG",
                           "Screen 0 as PNG…", "Screen 1 as PNG…", "Animated GIF (flicker)…", "-",
                           "Spectrum snapshot (*.z80)...", "Spectrum tape (*.tap)..."}));

    // Cancelled, every item leaves everything as it was.
    const Snapshot before = Take();
    const std::pair<const char*, const char*> openItems[] = {
        {"Open1", "*.mgs (*.mgs)"},
        {"Importfromimg2", "*.img (*.img)"},
        {"Importfromimg1", "*.$img (*.$img)"},
        {"Importfromscr1", "*.scr (*.scr)"},
        {"Importfromscr2", "*.$scr (*.$scr)"},
        {"Importfrommg1mg2mg4mg81", "*.mg1/mg2/mg4/mg8 (*.mg1 *.mg2 *.mg4 *.mg8)"},
    };
    for (auto [name, filter] : openItems) {
        Trigger(name);
        EXPECT_EQ(dialogs->openFilters.last(), filter) << name;
    }
    const std::pair<const char*, const char*> saveItems[] = {
        {"Save1", "*.mgs (*.mgs)"},        {"Exporttoimg2", "*.img (*.img)"},
        {"Exporttomg01", "*.mg1 (*.mg1)"}, {"Exporttomg11", "*.mg2 (*.mg2)"},
        {"Exporttomg21", "*.mg4 (*.mg4)"}, {"Exporttomg81", "*.mg8 (*.mg8)"},
    };
    for (auto [name, filter] : saveItems) {
        Trigger(name);
        EXPECT_EQ(dialogs->saveFilters.last(), filter) << name;
    }
    EXPECT_EQ(Take(), before);
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_FALSE(window->State().Drawing.MouseBlocked);
    // Never in the program's folder: the folder last used, or the home folder.
    EXPECT_NE(dialogs->openStarts.front().InitialDir, QCoreApplication::applicationDirPath());
    EXPECT_EQ(dialogs->saveStarts.front().InitialDir, dialogs->openStarts.front().InitialDir);
}

TEST_F(FileUi, SaveAndOpenRoundTripThroughTheItemsAndKeys) {
    Picture() = RandomPicture(4, 11);
    Picture().BorderPair = {3, 6};
    const MgsImage drawn = Picture();
    EXPECT_TRUE(window->HasUnsavedChanges());

    dialogs->saveAnswers = {Path("pic")};
    Trigger("Save1");
    const QString saved = Path("pic.mgs");
    EXPECT_EQ(Contents("pic.mgs"), WriteMgs(drawn));
    EXPECT_EQ(window->windowTitle(), "tileSmith x0.96 - " + saved);
    EXPECT_EQ(window->State().CurrentFileName, saved);
    EXPECT_EQ(window->State().CurrentFileExt, ".mgs");
    EXPECT_FALSE(window->HasUnsavedChanges());
    // A save names neither dialog's file beyond what was chosen in it.
    EXPECT_EQ(window->OpenDialog1().FileName, QString());

    Trigger("N1x81");
    EXPECT_FALSE(window->HasUnsavedChanges()); // a new picture has nothing to lose
    window->SetZoom(3);
    dialogs->openAnswers = {saved};
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs->openFilters.size(), 1);
    EXPECT_EQ(Picture(), drawn);
    EXPECT_EQ(window->State().View.ZoomLevel, 1);
    EXPECT_TRUE(window->State().Drawing.MouseBlocked);
    EXPECT_FALSE(window->HasUnsavedChanges());
    EXPECT_EQ(window->OpenDialog1().FileName, saved);
    EXPECT_EQ(window->SaveDialog1().FileName, saved);
    window->OnTimer();
    EXPECT_FALSE(window->State().Drawing.MouseBlocked);

    // The save dialog starts at the loaded file; Ctrl+S saves.
    dialogs->saveAnswers = {Path("again.mgs")};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs->saveStarts.back().FileName, saved);
    EXPECT_EQ(Contents("again.mgs"), WriteMgs(drawn));
    EXPECT_EQ(window->State().CurrentFileName, Path("again.mgs"));
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(FileUi, FailedLoadsAndSavesLeavePictureTitleAndCurrentFile) {
    Picture() = RandomPicture(8, 12);
    dialogs->saveAnswers = {Path("keep.mgs")};
    Trigger("Save1");
    Picture().PixelPlane[0][5] ^= 0xFF; // an unsaved change, which must survive too
    const Snapshot before = Take();
    const FileDialogMemory saveMemory = window->SaveDialog1();

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
    EXPECT_EQ(window->SaveDialog1().FileName, Path("no/such/folder/pic"));
    EXPECT_NE(saveMemory.FileName, window->SaveDialog1().FileName);
    EXPECT_TRUE(window->HasUnsavedChanges());
    EXPECT_EQ(Contents("keep.mgs").size(), kMgsFileSize);
}

TEST_F(FileUi, ImportsLoadWithoutNamingTheFileButMgFilesAreNamed) {
    dialogs->saveAnswers = {Path("named.mgs")};
    Trigger("Save1");
    const QString title = window->windowTitle();

    const MgsImage source = RandomPicture(8, 13);
    Write("two.img", WriteImg(source));
    window->SetZoom(2);
    dialogs->openAnswers = {Path("two.img")};
    Trigger("Importfromimg2");
    EXPECT_EQ(Picture().PixelPlane, source.PixelPlane);
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(window->State().CurrentFileName, Path("named.mgs"));
    EXPECT_EQ(window->SaveDialog1().FileName, Path("named.mgs"));
    EXPECT_EQ(window->State().View.ZoomLevel, 1);
    EXPECT_TRUE(window->State().Drawing.MouseBlocked);
    EXPECT_FALSE(window->HasUnsavedChanges()); // the picture is what the file holds

    MgsImage fine = RandomPicture(4, 14);
    Write("fine.mg4", WriteMg(fine));
    dialogs->openAnswers = {Path("fine.mg4")};
    Trigger("Importfrommg1mg2mg4mg81");
    EXPECT_EQ(Picture().CharHeight, 4);
    EXPECT_EQ(window->windowTitle(), "tileSmith x0.96 - " + Path("fine.mg4"));
    EXPECT_EQ(window->State().CurrentFileExt, ".mg4");
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(FileUi, DropsOpenInOrderSkipUnknownNamesAndStopAtFileErrors) {
    const MgsImage a = RandomPicture(8, 15), b = RandomPicture(2, 16);
    Write("a.scr", WriteImg(a).left(6912));
    Write("b.mgs", WriteMgs(b));
    Drop({"a.scr", "b.mgs"});
    EXPECT_EQ(Picture(), b);
    EXPECT_EQ(window->windowTitle(), "tileSmith x0.96 - " + Path("b.mgs"));
    EXPECT_FALSE(window->State().Drawing.MouseBlocked);
    EXPECT_TRUE(dialogs->errors.isEmpty());

    // Capitals open as their lower-case twins; an unknown type is named in the status bar.
    Write("PIC.SCR", WriteImg(a).left(6912));
    Drop({"PIC.SCR", "notes.txt"});
    EXPECT_EQ(Picture().PixelPlane[1], a.PixelPlane[0]);
    EXPECT_TRUE(dialogs->errors.isEmpty());
    EXPECT_TRUE(window->findChild<QLabel*>("Status_Note")->text().startsWith("notes.txt is not"));

    // A format error is shown and the drop goes on; a file error ends it.
    Write("bad.mg8", WriteMgs(a));
    Write("c.mgs", WriteMgs(a));
    Drop({"bad.mg8", "c.mgs"});
    EXPECT_EQ(Picture().PixelPlane, a.PixelPlane);
    Drop({"missing.mgs", "b.mgs"});
    EXPECT_EQ(Picture().PixelPlane, a.PixelPlane);
    ASSERT_EQ(dialogs->errors.size(), 2);
    EXPECT_EQ(dialogs->errors[0], "Error file format: " + Path("bad.mg8"));
    EXPECT_TRUE(dialogs->errors[1].startsWith("Cannot open " + Path("missing.mgs")));
    EXPECT_EQ(window->State().CurrentFileName, Path("c.mgs"));
}

TEST_F(FileUi, OneCommandLineArgumentIsOpenedAtStart) {
    const MgsImage picture = RandomPicture(8, 17);
    Write("start.mgs", WriteMgs(picture));
    Start({Path("start.mgs")});
    EXPECT_EQ(Picture(), picture);
    EXPECT_EQ(window->windowTitle(), "tileSmith x0.96 - " + Path("start.mgs"));
    EXPECT_FALSE(window->State().Drawing.MouseBlocked);
    EXPECT_EQ(window->OpenDialog1().InitialDir, dir.path()); // the file's folder
    EXPECT_FALSE(window->HasUnsavedChanges());

    Write("START.MGS", WriteMgs(RandomPicture(4, 18)));
    Start({Path("START.MGS")});
    EXPECT_EQ(Picture(), RandomPicture(4, 18));
    // A failure is shown over the window, once it is on screen, not before it.
    window.reset();
    auto fake = std::make_unique<FakeDialogs>();
    dialogs = fake.get();
    window = std::make_unique<MainWindow>(QStringList{Path("gone.mgs")}, std::move(fake));
    EXPECT_TRUE(dialogs->errors.isEmpty());
    window->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].contains(Path("gone.mgs")));
    EXPECT_EQ(window->windowTitle(), kCaption);
}

TEST_F(FileUi, DialogsStartInTheFolderLastUsedInThisRunOrAnEarlierOne) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("pictures"));
    Write("pictures/a.scr", QByteArray(6912, '\0'));
    dialogs->openAnswers = {Path("pictures/a.scr")};
    Trigger("Importfromscr1");
    Trigger("Exporttoimg2");
    EXPECT_EQ(dialogs->saveStarts.back().InitialDir, Path("pictures"));
    Start({});
    Trigger("Open1");
    EXPECT_EQ(dialogs->openStarts.back().InitialDir, Path("pictures"));
    // A folder that has gone gives the home folder.
    QDir(Path("pictures")).removeRecursively();
    Start({});
    EXPECT_EQ(window->OpenDialog1().InitialDir, QDir::homePath());

    // A name is filled in only when it is of the dialog's type.
    const struct {
        const char* name;
        const char* filter;
        bool match;
    } names[] = {
        {"pic.mgs", "*.mgs (*.mgs)", true},
        {"PIC.MG4", "*.mg1/mg2/mg4/mg8 (*.mg1 *.mg2 *.mg4 *.mg8)", true},
        {"pic.mgs", "*.img (*.img)", false},
        {"a.$scr", "*.$scr (*.$scr)", true},
        {"a.scr", "*.$scr (*.$scr)", false},
    };
    for (const auto& n : names)
        EXPECT_EQ(FileMatchesFilter(n.name, n.filter), n.match) << n.name << " " << n.filter;
}

TEST_F(FileUi, ClosingAsksOnlyAboutChangesNeverSaved) {
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs->questions.isEmpty());

    // Changed and changed back: nothing to ask.
    Start({});
    Picture().BorderPair[1] = 4;
    Picture().BorderPair[1] = 0;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs->questions.isEmpty());

    Start({});
    Trigger("Convertto8x2");
    dialogs->closeAnswer = SaveChangesAnswer::Cancel;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    dialogs->closeAnswer = SaveChangesAnswer::Save; // the save dialog is cancelled
    EXPECT_FALSE(window->close());
    dialogs->saveAnswers = {Path("closing")};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(Contents("closing.mgs"), WriteMgs(Picture()));
    EXPECT_EQ(dialogs->questions, (QStringList{"", "", ""}));

    Start({});
    Picture().PixelPlane[1][100] = 1;
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs->questions.size(), 1);
    EXPECT_TRUE(dialogs->saveFilters.isEmpty());
}

TEST_F(FileUi, RecoveryKeepsUnsavedChangesUntilSavedOrDiscardedAndOffersThemAfterACrash) {
    RecoveryKeeper& recovery = *window->Recovery();
    const QString own = recovery.Store().Path();
    auto exists = [](const QString& path) { return QFile::exists(path); };
    recovery.Tick();
    EXPECT_FALSE(exists(own)); // nothing unsaved, nothing written
    Picture().PixelPlane[0][5] = 0x81;
    recovery.Tick();
    ASSERT_TRUE(exists(own));
    QFile::remove(own);
    recovery.Tick();
    EXPECT_FALSE(exists(own)); // at most once per change
    dialogs->saveAnswers = {Path("saved.mgs")};
    Trigger("Save1");
    Picture().PixelPlane[1][7] = 1;
    recovery.Tick();
    EXPECT_TRUE(exists(own));
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(exists(own)); // Discard removes it (the e2e journey covers the save)

    // A copy that crashed left its changes to saved.mgs: Later keeps them, Restore brings
    // them back as unsaved changes of that file, and the file left behind goes.
    const RecoveryData left{Path("saved.mgs"), RandomPicture(2, 30)};
    if (fork() == 0) {
        RecoveryStore crashed;
        _exit(crashed.Write(left).isEmpty() ? 0 : 1);
    }
    wait(nullptr);
    Start({});
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs->restoreQuestions, QStringList{Path("saved.mgs")});
    EXPECT_NE(Picture(), left.Picture);
    Start({});
    dialogs->restoreAnswer = RestoreAnswer::Restore; // asked once the window is up
    QCoreApplication::processEvents();
    EXPECT_EQ(Picture(), left.Picture);
    EXPECT_EQ(window->windowTitle(), "tileSmith x0.96 - " + Path("saved.mgs") + "*");
    EXPECT_TRUE(window->HasUnsavedChanges());
    EXPECT_TRUE(exists(window->Recovery()->Store().Path()));
    Start({});
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs->restoreQuestions.isEmpty());
}

TEST_F(FileUi, PngPanelExportsTheCheckedSizeAndKeepsTheChoice) {
    FloatingWindow* panel = window->Panel("Panel_ExportToBmp");
    EXPECT_FALSE(panel->isVisible());
    Trigger("ExporttoBMP1");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->findChild<QRadioButton*>("RadioButton1")->isChecked());
    Picture() = RandomPicture(8, 18);
    Picture().BorderPair = {7, 7};
    window->RefreshView(true);

    panel->findChild<QRadioButton*>("RadioButton11")->setChecked(true);
    dialogs->saveAnswers = {Path("shot")};
    panel->findChild<QPushButton*>("Button4")->click();
    EXPECT_EQ(dialogs->saveFilters.last(), "*.png (*.png)");
    EXPECT_FALSE(panel->isVisible());
    const DecodedPng png = DecodePng(Contents("shot.png"));
    ASSERT_FALSE(png.image.isNull());
    EXPECT_EQ(png.image.size(), QSize(384, 300));             // the checked option
    EXPECT_EQ(png.image.pixel(0, 0), qRgb(0xCA, 0xCA, 0xCA)); // the picture's border
    EXPECT_EQ(window->windowTitle(), "*" + kCaption);         // exported, not saved

    // Cancelled: nothing written, the panel closes; the choice stays.
    Trigger("ExporttoBMP1");
    panel->findChild<QPushButton*>("Button4")->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(panel->findChild<QRadioButton*>("RadioButton11")->isChecked());

    // A failed write keeps the panel open for another try.
    Trigger("ExporttoBMP1");
    dialogs->saveAnswers = {Path("no/folder/shot.png")};
    panel->findChild<QPushButton*>("Button4")->click();
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].startsWith("Cannot write " + Path("no/folder/shot.png")));
    EXPECT_TRUE(panel->isVisible());
    panel->findChild<QPushButton*>("Button5")->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"shot.png"});
}

// Everything that replaces the picture asks first while it has unsaved changes, like
// closing the window; Cancel, or a Save that is cancelled, leaves everything as it was.
TEST_F(FileUi, EveryCommandThatReplacesThePictureAsksAboutUnsavedChanges) {
    Write("other.mgs", WriteMgs(RandomPicture(8, 2)));
    Write("other.mg8", WriteMg8File(RandomPicture(8, 2)));
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [&] { Trigger("N4x81"); }},
        {"Open", [&] { Trigger("Open1"); }},
        {"Import", [&] { Trigger("Importfrommg1mg2mg4mg81"); }},
        {"Import .scr", [&] { Trigger("Importfromscr1"); }},
        {"drop", [&] { Drop({"other.mgs"}); }},
    };
    for (const auto& [name, run] : commands) {
        for (const SaveChangesAnswer answer :
             {SaveChangesAnswer::Cancel, SaveChangesAnswer::Save, SaveChangesAnswer::Discard}) {
            Start({});
            Picture().PixelPlane[0][9] = 0x3C; // drawn, never saved
            window->RefreshView(true);
            const Snapshot before = Take();
            EXPECT_EQ(before.title, "*" + kCaption);
            dialogs->closeAnswer = answer;              // Save finds its dialog cancelled
            dialogs->openAnswers = {Path("other.mg8")}; // Open and the imports
            if (QString(name) == "Open")
                dialogs->openAnswers = {Path("other.mgs")};
            run();
            EXPECT_EQ(dialogs->questions.size(), 1) << name;
            EXPECT_EQ(Take() == before, answer != SaveChangesAnswer::Discard)
                << name << " " << int(answer);
        }
    }
}

TEST_F(FileUi, LoadsStartAFreshHistorySavesNameWhatTheyWroteAndAskAboutTheFinalName) {
    Picture().PixelPlane[0][0] = 0xFF;
    window->RefreshView(true);
    dialogs->saveAnswers = {Path("pic")};
    Trigger("Save1");
    const QString saved = Path("pic.mgs");
    EXPECT_EQ(window->findChild<QLabel*>("Status_Note")->text(), "Saved " + saved);
    EXPECT_TRUE(dialogs->yesNoQuestions.isEmpty());

    // "pic" again: the question is about pic.mgs, and No writes nothing.
    Picture().PixelPlane[0][0] = 0x0F;
    dialogs->saveAnswers = {Path("pic")};
    dialogs->yesNoAnswers = {false};
    Trigger("Save1");
    EXPECT_EQ(dialogs->yesNoQuestions, QStringList{saved + " already exists. Replace it?"});
    EXPECT_EQ(Contents("pic.mgs")[7], '\xFF');

    // Opening starts a fresh history: Ctrl+Z changes nothing, and saving writes the file's
    // picture, not an older one.
    dialogs->closeAnswer = SaveChangesAnswer::Discard;
    dialogs->openAnswers = {saved};
    Trigger("Open1");
    const MgsImage opened = Picture();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Picture(), opened);
    EXPECT_EQ(window->windowTitle(), "tileSmith x0.96 - " + saved);

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
    EXPECT_EQ(window->findChild<QLabel*>("Status_Note")->text(), "Exported " + Path("fine.mg1"));
}

TEST_F(FileUi, SaveSelectionPanelWritesTheSelectedCells) {
    FloatingWindow* panel = window->Panel("Panel_SaveSelection");
    Trigger("MenuSaveSelection"); // no selection: nothing
    EXPECT_FALSE(panel->isVisible());

    Picture() = RandomPicture(8, 19);
    SelectionRecord& sel = window->State().Selection;
    sel.exists = true;
    sel.x = 1, sel.y = 2, sel.w = 2, sel.h = 3;
    Trigger("MenuSaveSelection");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->findChild<QRadioButton*>("Radio_SaveSel_PixMode_AsScreen")->isChecked());
    auto* linear = panel->findChild<QRadioButton*>("Radio_SaveSel_PixMode_Linear");

    linear->setChecked(true);
    dialogs->saveAnswers = {Path("sprite.bin")};
    panel->findChild<QPushButton*>("Button19")->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(dialogs->saveFilters.last(), "*.bin (*.bin)");
    EXPECT_FALSE(QFile::exists(Path("sprite.bin")));
    EXPECT_EQ(Contents("sprite_pix_0.bin").size(), 2 * 3 * 8); // linear: any height
    EXPECT_TRUE(Contents("sprite_selection.ini").contains("x=1\ny=2\nwidth=2\nheight=3\n"));
    EXPECT_TRUE(
        window->findChild<QLabel*>("Status_Note")->text().startsWith("Saved the selection"));
    // Again: one question for the five files that now exist; No writes nothing.
    Write("sprite_pix_0.bin", "old");
    dialogs->saveAnswers = {Path("sprite.bin")};
    dialogs->yesNoAnswers = {false};
    Trigger("MenuSaveSelection");
    panel->findChild<QPushButton*>("Button19")->click();
    ASSERT_EQ(dialogs->yesNoQuestions.size(), 1);
    EXPECT_EQ(dialogs->yesNoQuestions[0].count(Path("sprite_")), 5);
    EXPECT_EQ(Contents("sprite_pix_0.bin"), "old");

    Trigger("MenuSaveSelection");
    panel->findChild<QPushButton*>("Button20")->click();
    EXPECT_FALSE(panel->isVisible());
    // Without a selection Ok does nothing, not even hide the panel.
    Trigger("MenuSaveSelection");
    sel.exists = false;
    panel->findChild<QPushButton*>("Button19")->click();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(dialogs->saveFilters.size(), 2);
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(FileUi, SpectrumExportsAskForTheMachineThenTheName) {
    Picture() = RandomPicture(8, 5);
    Trigger("ExporttoZ80"); // the machine question cancelled: no save dialog
    EXPECT_EQ(dialogs->itemLists.size(), 1);
    EXPECT_TRUE(dialogs->saveFilters.isEmpty());
    dialogs->itemAnswer = 1;
    dialogs->saveAnswers = {Path("pic"), Path("pic")};
    Trigger("ExporttoZ80");
    Trigger("ExporttoTap");
    EXPECT_EQ(dialogs->itemLists.last(), (QStringList{"ZX Spectrum 128K / +2", "Pentagon 128"}));
    EXPECT_EQ(dialogs->saveFilters, (QStringList{"*.z80 (*.z80)", "*.tap (*.tap)"}));
    EXPECT_EQ(Contents("pic.z80"), WriteZ80(Picture(), SpectrumMachine::Pentagon));
    EXPECT_EQ(Contents("pic.tap"), WriteTap(Picture(), SpectrumMachine::Pentagon));
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(FileUi, EmulatorPreviewNamesWhatIsMissing) {
    window->State().ProgramDir = dir.path() + '/';
    if (QFileInfo(DefaultPreviewFolders(dir.path()).UserFolder).isDir())
        GTEST_SKIP() << "this user has a zxview folder of their own";
    Trigger("PreviewonZX1");
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_TRUE(dialogs->errors[0].startsWith("Cannot find the emulator preview folder"))
        << dialogs->errors[0].toStdString();
    ASSERT_TRUE(QDir(dir.path()).mkdir("zxview"));
    Trigger("PreviewonZX1");
    ASSERT_EQ(dialogs->errors.size(), 2);
    EXPECT_EQ(dialogs->errors[1], "Cannot start " + Path("zxview/view8x8.sh") + ": No such file");
    EXPECT_EQ(Contents("zxview/image.mg8"), WriteMg(Picture()));
    QDir::setCurrent(QDir::tempPath()); // the preview made the temporary folder current
}

} // namespace
