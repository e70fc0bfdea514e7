#include "realtime.h"

namespace freqgen {

namespace {

// Steps ending within one audio buffer: far more than any program has, as steps last seconds.
constexpr std::size_t kPlayedPerBuffer = 256;
// A spread meant for one step that changed under it is rebuilt for the step now playing.
constexpr int kSpreadTries = 3;

} // namespace

Player::Player(Engine engine) : engine_(std::move(engine)) {
    engine_.keepPlayedWithin(kPlayedPerBuffer);
    status_.store(engine_.status());
}

Player::~Player() {
    while (auto m = commands_.pop())
        delete m->list;
    while (auto r = returned_.pop())
        delete r->list;
}

bool Player::process(float* out, std::size_t frames) {
    while (auto m = commands_.pop()) {
        if (m->list)
            returned_.push({m->list, engine_.adoptSteps(*m->list, m->index)});
        else if (m->command != Command::Spread)
            engine_.apply(m->command);
    }
    engine_.render(out, frames);
    engine_.drainPlayed([this](const PlayedStep& p) {
        if (!played_.push(p)) ++queueLost_;
    });
    lost_.store(engine_.lostPlayed() + queueLost_, std::memory_order_relaxed);
    status_.store(engine_.status());
    return !engine_.finished();
}

bool Player::post(Command command) {
    if (command != Command::Spread) return commands_.push({command, nullptr, -1});
    spreadWanted_ = true;
    spreadTries_ = 0;
    handOverSpread();
    return true;
}

void Player::handOverSpread() {
    if (handingOver_ || !spreadWanted_) return;
    spreadWanted_ = false;
    Status st = status();
    if (st.finished || st.step == 0) return;
    // No list is with the audio thread, so it leaves the engine's list alone while this reads it.
    auto list = spreadStepList(engine_.steps(), st.step - 1, engine_.rate());
    if (!list) return;
    auto owned = std::make_unique<StepList>(std::move(*list));
    if (!commands_.push({Command::Spread, owned.get(), st.step - 1})) return;
    owned.release();
    handingOver_ = true;
}

void Player::service(const std::function<void(const PlayedStep&)>& played) {
    while (auto r = returned_.pop()) {
        // Holds the old list when taken, the unused new one when not.
        std::unique_ptr<StepList> done(r->list);
        handingOver_ = false;
        if (!r->taken && ++spreadTries_ < kSpreadTries) spreadWanted_ = true;
    }
    handOverSpread();
    while (auto p = played_.pop())
        played(*p);
}

} // namespace freqgen
