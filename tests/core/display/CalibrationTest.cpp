#include "core/display/Calibration.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(CalibrationWindowModel, DifferencesAndPointNames) {
    const std::tuple<int, const char*, const char*, const char*> rows[] = {{0, "50", "0.000", "50Hz"},
                                                                           {0, "50.5", "-0.500", "50Hz"},
                                                                           {25, "", "25,000.000", "25kHz"},
                                                                           {3, "abc", "1,000.000", "1kHz"},
                                                                           {4, "1500", "0.000", "1.5kHz"}};
    for (const auto& [point, measured, difference, name] : rows) {
        EXPECT_EQ(calibrationDifferenceText(point, QString::fromLatin1(measured)), difference);
        EXPECT_EQ(calibrationPointName(point), name);
    }
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
