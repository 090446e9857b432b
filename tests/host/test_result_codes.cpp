// The result codes are the interface's contract: their packed values must never move.
#include <gtest/gtest.h>

#include "AIPath.h"
#include "AIPathStyle.h"
#include "PIPL.h"
#include "SPTypes.h"

TEST(ResultCodes, FourCharacterCodesPackTheFirstCharacterHighest) {
    EXPECT_EQ(kSPUserCanceledError, 0x53544F50);
    EXPECT_EQ(kSPSuiteNotFoundError, 0x53214664);
    EXPECT_EQ(kSPMemoryHandleError, 0x214D454D);
    EXPECT_EQ(kSPBadSelectorError, 0x2173656C);
    EXPECT_EQ(kAILockedLayerError, 0x5345474D);
    EXPECT_EQ(kAITooManySegmentsError, 0x4E455353);
    EXPECT_EQ(kSPOutOfMemoryError, -108);
    EXPECT_EQ(SPFourCharCode('<', 'O', 't', 'h'), SP_FOUR_CHAR_CODE('<', 'O', 't', 'h'));
    // A character above 0x7F lands in the sign bit rather than overflowing.
    EXPECT_EQ(static_cast<uint32_t>(SPFourCharCode('\xFF', 0, 0, 1)), 0xFF000001u);
}

TEST(ResultCodes, RecordsHaveTheirInterfaceLayout) {
    EXPECT_EQ(sizeof(AIPathSegment), 28u);
    EXPECT_EQ(sizeof(PaintColor), 24u);
    EXPECT_EQ(kPIPLKindHostPlugin, 0x53504541);
    EXPECT_EQ(kGrayColor, 0);
    EXPECT_EQ(kFourColor, 1);
    EXPECT_EQ(kThreeColor, 5);
}
