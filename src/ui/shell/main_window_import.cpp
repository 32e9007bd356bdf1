// SPDX-License-Identifier: GPL-3.0-or-later
// Importing ordinary pictures: the open dialog, the import window, and replacing the picture
// with its result the way every load does.
#include "shell/main_window.h"

#include "formats/picture_import.h"

namespace {

const QString kImageFilter =
    QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.PNG *.JPG *.JPEG *.BMP *.GIF)");

} // namespace

void MainWindow::ImportImage() {
    const QString path = ShowOpenDialog(kImageFilter);
    if (path.isEmpty())
        return;
    OpenImportWindow(path); // it takes the tail of the double click that closed the dialog
}

void MainWindow::OpenImportWindow(const QString& path) {
    const SourceImage source = ReadSourceImage(path);
    if (!source.Error.isEmpty()) {
        dialogs_->ShowError(this, source.Error);
        return;
    }
    auto* window = new PictureImportWindow(source.Image, path, importChoice_, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QDialog::accepted, this, [this, window] { ApplyImport(window); });
    connect(window, &QDialog::finished, this, [this, window] { importChoice_ = window->Choice(); });
    window->open();
}

void MainWindow::ApplyImport(PictureImportWindow* window) {
    // Taken before the question, whose dialogs may outlive the import window.
    const std::optional<MgsImage> result = window->Result();
    if (!result || !ConfirmDiscardChanges())
        return;
    MgsImage picture = *result;
    picture.BorderPair = state_.Picture.BorderPair; // the border is not part of the image
    state_.Picture = picture;
    state_.SavedPicture = picture;
    // A fresh history: undo has nothing to go back to.
    ClearUndo(state_.Undo);
    ClearHistory();
    SetZoom(1);
    RefreshView(true);
}
