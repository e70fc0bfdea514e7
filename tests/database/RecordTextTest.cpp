#include "database/RecordText.h"
#include "database/DatabaseFixture.h"
#include "database/RecordEdit.h"

#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

TEST(RecordFreqText, ListsUsedSlotsWithSignBlanks) {
    EXPECT_EQ(recordFreqText(record("x", "", {528, 727})), " 528,  727");
    EXPECT_EQ(recordFreqText(record("x", "", {0, 727})), ",  727");
    EXPECT_EQ(recordFreqText(record("x", "", {})), "");
    EXPECT_EQ(recordFreqText(record("x", "", {7.83, -5, 0.5})), " 7.83,  .5");
    FrequencyRecord missing = record("x", "", {});
    missing.F[0].reset();
    missing.F[39] = 25000;
    EXPECT_EQ(recordFreqText(missing), ",  25000");
}

TEST(RecordEditText, SlotsKeepEveryDigitAndBadBoxesAreNamed) {
    EXPECT_EQ(commentsText(record("x", std::nullopt)), "No Comments");
    EXPECT_EQ(slotEditText(7.83), "7.83");
    EXPECT_EQ(slotEditText(std::nullopt), "0");
    EXPECT_EQ(slotEditText(123456.789), "123456.789"); // nothing lost by opening and saving

    QStringList boxes(40, QStringLiteral("0"));
    boxes[0] = "528";
    boxes[1] = " 7.83 ";
    auto full = recordFromEditor("Set", "c", boxes);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->F[0], 528.0);
    EXPECT_EQ(full->F[1], 7.83);

    boxes[11] = "12a";
    auto bad = recordFromEditor("Set", "c", boxes);
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.error().text.startsWith("F12 holds \"12a\"")) << bad.error().text.toStdString();
    boxes[11] = "528Hz";
    boxes[39] = "x";
    EXPECT_TRUE(recordFromEditor("Set", "c", boxes).error().text.startsWith("F12 ")); // the first bad slot
}
