#pragma once
// The practice history: every analysed take (when, which song and patterns, tempo, practice
// settings, the summary figures and every note) in one SQLite database, so progress can be shown
// over days and weeks.
//
// The database runs in WAL mode with full syncs: a take is stored in one transaction, and a crash
// leaves either the whole take or none of it. Its schema version is PRAGMA user_version; opening an
// older file brings it up to date step by step, each step in its own transaction. Nothing stored is
// ever overwritten: a file that is not a database or fails its integrity check is renamed aside
// (`<name>.damaged`, with its WAL) and a new history started, and the caller is told; a database
// another program holds locked refuses the write with a message and keeps what it has.

#include "feedback/TimingFeedback.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

namespace tamboro {

// What a take was played against; stored with it and shown over its figures.
struct TakeContext {
    std::string song;            // the song's name, or the pattern's when one pattern was played
    std::string patterns;        // the Play List's patterns, comma-separated
    double tempoBpm = 0;         // the first pattern's tempo
    std::string practice;        // the practice settings, as the `.practice` file holds them
    std::string takeFile;        // the recording, as the user chose it
    double latencyMs = 0;        // the input's round trip taken off every note
    std::int64_t recordedAt = 0; // seconds since 1970 (UTC)
};

// One day's takes of one song, pooled: the mean and standard deviation of all their notes.
struct DayProgress {
    std::string day;           // YYYY-MM-DD, local time
    std::int64_t dayStart = 0; // seconds since 1970 of that day's first take
    std::size_t takes = 0;
    std::size_t notes = 0;
    double meanMs = 0;
    double sdMs = 0;
};

struct SongProgress {
    std::string song;
    std::vector<DayProgress> days; // oldest first
};

class PracticeHistory {
public:
    static constexpr int kSchemaVersion = 2;
    enum class Mode { ReadWrite, ReadOnly };

    // Opens (ReadWrite: creates, brings up to date, sets aside a damaged file) the history at
    // `file`. Throws Error naming the file when it cannot be opened at all (ReadOnly: missing,
    // damaged; ReadWrite: locked while it needs bringing up to date, a folder that cannot be made).
    explicit PracticeHistory(std::filesystem::path file, Mode mode = Mode::ReadWrite);
    ~PracticeHistory();
    PracticeHistory(const PracticeHistory&) = delete;
    PracticeHistory& operator=(const PracticeHistory&) = delete;

    // What opening did that the user should hear of (a damaged file set aside); empty otherwise.
    const std::string& notice() const { return notice_; }
    const std::filesystem::path& file() const { return file_; }

    // Stores one take and its notes in one transaction; returns its id. Throws Error naming the
    // file (locked by another program, read-only, disk full, a newer schema); nothing is then
    // stored and nothing stored before is touched.
    std::int64_t store(const TakeContext& context, const FeedbackSummary& summary,
                       std::span<const FeedbackNote> notes);

    std::size_t takeCount() const;
    // Every song's days, songs in name order.
    std::vector<SongProgress> progress() const;

private:
    void open(Mode mode);
    bool intact();
    void setAside();
    void migrate();
    void exec(const char* sql) const;
    [[noreturn]] void fail(const std::string& what) const;

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    std::string notice_;
};

// Where the window keeps the history: `history.sqlite` in the application's data folder.
inline constexpr const char* kHistoryFileName = "history.sqlite";

} // namespace tamboro
