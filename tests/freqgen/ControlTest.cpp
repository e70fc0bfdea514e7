#include "control.h"
#include "Measure.h"
#include "realtime.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <thread>

using namespace freqgen;

namespace {

constexpr int kRate = 48000;

// Allocations made by this thread, to show the audio path makes none.
thread_local long allocations = 0;

} // namespace

// GCC takes the free() below for a mismatch once it inlines this pair into a new/delete in this file.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

TEST(FreqgenControl, ReadsEveryCommandIgnoresBlanksAndAnswersAnyOtherLine) {
    const std::pair<std::string_view, Command> commands[] = {
        {"pause", Command::Pause},   {"  resume\r", Command::Resume}, {"\tnext ", Command::Next},
        {"back", Command::Back},     {"louder", Command::Louder},     {"softer", Command::Softer},
        {"spread", Command::Spread}, {"stop", Command::Stop}};
    for (const auto& [line, command] : commands) {
        ControlRequest request = parseControlLine(line);
        EXPECT_EQ(request.command, command) << line;
        EXPECT_EQ(request.reply, "") << line;
    }
    for (std::string_view blank : {"", "   ", "\t\r"}) {
        ControlRequest request = parseControlLine(blank);
        EXPECT_FALSE(request.command || !request.reply.empty());
    }
    for (auto [line, reply] : {std::pair{"Pause", "unknown Pause"},
                               {" next step ", "unknown next step"},
                               {"q", "unknown q"},
                               {"stop!", "unknown stop!"}}) {
        ControlRequest request = parseControlLine(line);
        EXPECT_EQ(std::pair(request.command.has_value(), request.reply),
                  std::pair(false, std::string(reply)));
    }
}

TEST(FreqgenControl, StatusLinesCarryEveryFieldAndComeOnChangesAndEachSecondWhilePlaying) {
    Engine engine({0.5, 0.25}, {{528, 100}, {30000, 10}, {0, 5}}, kRate);
    measure::render(engine, 61 * kRate + kRate / 2);
    const Status playing = engine.status();
    EXPECT_EQ(controlStatusLine(playing),
              "playing step=1 count=3 freq=528 played=528 elapsed=61.5 left=53.5 at=61.5 vl=0.5 vr=0.25");
    // The fade into the pause is played; the pause itself is not.
    engine.apply(Command::Pause);
    measure::render(engine, 3 * kRate);
    const Status paused = engine.status();
    EXPECT_EQ(
        controlStatusLine(paused),
        "paused step=1 count=3 freq=528 played=528 elapsed=61.505 left=53.495 at=61.505 vl=0.5 vr=0.25");
    for (Command c : {Command::Resume, Command::Next, Command::Louder, Command::Spread})
        engine.apply(c);
    measure::render(engine, kRate / 2);
    EXPECT_EQ(controlStatusLine(engine.status()), "playing step=2 count=21 freq=30000 played=15000 "
                                                  "elapsed=62.005 left=3254.5 at=100.5 vl=0.55 vr=0.3");
    engine.apply(Command::Stop);
    measure::render(engine);
    const Status finished = engine.status();
    EXPECT_EQ(controlStatusLine(finished), "finished elapsed=62.01");

    // Due on the first line, on each change, and each second while playing but not while paused.
    auto louder = playing, otherStep = playing, longer = playing;
    louder.volRight += 0.05, otherStep.step = 2, longer.count = 21;
    const std::tuple<std::optional<Status>, Status, double, bool> cases[] = {
        {std::nullopt, playing, 0, true}, {playing, playing, 0.9, false}, {playing, playing, 1.0, true},
        {playing, louder, 0, true},       {playing, otherStep, 0, true},  {playing, longer, 0, true},
        {playing, paused, 0, true},       {paused, paused, 5, false},     {paused, finished, 0, true}};
    for (const auto& [last, now, since, due] : cases)
        EXPECT_EQ(controlStatusDue(last, now, since), due) << controlStatusLine(now) << " after " << since;
}

// The main thread posts, collects and reads while this thread plays the audio callback's part.
TEST(FreqgenPlayer, CommandsFromAnotherThreadArriveInOrderAndStatusAndPlayedStepsComeThroughWhole) {
    std::vector<Step> steps;
    for (int i = 1; i <= 40; ++i)
        steps.push_back({100.0 * i, 1e5});
    // Clamped volumes and steps make the end state depend on the order of the commands.
    std::vector<Command> script;
    for (int round = 0; round < 12; ++round)
        for (Command c : {Command::Next, Command::Next, Command::Louder, Command::Louder, Command::Louder,
                          Command::Back, Command::Spread, Command::Softer, Command::Next, Command::Back,
                          Command::Back, Command::Back, Command::Next, Command::Next, Command::TogglePause,
                          Command::Next, Command::TogglePause, Command::Louder})
            script.push_back(c);
    Engine reference({0.5, 0.5}, steps, kRate);
    for (Command c : script)
        reference.apply(c);

    Player player(Engine({0.5, 0.5}, steps, kRate));
    std::atomic<bool> done = false;
    std::vector<PlayedStep> played;
    Status settled, torn{};
    std::thread main([&] {
        auto collect = [&] { player.service([&](const PlayedStep& p) { played.push_back(p); }); };
        auto check = [&] {
            Status st = player.status();
            const double total = (st.count - 40) * kSpreadSeconds + 40 * 1e5;
            if (st.volLeft != st.volRight || st.playedFreq != st.freq ||
                (st.step > 0 && std::abs(st.position + st.programLeft - total) > 1e-6))
                torn = st;
        };
        for (Command c : script) {
            player.post(c);
            collect(), check();
            std::this_thread::yield();
        }
        while (!player.idle())
            collect(), check();
        settled = player.status();
        player.post(Command::Stop);
        while (!player.status().finished)
            collect(), check();
        collect();
        done = true;
    });
    std::vector<float> buffer(2 * 16);
    while (!done) {
        player.process(buffer.data(), 16);
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    main.join();

    const Status expected = reference.status();
    EXPECT_EQ(std::tuple(settled.step, settled.count, settled.freq, settled.paused, settled.volLeft),
              std::tuple(expected.step, expected.count, expected.freq, expected.paused, expected.volLeft));
    auto freqs = [](const Engine& e) {
        std::vector<double> out;
        for (const Step& s : e.steps())
            out.push_back(s.freq);
        return out;
    };
    EXPECT_EQ(freqs(player.engine()), freqs(reference)); // each spread where it was asked for
    EXPECT_EQ(torn.step, 0) << controlStatusLine(torn);
    // Every frame played belongs to exactly one step taken out of the ring, in order, none lost.
    ASSERT_FALSE(played.empty());
    std::int64_t frames = 0;
    for (std::size_t i = 0; i < played.size(); ++i) {
        EXPECT_GT(played[i].frames, 0);
        if (i > 0) {
            EXPECT_GE(played[i].startFrame, played[i - 1].startFrame + played[i - 1].frames) << i;
        }
        frames += played[i].frames;
    }
    EXPECT_EQ(frames, std::llround(player.status().elapsed * kRate));
    EXPECT_EQ(player.lostPlayed(), 0u);
}

TEST(FreqgenPlayer, TheAudioPathAllocatesNothingWhenASpreadIsHandedOverAndTheOldListIsFreedOutside) {
    Player player(Engine({0.5, 0.5}, {{440, 0.01}, {550, 0.01}, {660, 10}}, kRate));
    std::vector<float> buffer(2 * 256);
    player.process(buffer.data(), 256);
    player.post(Command::Spread);
    player.post(Command::Louder);
    const long before = allocations;
    // Steps end inside these buffers and their records go out through the ring.
    for (int i = 0; i < 8; ++i)
        player.process(buffer.data(), 256);
    EXPECT_EQ(allocations, before);
    std::vector<int> numbers;
    player.service([&](const PlayedStep& p) { numbers.push_back(p.number); });
    while (!player.idle()) {
        player.process(buffer.data(), 256);
        player.service([&](const PlayedStep& p) { numbers.push_back(p.number); });
    }
    EXPECT_EQ(player.status().count, 21);
    EXPECT_DOUBLE_EQ(player.status().volLeft, 0.55);
    EXPECT_EQ(numbers, std::vector<int>{1});
    EXPECT_EQ(player.engine().steps()[1].freq, 437.0); // the spread follows the step playing when asked
}
