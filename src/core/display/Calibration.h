#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
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

// The difference shown beside box i: the point's frequency less the value typed ("#,##0.000").
QString calibrationDifferenceText(int index, const QString& typed);

// The table from the 26 typed values and the switch. A value that is not a positive frequency is refused
// with a message naming its point, because the file would not load again.
std::expected<Calibration, QString> calibrationFromTexts(const QStringList& typed, bool activate);

// The point names of the calibration window: "50Hz", ..., "1.5kHz", ..., "25kHz".
QString calibrationPointName(int index);

struct ProgramTable;
// The calibration program: each point for 15 seconds, in point order.
void fillCalibrationProgram(ProgramTable& table);

} // namespace sono
