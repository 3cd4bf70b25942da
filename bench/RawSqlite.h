// The limit a registry benchmark is measured against: SQLite itself, through its C API
// on a connection of its own, with the registry's own tables and settings. A benchmark
// times its store call and the raw work alternately, so the ratio holds on a noisy
// machine where absolute times do not.
#pragma once
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class RawSqlite {
public:
    RawSqlite() = default;
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;
    ~RawSqlite() {
        for (sqlite3_stmt* s : m_statements)
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }

    // Opens (creating) the file with the registry's journal and sync settings.
    bool Open(const std::string& path) {
        return sqlite3_open(path.c_str(), &m_db) == SQLITE_OK && sqlite3_busy_timeout(m_db, 10000) == SQLITE_OK &&
               Exec("PRAGMA encoding='UTF-16le'; PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;");
    }
    bool Exec(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }
    // A statement finalized with the connection; null when it does not compile.
    sqlite3_stmt* Prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK)
            return nullptr;
        m_statements.push_back(s);
        return s;
    }
    sqlite3* db() const { return m_db; }

    // The id of a key given by its folded names from a root's down (0: none).
    std::int64_t KeyId(const std::vector<std::u16string>& folded) {
        sqlite3_stmt* find = Prepare("SELECT id FROM keys WHERE parent=?1 AND folded=?2");
        std::int64_t id = 0;
        for (const std::u16string& name : folded) {
            sqlite3_bind_int64(find, 1, id);
            sqlite3_bind_text16(find, 2, name.data(), static_cast<int>(name.size() * 2), SQLITE_STATIC);
            id = sqlite3_step(find) == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
            sqlite3_reset(find);
            if (!id)
                break;
        }
        return id;
    }

private:
    sqlite3* m_db = nullptr;
    std::vector<sqlite3_stmt*> m_statements;
};

// Times the store's work (also as the benchmark's own time) and the raw limit's in
// turn, and reports the limit's mean time and the ratio of the two as counters.
class RatioTimer {
public:
    template <typename Store, typename Raw>
    void Round(benchmark::State& state, Store store, Raw raw) {
        auto start = Clock::now();
        store();
        m_store += Clock::now() - start;
        state.PauseTiming();
        start = Clock::now();
        raw();
        m_raw += Clock::now() - start;
        state.ResumeTiming();
    }
    void Report(benchmark::State& state) const {
        const double raw = std::chrono::duration<double, std::milli>(m_raw).count();
        const double store = std::chrono::duration<double, std::milli>(m_store).count();
        state.counters["raw_ms"] = benchmark::Counter(raw, benchmark::Counter::kAvgIterations);
        state.counters["ratio"] = raw > 0 ? store / raw : 0;
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::duration m_store{};
    Clock::duration m_raw{};
};
