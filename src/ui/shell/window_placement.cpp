// SPDX-License-Identifier: GPL-3.0-or-later
// A greedy placement over a handful of candidate corners: with five windows an exhaustive
// search is not needed to find the free room a person would pick.
#include "shell/window_placement.h"

#include "formats/file_io.h"
#include "formats/ini_text.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace {

constexpr int kGap = 2;

int64_t Overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : int64_t{common.width()} * common.height();
}

} // namespace

std::vector<QPoint> PlaceFloatingWindows(const QRect& area, const QRect& picture,
                                         const std::vector<QSize>& sizes,
                                         const std::vector<QRect>& others) {
    std::vector<QRect> placed = others;
    std::vector<QPoint> result;
    for (const QSize& size : sizes) {
        const int w = size.width(), h = size.height();
        std::vector<int> xs = {area.left(), area.right() + 1 - w, picture.right() + 1 + kGap,
                               picture.left() - w - kGap};
        std::vector<int> ys = {area.top(), area.bottom() + 1 - h, picture.bottom() + 1 + kGap};
        for (const QRect& r : placed) {
            xs.insert(xs.end(), {r.right() + 1 + kGap, r.left() - w - kGap});
            ys.insert(ys.end(), {r.bottom() + 1 + kGap, r.top() - h - kGap});
        }
        // (covers of windows, covers of the picture, top, -left): smallest wins.
        std::tuple<int64_t, int64_t, int, int> best{INT64_MAX, INT64_MAX, 0, 0};
        QRect chosen(area.topLeft(), size);
        for (int x : xs) {
            for (int y : ys) {
                const QRect candidate(QPoint(x, y), size);
                if (!area.contains(candidate))
                    continue;
                int64_t covered = 0;
                for (const QRect& r : placed)
                    covered += Overlap(candidate, r);
                const std::tuple<int64_t, int64_t, int, int> score{
                    covered, Overlap(candidate, picture), y, -x};
                if (score < best) {
                    best = score;
                    chosen = candidate;
                }
            }
        }
        placed.push_back(chosen);
        result.push_back(chosen.topLeft());
    }
    return result;
}

bool HasSavedPositions(const QString& settingsPath) {
    const FileBytes file = ReadRegularFile(settingsPath, kMaxIniFileSize);
    if (!file.Error.isEmpty() || file.Size > kMaxIniFileSize)
        return false;
    return IniValue(file.Bytes, QStringLiteral("positions"), QStringLiteral("palette_x")) ||
           IniValue(file.Bytes, QStringLiteral("positions"), QStringLiteral("picture_x"));
}
