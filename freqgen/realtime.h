// Playing through the sound card: the audio thread runs the engine and takes no lock, allocates nothing
// and makes no system call. Everything crossing between it and the main thread goes through fixed
// lock-free queues and a sequence lock set up before the stream starts.
#pragma once

#include "engine.h"

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace freqgen {

// One thread pushes, one other thread pops; both sides are wait-free.
template <typename T, std::size_t N> class SpscQueue {
    static_assert(std::has_single_bit(N) && std::is_trivially_copyable_v<T>);

public:
    bool push(const T& item) {
        std::size_t tail = tail_.load(std::memory_order_relaxed);
        if (tail - head_.load(std::memory_order_acquire) == N) return false;
        items_[tail % N] = item;
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }
    std::optional<T> pop() {
        std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return std::nullopt;
        T item = items_[head % N];
        head_.store(head + 1, std::memory_order_release);
        return item;
    }

private:
    std::array<T, N> items_{};
    alignas(64) std::atomic<std::size_t> head_{0};
    alignas(64) std::atomic<std::size_t> tail_{0};
};

// One writer publishes a value, readers take a consistent copy and retry if a write overlapped; the
// writer never waits.
template <typename T> class Seqlock {
    static_assert(std::is_trivially_copyable_v<T>);
    static constexpr std::size_t kWords = (sizeof(T) + 7) / 8;

public:
    void store(const T& value) {
        std::uint64_t raw[kWords] = {};
        std::memcpy(raw, &value, sizeof(T));
        std::uint64_t seq = seq_.load(std::memory_order_relaxed);
        seq_.store(seq + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        for (std::size_t i = 0; i < kWords; ++i)
            words_[i].store(raw[i], std::memory_order_relaxed);
        seq_.store(seq + 2, std::memory_order_release);
    }
    T load() const {
        std::uint64_t raw[kWords];
        while (true) {
            std::uint64_t before = seq_.load(std::memory_order_acquire);
            for (std::size_t i = 0; i < kWords; ++i)
                raw[i] = words_[i].load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if ((before & 1) == 0 && seq_.load(std::memory_order_relaxed) == before) break;
        }
        T value;
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }

private:
    std::atomic<std::uint64_t> seq_{0};
    std::array<std::atomic<std::uint64_t>, kWords> words_{};
};

class Player {
public:
    explicit Player(Engine engine);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Audio thread: applies what was posted, then renders. Returns false once the program has ended.
    bool process(float* out, std::size_t frames);

    // Main thread. Commands reach the engine in the order posted; a spread is built here and handed
    // over, and what follows it waits until the engine has taken it.
    void post(Command command);
    // Main thread: frees the step lists the audio thread is done with, posts what waited and passes on
    // the steps played.
    void service(const std::function<void(const PlayedStep&)>& played);
    Status status() const { return published_.load().status; }
    // Everything posted has reached the engine.
    bool idle() const;
    // Steps that ended faster than the main thread collected them.
    std::size_t lostPlayed() const { return lost_.load(std::memory_order_relaxed); }

    // Only while no audio thread runs (before the stream starts or after it stopped).
    Engine& engine() { return engine_; }

private:
    struct Message {
        Command command;
        StepList* list; // owned by whoever holds the message
        int index;
    };
    struct Returned {
        StepList* list;
        bool taken;
    };
    struct Published {
        Status status;
        std::uint64_t applied; // messages taken from the queue before this status
    };
    void pump();

    Engine engine_;
    SpscQueue<Message, 64> commands_;
    SpscQueue<Returned, 64> returned_;
    SpscQueue<PlayedStep, 1024> played_;
    Seqlock<Published> published_;
    std::atomic<std::size_t> lost_{0};
    std::uint64_t applied_ = 0; // audio thread only
    std::size_t queueLost_ = 0; // audio thread only
    // Main thread only. One step list at a time is in the audio thread's hands, so in between the
    // engine's list can be read to build the next one.
    std::deque<Command> waiting_;
    std::uint64_t posted_ = 0;
    bool handingOver_ = false;
    int spreadTries_ = 0;
};

} // namespace freqgen
