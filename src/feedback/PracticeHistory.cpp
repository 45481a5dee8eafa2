#include "feedback/PracticeHistory.h"

#include "common/Error.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <map>
#include <system_error>

namespace tamboro {

namespace {

namespace fs = std::filesystem;

// Each step brings the schema from version i to i + 1 (index 0 makes version 1 from nothing).
constexpr const char* kMigrations[] = {
    // 1: takes with their context and summary; the notes of each take.
    "CREATE TABLE takes(id INTEGER PRIMARY KEY, recorded_at INTEGER NOT NULL, song TEXT NOT NULL,"
    " patterns TEXT NOT NULL, tempo_bpm REAL NOT NULL, practice TEXT NOT NULL, notes INTEGER NOT NULL,"
    " mean_ms REAL NOT NULL, sd_ms REAL NOT NULL, within10 REAL NOT NULL, within25 REAL NOT NULL);"
    "CREATE TABLE notes(take_id INTEGER NOT NULL REFERENCES takes(id), time_s REAL NOT NULL,"
    " step INTEGER NOT NULL, offset_ms REAL NOT NULL);",
    // 2: which recording and which latency a take was analysed with; indexes for the progress view.
    "ALTER TABLE takes ADD COLUMN take_file TEXT NOT NULL DEFAULT '';"
    "ALTER TABLE takes ADD COLUMN latency_ms REAL NOT NULL DEFAULT 0;"
    "CREATE INDEX takes_by_song ON takes(song, recorded_at);"
    "CREATE INDEX notes_by_take ON notes(take_id);",
};
static_assert(std::size(kMigrations) == PracticeHistory::kSchemaVersion);

// A prepared statement, finalised on every path.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) { prepared_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool ok() const { return prepared_ == SQLITE_OK; }
    sqlite3_stmt* get() const { return stmt_; }
    void bind(int i, std::int64_t v) { sqlite3_bind_int64(stmt_, i, v); }
    void bind(int i, double v) { sqlite3_bind_double(stmt_, i, v); }
    void bind(int i, const std::string& v) {
        sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    int step() { return sqlite3_step(stmt_); }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int prepared_ = SQLITE_ERROR;
};

std::string localDay(std::int64_t seconds, std::int64_t& dayStart) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    local.tm_hour = local.tm_min = local.tm_sec = 0;
    local.tm_isdst = -1;
    dayStart = static_cast<std::int64_t>(std::mktime(&local));
    return text;
}

// `name` plus the first of "", "-2", "-3"... that names nothing yet.
fs::path unusedName(const fs::path& base) {
    fs::path candidate = base;
    for (int n = 2; fs::exists(candidate); ++n)
        candidate = base.string() + "-" + std::to_string(n);
    return candidate;
}

} // namespace

PracticeHistory::PracticeHistory(fs::path file, Mode mode) : file_(std::move(file)) {
    // A constructor that throws runs no destructor: the connection is closed here on every failure.
    try {
        if (mode == Mode::ReadOnly) {
            if (!fs::exists(file_))
                throw Error(file_.string() + ": no practice history yet");
            open(mode);
            if (!intact())
                fail("the practice history is damaged");
            return;
        }
        std::error_code ec;
        if (file_.has_parent_path())
            fs::create_directories(file_.parent_path(), ec);
        if (ec)
            throw Error(file_.string() + ": cannot make its folder (" + ec.message() + ")");
        open(mode);
        if (!intact()) {
            sqlite3_close(db_);
            db_ = nullptr;
            setAside();
            open(mode);
        }
        migrate();
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

PracticeHistory::~PracticeHistory() {
    sqlite3_close(db_);
}

void PracticeHistory::open(Mode mode) {
    const int flags =
        mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(file_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw Error(file_.string() + ": cannot open the practice history (" + why + ")");
    }
    // Another program writing: wait a moment, then report the lock rather than block the window.
    sqlite3_busy_timeout(db_, 1500);
}

bool PracticeHistory::intact() {
    Statement check(db_, "PRAGMA quick_check");
    if (!check.ok()) {
        const int code = sqlite3_errcode(db_) & 0xff;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            fail("the practice history is locked by another program");
        return code != SQLITE_NOTADB && code != SQLITE_CORRUPT;
    }
    const int rc = check.step();
    if (rc == SQLITE_ROW) {
        const auto* text = sqlite3_column_text(check.get(), 0);
        return text && std::string(reinterpret_cast<const char*>(text)) == "ok";
    }
    const int code = rc & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        fail("the practice history is locked by another program");
    return code != SQLITE_NOTADB && code != SQLITE_CORRUPT;
}

void PracticeHistory::setAside() {
    const fs::path aside = unusedName(file_.string() + ".damaged");
    std::error_code ec;
    fs::rename(file_, aside, ec);
    if (ec)
        throw Error(file_.string() + ": the practice history is damaged and cannot be set aside (" +
                    ec.message() + ")");
    // Its journal belongs to it: a new database must never replay it.
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        const fs::path journal = file_.string() + suffix;
        if (fs::exists(journal, ec))
            fs::rename(journal, aside.string() + suffix, ec);
    }
    notice_ = file_.string() + ": the practice history was damaged; it is kept as " + aside.string() +
              " and a new history was started";
}

void PracticeHistory::migrate() {
    exec("PRAGMA journal_mode=WAL");
    exec("PRAGMA synchronous=FULL");
    Statement read(db_, "PRAGMA user_version");
    if (!read.ok() || read.step() != SQLITE_ROW)
        fail("cannot read the practice history's version");
    const int version = sqlite3_column_int(read.get(), 0);
    for (int v = version; v < kSchemaVersion; ++v) {
        exec("BEGIN IMMEDIATE");
        try {
            exec(kMigrations[v]);
            exec(("PRAGMA user_version=" + std::to_string(v + 1)).c_str());
            exec("COMMIT");
        } catch (...) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }
}

void PracticeHistory::exec(const char* sql) const {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string why = message ? message : sqlite3_errmsg(db_);
        sqlite3_free(message);
        fail(why);
    }
}

void PracticeHistory::fail(const std::string& what) const {
    const int code = db_ ? sqlite3_errcode(db_) & 0xff : SQLITE_OK;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw Error(file_.string() + ": the practice history is locked by another program (" + what + ")");
    throw Error(file_.string() + ": " + what);
}

std::int64_t PracticeHistory::store(const TakeContext& context, const FeedbackSummary& summary,
                                    std::span<const FeedbackNote> notes) {
    {
        Statement read(db_, "PRAGMA user_version");
        if (read.ok() && read.step() == SQLITE_ROW && sqlite3_column_int(read.get(), 0) > kSchemaVersion)
            fail("the practice history was written by a newer Tamboro; this take was not stored");
    }
    exec("BEGIN IMMEDIATE");
    try {
        Statement take(db_,
                       "INSERT INTO takes(recorded_at, song, patterns, tempo_bpm, practice, notes, mean_ms,"
                       " sd_ms, within10, within25, take_file, latency_ms)"
                       " VALUES(?,?,?,?,?,?,?,?,?,?,?,?)");
        if (!take.ok())
            fail(sqlite3_errmsg(db_));
        take.bind(1, context.recordedAt);
        take.bind(2, context.song);
        take.bind(3, context.patterns);
        take.bind(4, context.tempoBpm);
        take.bind(5, context.practice);
        take.bind(6, static_cast<std::int64_t>(summary.notes));
        take.bind(7, summary.meanMs);
        take.bind(8, summary.sdMs);
        take.bind(9, summary.within10);
        take.bind(10, summary.within25);
        take.bind(11, context.takeFile);
        take.bind(12, context.latencyMs);
        if (take.step() != SQLITE_DONE)
            fail(sqlite3_errmsg(db_));
        const std::int64_t id = sqlite3_last_insert_rowid(db_);
        Statement note(db_, "INSERT INTO notes(take_id, time_s, step, offset_ms) VALUES(?,?,?,?)");
        if (!note.ok())
            fail(sqlite3_errmsg(db_));
        for (const FeedbackNote& n : notes) {
            sqlite3_reset(note.get());
            note.bind(1, id);
            note.bind(2, static_cast<double>(n.onsetFrame) / kTakeRate);
            note.bind(3, static_cast<std::int64_t>(n.step + 1));
            note.bind(4, n.offsetMs);
            if (note.step() != SQLITE_DONE)
                fail(sqlite3_errmsg(db_));
        }
        exec("COMMIT");
        return id;
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

std::size_t PracticeHistory::takeCount() const {
    Statement count(db_, "SELECT count(*) FROM takes");
    if (!count.ok() || count.step() != SQLITE_ROW)
        fail(std::string("cannot read the practice history (") + sqlite3_errmsg(db_) + ")");
    return static_cast<std::size_t>(sqlite3_column_int64(count.get(), 0));
}

std::vector<SongProgress> PracticeHistory::progress() const {
    Statement rows(db_, "SELECT song, recorded_at, notes, mean_ms, sd_ms FROM takes WHERE notes > 0"
                        " ORDER BY song, recorded_at");
    if (!rows.ok())
        fail(std::string("cannot read the practice history (") + sqlite3_errmsg(db_) + ")");
    // Per song and day: the notes' count, sum and sum of squares, from which the pooled mean and
    // standard deviation of all that day's notes follow.
    struct Tally {
        DayProgress day;
        double sum = 0, squares = 0;
    };
    std::map<std::string, std::map<std::string, Tally>> songs;
    int rc;
    while ((rc = rows.step()) == SQLITE_ROW) {
        const auto* name = sqlite3_column_text(rows.get(), 0);
        const std::int64_t at = sqlite3_column_int64(rows.get(), 1);
        const auto n = static_cast<double>(sqlite3_column_int64(rows.get(), 2));
        const double mean = sqlite3_column_double(rows.get(), 3), sd = sqlite3_column_double(rows.get(), 4);
        std::int64_t dayStart = 0;
        const std::string day = localDay(at, dayStart);
        Tally& tally = songs[name ? reinterpret_cast<const char*>(name) : ""][day];
        if (tally.day.takes == 0) {
            tally.day.day = day;
            tally.day.dayStart = dayStart;
        }
        ++tally.day.takes;
        tally.day.notes += static_cast<std::size_t>(n);
        tally.sum += n * mean;
        tally.squares += n * (sd * sd + mean * mean);
    }
    if (rc != SQLITE_DONE)
        fail(std::string("cannot read the practice history (") + sqlite3_errmsg(db_) + ")");
    std::vector<SongProgress> result;
    for (auto& [song, days] : songs) {
        SongProgress progress{song, {}};
        for (auto& [day, tally] : days) {
            const auto n = static_cast<double>(tally.day.notes);
            tally.day.meanMs = tally.sum / n;
            tally.day.sdMs =
                std::sqrt(std::max(0.0, tally.squares / n - tally.day.meanMs * tally.day.meanMs));
            progress.days.push_back(tally.day);
        }
        result.push_back(std::move(progress));
    }
    return result;
}

} // namespace tamboro
