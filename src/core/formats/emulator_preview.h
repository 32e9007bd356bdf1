// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator preview: the picture written as the MG file of its CharHeight into the
// "zxview" folder, and that CharHeight's script started without waiting. What the script
// does (disk image, emulator) lies outside the program.
#pragma once

#include "picture/mgs_image.h"

#include <QString>
#include <QStringList>

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

// Where the zxview folder may lie, in the order it is looked for: beside the program
// (a portable copy), then in the data folders (~/.local/share/tilesmith/zxview, then the
// system's, such as /usr/share/tilesmith/zxview). `UserFolder` is the user's own, which
// takes the picture when the folder found cannot (a system install).
struct PreviewFolders {
    QStringList Search;
    QString UserFolder;
};
PreviewFolders DefaultPreviewFolders(const QString& programDir);

// Finds the zxview folder, writes "image.mgN" into it (or into the user's folder when it
// cannot be written there), makes the folder holding the picture the process's current
// folder, and starts the found folder's "view8xN.sh" detached with the picture's path as
// its argument. No folder found, or a picture that cannot be written, starts nothing and
// gives a message naming the places; so does a script that is missing or cannot be run.
PreviewResult PreviewInEmulator(const MgsImage& picture, const PreviewFolders& folders);
// The same with the default folders for a program in `programDir`.
PreviewResult PreviewInEmulator(const MgsImage& picture, const QString& programDir);
