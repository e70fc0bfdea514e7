#include "display/Calibration.h"
#include "program/ProgramTable.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {
QStringList pointTexts() {
    QStringList texts;
    for (float p : Calibration::Breakpoints)
        texts.append(QString::number(p));
    return texts;
}
} // namespace

TEST(CalibrationWindowModel, DifferencesAndPointNames) {
    EXPECT_EQ(calibrationDifferenceText(0, QStringLiteral("50")), "0.000");
    EXPECT_EQ(calibrationDifferenceText(0, QStringLiteral("50.5")), "-0.500");
    EXPECT_EQ(calibrationDifferenceText(25, QString()), "25,000.000");
    EXPECT_EQ(calibrationDifferenceText(3, QStringLiteral("abc")), "1,000.000");
    EXPECT_EQ(calibrationPointName(0), "50Hz");
    EXPECT_EQ(calibrationPointName(4), "1.5kHz");
    EXPECT_EQ(calibrationPointName(25), "25kHz");
}

TEST(CalibrationWindowModel, SaveWithActivateWritesTheTableAndTheSwitch) {
    QStringList texts = pointTexts();
    texts[0] = QStringLiteral("50.5");
    const auto calibration = calibrationFromTexts(texts, true);
    ASSERT_TRUE(calibration) << calibration.error().toStdString();
    const QByteArray bytes = calibrationFileBytes(*calibration);
    EXPECT_TRUE(bytes.startsWith("50.5\r\n300\r\n600\r\n1000\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n24000\r\n25000\r\n1\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 27);
    const auto back = parseCalibrationFile(bytes, QStringLiteral("sono.cal"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->CalibrationOn, 1);
    EXPECT_EQ(back->CalTable[0], 50.5f);
}

TEST(CalibrationWindowModel, ABoxWithoutAFrequencyIsRefusedByName) {
    QStringList texts = pointTexts();
    texts[4] = QStringLiteral("abc");
    const auto refused = calibrationFromTexts(texts, false);
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().contains(QStringLiteral("1.5kHz"))) << refused.error().toStdString();
}

TEST(CalibrationWindowModel, ProgramIs26StepsOf15Seconds) {
    ProgramTable t;
    t.StepCount = 40;
    t.StepTime[27] = 99;
    fillCalibrationProgram(t);
    ASSERT_EQ(t.StepCount, 26);
    for (int i = 1; i <= 26; ++i) {
        EXPECT_EQ(t.StepNo[size_t(i)], i);
        EXPECT_EQ(t.StepTime[size_t(i)], 15);
        EXPECT_EQ(t.StepFreq[size_t(i)], Calibration::Breakpoints[size_t(i - 1)]);
    }
}
