#pragma once
// A small reader of Standard MIDI Files for the export's tests: every event of every track with its
// absolute tick. The end-to-end check reads the same files with an independent MIDI library.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tamboro::miditest {

struct Event {
    std::uint64_t tick;
    std::vector<std::uint8_t> bytes; // status and data, meta events as FF type data
    bool operator==(const Event&) const = default;
};

inline void PrintTo(const Event& e, std::ostream* out) {
    *out << "@" << e.tick << ":";
    for (const auto b : e.bytes)
        *out << " " << static_cast<int>(b);
}

struct Decoded {
    int format = -1, tracks = -1, division = -1;
    std::vector<std::vector<Event>> events;
};

inline Decoded decodeSmf(const std::vector<std::uint8_t>& b) {
    Decoded d;
    auto be = [&](std::size_t at, int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
        return v;
    };
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "MThd");
    EXPECT_EQ(be(4, 4), 6u);
    d.format = static_cast<int>(be(8, 2));
    d.tracks = static_cast<int>(be(10, 2));
    d.division = static_cast<int>(be(12, 2));
    std::size_t at = 14;
    for (int t = 0; t < d.tracks; ++t) {
        EXPECT_EQ(std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4),
                  "MTrk");
        const std::size_t end = at + 8 + be(at + 4, 4);
        at += 8;
        std::vector<Event> events;
        std::uint64_t tick = 0;
        while (at < end) {
            std::uint64_t delta = 0;
            std::uint8_t c;
            do {
                c = b.at(at++);
                delta = (delta << 7) | (c & 0x7F);
            } while (c & 0x80);
            tick += delta;
            Event e{tick, {}};
            const std::uint8_t status = b.at(at);
            const std::size_t length = status == 0xFF ? 3 + b.at(at + 2) : 3;
            e.bytes.assign(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + length));
            at += length;
            events.push_back(e);
        }
        EXPECT_EQ(at, end);
        d.events.push_back(events);
    }
    EXPECT_EQ(at, b.size());
    return d;
}

inline std::string kitCell(const std::string& name, char level) {
    std::string cell = name;
    cell.resize(10, ' ');
    return cell + "[" + level + "]";
}

inline Event on(std::uint64_t tick, int note, int velocity) {
    return {tick, {0x99, static_cast<std::uint8_t>(note), static_cast<std::uint8_t>(velocity)}};
}
inline Event off(std::uint64_t tick, int note) {
    return {tick, {0x89, static_cast<std::uint8_t>(note), 0}};
}

} // namespace tamboro::miditest
