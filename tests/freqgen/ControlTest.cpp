#include "control.h"
#include "Measure.h"
#include "realtime.h"
#include "status.h"

#include <algorithm>
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
// libsndfile's C++ handle allocates with nothrow new; it must come from the same heap as the delete.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

TEST(FreqgenControl, ReadsEveryCommandIgnoresBlanksAndAnswersAnyOtherLine) {
    using C = Command;
    const std::tuple<std::string_view, std::optional<Command>, std::string> rows[] = {
        {"pause", C::Pause, ""},
        {"  resume\r", C::Resume, ""},
        {"\tnext ", C::Next, ""},
        {"back", C::Back, ""},
        {"louder", C::Louder, ""},
        {"softer", C::Softer, ""},
        {"spread", C::Spread, ""},
        {"stop", C::Stop, ""},
        {"", {}, ""},
        {"\t \r", {}, ""},
        {"Pause", {}, "unknown Pause"},
        {" next step ", {}, "unknown next step"},
        {"stop!", {}, "unknown stop!"}};
    for (const auto& [line, command, reply] : rows) {
        ControlRequest request = parseControlLine(line);
        EXPECT_EQ(std::tie(request.command, request.reply), std::tie(command, reply)) << line;
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
TEST(FreqgenPlayer, CommandsFromAnotherThreadArriveInOrderWholeAndWithoutAllocatingOnTheAudioPath) {
    std::vector<Step> steps;
    for (int i = 1; i <= 40; ++i)
        steps.push_back({100.0 * i, 1e5});
    // Clamped volumes and steps make the end state depend on the order of the commands.
    std::vector<Command> script;
    for (int round = 0; round < 12; ++round)
        for (char key : std::string_view("nn+++bN-nbbbnn n +"))
            script.push_back(keyCommand(key).value());
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
    // Nor does the audio path allocate, though spreads are handed over and steps end inside buffers.
    const long before = allocations;
    while (!done) {
        player.process(buffer.data(), 16);
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    EXPECT_EQ(allocations, before);
    main.join();

    const Status expected = reference.status();
    EXPECT_EQ(std::tuple(settled.step, settled.count, settled.freq, settled.paused, settled.volLeft),
              std::tuple(expected.step, expected.count, expected.freq, expected.paused, expected.volLeft));
    // Each spread where it was asked for.
    EXPECT_TRUE(std::ranges::equal(player.engine().steps(), reference.steps(), {}, &Step::freq, &Step::freq));
    EXPECT_EQ(torn.step, 0) << controlStatusLine(torn);
    // Every frame played belongs to exactly one step taken out of the ring, in order, none lost.
    std::int64_t frames = 0, end = 0, misplaced = 0;
    for (const PlayedStep& p : played) {
        misplaced += p.frames <= 0 || p.startFrame < end;
        frames += p.frames, end = p.startFrame + p.frames;
    }
    EXPECT_EQ(std::tuple(misplaced, frames, player.lostPlayed()),
              std::tuple(0, std::llround(player.status().elapsed * kRate), 0u));
}
