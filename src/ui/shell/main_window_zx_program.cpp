// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export > Spectrum snapshot and tape: the picture with our viewer, for the machine
// the user picks.
#include "display/status_bar.h"
#include "shell/main_window.h"

#include "formats/picture_formats.h"
#include "formats/zx_program.h"

void MainWindow::ExportSpectrumProgram(std::string_view extension, const QString& filter) {
    const QString ext =
        QString::fromLatin1(extension.data(), static_cast<qsizetype>(extension.size()));
    QStringList machines;
    for (const SpectrumMachineName& name : SpectrumMachines)
        machines.append(
            QString::fromLatin1(name.Caption.data(), static_cast<qsizetype>(name.Caption.size())));
    const int machine = dialogs_->ChooseItem(this, QStringLiteral("Machine:"), machines);
    if (machine < 0 || machine >= static_cast<int>(SpectrumMachines.size()))
        return;
    const QString path = ShowSaveDialog(filter, ext);
    if (path.isEmpty())
        return;
    const QString error =
        SaveSpectrumProgram(path, *FindSpectrumProgramFormat(ext), state_.Picture,
                            SpectrumMachines[static_cast<size_t>(machine)].Machine);
    if (!error.isEmpty()) {
        dialogs_->ShowError(this, error);
        return;
    }
    statusBar_->ShowNote(QStringLiteral("Exported %1").arg(path));
}
