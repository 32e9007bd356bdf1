// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/history.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kTime(QDate(2026, 1, 2), QTime(3, 4, 5));

// A pencil dot: one pixel of both screens and the cell's attributes.
void Dot(MgsImage& picture, int n) {
    const int i = (n * 97) % kPlaneSize;
    picture.PixelPlane[0][i] ^= static_cast<uint8_t>(1 << (n % 8));
    picture.PixelPlane[1][i] ^= 0x80;
    picture.AttrPlane[0][i] = {static_cast<uint8_t>(n % 15), 3};
}

TEST(History, EveryEntryGivesBackTheExactPictureAfterItsEdit) {
    UndoHistory history;
    MgsImage picture = RandomPicture(8, 1);
    std::vector<MgsImage> after;
    // Small strokes, a whole new picture, a convert and a border change between them.
    const std::vector<std::pair<QString, std::function<void(MgsImage&)>>> edits = {
        {"Pencil", [](MgsImage& p) { Dot(p, 1); }},
        {"Paste", [](MgsImage& p) { p = RandomPicture(4, 9); }},
        {"Convert to 8x1", [](MgsImage& p) { p.CharHeight = 1; }},
        {"Corrector: Invert RGB", [](MgsImage& p) { Dot(p, 2), Dot(p, 3); }},
        {"Border",
         [](MgsImage& p) {
             p.BorderPair = {3, 6};
         }},
        {"Fill Char", [](MgsImage& p) { Dot(p, 4); }},
    };
    for (const auto& [name, edit] : edits) {
        history.BeginEdit(name, kTime, picture);
        edit(picture);
        after.push_back(picture);
    }
    history.Refresh(picture);
    ASSERT_EQ(history.Count(), 6);
    for (int k = 0; k < history.Count(); ++k) {
        EXPECT_EQ(history.Entry(k).Name, edits[static_cast<size_t>(k)].first);
        EXPECT_EQ(history.PictureAt(k), after[static_cast<size_t>(k)]) << k;
    }
    EXPECT_EQ(history.Position(), 5);

    // A change after the entry was settled (an undo) belongs to no entry: the next edit's
    // entry starts from it, and every older picture stays.
    history.Settle(picture);
    const MgsImage undone = after[3];
    picture = undone;
    history.BeginEdit("Delete", kTime, picture);
    Dot(picture, 5);
    history.Refresh(picture);
    EXPECT_EQ(history.PictureAt(5), after[5]);
    EXPECT_EQ(history.PictureAt(6), picture);
    EXPECT_EQ(history.PictureAt(2), after[2]);
}

// Every pixel byte changed: an entry that keeps the whole planes.
MgsImage Whole(int n) {
    MgsImage picture;
    for (auto& plane : picture.PixelPlane)
        plane.fill(static_cast<uint8_t>(n));
    return picture;
}

TEST(History, TenThousandStrokesOrWholePicturesStayWithinTheCap) {
    for (const bool whole : {false, true}) {
        UndoHistory history;
        MgsImage picture;
        const int edits = whole ? 1500 : 10000;
        for (int n = 0; n < edits; ++n) {
            history.BeginEdit("Pencil", kTime, picture);
            if (whole)
                picture = Whole(n);
            else
                Dot(picture, n);
        }
        history.Refresh(picture);
        EXPECT_GE(history.Count(), UndoHistory::kMinEntries);
        EXPECT_LE(history.MemoryBytes(), UndoHistory::kMaxBytes);
        EXPECT_EQ(history.PictureAt(history.Count() - 1), picture);
        // The oldest kept entry is still exact.
        const MgsImage oldest = history.PictureAt(0);
        MgsImage expected;
        if (whole)
            expected = Whole(edits - history.Count());
        else
            for (int n = 0; n <= edits - history.Count(); ++n)
                Dot(expected, n);
        EXPECT_EQ(oldest, expected) << whole;
    }
}

} // namespace
