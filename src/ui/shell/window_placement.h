// SPDX-License-Identifier: GPL-3.0-or-later
// Where the floating windows open on a first start, when no positions file places them:
// beside the picture where the screen has room, never over each other if it can be
// helped, and never off screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

// Places windows of `sizes`, in that order, inside `area`. Each takes, of the places
// along the area's edges, the picture's edges and the windows placed before it, the one
// that covers the least of those windows, then the least of `picture`, then lies
// highest, then furthest right. A window larger than the area starts at its top left.
// `others` are windows already open, kept clear of like the ones placed here.
std::vector<QPoint> PlaceFloatingWindows(const QRect& area, const QRect& picture,
                                         const std::vector<QSize>& sizes,
                                         const std::vector<QRect>& others = {});

// Whether the settings file holds window positions (section "positions").
bool HasSavedPositions(const QString& settingsPath);
