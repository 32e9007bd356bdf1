// SPDX-License-Identifier: GPL-3.0-or-later
// The selection record: the selected rectangle of cells and a full copy of the planes
// taken at the last Copy, its byte layout (which is also the clipboard block), and the
// selection and clipboard operations on it. Rectangle values are in cells of the
// CharHeight current when they were set.
#pragma once

#include "picture/mgs_image.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct SelectionRecord {
    bool dragging = false; // a mouse drag is shaping the selection
    bool exists = false;   // a selection is active and framed in the view
    int32_t x = 0;         // left column
    int32_t y = 0;         // top cell row
    int32_t anchorX = 0;   // where the drag started
    int32_t anchorY = 0;
    int32_t w = 0;                                      // width in columns
    int32_t h = 0;                                      // height in cell rows
    int32_t copyX = 0, copyY = 0, copyW = 0, copyH = 0; // the block held in `copy`
    uint8_t framePhase = 0;
    PicturePlanes copy;
    friend bool operator==(const SelectionRecord&, const SelectionRecord&) = default;
};

// What the view needs after an operation: nothing, RefreshView(false) (frames and rubber
// bands only) or RefreshView(true) (re-render first).
enum class ViewUpdate { None, Frame, Rerender };

// ---- The record as bytes ---------------------------------------------------------------
//
// The record's bytes are the clipboard format other running copies read, so every offset is
// fixed. Integers are signed 32-bit little-endian; reserved bytes are zero.

inline constexpr std::size_t kSelectionRecordSize = 36912;
inline constexpr std::size_t kClipboardBlockSize = kSelectionRecordSize + 1; // one zero byte
inline constexpr char kClipboardFormatName[] = "TileSmith Selection";

namespace SelectionOffset {
inline constexpr std::size_t Dragging = 0;
inline constexpr std::size_t Exists = 1;
inline constexpr std::size_t X = 4;
inline constexpr std::size_t Y = 8;
inline constexpr std::size_t AnchorX = 12;
inline constexpr std::size_t AnchorY = 16;
inline constexpr std::size_t W = 20;
inline constexpr std::size_t H = 24;
inline constexpr std::size_t CopyX = 28;
inline constexpr std::size_t CopyY = 32;
inline constexpr std::size_t CopyW = 36;
inline constexpr std::size_t CopyH = 40;
inline constexpr std::size_t FramePhase = 44;
inline constexpr std::size_t CopyPixel0 = 45;   // 6144 bytes, the picture's plane layout
inline constexpr std::size_t CopyPixel1 = 6189; // 6144 bytes
inline constexpr std::size_t CopyAttr0 = 12333; // 12288 bytes, paper then ink per entry
inline constexpr std::size_t CopyAttr1 = 24621; // 12288 bytes
inline constexpr std::size_t Reserved = 36909;  // 3 bytes
} // namespace SelectionOffset

static_assert(SelectionOffset::CopyPixel1 == SelectionOffset::CopyPixel0 + kPlaneSize);
static_assert(SelectionOffset::CopyAttr0 == SelectionOffset::CopyPixel1 + kPlaneSize);
static_assert(SelectionOffset::CopyAttr1 == SelectionOffset::CopyAttr0 + 2 * kPlaneSize);
static_assert(SelectionOffset::Reserved == SelectionOffset::CopyAttr1 + 2 * kPlaneSize);
static_assert(kSelectionRecordSize == SelectionOffset::Reserved + 3);

// The 36912 bytes of the record.
std::vector<uint8_t> SelectionRecordBytes(const SelectionRecord& record);

// The clipboard block: the record followed by one zero byte, 36913 bytes.
std::vector<uint8_t> ClipboardBlock(const SelectionRecord& record);

// Reads a clipboard block, which may come from another program, into `record`. Returns an
// empty string on success and the reason otherwise; a rejected block leaves `record` as it
// was, so that Paste goes on with this copy's own record.
// - The block must be exactly 36913 bytes.
// - A colour index above 14 anywhere in the copy planes rejects the block: no copy of
//   this program writes one, so the block is damaged or foreign, and guessing a colour
//   for it would paste something its author never drew.
// - Every rectangle is cut to the picture's cells at the finest CharHeight (32 columns,
//   192 cell rows) and every anchor clamped into it; a block written by any copy of this
//   program already lies inside. The operations clip once more to the current CharHeight.
// - The frame phase is folded onto 0, 4, 8 or 12. Reserved bytes and the trailing byte
//   are ignored.
QString ReadClipboardBlock(std::span<const uint8_t> block, SelectionRecord& record);

// ---- Rectangles ------------------------------------------------------------------------

struct CellRect {
    int x = 0, y = 0, w = 0, h = 0; // columns and cell rows
    bool IsEmpty() const { return w <= 0 || h <= 0; }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The part of the cell rectangle (x, y, w, h) that lies inside the picture at
// `charHeight`: columns 0..31, cell rows 0..192 / charHeight - 1. Safe for any values;
// an empty result has w or h 0.
CellRect ClipToPicture(int64_t x, int64_t y, int64_t w, int64_t h, int charHeight);

// The record's selected rectangle and its copy rectangle, clipped to the picture.
CellRect SelectionRect(const SelectionRecord& record, int charHeight);
CellRect CopyRect(const SelectionRecord& record, int charHeight);

// The cell under a view point, rounding down (points left of or above the picture give
// negative cells). `zoomFactor` is view pixels per picture pixel.
QPoint CellAtViewPoint(QPoint viewPoint, int zoomFactor, int charHeight);

// ---- Operations ------------------------------------------------------------------------
// The caller checks the instrument, takes the undo snapshot where one is due, and moves
// the clipboard data; these change only the records they are given.

// A press with the Select instrument (any button): a 1 x 1 selection at the cell under the
// pointer, which is also the anchor of the drag. Returns Frame.
ViewUpdate SelectionMousePress(SelectionRecord& sel, QPoint viewPoint, int zoomFactor,
                               int charHeight);

// A move with the Select instrument: while dragging, the rectangle spans the anchor and the
// cell under the pointer, whichever side of the anchor that lies. The pointer may be
// outside the view during a drag; its cell is held to the picture's edge so that the
// rectangle never leaves the picture. Returns Frame while dragging (the caller also
// repaints the frame of the rectangle before the move), None otherwise.
ViewUpdate SelectionMouseMove(SelectionRecord& sel, QPoint viewPoint, int zoomFactor,
                              int charHeight);

// Any mouse release on the picture view ends the drag. Returns None.
ViewUpdate SelectionMouseRelease(SelectionRecord& sel);

// Ctrl+A: the whole picture. Returns None: the frame appears at the next timer tick.
ViewUpdate SelectAll(SelectionRecord& sel, int charHeight);

// Esc, Ctrl+D and the menu: the frame goes; the rectangle values stay. Returns Frame.
ViewUpdate RemoveSelection(SelectionRecord& sel);

// The record half of Copy. With the pointer over the picture and no selection, first
// selects the one cell under `pointerViewPoint` (held to the picture's edge). Then the copy
// rectangle takes the selection's rectangle (also when no selection exists: the last one
// held), the copy planes take the whole picture and the frame phase is recorded. The
// caller then puts ClipboardBlock(sel) on the clipboard. Returns Frame when the one-cell
// selection was made, None otherwise.
ViewUpdate CopySelection(SelectionRecord& sel, const MgsImage& picture, bool pointerOverPicture,
                         QPoint pointerViewPoint, int zoomFactor, int framePhase);

// Paste, after the caller's TakeSnapshot. `clipboardBlock` is the clipboard's data of the
// "TileSmith Selection" format, or empty when it holds none. A valid block replaces the
// whole record; a missing or rejected one leaves the record, so this copy's last Copy is
// pasted. With the pointer over the picture the block's top-left cell lands on the cell
// under `pointerViewPoint`; cells that would fall outside the picture and source rows past
// the planes (a block copied under a smaller CharHeight) are skipped.
// Where Paste puts the block's top-left cell, as a view point for `Paste`. Over the
// picture it is the cell under the pointer. Chosen from the menu, or with the pointer
// elsewhere, it is the selection's top-left cell when a selection exists, otherwise the
// last picture point the pointer was over.
QPoint PasteTarget(const SelectionRecord& sel, bool pointerOverPicture, QPoint pointer,
                   QPoint lastPicturePoint, int zoomFactor, int charHeight);

struct PasteResult {
    ViewUpdate update = ViewUpdate::None; // None when the pointer is not over the picture
    QString blockError;                   // why a clipboard block was not used, or empty
};
PasteResult Paste(SelectionRecord& sel, MgsImage& picture, std::span<const uint8_t> clipboardBlock,
                  bool pointerOverPicture, QPoint pointerViewPoint, int zoomFactor);

// Delete. Nothing happens without a selection, and then the caller takes no snapshot
// either (check `sel.exists` first). Every row of every selected cell gets `screen0` and
// `screen1` as attributes, and pixel bytes of 0xFF or 0x00 from the two bits of
// `charColor` (0..3: screen-0 bit = charColor div 2, screen-1 bit = charColor mod 2).
// Returns Rerender when it changed the picture, None otherwise.
ViewUpdate DeleteSelection(MgsImage& picture, const SelectionRecord& sel, AttrCell screen0,
                           AttrCell screen1, int charColor);

// Copy as picture: the selected area of the rendered mixed picture (`mixedImage`, picture
// pixels at its top left), 8w x h*CharHeight pixels at (8x, y*CharHeight), clipped to the
// picture. A null image when there is no selection or nothing of it lies inside.
QImage SelectionPicture(const SelectionRecord& sel, const QImage& mixedImage, int charHeight);

// Copy as text: the selection's pixel bytes as assembler DB lines. Screen 0 alone without
// headers (Alt+C), or both screens each after its header line (Ctrl+Alt+Shift+C). A null
// string when there is no selection or nothing of it lies inside.
QString SelectionText(const SelectionRecord& sel, const MgsImage& picture, bool bothScreens);
