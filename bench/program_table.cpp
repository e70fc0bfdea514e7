// Times what the user waits for in the program table, offscreen and through the real windows: each figure
// includes the layout and a repaint of the main window (a grab), Apply includes its report window.
// Buffer of 2000 frequencies into the grid, a sort of 2000 steps, Apply with a cap and duplicate removal,
// Sweep to 2000 steps, and Offset, Bracket and Octave on a 600-step table. Medians of 7 runs.
#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/enhancements/ProgramGenerators.h"
#include "core/generator/ProgramFile.h"
#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
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
    QString saveFileName(const QString&, const QString&, const QStringList&) override { return {}; }
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
    // The work, then what the user sees of it: layout and a repaint of the main window and of `shown`.
    auto seen = [&](const std::function<void()>& work, const char* shown = nullptr) {
        return [&main, work, shown] {
            work();
            QApplication::processEvents();
            main.grab();
            if (shown)
                if (QWidget* w = main.windows().find(QString::fromLatin1(shown))) w->grab();
        };
    };
    const double buffer = medianMs(
        runs, [&] { button("Command11")->click(); }, seen([&] { button("Command8")->click(); }));
    std::printf("buffer_to_grid_2000: %.2f ms\n", buffer);

    int option = 0;
    const double sort = medianMs(
        runs, [&] { option = option == 0 ? 1 : 0; },
        seen([&] { button(option == 0 ? "Option1_0" : "Option1_1")->click(); }));
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
            std::vector<ProgramStep> steps;
            for (int i = 1; i <= ProgramTable::MaxSteps; ++i)
                steps.push_back({static_cast<qint16>(i), values[pick(random)], 180});
            state.program.load(steps, state.generator.SortMode);
        },
        seen([&] { button("Command9")->click(); }, "Form9"));
    std::printf("apply_cap_duplicates_2000: %.2f ms\n", apply);
    std::printf("steps_after_apply: %d steps\n", static_cast<int>(state.program.stepCount()));

    // The Enhancements, chosen as the user does; the chooser items are Sweep (0) and Offsets (4).
    EnhancementsPanel* panel = main.enhancementsPanel();
    auto window = [&](int item, const char* form) {
        emit panel->chooser()->activated(item);
        return main.windows().find(QString::fromLatin1(form));
    };
    auto press = [](QWidget* w, const char* name, const char* text = nullptr) {
        if (text) w->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromLatin1(text));
        w->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    };
    QWidget* sweep = window(0, "Form13");
    if (!sweep) return 1;
    const double sweepTime = medianMs(
        runs,
        [&] {
            for (const auto& [box, text] :
                 {std::pair{"Text1", "1"}, {"Text2", "2000"}, {"Text3", "1"}, {"Text4", "60"}})
                sweep->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QString::fromLatin1(text));
        },
        seen([&] { press(sweep, "Command2"); }, "Form13"));
    std::printf("sweep_2000: %.2f ms\n", sweepTime);
    std::printf("steps_after_sweep: %d steps\n", static_cast<int>(state.program.stepCount()));

    auto table600 = [&] {
        state.program.generate([](ProgramTable& t) { return makeSweep(t, u"100", u"699", u"1", u"60"); });
    };
    table600();
    QWidget* offsets = window(4, "Form16");
    if (!offsets) return 1;
    const struct {
        const char* name;
        const char* option;
        const char* button;
        const char* text;
    } changes[] = {{"offset_600", nullptr, "Command3", "1"},
                   {"bracket_600", "Option1_0", "Command3", "2"},
                   {"octave_600", nullptr, "Command2", nullptr}};
    for (const auto& change : changes) {
        if (change.option) offsets->findChild<QRadioButton*>(QString::fromLatin1(change.option))->click();
        const double time =
            medianMs(runs, table600, seen([&] { press(offsets, change.button, change.text); }, "Form16"));
        std::printf("%s: %.2f ms (%d steps after)\n", change.name, time,
                    static_cast<int>(state.program.stepCount()));
    }
    return 0;
}
