#include "core/display/Calibration.h"

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

TEST(CalibrationWindowModel, ValuesThatSinglePrecisionCannotHoldAreRefused) {
    // 1e-50 is above 0 as typed but 0 as stored, and a file holding 0 does not load again.
    QStringList typed;
    for (float point : Calibration::Breakpoints)
        typed.append(QString::number(point));
    for (const char* bad : {"1e-50", "0", "-3", "2e6"}) {
        QStringList texts = typed;
        texts[7] = QString::fromLatin1(bad);
        const auto refused = calibrationFromTexts(texts, true);
        ASSERT_FALSE(refused) << bad;
        EXPECT_TRUE(refused.error().contains(QStringLiteral("3kHz box"))) << refused.error().toStdString();
    }
    const auto saved = calibrationFromTexts(typed, true);
    ASSERT_TRUE(saved);
    QByteArray bytes = calibrationFileBytes(*saved);
    EXPECT_TRUE(parseCalibrationFile(bytes, QStringLiteral("sono.cal")));
    const auto tiny =
        parseCalibrationFile(bytes.replace("\n3000\r\n", "\n1e-50\r\n"), QStringLiteral("sono.cal"));
    ASSERT_FALSE(tiny);
    EXPECT_TRUE(tiny.error().contains(QStringLiteral("line 8"))) << tiny.error().toStdString();
}
