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
    published_.store({engine_.status(), 0});
}

Player::~Player() {
    while (auto m = commands_.pop())
        delete m->list;
    while (auto r = returned_.pop())
        delete r->list;
}

bool Player::process(float* out, std::size_t frames) {
    while (auto m = commands_.pop()) {
        ++applied_;
        if (m->list)
            returned_.push({m->list, engine_.adoptSteps(*m->list, m->index)});
        else
            engine_.apply(m->command);
    }
    engine_.render(out, frames);
    engine_.drainPlayed([this](const PlayedStep& p) {
        if (!played_.push(p)) ++queueLost_;
    });
    lost_.store(engine_.lostPlayed() + queueLost_, std::memory_order_relaxed);
    published_.store({engine_.status(), applied_});
    return !engine_.finished();
}

void Player::post(Command command) {
    if (command == Command::Spread) spreadTries_ = 0;
    waiting_.push_back(command);
    pump();
}

bool Player::idle() const {
    return waiting_.empty() && !handingOver_ && published_.load().applied == posted_;
}

void Player::pump() {
    while (!waiting_.empty() && !handingOver_) {
        Command command = waiting_.front();
        if (command == Command::Spread) {
            // Built for the step playing once everything posted before has been applied.
            Published now = published_.load();
            if (now.applied != posted_) return;
            // Nothing is sent when that step is silent.
            if (auto list = spreadStepList(engine_.steps(), now.status.step - 1, engine_.rate())) {
                auto owned = std::make_unique<StepList>(std::move(*list));
                if (!commands_.push({command, owned.get(), now.status.step - 1})) return;
                owned.release();
                handingOver_ = true;
                ++posted_;
            }
        } else {
            if (!commands_.push({command, nullptr, -1})) return;
            ++posted_;
        }
        waiting_.pop_front();
    }
}

void Player::service(const std::function<void(const PlayedStep&)>& played) {
    while (auto r = returned_.pop()) {
        // Holds the old list when taken, the unused new one when not.
        std::unique_ptr<StepList> done(r->list);
        handingOver_ = false;
        // The step ended on its own just before the list arrived: build it again for the one playing.
        if (!r->taken && ++spreadTries_ < kSpreadTries) waiting_.push_front(Command::Spread);
    }
    pump();
    while (auto p = played_.pop())
        played(*p);
}

} // namespace freqgen
