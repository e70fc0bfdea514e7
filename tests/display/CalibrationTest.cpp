#include "display/Calibration.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(CalibrationWindowModel, DifferencesAndPointNames) {
    const struct {
        int point;
        const char* measured;
        const char* difference;
    } rows[] = {{0, "50", "0.000"}, {0, "50.5", "-0.500"}, {25, "", "25,000.000"}, {3, "abc", "1,000.000"}};
    for (const auto& row : rows)
        EXPECT_EQ(calibrationDifferenceText(row.point, QString::fromLatin1(row.measured)), row.difference);
    EXPECT_EQ(calibrationPointName(0), "50Hz");
    EXPECT_EQ(calibrationPointName(4), "1.5kHz");
    EXPECT_EQ(calibrationPointName(25), "25kHz");
}

TEST(CalibrationWindowModel, TheFileReadsBackWhatWasSaved) {
    Calibration c;
    c.CalTable[0] = 50.5f;
    c.CalibrationOn = 1;
    const auto back = parseCalibrationFile(calibrationFileBytes(c), QStringLiteral("sono.cal"));
    ASSERT_TRUE(back) << back.error().toStdString();
    EXPECT_EQ(back->CalibrationOn, 1);
    EXPECT_EQ(back->CalTable[0], 50.5f);
    EXPECT_EQ(back->CalTable[25], 25000.0f);
}
