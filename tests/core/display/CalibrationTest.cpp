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

// 1e-50 is above 0 as typed but 0 as stored, and a file holding 0 does not load again.
TEST(CalibrationFile, RoundTripsAndRefusesBadLinesAndValuesThatSinglePrecisionCannotHold) {
    QStringList typed;
    for (float point : Calibration::Breakpoints)
        typed.append(QString::number(point));
    for (const char* bad : {"1e-50", "0", "-3", "2e6"}) {
        QStringList texts = typed;
        texts[7] = QString::fromLatin1(bad);
        const auto refused = calibrationFromTexts(texts, true);
        EXPECT_TRUE(!refused && refused.error().contains(QStringLiteral("3kHz box"))) << bad;
    }
    typed[0] = QStringLiteral("50.5");
    typed[25] = QStringLiteral("24990.25");
    const Calibration saved = calibrationFromTexts(typed, true).value();
    const QByteArray bytes = calibrationFileBytes(saved);
    EXPECT_TRUE(bytes.startsWith("50.5\r\n300\r\n") && bytes.endsWith("24990.25\r\n1\r\n")) << bytes.data();
    const Calibration back = parseCalibrationFile(bytes, "sono.cal").value();
    EXPECT_TRUE(back.CalTable == saved.CalTable && back.CalibrationOn == 1);
    EXPECT_TRUE(parseCalibrationFile(QByteArray(bytes).replace("\r\n", ","), "sono.cal")); // commas too
    EXPECT_FALSE(parseCalibrationFile("50\r\n", "sono.cal"));
    for (const auto& [good, bad, line] :
         {std::tuple{"\n3000\r\n", "\n1e-50\r\n", "line 8"}, {"\n300\r\n", "\n3x0\r\n", "line 2"}}) {
        const auto refused = parseCalibrationFile(QByteArray(bytes).replace(good, bad), "sono.cal");
        EXPECT_TRUE(!refused && refused.error().contains(QLatin1String(line))) << bad;
    }
}
