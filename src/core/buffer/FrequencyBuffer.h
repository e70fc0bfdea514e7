#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace sono {

struct BufferEntry {
    QString Description;
    QString Comments;
    QString FrequencyText;
    std::array<float, 40> Freq{};      // slot j-1 holds F<j>; 0 marks an empty slot
    std::array<float, 40> SavedFreq{}; // Freq as sent, restored after a capped print preview
};

// Holding list between the database and the program table; entries 1..BufferNext-1 are in use.
struct FrequencyBuffer {
    static constexpr int Capacity = 500;

    std::array<BufferEntry, Capacity + 1> entries; // index 0 unused
    qint16 BufferNext = 1;
    qint16 BufferSelected = 0;
    float BufferCapHz = 0;
};

// Empties every entry and starts again at entry 1.
inline void clearTheBuffer(FrequencyBuffer& buffer) {
    for (BufferEntry& entry : buffer.entries)
        entry = BufferEntry{};
    buffer.BufferNext = 1;
}

} // namespace sono
