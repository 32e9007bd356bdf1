// SPDX-License-Identifier: GPL-3.0-or-later
// Turning a 256 x 192 true-colour image into a gigascreen picture: for every attribute cell
// the paper and ink of both screens, and every pixel's two bits, with the least squared RGB
// error that the cell can reach. Runs on all cores, can be cancelled, reports progress.
#pragma once

#include "picture/colour.h"
#include "picture/mgs_image.h"

#include <QImage>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

enum class DitherMode : uint8_t { None, Ordered, Diffusion };

struct ConversionOptions {
    int CharHeight = 8;                   // 8, 4, 2 or 1
    DitherMode Dither = DitherMode::None; //
    bool OneScreen = false;               // the same screen twice: 15 colours, no mixing
    // Only mixes whose two screen colours differ by at most one brightness step (202 against
    // 254) in every channel: black with blue, or red with cyan, never appear.
    bool LowFlicker = false;
    friend bool operator==(const ConversionOptions&, const ConversionOptions&) = default;
};

struct ConversionControl {
    const std::atomic<bool>* Cancel = nullptr; // polled between cells
    // Cells done and cells in all; called from the worker threads, so it must be safe to
    // call from any thread.
    std::function<void(int done, int total)> Progress;
    int Threads = 0; // 0: one per core
};

// Whether the mix of s0 on screen 0 with s1 on screen 1 may be used under `options`.
bool IsMixAllowed(int s0, int s1, const ConversionOptions& options);

// Sum over the pixels of the squared R, G and B differences between `targets` and the best
// of the cell's four colours for each pixel (only allowed mixes count).
uint64_t CellError(std::span<const Rgb> targets, AttrCell screen0, AttrCell screen1,
                   const ConversionOptions& options);

struct CellChoice {
    AttrCell Screen0, Screen1;
    uint64_t Error = 0; // CellError of the choice
};
// The attributes with the least CellError among all the brightness rule allows on each
// screen (paper and ink of one screen both normal or both bright; black goes with either).
// At most 64 targets.
CellChoice BestCellAttributes(std::span<const Rgb> targets, const ConversionOptions& options);

// Converts `target` (256 x 192, any format; alpha is ignored) into planes and CharHeight.
// BorderPair stays 0 and 0. Nothing when cancelled.
std::optional<MgsImage> ConvertImage(const QImage& target, const ConversionOptions& options,
                                     const ConversionControl& control = {});
