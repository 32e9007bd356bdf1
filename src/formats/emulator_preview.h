// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator preview: the picture written as the MG file of its CharHeight into the
// "zxview" folder beside the program, and that CharHeight's script started there without
// waiting. What the script does (disk image, emulator) lies outside the program.
#pragma once

#include "picture/mgs_image.h"

#include <QString>

#include <array>
#include <string_view>

struct PreviewTarget {
    int CharHeight;
    std::string_view PictureFile; // in the zxview folder
    std::string_view Extension;   // selects the writer in the format table
    std::string_view Script;      // in the zxview folder
};

inline constexpr std::array<PreviewTarget, 4> PreviewTargets = {{
    {1, "image.mg1", ".mg1", "view8x1.sh"},
    {2, "image.mg2", ".mg2", "view8x2.sh"},
    {4, "image.mg4", ".mg4", "view8x4.sh"},
    {8, "image.mg8", ".mg8", "view8x8.sh"},
}};
inline constexpr std::string_view kPreviewFolder = "zxview";

const PreviewTarget* FindPreviewTarget(int charHeight);

struct PreviewResult {
    bool Started = false;
    QString Error;       // the message to show; empty when started
    QString PictureFile; // the full paths used
    QString Script;
};

// Writes ProgramDir + "zxview/image.mgN", makes ProgramDir + "zxview" the process's
// current folder and starts ProgramDir + "zxview/view8xN.sh" detached. A picture file that
// cannot be written starts nothing; a script that is missing or cannot be started gives a
// message naming it. `programDir` may or may not end with a separator.
PreviewResult PreviewInEmulator(const MgsImage& picture, const QString& programDir);
