// The practice history: takes stored and pooled per song and day, a version-1 file brought up to
// date, and the files it must never lose: garbage, a truncated database, one locked by another
// program, one from a newer Tamboro.
#include "common/Error.h"
#include "common/Files.h"
#include "feedback/PracticeHistory.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <ctime>
#include <functional>

using namespace tamboro;

namespace {

// Noon of `day` days after 2026-03-02, local time.
std::int64_t noonOf(int day) {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 2 + day;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&t));
}

std::vector<FeedbackNote> notesOf(std::initializer_list<double> offsets) {
    std::vector<FeedbackNote> notes;
    std::size_t step = 0;
    for (const double ms : offsets)
        notes.push_back({static_cast<std::int64_t>(step * 5512), step, static_cast<int>(step % 16), ms}),
            ++step;
    return notes;
}

std::int64_t storeTake(PracticeHistory& history, const std::string& song, int day,
                       std::initializer_list<double> offsets) {
    const auto notes = notesOf(offsets);
    TakeContext context{song, "Rock Beat", 100, "[Practice]\r\nClick=on\r\n", "take.wav", 5, noonOf(day)};
    return history.store(context, summarise(notes), notes);
}

int userVersion(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr);
    const int version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return version;
}

void runSql(const std::filesystem::path& file, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(PracticeHistory, StoresTakesAndPoolsEachSongsDays) {
    test::TempDir dir;
    const auto file = dir.path / "data" / kHistoryFileName;
    {
        PracticeHistory history(file);
        EXPECT_TRUE(history.notice().empty());
        storeTake(history, "Demo", 0, {10, 20});
        storeTake(history, "Demo", 0, {-10, 40});
        storeTake(history, "Demo", 1, {4, 6});
        storeTake(history, "Blues", 0, {-8});
        storeTake(history, "Blues", 0, {}); // a silent take: stored, but no figures to plot
    }
    EXPECT_EQ(userVersion(file), PracticeHistory::kSchemaVersion);
    const PracticeHistory history(file, PracticeHistory::Mode::ReadOnly);
    EXPECT_EQ(history.takeCount(), 5u);
    const auto songs = history.progress();
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_EQ(songs[0].song, "Blues");
    ASSERT_EQ(songs[1].days.size(), 2u);
    const DayProgress& first = songs[1].days[0];
    // Day one pools the four notes 10, 20, -10, 40: mean 15, sd sqrt(((-5)²+5²+25²+25²)/4).
    EXPECT_EQ(first.takes, 2u);
    EXPECT_EQ(first.notes, 4u);
    EXPECT_NEAR(first.meanMs, 15.0, 1e-9);
    EXPECT_NEAR(first.sdMs, std::sqrt(1300.0 / 4), 1e-9);
    EXPECT_NEAR(songs[1].days[1].meanMs, 5.0, 1e-9);
    EXPECT_NEAR(songs[1].days[1].sdMs, 1.0, 1e-9);
    EXPECT_LT(first.dayStart, songs[1].days[1].dayStart);
}

TEST(PracticeHistory, VersionOneFileIsBroughtUpToDateKeepingItsTakes) {
    test::TempDir dir;
    const auto file = dir.path / kHistoryFileName;
    // A history as the first version wrote it.
    runSql(file,
           "CREATE TABLE takes(id INTEGER PRIMARY KEY, recorded_at INTEGER NOT NULL, song TEXT NOT NULL,"
           " patterns TEXT NOT NULL, tempo_bpm REAL NOT NULL, practice TEXT NOT NULL, notes INTEGER NOT NULL,"
           " mean_ms REAL NOT NULL, sd_ms REAL NOT NULL, within10 REAL NOT NULL, within25 REAL NOT NULL);"
           "CREATE TABLE notes(take_id INTEGER NOT NULL REFERENCES takes(id), time_s REAL NOT NULL,"
           " step INTEGER NOT NULL, offset_ms REAL NOT NULL);"
           "INSERT INTO takes VALUES(1, 1772450000, 'Demo', 'Rock Beat', 100, '', 2, 3.0, 1.0, 1.0, 1.0);"
           "INSERT INTO notes VALUES(1, 0.5, 3, 2.0), (1, 1.0, 5, 4.0);"
           "PRAGMA user_version=1;");
    PracticeHistory history(file);
    EXPECT_EQ(userVersion(file), 2);
    storeTake(history, "Demo", 3, {1});
    EXPECT_EQ(history.takeCount(), 2u);
    const auto songs = history.progress();
    ASSERT_EQ(songs.size(), 1u);
    ASSERT_EQ(songs[0].days.size(), 2u);
    EXPECT_NEAR(songs[0].days[0].meanMs, 3.0, 1e-9);
}

TEST(PracticeHistory, DamagedFilesAreSetAsideNeverOverwritten) {
    test::TempDir dir;
    const auto file = dir.path / kHistoryFileName;
    // A real history, truncated to half its length; and a file that is no database at all.
    std::vector<std::uint8_t> truncated;
    {
        PracticeHistory history(file);
        for (int day = 0; day < 40; ++day)
            storeTake(history, "Demo", day, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    }
    runSql(file, "PRAGMA wal_checkpoint(TRUNCATE)");
    const auto whole = readFileBytes(file);
    truncated.assign(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
    const std::string garbage(5000, 'x');
    const std::vector<std::uint8_t> garbageBytes(garbage.begin(), garbage.end());

    const std::vector<std::uint8_t>* cases[] = {&truncated, &garbageBytes};
    for (const std::vector<std::uint8_t>* bytes : cases) {
        test::TempDir caseDir;
        const auto damaged = caseDir.path / kHistoryFileName;
        writeFileAtomically(damaged, *bytes);
        // Read-only (the progress view) refuses it naming the file and leaves it as it was.
        const std::string readError =
            errorOf([&] { PracticeHistory(damaged, PracticeHistory::Mode::ReadOnly); });
        EXPECT_NE(readError.find(damaged.string()), std::string::npos) << readError;
        EXPECT_EQ(readFileBytes(damaged), *bytes);

        PracticeHistory history(damaged);
        const auto aside = caseDir.path / (std::string(kHistoryFileName) + ".damaged");
        EXPECT_NE(history.notice().find(aside.string()), std::string::npos) << history.notice();
        EXPECT_EQ(readFileBytes(aside), *bytes);
        storeTake(history, "Demo", 0, {3});
        EXPECT_EQ(history.takeCount(), 1u);
    }
}

TEST(PracticeHistory, LockedOrNewerDatabaseRefusesTheTakeAndKeepsWhatItHas) {
    test::TempDir dir;
    const auto file = dir.path / kHistoryFileName;
    PracticeHistory history(file);
    storeTake(history, "Demo", 0, {3});

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string locked = errorOf([&] { storeTake(history, "Demo", 1, {4}); });
    EXPECT_NE(locked.find(file.string()), std::string::npos) << locked;
    EXPECT_NE(locked.find("locked"), std::string::npos) << locked;
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(history.takeCount(), 1u);
    storeTake(history, "Demo", 1, {4});
    EXPECT_EQ(history.takeCount(), 2u);

    runSql(file, "PRAGMA user_version=99");
    const std::string newer = errorOf([&] { storeTake(history, "Demo", 2, {5}); });
    EXPECT_NE(newer.find("newer Tamboro"), std::string::npos) << newer;
    EXPECT_EQ(history.takeCount(), 2u);
}
