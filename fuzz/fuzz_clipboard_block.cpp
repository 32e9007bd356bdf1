// SPDX-License-Identifier: GPL-3.0-or-later
// A clipboard block from another program, pasted and then used by every operation that
// reads the selection record: nothing may read or write outside the planes.
#include "display/renderer.h"
#include "editing/selection.h"
#include "editing/transforms.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4)
        return 0;
    // The first bytes choose the situation; the rest is the block. Blocks shorter than a
    // real one are padded with zeros so the fuzzer reaches the checks behind the size.
    static constexpr int kHeights[] = {1, 2, 4, 8};
    const int charHeight = kHeights[data[0] & 3];
    const int zoom = 4 * (1 + ((data[0] >> 2) & 3));
    const QPoint pointer(static_cast<int8_t>(data[1]) * 40, static_cast<int8_t>(data[2]) * 40);
    const bool over = data[3] & 1;
    std::vector<uint8_t> block(data + 4, data + size);
    if (data[3] & 2)
        block.resize(kClipboardBlockSize);

    MgsImage picture;
    picture.CharHeight = static_cast<uint8_t>(charHeight);
    SelectionRecord selection;
    Paste(selection, picture, block, over, pointer, zoom);
    if (!ArePlanesValid(picture))
        std::abort(); // a colour the model cannot hold reached the picture
    static RenderImages images = RenderImages::Create();
    RenderPicture(picture, images);
    (void)SelectionPicture(selection, images.MixedImage, charHeight);
    (void)SelectionText(selection, picture, true);
    for (Transform t :
         {Transform::FlipHorizontal, Transform::FlipVertical, Transform::Rotate90,
          Transform::RollLeft, Transform::RollRight, Transform::RollUp, Transform::RollDown})
        ApplyTransform(picture, selection, t);
    DeleteSelection(picture, selection, {1, 2}, {3, 4}, 3);
    CopySelection(selection, picture, over, pointer, zoom, 4);
    SelectionMouseMove(selection, pointer, zoom, charHeight);
    return 0;
}
