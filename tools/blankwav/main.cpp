// Writes Blank.wav: 10 ms of silence, 44100 Hz, 16-bit mono. The program resets the 32 working
// sample files from it and uses it as the "no sound" of every empty slot.

#include "common/ByteWriter.h"
#include "common/Files.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.wav\n", argv[0]);
        return 2;
    }
    constexpr std::uint32_t rate = 44100, frames = 441, channels = 1, bits = 16;
    constexpr std::uint32_t dataBytes = frames * channels * bits / 8;
    tamboro::ByteWriter w;
    w.text("RIFF");
    w.u32(36 + dataBytes);
    w.text("WAVEfmt ");
    w.u32(16);
    w.u16(1);
    w.u16(channels);
    w.u32(rate);
    w.u32(rate * channels * bits / 8);
    w.u16(channels * bits / 8);
    w.u16(bits);
    w.text("data");
    w.u32(dataBytes);
    for (std::uint32_t i = 0; i < dataBytes; ++i)
        w.u8(0);
    try {
        tamboro::writeFileAtomically(argv[1], w.data());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
