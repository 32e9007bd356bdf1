// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery files: their bytes, where they live, and which copy may touch which file.
#include "formats/picture_formats.h"
#include "formats/recovery_file.h"
#include "support/temp_folder.h"
#include "support/test_pictures.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::span<const uint8_t> Span(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())};
}

TEST(RecoveryBytes, RoundTripAndEveryDamageIsRefused) {
    RecoveryData data{QStringLiteral("/pics/caf\u00e9 \xdc\xff.mg4"), RandomPicture(4, 3)};
    data.Picture.BorderPair = {2, 6};
    const QByteArray bytes = RecoveryBytes(data);
    ASSERT_EQ(ParseRecovery(Span(bytes)), data);
    for (qsizetype size = 0; size < bytes.size(); size += 997)
        EXPECT_FALSE(ParseRecovery(Span(bytes.left(size)))) << size;
    QByteArray damaged[] = {bytes, bytes, bytes, bytes};
    damaged[0][0] = 'X';               // magic
    damaged[1][8] = 8;                 // CharHeight disagrees with the picture
    damaged[2][12] = '\x7f';           // a name longer than allowed
    damaged[3][bytes.size() - 1] = 15; // a colour the model cannot hold
    for (const QByteArray& d : damaged)
        EXPECT_FALSE(ParseRecovery(Span(d)));
}

TEST(RecoveryStore, CopiesNeverTouchEachOthersFilesAndLeftOnesAreClaimedOnce) {
    TempFolder temp;
    const QString folder = temp.Path("state/tilesmith/recovery");
    const RecoveryData first{"a.mgs", RandomPicture(8, 1)}, second{"", RandomPicture(2, 2)};

    // A running copy's file is invisible to the others; a clean end removes it.
    {
        RecoveryStore running(folder);
        ASSERT_EQ(running.Write(first), QString());
        EXPECT_TRUE(RecoveryStore(folder).ClaimLeft().empty());
        EXPECT_TRUE(running.ClaimLeft().empty());
    }
    EXPECT_TRUE(RecoveryStore(folder).ClaimLeft().empty());

    // A copy that dies without cleaning up leaves its file behind.
    for (const RecoveryData& data : {first, second}) {
        const pid_t child = fork();
        if (child == 0) {
            RecoveryStore crashing(folder);
            _exit(crashing.Write(data).isEmpty() ? 0 : 1);
        }
        int status = -1;
        waitpid(child, &status, 0);
        ASSERT_EQ(status, 0);
    }
    RecoveryStore starting(folder), other(folder);
    {
        std::vector<LeftRecovery> left = starting.ClaimLeft();
        ASSERT_EQ(left.size(), 2u);
        EXPECT_TRUE(other.ClaimLeft().empty()); // claimed while the question is open
        left[0].Discard();                      // the other one is kept for later
    }
    std::vector<LeftRecovery> later = other.ClaimLeft();
    ASSERT_EQ(later.size(), 1u);
    EXPECT_TRUE(later[0].Data() == first || later[0].Data() == second);
    later[0].Discard();
    EXPECT_TRUE(starting.ClaimLeft().empty());
}

} // namespace
