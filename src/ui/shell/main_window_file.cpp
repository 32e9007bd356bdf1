// SPDX-License-Identifier: GPL-3.0-or-later
// The file side of the main window: the File menu's picture items, the shared open and
// save dialogs, loads and saves through the format table, the PNG export and Save
// selection panels, the emulator preview, drops, and the question on close.
#include "shell/main_window.h"

#include "display/status_bar.h"
#include "formats/emulator_preview.h"
#include "formats/picture_import.h"
#include "formats/png_export.h"
#include "formats/selection_export.h"
#include "picture/cell_layout.h"
#include "shell/dialog_folders.h"
#include "shell/floating_window.h"
#include "shell/recovery_keeper.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

#include <algorithm>
#include <span>

namespace {

const QString kCaption = QStringLiteral("tileSmith x0.96");
const QString kTitlePrefix = QStringLiteral("tileSmith x0.96 - ");
const QString kMgsFilter = QStringLiteral("*.mgs (*.mgs)");
const QString kPngFilter = QStringLiteral("*.png (*.png)");
const QString kBinFilter = QStringLiteral("*.bin (*.bin)");

// A menu item that reads or writes with a row of the format table; an empty name is a
// separator.
struct FileItem {
    const char* name;
    const char* caption;
    const char* filter; // Qt's form of the dialog filter
    std::string_view extension;
};

// The MG import reads with the one MG reader, whatever the header says; the .mg8 row is
// as good as any of the four. "Import from *.$scr" lists .$scr files, not .scr ones: the
// headered import cannot read a plain .scr correctly.
const FileItem kImportItems[] = {
    {"Importfromimg2", "Import from *.img", "*.img (*.img)", ".img"},
    {"Importfromimg1", "Import from *.$img", "*.$img (*.$img)", ".$img"},
    {nullptr, nullptr, nullptr, {}},
    {"Importfromscr1", "Import from *.scr", "*.scr (*.scr)", ".scr"},
    {"Importfromscr2", "Import from *.$scr", "*.$scr (*.$scr)", ".$scr"},
    {nullptr, nullptr, nullptr, {}},
    {"Importfrommg1mg2mg4mg81", "Import from *.mg1/mg2/mg4/mg8",
     "*.mg1/mg2/mg4/mg8 (*.mg1 *.mg2 *.mg4 *.mg8)", ".mg8"},
};

const FileItem kExportItems[] = {
    {"Exporttoimg2", "Export to *.img", "*.img (*.img)", ".img"},
    {nullptr, nullptr, nullptr, {}},
    {"Exporttomg01", "Export to *.mg1", "*.mg1 (*.mg1)", ".mg1"},
    {"Exporttomg11", "Export to *.mg2", "*.mg2 (*.mg2)", ".mg2"},
    {"Exporttomg21", "Export to *.mg4", "*.mg4 (*.mg4)", ".mg4"},
    {"Exporttomg81", "Export to *.mg8", "*.mg8 (*.mg8)", ".mg8"},
    {nullptr, nullptr, nullptr, {}},
};

// Pictures with our viewer, for a 128K or a Pentagon.
const FileItem kSpectrumProgramItems[] = {
    {"ExporttoZ80", "Spectrum snapshot (*.z80)...", "*.z80 (*.z80)", ".z80"},
    {"ExporttoTap", "Spectrum tape (*.tap)...", "*.tap (*.tap)", ".tap"},
};

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

const PictureFormat& FormatRow(std::string_view extension) {
    // Every extension named in this file is a row of the table.
    return *FindFormat(Text(extension));
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void MainWindow::AddFileMenuItems(QMenu* file) {
    file->addSeparator();
    QAction* open = AddItem(file, "Open1", "Open *.mgs");
    open->setText(MenuCaption("Open *.mgs", "Ctrl+O"));
    connect(open, &QAction::triggered, this, &MainWindow::OpenMgs);
    QAction* save = AddItem(file, "Save1", "Save *.mgs");
    save->setText(MenuCaption("Save *.mgs", "Ctrl+S"));
    connect(save, &QAction::triggered, this, [this] { SaveMgs(); });
    file->addSeparator();
    connect(AddItem(file, "MenuSaveSelection", "Save selection"), &QAction::triggered, this,
            &MainWindow::ShowSaveSelectionPanel);
    file->addSeparator();

    // The import and export submenus: one item a row of their tables.
    auto addItems = [this](QMenu* menu, std::span<const FileItem> items, auto run) {
        for (const FileItem& item : items) {
            if (item.name == nullptr) {
                menu->addSeparator();
                continue;
            }
            const QString filter = QString::fromLatin1(item.filter);
            const std::string_view extension = item.extension;
            connect(AddItem(menu, item.name, item.caption), &QAction::triggered, this,
                    [this, run, extension, filter] { (this->*run)(extension, filter); });
        }
    };
    QMenu* import = file->addMenu(QStringLiteral("Import"));
    import->setObjectName("Import1");
    addItems(import, kImportItems, &MainWindow::ImportPicture);
    import->addSeparator();
    QAction* image = import->addAction(QStringLiteral("Import picture (PNG, JPEG, BMP, GIF)…"));
    image->setObjectName("ImportPicture1");
    connect(image, &QAction::triggered, this, &MainWindow::ImportImage);
    QMenu* exportMenu = file->addMenu(QStringLiteral("Export"));
    exportMenu->setObjectName("Export1");
    addItems(exportMenu, kExportItems, &MainWindow::ExportPicture);
    connect(AddItem(exportMenu, "ExporttoBMP1", "Export to *.PNG"), &QAction::triggered, this,
            [this] { ShowSizedExportPanel(SizedExport::Mix); });
    AddHardwareExportItems(exportMenu);
    exportMenu->addSeparator();
    addItems(exportMenu, kSpectrumProgramItems, &MainWindow::ExportSpectrumProgram);

    file->addSeparator();
    connect(AddItem(file, "PreviewonZX1", "Make trd/tap and preview in Emul"), &QAction::triggered,
            this, &MainWindow::PreviewOnZx);
}

void MainWindow::CreateFilePanels() {
    // Export to *.PNG: the eleven sizes, the last choice kept while the program runs.
    FloatingWindow* png = Panel(QStringLiteral("Panel_ExportToBmp"));
    auto* pngLabel = new QLabel(QStringLiteral("Select resolution and options:"), png);
    pngLabel->setObjectName("Label1");
    QList<QWidget*> pngRows{pngLabel};
    for (const PngOption& option : PngOptions) {
        auto* radio = new QRadioButton(Text(option.Caption), png);
        radio->setObjectName(Text(option.RadioName));
        pngRows.append(radio);
    }
    png->findChild<QRadioButton*>(Text(PngOptions[0].RadioName))->setChecked(true);
    auto* pngOk = new QPushButton(QStringLiteral("Ok"), png);
    pngOk->setObjectName("Button4");
    pngOk->setToolTip(QStringLiteral("Choose a file name and export the picture at this size"));
    connect(pngOk, &QPushButton::clicked, this, &MainWindow::ExportPngFromPanel);
    auto* pngCancel = new QPushButton(QStringLiteral("Cancel"), png);
    pngCancel->setObjectName("Button5");
    pngCancel->setToolTip(QStringLiteral("Close without exporting"));
    connect(pngCancel, &QPushButton::clicked, png, &FloatingWindow::ClosePanel);
    LayOutChoicePanel(png, pngRows, pngOk, pngCancel);

    // Save Selection: the pixel row order, as screen at start.
    FloatingWindow* sel = Panel(QStringLiteral("Panel_SaveSelection"));
    auto* selLabel = new QLabel(QStringLiteral("Select pixel mode:"), sel);
    selLabel->setObjectName("Label2");
    auto* asScreen = new QRadioButton(QStringLiteral("as screen (only full height)"), sel);
    asScreen->setObjectName("Radio_SaveSel_PixMode_AsScreen");
    asScreen->setChecked(true);
    auto* linear = new QRadioButton(QStringLiteral("linear"), sel);
    linear->setObjectName("Radio_SaveSel_PixMode_Linear");
    auto* selOk = new QPushButton(QStringLiteral("Ok"), sel);
    selOk->setObjectName("Button19");
    selOk->setToolTip(QStringLiteral("Choose a file name and save the selected cells"));
    connect(selOk, &QPushButton::clicked, this, &MainWindow::SaveSelectionFromPanel);
    auto* selCancel = new QPushButton(QStringLiteral("Cancel"), sel);
    selCancel->setObjectName("Button20");
    selCancel->setToolTip(QStringLiteral("Close without saving"));
    connect(selCancel, &QPushButton::clicked, sel, &FloatingWindow::ClosePanel);
    LayOutChoicePanel(sel, {selLabel, asScreen, linear}, selOk, selCancel);
}

void MainWindow::LayOutChoicePanel(FloatingWindow* panel, const QList<QWidget*>& rows, QWidget* ok,
                                   QWidget* cancel) {
    constexpr int kMargin = 8, kRowHeight = 23, kButtonWidth = 88, kButtonHeight = 28;
    // The panel keeps its size unless the platform's font needs more room for a caption.
    int widest = 0;
    for (const QWidget* row : rows)
        widest = std::max(widest, row->sizeHint().width());
    const int chrome = panel->width() - panel->ContentRect().width();
    if (widest + 2 * kMargin + chrome > panel->width())
        panel->resize(widest + 2 * kMargin + chrome, panel->height());

    const QRect area = panel->ContentRect();
    int top = area.top() + 6;
    for (QWidget* row : rows) {
        row->setGeometry(area.left() + kMargin, top, area.width() - 2 * kMargin, kRowHeight - 1);
        top += kRowHeight;
    }
    const int buttonTop = area.bottom() - kButtonHeight - kMargin;
    ok->setGeometry(area.left() + 2 * kMargin, buttonTop, kButtonWidth, kButtonHeight);
    cancel->setGeometry(area.right() - 2 * kMargin - kButtonWidth, buttonTop, kButtonWidth,
                        kButtonHeight);
}

// ---- The shared dialogs ----------------------------------------------------------------

QString MainWindow::ShowOpenDialog(const QString& filter) {
    const QString path = ResolveListedName(dialogs_->ChooseOpenFile(this, filter, openDialog1_));
    if (!path.isEmpty()) {
        openDialog1_.FileName = path;
        RememberDialogFolder(path);
    }
    return path;
}

QString MainWindow::ShowSaveDialog(const QString& filter, QStringView extension) {
    const QString name = ResolveListedName(dialogs_->ChooseSaveFile(this, filter, saveDialog1_));
    if (name.isEmpty())
        return {};
    saveDialog1_.FileName = name;
    RememberDialogFolder(name);
    // "pic" is written as pic.mgs: the question is about that file, not about "pic".
    const QString path = extension.isEmpty() ? name : EnsureExtension(name, extension);
    return ConfirmReplace({path}) ? path : QString();
}

bool MainWindow::ConfirmReplace(const QStringList& paths) {
    QStringList existing;
    for (const QString& path : paths) {
        if (QFileInfo::exists(path))
            existing.append(path);
    }
    if (existing.isEmpty())
        return true;
    const QString question =
        existing.size() == 1
            ? QStringLiteral("%1 already exists. Replace it?").arg(existing.constFirst())
            : QStringLiteral("These files already exist:\n%1\nReplace them?")
                  .arg(existing.join(QLatin1Char('\n')));
    return dialogs_->AskYesNo(this, question);
}

void MainWindow::RememberDialogFolder(const QString& chosen) {
    const QString folder = QFileInfo(chosen).absolutePath();
    openDialog1_.InitialDir = folder;
    saveDialog1_.InitialDir = folder;
    // Not worth a message: a settings file that cannot be written only means the next run
    // starts in the home folder.
    WriteDialogFolder(SettingsPath(), folder);
}

// ---- Loads ---------------------------------------------------------------------------

void MainWindow::SetCurrentFile(const QString& path, const QString& extension) {
    state_.CurrentFileName = path;
    state_.CurrentFileExt = extension;
    UpdateTitle();
}

void MainWindow::UpdateTitle() {
    const bool changed = HasUnsavedChanges();
    const QString title =
        state_.CurrentFileName.isEmpty()
            ? (changed ? QStringLiteral("*") : QString()) + kCaption
            : kTitlePrefix + state_.CurrentFileName + (changed ? QStringLiteral("*") : QString());
    if (title != windowTitle())
        setWindowTitle(title);
}

void MainWindow::ApplyLoad(const LoadResult& load, const QString& path) {
    state_.Picture = load.Picture;
    state_.SavedPicture = load.Picture;
    // Undoing into the picture that was replaced would mix two unrelated pictures.
    ClearUndo(state_.Undo);
    ClearHistory();
    if (load.SetsCurrentFile()) {
        SetCurrentFile(path, load.Extension);
        openDialog1_.FileName = path;
        saveDialog1_.FileName = path;
        openDialog1_.InitialDir = QFileInfo(path).absolutePath();
        saveDialog1_.InitialDir = openDialog1_.InitialDir;
    }
    // One reset is enough: the view's size follows the zoom level directly.
    if (load.ResetsZoom())
        SetZoom(1);
    RefreshView(true);
}

void MainWindow::OpenMgs() {
    ImportPicture(".mgs", kMgsFilter);
}

void MainWindow::ImportPicture(std::string_view extension, const QString& filter) {
    if (!ConfirmDiscardChanges())
        return;
    const QString path = ShowOpenDialog(filter);
    if (path.isEmpty())
        return;
    // The tail of the double click that closed the dialog must not paint.
    state_.Drawing.MouseBlocked = true;
    const LoadResult load = LoadPictureFile(path, FormatRow(extension), state_.Picture);
    if (!load.Loaded()) {
        dialogs_->ShowError(this, load.Error);
        return;
    }
    ApplyLoad(load, path);
}

LoadStatus MainWindow::OpenFileByName(const QString& path) {
    const LoadResult load = ::OpenByName(path, state_.Picture);
    switch (load.Status) {
    case LoadStatus::Loaded:
        ApplyLoad(load, path);
        break;
    case LoadStatus::NotHandled:
        statusBar_->ShowNote(
            QStringLiteral("%1 is not a picture tileSmith opens (by its extension).")
                .arg(QFileInfo(path).fileName()));
        break;
    case LoadStatus::FileError:
    case LoadStatus::FormatError:
        if (starting_)
            startupError_ = load.Error;
        else
            dialogs_->ShowError(this, load.Error);
        break;
    }
    return load.Status;
}

void MainWindow::OpenDroppedFiles(const QStringList& paths) {
    // One question for the whole drop, and none when nothing in it replaces the picture at
    // once (other files, or images, whose import window asks at its own Ok).
    const bool replaces = std::any_of(paths.begin(), paths.end(), [](const QString& path) {
        return FindFormat(FileExtension(path).toLower()) != nullptr;
    });
    if (replaces && !ConfirmDiscardChanges())
        return;
    for (const QString& path : paths) {
        if (IsImageImportPath(path)) {
            OpenImportWindow(path);
            continue;
        }
        if (OpenFileByName(path) == LoadStatus::FileError)
            break;
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        // The URL's percent-encoded bytes are the name; toLocalFile() would lose those that
        // are not UTF-8.
        if (url.isLocalFile()) {
            paths.append(DecodeFileName(
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())));
        }
    }
    event->acceptProposedAction();
    OpenDroppedFiles(paths);
}

// ---- Saves and exports ----------------------------------------------------------------

bool MainWindow::SaveMgs() {
    const QString chosen = ShowSaveDialog(kMgsFilter, u".mgs");
    if (chosen.isEmpty())
        return false;
    const SaveResult save = SavePictureAs(chosen, FormatRow(".mgs"), state_.Picture);
    if (!save.Saved()) {
        dialogs_->ShowError(this, save.Error);
        return false;
    }
    if (save.SetsCurrentFile) {
        state_.SavedPicture = state_.Picture;
        SetCurrentFile(save.Path, FileExtension(save.Path));
        recovery_->Forget();
    }
    statusBar_->ShowNote(QStringLiteral("Saved %1").arg(save.Path));
    return true;
}

void MainWindow::ExportPicture(std::string_view extension, const QString& filter) {
    const PictureFormat& format = FormatRow(extension);
    // A file of another char height than the picture's holds the picture converted to it;
    // say so first when that changes what the user sees.
    const int fileCharHeight = FileCharHeight(format);
    if (fileCharHeight != 0 && fileCharHeight != state_.Picture.CharHeight) {
        const int changed = ChangedCells(state_.Picture, fileCharHeight);
        if (changed > 0 &&
            !dialogs_->AskYesNo(
                this, QStringLiteral("A %1 file holds 8x%2 cells. Converted to them, %3 of "
                                     "this %4 picture would look different in "
                                     "the file. Export anyway?")
                          .arg(Text(extension), QString::number(fileCharHeight),
                               changed == 1 ? QStringLiteral("1 cell")
                                            : QStringLiteral("%1 cells").arg(changed),
                               QStringLiteral("8x%1").arg(state_.Picture.CharHeight))))
            return;
    }
    const QString chosen = ShowSaveDialog(filter, Text(extension));
    if (chosen.isEmpty())
        return;
    const SaveResult save = SavePictureAs(chosen, format, state_.Picture);
    if (!save.Saved()) {
        dialogs_->ShowError(this, save.Error);
        return;
    }
    statusBar_->ShowNote(QStringLiteral("Exported %1").arg(save.Path));
}

void MainWindow::ExportPngFromPanel() {
    FloatingWindow* panel = Panel(QStringLiteral("Panel_ExportToBmp"));
    const PngOption* option = &PngOptions[0];
    for (const PngOption& candidate : PngOptions) {
        if (panel->findChild<QRadioButton*>(Text(candidate.RadioName))->isChecked())
            option = &candidate;
    }
    const bool gif = sizedExport_ == SizedExport::FlickerGif;
    const QString path = gif ? ShowSaveDialog(QStringLiteral("*.gif (*.gif)"), u".gif")
                             : ShowSaveDialog(kPngFilter, u".png");
    if (path.isEmpty()) {
        panel->ClosePanel();
        return;
    }
    const QString error = ExportAtSize(*option, path);
    if (!error.isEmpty()) {
        dialogs_->ShowError(this, error); // the panel stays open for another try
        return;
    }
    panel->ClosePanel();
    statusBar_->ShowNote(QStringLiteral("Exported %1").arg(path));
}

void MainWindow::ShowSaveSelectionPanel() {
    if (state_.Selection.exists)
        Panel(QStringLiteral("Panel_SaveSelection"))->show();
}

void MainWindow::SaveSelectionFromPanel() {
    if (!state_.Selection.exists)
        return;
    FloatingWindow* panel = Panel(QStringLiteral("Panel_SaveSelection"));
    panel->ClosePanel();
    const bool asScreen =
        panel->findChild<QRadioButton*>(QStringLiteral("Radio_SaveSel_PixMode_AsScreen"))
            ->isChecked();
    const QString chosen = ShowSaveDialog(kBinFilter, {});
    if (chosen.isEmpty())
        return;
    // The chosen name itself is never written: the question is about the five files.
    const SelectionFileNames names = SelectionFiles(chosen);
    if (!ConfirmReplace({names.Ini, names.Pix[0], names.Pix[1], names.Attr[0], names.Attr[1]}))
        return;
    const CellRect rect = SelectionRect(state_.Selection, state_.Picture.CharHeight);
    const QString error =
        SaveSelection(state_.Picture, rect,
                      asScreen ? SelectionPixMode::AsScreen : SelectionPixMode::Linear, chosen);
    if (!error.isEmpty()) {
        dialogs_->ShowError(this, error);
        return;
    }
    statusBar_->ShowNote(
        QStringLiteral("Saved the selection to %1 and its four .bin files").arg(names.Ini));
}

void MainWindow::PreviewOnZx() {
    const PreviewResult preview = PreviewInEmulator(state_.Picture, state_.ProgramDir);
    if (!preview.Error.isEmpty())
        dialogs_->ShowError(this, preview.Error);
}

void MainWindow::RestoreRecovered(const RecoveryData& data) {
    // What differs from the file on disk (or from an empty picture, for one never saved) is
    // what is unsaved.
    state_.SavedPicture = MgsImage{};
    if (!data.FileName.isEmpty()) {
        const LoadResult file = ::OpenByName(data.FileName, MgsImage{});
        if (file.Loaded())
            state_.SavedPicture = file.Picture;
        SetCurrentFile(data.FileName, FileExtension(data.FileName));
        openDialog1_.FileName = data.FileName;
        saveDialog1_.FileName = data.FileName;
    }
    state_.Picture = data.Picture;
    // The restored picture starts its own history, as every load does.
    ClearUndo(state_.Undo);
    ClearHistory();
    RefreshView(true);
}

// ---- Closing ---------------------------------------------------------------------------

bool MainWindow::ConfirmDiscardChanges() {
    if (!HasUnsavedChanges())
        return true;
    switch (dialogs_->AskSaveChanges(this, state_.CurrentFileName)) {
    case SaveChangesAnswer::Save:
        return SaveMgs();
    case SaveChangesAnswer::Discard:
        recovery_->Forget();
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}
