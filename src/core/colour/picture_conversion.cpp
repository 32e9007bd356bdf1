// SPDX-License-Identifier: GPL-3.0-or-later
// The exact per-cell optimum: the paper and ink of a screen are an unordered pair (swapping
// them only flips bits), so a cell is one of 71 x 71 pair combinations. Lower bounds from
// each screen alone prune almost all of them; the rest are summed in full.
#include "colour/picture_conversion.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <numeric>
#include <thread>
#include <vector>

namespace {

constexpr int kMaxCellPixels = 64;
// Larger than any reachable cell error (64 pixels x 3 x 255^2 < 2^24), so that a cell never
// prefers a forbidden mix, and small enough that 64 of them still fit in 32 bits.
constexpr uint32_t kForbidden = 1u << 24;

struct Pair {
    uint8_t a, b;
};

// The paper/ink pairs one screen may hold: both from the normal colours or both from the
// bright ones (black belongs to both), unordered.
constexpr int kPairCount = 71;
constexpr std::array<Pair, kPairCount> BuildPairs() {
    std::array<Pair, kPairCount> pairs{};
    int n = 0;
    for (int a = 0; a < kColourCount; ++a) {
        for (int b = a; b < kColourCount; ++b) {
            const bool sameBrightness = a == 0 || (a % 2) == (b % 2);
            if (sameBrightness)
                pairs[n++] = {static_cast<uint8_t>(a), static_cast<uint8_t>(b)};
        }
    }
    return pairs;
}
constexpr auto kPairs = BuildPairs();
static_assert(kPairs[kPairCount - 1].a == 14 && kPairs[kPairCount - 1].b == 14);

int SquaredDistance(Rgb a, Rgb b) {
    const int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
    return dr * dr + dg * dg + db * db;
}

bool LowFlickerChannel(int a, int b) {
    return std::abs(a - b) <= 254 - 202;
}

// The error of every target pixel against every mix, mixes forbidden by the options at
// kForbidden: error[x][y][p] for screen-0 colour x, screen-1 colour y.
struct CellTable {
    int n = 0;
    std::array<std::array<std::array<uint32_t, kMaxCellPixels>, kColourCount>, kColourCount> error;
};

void FillTable(std::span<const Rgb> targets, const ConversionOptions& options, CellTable& table) {
    table.n = static_cast<int>(targets.size());
    for (int x = 0; x < kColourCount; ++x) {
        for (int y = 0; y < kColourCount; ++y) {
            auto& row = table.error[x][y];
            if (!IsMixAllowed(x, y, options)) {
                std::fill_n(row.begin(), table.n, kForbidden);
                continue;
            }
            const Rgb mix = MixTable[x][y];
            for (int p = 0; p < table.n; ++p)
                row[p] = static_cast<uint32_t>(SquaredDistance(mix, targets[p]));
        }
    }
}

using PixelRow = std::array<uint32_t, kMaxCellPixels>;

uint32_t SumOfMin(const PixelRow& u, const PixelRow& v, int n) {
    uint32_t sum = 0;
    for (int p = 0; p < n; ++p)
        sum += std::min(u[p], v[p]);
    return sum;
}

struct PairChoice {
    Pair screen0, screen1;
    uint32_t error = std::numeric_limits<uint32_t>::max();
};

PairChoice SolveOneScreen(const CellTable& t) {
    PairChoice best;
    for (const Pair& pair : kPairs) {
        const uint32_t e = SumOfMin(t.error[pair.a][pair.a], t.error[pair.b][pair.b], t.n);
        if (e < best.error)
            best = {pair, pair, e};
    }
    return best;
}

PairChoice SolveBothScreens(const CellTable& t) {
    const int n = t.n;
    // For each colour of one screen, each pixel's least error over the other screen's
    // colours: a pair's sum of these bounds every combination that uses it.
    std::array<PixelRow, kColourCount> free0{}, free1{};
    for (int x = 0; x < kColourCount; ++x) {
        for (int p = 0; p < n; ++p) {
            uint32_t m0 = kForbidden, m1 = kForbidden;
            for (int y = 0; y < kColourCount; ++y) {
                m0 = std::min(m0, t.error[x][y][p]);
                m1 = std::min(m1, t.error[y][x][p]);
            }
            free0[x][p] = m0;
            free1[x][p] = m1;
        }
    }
    std::array<uint32_t, kPairCount> bound0{}, bound1{};
    std::array<int, kPairCount> order0{}, order1{};
    for (int k = 0; k < kPairCount; ++k) {
        bound0[k] = SumOfMin(free0[kPairs[k].a], free0[kPairs[k].b], n);
        bound1[k] = SumOfMin(free1[kPairs[k].a], free1[kPairs[k].b], n);
    }
    std::iota(order0.begin(), order0.end(), 0);
    std::iota(order1.begin(), order1.end(), 0);
    std::stable_sort(order0.begin(), order0.end(),
                     [&](int i, int j) { return bound0[i] < bound0[j]; });
    std::stable_sort(order1.begin(), order1.end(),
                     [&](int i, int j) { return bound1[i] < bound1[j]; });

    PairChoice best;
    std::array<PixelRow, kColourCount> rest{}; // per screen-1 colour, the better of pair0
    for (const int k0 : order0) {
        if (bound0[k0] >= best.error)
            break;
        const Pair p0 = kPairs[k0];
        for (int y = 0; y < kColourCount; ++y) {
            for (int p = 0; p < n; ++p)
                rest[y][p] = std::min(t.error[p0.a][y][p], t.error[p0.b][y][p]);
        }
        for (const int k1 : order1) {
            if (bound1[k1] >= best.error)
                break;
            const Pair p1 = kPairs[k1];
            const uint32_t e = SumOfMin(rest[p1.a], rest[p1.b], n);
            if (e < best.error)
                best = {p0, p1, e};
        }
    }
    return best;
}

PairChoice SolveCell(std::span<const Rgb> targets, const ConversionOptions& options,
                     CellTable& table) {
    FillTable(targets, options, table);
    return options.OneScreen ? SolveOneScreen(table) : SolveBothScreens(table);
}

// The four colours of a cell in CharPalette order, with forbidden ones marked.
struct CellColours {
    std::array<Rgb, 4> rgb;
    std::array<bool, 4> allowed;
};
CellColours ColoursOf(const PairChoice& c, const ConversionOptions& options) {
    const std::array<int, 4> s0 = {c.screen0.a, c.screen0.a, c.screen0.b, c.screen0.b};
    const std::array<int, 4> s1 = {c.screen1.a, c.screen1.b, c.screen1.a, c.screen1.b};
    CellColours colours{};
    for (int e = 0; e < 4; ++e) {
        colours.rgb[e] = MixTable[s0[e]][s1[e]];
        // One screen shows only the two colours whose bits agree on both screens.
        colours.allowed[e] =
            IsMixAllowed(s0[e], s1[e], options) && (!options.OneScreen || e == 0 || e == 3);
    }
    return colours;
}

// The entry (bit0 * 2 + bit1) nearest to an RGB value; the first on a tie.
template <typename Distance>
int NearestEntry(const CellColours& colours, Distance distance) {
    int best = -1;
    double bestDistance = 0;
    for (int e = 0; e < 4; ++e) {
        if (!colours.allowed[e])
            continue;
        const double d = distance(colours.rgb[e]);
        if (best < 0 || d < bestDistance) {
            best = e;
            bestDistance = d;
        }
    }
    return best;
}

// One attribute cell: byte column, first pixel row, number of rows.
struct Cell {
    int column, top, rows;
    int Pixels() const { return 8 * rows; }
};

std::vector<Cell> CellsOf(int charHeight) {
    std::vector<Cell> cells;
    for (int top = 0; top < kPixelRows; top += charHeight) {
        for (int column = 0; column < kByteColumns; ++column) {
            const bool side = charHeight == 1 && (column < 8 || column >= 24);
            if (!side)
                cells.push_back({column, top, charHeight});
            else if (top % 8 == 0)
                cells.push_back({column, top, 8}); // the 8x1 side columns keep 8-row cells
        }
    }
    return cells;
}

// Stores a cell: the colour used by more of a screen's pixels becomes its paper, so that
// the bitmaps stay mostly clear; the attribute goes to every stored row the cell covers.
void WriteCell(MgsImage& picture, const Cell& cell, const PairChoice& choice,
               std::span<const uint8_t> entries, bool oneScreen) {
    const int n = cell.Pixels();
    std::array<int, 2> inks{};
    for (int p = 0; p < n; ++p) {
        inks[0] += entries[p] >> 1;
        inks[1] += entries[p] & 1;
    }
    std::array<bool, 2> flip{};
    std::array<AttrCell, 2> attrs{};
    const std::array<Pair, 2> pairs = {choice.screen0, choice.screen1};
    for (int s = 0; s < 2; ++s) {
        flip[s] = 2 * inks[s] > n || (2 * inks[s] == n && pairs[s].a > pairs[s].b);
        attrs[s] = flip[s] ? AttrCell{pairs[s].b, pairs[s].a} : AttrCell{pairs[s].a, pairs[s].b};
    }
    if (oneScreen)
        flip[1] = flip[0];
    for (int r = 0; r < cell.rows; ++r) {
        const int i = PlaneIndex(cell.column, cell.top + r);
        std::array<uint8_t, 2> bytes{};
        for (int k = 0; k < 8; ++k) {
            const int e = entries[r * 8 + k];
            if (((e >> 1) != 0) != flip[0])
                bytes[0] |= PixelMask(k);
            if (((e & 1) != 0) != flip[1])
                bytes[1] |= PixelMask(k);
        }
        for (int s = 0; s < 2; ++s) {
            picture.PixelPlane[s][i] = bytes[s];
            picture.AttrPlane[s][i] = attrs[s];
        }
    }
}

// The channel levels the allowed mixes show, for ordered dithering between neighbours.
std::vector<int> LevelsOf(const ConversionOptions& options) {
    std::vector<int> levels;
    for (int x = 0; x < kColourCount; ++x) {
        for (int y = 0; y < kColourCount; ++y) {
            if (!IsMixAllowed(x, y, options) || (options.OneScreen && x != y))
                continue;
            for (const int v :
                 {RedOf(MixTable[x][y]), GreenOf(MixTable[x][y]), BlueOf(MixTable[x][y])})
                levels.push_back(v);
        }
    }
    std::sort(levels.begin(), levels.end());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    return levels;
}

constexpr std::array<std::array<uint8_t, 8>, 8> kBayer = {{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

int ClampChannel(double v) {
    return static_cast<int>(std::clamp(v + 0.5, 0.0, 255.0));
}

// Ordered dithering: each channel is pushed by the Bayer threshold across the gap between
// the two levels around it, so the cells' optimum then picks each level in proportion.
std::vector<Rgb> OrderedTargets(const std::vector<Rgb>& source, const ConversionOptions& options) {
    const std::vector<int> levels = LevelsOf(options);
    auto shift = [&](int v, double threshold) {
        auto upper = std::upper_bound(levels.begin(), levels.end(), v);
        if (upper == levels.end() || upper == levels.begin())
            return v;
        const int gap = *upper - *(upper - 1);
        return ClampChannel(v + (threshold - 0.5) * gap);
    };
    std::vector<Rgb> out(source.size());
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const double t = (kBayer[y & 7][x & 7] + 0.5) / 64.0;
            const Rgb c = source[y * kPictureWidth + x];
            out[y * kPictureWidth + x] =
                MakeRgb(shift(RedOf(c), t), shift(GreenOf(c), t), shift(BlueOf(c), t));
        }
    }
    return out;
}

std::vector<Rgb> CellTargets(const std::vector<Rgb>& image, const Cell& cell) {
    std::vector<Rgb> targets(static_cast<size_t>(cell.Pixels()));
    for (int r = 0; r < cell.rows; ++r) {
        for (int k = 0; k < 8; ++k)
            targets[r * 8 + k] = image[(cell.top + r) * kPictureWidth + cell.column * 8 + k];
    }
    return targets;
}

bool Cancelled(const ConversionControl& control) {
    return control.Cancel != nullptr && control.Cancel->load(std::memory_order_relaxed);
}

int ThreadCount(const ConversionControl& control) {
    return control.Threads > 0 ? control.Threads
                               : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// Runs `work` on ThreadCount threads, this one among them, and returns when all are done.
template <class Work>
void RunOnEveryThread(const ConversionControl& control, Work& work) {
    std::vector<std::thread> workers;
    for (int t = 1; t < ThreadCount(control); ++t)
        workers.emplace_back(std::ref(work));
    work();
    for (std::thread& worker : workers)
        worker.join();
}

// Cells on their own: split between the threads in small batches.
bool ConvertCells(const std::vector<Rgb>& image, const std::vector<Cell>& cells,
                  const ConversionOptions& options, const ConversionControl& control,
                  MgsImage& picture) {
    constexpr int kBatch = 16;
    const int total = static_cast<int>(cells.size());
    std::atomic<int> next{0}, done{0};
    auto work = [&] {
        auto table = std::make_unique<CellTable>();
        std::array<uint8_t, kMaxCellPixels> entries{};
        for (int start = next.fetch_add(kBatch); start < total; start = next.fetch_add(kBatch)) {
            if (Cancelled(control))
                return;
            const int end = std::min(total, start + kBatch);
            for (int i = start; i < end; ++i) {
                const Cell& cell = cells[static_cast<size_t>(i)];
                const std::vector<Rgb> targets = CellTargets(image, cell);
                const PairChoice choice = SolveCell(targets, options, *table);
                const CellColours colours = ColoursOf(choice, options);
                for (int p = 0; p < cell.Pixels(); ++p) {
                    entries[p] = static_cast<uint8_t>(NearestEntry(
                        colours, [&](Rgb c) { return SquaredDistance(c, targets[p]); }));
                }
                WriteCell(picture, cell, choice, entries, options.OneScreen);
            }
            const int finished = done.fetch_add(end - start) + (end - start);
            if (control.Progress)
                control.Progress(finished, total);
        }
    };
    RunOnEveryThread(control, work);
    return !Cancelled(control);
}

// Error diffusion (Floyd-Steinberg) in the mixed colours. Cells go in reading order; each
// cell's attributes are chosen for its pixels with the error that has reached them, then
// its pixels take the nearest of the four colours and pass their error on to pixels not
// yet placed.
// The share of each pixel's error passed on, spread 7/16 right and 3, 5 and 1/16 below. Less than
// all of it: a cell that cannot show a colour would otherwise pile its error onto the next cells.
constexpr float kDiffusionShare = 0.75f / 16.0f;

bool ConvertDiffused(const std::vector<Rgb>& image, const std::vector<Cell>& cells,
                     const ConversionOptions& options, const ConversionControl& control,
                     MgsImage& picture) {
    constexpr int kW = kPictureWidth, kH = kPictureHeight;
    std::vector<std::array<float, 3>> error(static_cast<size_t>(kW * kH), {0, 0, 0});
    std::vector<uint8_t> placed(static_cast<size_t>(kW * kH), 0);
    auto wanted = [&](int x, int y) {
        const Rgb c = image[y * kW + x];
        const auto& e = error[y * kW + x];
        return std::array<double, 3>{std::clamp(RedOf(c) + e[0], 0.0f, 255.0f),
                                     std::clamp(GreenOf(c) + e[1], 0.0f, 255.0f),
                                     std::clamp(BlueOf(c) + e[2], 0.0f, 255.0f)};
    };
    auto diffuse = [&](const Cell& cell, CellTable& table) {
        std::array<Rgb, kMaxCellPixels> targets{};
        for (int r = 0; r < cell.rows; ++r) {
            for (int k = 0; k < 8; ++k) {
                const auto w = wanted(cell.column * 8 + k, cell.top + r);
                targets[r * 8 + k] =
                    MakeRgb(ClampChannel(w[0]), ClampChannel(w[1]), ClampChannel(w[2]));
            }
        }
        const PairChoice choice =
            SolveCell(std::span(targets).first(static_cast<size_t>(cell.Pixels())), options, table);
        const CellColours colours = ColoursOf(choice, options);
        std::array<uint8_t, kMaxCellPixels> entries{};
        for (int r = 0; r < cell.rows; ++r) {
            const int y = cell.top + r;
            for (int k = 0; k < 8; ++k) {
                const int x = cell.column * 8 + k;
                const auto w = wanted(x, y);
                const int e = NearestEntry(colours, [&](Rgb c) {
                    const double dr = RedOf(c) - w[0], dg = GreenOf(c) - w[1],
                                 db = BlueOf(c) - w[2];
                    return dr * dr + dg * dg + db * db;
                });
                entries[r * 8 + k] = static_cast<uint8_t>(e);
                placed[y * kW + x] = 1;
                const Rgb got = colours.rgb[e];
                const std::array<float, 3> residual = {static_cast<float>(w[0] - RedOf(got)),
                                                       static_cast<float>(w[1] - GreenOf(got)),
                                                       static_cast<float>(w[2] - BlueOf(got))};
                const std::array<std::array<int, 3>, 4> spread = {
                    {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};
                for (const auto& [dx, dy, weight] : spread) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || nx >= kW || ny >= kH || placed[ny * kW + nx])
                        continue;
                    for (int ch = 0; ch < 3; ++ch)
                        error[ny * kW + nx][ch] += residual[ch] * weight * kDiffusionShare;
                }
            }
        }
        WriteCell(picture, cell, choice, entries, options.OneScreen);
    };
    const int total = static_cast<int>(cells.size());
    std::atomic<int> done{0};
    auto report = [&] {
        const int finished = done.fetch_add(1) + 1;
        if (control.Progress && (finished % 32 == 0 || finished == total))
            control.Progress(finished, total);
    };

    if (picture.CharHeight == 1) {
        // The side columns' 8-row cells straddle the 1-row cells, so cells simply go in
        // reading order by their first row.
        std::vector<Cell> order = cells;
        std::stable_sort(order.begin(), order.end(),
                         [](const Cell& a, const Cell& b) { return a.top < b.top; });
        auto table = std::make_unique<CellTable>();
        for (const Cell& cell : order) {
            if (Cancelled(control))
                return false;
            diffuse(cell, *table);
            report();
        }
        return true;
    }
    // A wavefront over cell rows: a cell's error reaches the row below only as far as the
    // next cell to each side, so a row may take cell c once the row above has finished
    // cell c + 1. The result is the same as going in reading order.
    const int rows = static_cast<int>(cells.size()) / kByteColumns;
    std::vector<std::atomic<int>> rowDone(static_cast<size_t>(rows));
    std::atomic<int> nextRow{0};
    std::atomic<bool> stop{false};
    auto work = [&] {
        auto table = std::make_unique<CellTable>();
        for (int r = nextRow.fetch_add(1); r < rows; r = nextRow.fetch_add(1)) {
            for (int c = 0; c < kByteColumns; ++c) {
                const int needed = std::min(kByteColumns, c + 2);
                do {
                    if (stop || Cancelled(control)) {
                        stop = true;
                        return;
                    }
                    if (r > 0 && rowDone[r - 1].load(std::memory_order_acquire) < needed)
                        std::this_thread::yield();
                } while (r > 0 && rowDone[r - 1].load(std::memory_order_acquire) < needed);
                diffuse(cells[static_cast<size_t>(r * kByteColumns + c)], *table);
                rowDone[r].store(c + 1, std::memory_order_release);
                report();
            }
        }
    };
    RunOnEveryThread(control, work);
    return !stop && !Cancelled(control);
}

} // namespace

bool IsMixAllowed(int s0, int s1, const ConversionOptions& options) {
    if (!options.LowFlicker)
        return true;
    const Rgb a = ZxColour(s0), b = ZxColour(s1);
    return LowFlickerChannel(RedOf(a), RedOf(b)) && LowFlickerChannel(GreenOf(a), GreenOf(b)) &&
           LowFlickerChannel(BlueOf(a), BlueOf(b));
}

uint64_t CellError(std::span<const Rgb> targets, AttrCell screen0, AttrCell screen1,
                   const ConversionOptions& options) {
    const PairChoice choice{{screen0.paper, screen0.ink}, {screen1.paper, screen1.ink}, 0};
    const CellColours colours = ColoursOf(choice, options);
    uint64_t sum = 0;
    for (const Rgb target : targets) {
        const int e = NearestEntry(colours, [&](Rgb c) { return SquaredDistance(c, target); });
        sum += e < 0 ? kForbidden : static_cast<uint64_t>(SquaredDistance(colours.rgb[e], target));
    }
    return sum;
}

CellChoice BestCellAttributes(std::span<const Rgb> targets, const ConversionOptions& options) {
    targets = targets.first(std::min<size_t>(targets.size(), kMaxCellPixels));
    auto table = std::make_unique<CellTable>();
    const PairChoice c = SolveCell(targets, options, *table);
    return {{c.screen0.a, c.screen0.b}, {c.screen1.a, c.screen1.b}, c.error};
}

std::optional<MgsImage> ConvertImage(const QImage& target, const ConversionOptions& options,
                                     const ConversionControl& control) {
    const int charHeight = SafeCharHeight(options.CharHeight);
    const QImage rgb = target.convertToFormat(QImage::Format_RGB32);
    std::vector<Rgb> image(static_cast<size_t>(kPictureWidth * kPictureHeight), MakeRgb(0, 0, 0));
    for (int y = 0; y < std::min(kPictureHeight, rgb.height()); ++y) {
        const auto* line = reinterpret_cast<const Rgb*>(rgb.constScanLine(y));
        for (int x = 0; x < std::min(kPictureWidth, rgb.width()); ++x)
            image[y * kPictureWidth + x] = line[x] | 0xFF000000u;
    }
    MgsImage picture;
    picture.CharHeight = static_cast<uint8_t>(charHeight);
    const std::vector<Cell> cells = CellsOf(charHeight);
    bool finished = false;
    switch (options.Dither) {
    case DitherMode::None:
        finished = ConvertCells(image, cells, options, control, picture);
        break;
    case DitherMode::Ordered:
        finished = ConvertCells(OrderedTargets(image, options), cells, options, control, picture);
        break;
    case DitherMode::Diffusion:
        finished = ConvertDiffused(image, cells, options, control, picture);
        break;
    }
    if (!finished)
        return std::nullopt;
    return picture;
}
