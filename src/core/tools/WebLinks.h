#pragma once

#include <QString>
#include <array>

namespace sono {

struct WebLink {
    const char* caption;
    const char* url;
};

// The Web menu: public reference pages on the subjects Sono deals with, in menu order.
inline constexpr std::array<WebLink, 12> WebLinks = {{
    {"The hertz, unit of frequency", "https://en.wikipedia.org/wiki/Hertz"},
    {"Equal temperament and note frequencies", "https://en.wikipedia.org/wiki/Piano_key_frequencies"},
    {"Octaves", "https://en.wikipedia.org/wiki/Octave"},
    {"Resonances of the Earth-ionosphere cavity", "https://en.wikipedia.org/wiki/Schumann_resonances"},
    {"Octave bands in acoustics", "https://en.wikipedia.org/wiki/Octave_band"},
    {"Telephone dial tones (dual-tone signalling)",
     "https://en.wikipedia.org/wiki/Dual-tone_multi-frequency_signaling"},
    {"Sampling rate and the highest playable frequency", "https://en.wikipedia.org/wiki/Nyquist_frequency"},
    {"Sound cards", "https://en.wikipedia.org/wiki/Sound_card"},
    {"Frequency counters", "https://en.wikipedia.org/wiki/Frequency_counter"},
    {"WAVE audio files", "https://en.wikipedia.org/wiki/WAV"},
    {"Beats between two tones", "https://en.wikipedia.org/wiki/Beat_(acoustics)"},
    {"The database file format of freqs.mdb", "https://www.sqlite.org/fileformat.html"},
}};

} // namespace sono
