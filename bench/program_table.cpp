// Times the program table's bulk operations through the real panel, offscreen: Buffer of 2000
// frequencies into the grid, a sort of 2000 steps, and Apply with a cap and duplicate removal.
#include "app/AppState.h"
#include "program/ProgramGridPanel.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

using namespace sono;

namespace {

class QuietPlatform final : public Platform {
public:
    MessageAnswer message(const QString&, const QString&, MessageButtons) override {
        return MessageAnswer::Ok;
    }
    void beep() override {}
    bool startProgram(const QString&, const QStringList&, const QString&) override { return true; }
    bool openUrl(const QUrl&) override { return true; }
    QString findExecutable(const QString&) override { return {}; }
    void processEvents() override {}
    QSize screenSize() override { return {1280, 1024}; }
    double logicalDpi() override { return 96.0; }
};

// Median of several runs; `prepare` runs untimed before each.
double medianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QuietPlatform platform;
    AppState state;
    MainWindow main(state, platform);
    main.resize(1050, 720);
    main.show();
    auto button = [&](const char* name) {
        return main.findChild<QAbstractButton*>(QString::fromLatin1(name));
    };

    std::mt19937 random(7);
    std::uniform_real_distribution<float> hz(1.0f, 40000.0f);
    for (int e = 1; e <= 50; ++e) {
        for (float& f : state.buffer.entries[static_cast<size_t>(e)].Freq)
            f = hz(random);
    }
    state.buffer.BufferNext = 51;

    const int runs = 7;
    const double buffer = medianMs(
        runs, [&] { button("Command11")->click(); }, [&] { button("Command8")->click(); });
    std::printf("buffer_to_grid_2000: %.2f ms\n", buffer);

    int option = 0;
    const double sort = medianMs(
        runs, [&] { option = option == 0 ? 1 : 0; },
        [&] { button(option == 0 ? "Option1_0" : "Option1_1")->click(); });
    std::printf("sort_2000: %.2f ms\n", sort);

    // 2000 steps drawn from 700 values, so about two thirds are copies; a third lie above the cap.
    std::vector<float> values(700);
    for (float& v : values)
        v = hz(random);
    std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
    main.findChild<QLineEdit*>(QStringLiteral("Text6"))->setText(QStringLiteral("25"));
    main.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
    const double apply = medianMs(
        runs,
        [&] {
            ProgramTable& table = state.program;
            table.StepCount = ProgramTable::MaxSteps;
            for (size_t i = 1; i <= ProgramTable::MaxSteps; ++i) {
                table.StepFreq[i] = values[pick(random)];
                table.StepTime[i] = 180;
                table.StepNo[i] = static_cast<qint16>(i);
            }
            main.fgArrayToTable();
        },
        [&] { button("Command9")->click(); });
    std::printf("apply_cap_duplicates_2000: %.2f ms\n", apply);
    std::printf("steps_after_apply: %d steps\n", static_cast<int>(state.program.StepCount));
    return 0;
}
