// Writes Blank.wav: 10 ms of silence, 44100 Hz, 16-bit mono. The program resets the 32 working
// sample files from it and uses it as the "no sound" of every empty slot.

#include "common/WavWriter.h"

#include <cstdio>
#include <exception>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.wav\n", argv[0]);
        return 2;
    }
    constexpr std::uint32_t rate = 44100, frames = 441;
    constexpr std::uint16_t channels = 1, bits = 16;
    const std::vector<std::uint8_t> silence(frames * channels * bits / 8, 0);
    try {
        tamboro::writeWavFile(argv[1], tamboro::pcmFormatRecord(channels, rate, bits), silence,
                              tamboro::WavLayout::Standard);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
