#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <expected>

namespace sono {

// The frequencies requested from the sound card during calibration, and what was measured at each.
struct Calibration {
    static constexpr std::array<float, 26> Breakpoints{
        50,   300,  600,  1000,  1500,  2000,  2500,  3000,  3500,  4000,  4500,  5000,  6000,
        7000, 8000, 9000, 10000, 11000, 12000, 14000, 16000, 18000, 20000, 22000, 24000, 25000};

    std::array<float, 26> CalTable = Breakpoints;
    qint16 CalibrationOn = 0;
};

// sono.cal: 26 measured values and the on/off switch, one value a line.
QByteArray calibrationFileBytes(const Calibration& calibration);
std::expected<Calibration, QString> parseCalibrationFile(const QByteArray& bytes, const QString& fileName);

} // namespace sono
