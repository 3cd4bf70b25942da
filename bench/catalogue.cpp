// Catalogue store speed as a start-up and a catalogue save see it: reading 5,000 stored
// items (GetItems) and writing 5,000 items (SaveItems), each beside its limit in SQLite
// itself (one query reading the same rows; the same rows upserted in one transaction).
#include "LRRegistry.h"

#include "BenchRoot.h"
#include "BenchStore.h"
#include "RawSqlite.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 5000;

BenchRoot g_root;

// Items as a real catalogue holds them: a unit, most with a location, one to three
// categories.
void MakeItems(rep::vector<Item*>& items) {
    const TCHAR* units[] = {u"kg", u"pkg", u"gal", u""};
    const TCHAR* locations[] = {u"walmart", u"sam's club", nullptr};
    const TCHAR* categories[] = {u"Foods", u"Drinks", u"Household & Cleaning Items", u"Meat"};
    for (int i = 0; i < kItems; ++i) {
        std::string name = "Catalogue item " + std::to_string(i);
        const std::u16string wide(name.begin(), name.end());
        rep::string_list cats;
        for (int c = 0; c <= i % 3; ++c)
            cats.push_back(const_cast<TCHAR*>(categories[(i + c) % 4]));
        auto* item = new Item(wide.c_str());
        item->Set(wide.c_str(), units[i % 4], locations[i % 3], i % 5 == 0, 0.01f * static_cast<float>(i), cats);
        cats.clear();  // the texts are literals, not copies
        items.push_back(item);
    }
}

// The folded path of the "Items" key, from its root down.
const std::vector<std::u16string> kItemsPath = {u"hkey_local_machine", u"software", u"tamra", u"listora", u"items"};

// A key's row and its values' rows, as the store wrote them.
struct RawValue {
    std::u16string name, folded;
    int type = 0;
    std::string data;
};
struct RawKey {
    std::u16string name, folded;
    std::vector<RawValue> values;
};

std::u16string Text16(sqlite3_stmt* s, int column) {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(s, column));
    return std::u16string(text, static_cast<std::size_t>(sqlite3_column_bytes16(s, column)) / 2);
}

// Every item key below "Items" with its values, read from the store's file.
std::vector<RawKey> StoredItems(RawSqlite& store) {
    std::vector<RawKey> keys;
    sqlite3_stmt* rows = store.Prepare(
        "SELECT k.id, k.name, k.folded, v.name, v.folded, v.type, v.data FROM keys k JOIN vals v ON v.key=k.id "
        "WHERE k.parent=?1 ORDER BY k.id");
    sqlite3_bind_int64(rows, 1, store.KeyId(kItemsPath));
    std::int64_t last = 0;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        if (sqlite3_column_int64(rows, 0) != last) {
            last = sqlite3_column_int64(rows, 0);
            keys.push_back({Text16(rows, 1), Text16(rows, 2), {}});
        }
        const auto* data = static_cast<const char*>(sqlite3_column_blob(rows, 6));
        keys.back().values.push_back({Text16(rows, 3), Text16(rows, 4), sqlite3_column_int(rows, 5),
                                      std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(rows, 6)))});
    }
    return keys;
}

// The limit of a save: the same rows upserted in one transaction into a file of the
// same tables and settings, committed to disk.
class RawInserts {
public:
    bool Open(RawSqlite& store, std::vector<RawKey> keys) {
        m_keys = std::move(keys);
        const std::string path = g_root.path + "/raw-inserts.db";
        std::remove(path.c_str());
        if (!m_db.Open(path))
            return false;
        sqlite3_stmt* schema = store.Prepare("SELECT sql FROM sqlite_master WHERE type='table' AND name IN ('keys','vals')");
        while (sqlite3_step(schema) == SQLITE_ROW)
            if (!m_db.Exec(reinterpret_cast<const char*>(sqlite3_column_text(schema, 0))))
                return false;
        m_insertKey = m_db.Prepare(
            "INSERT INTO keys(id, parent, name, folded, written) VALUES(?1, 1, ?2, ?3, 0) ON CONFLICT DO NOTHING");
        m_upsertValue = m_db.Prepare(
            "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
            "ON CONFLICT(key, folded) DO UPDATE SET type=excluded.type, data=excluded.data");
        return m_insertKey && m_upsertValue && !m_keys.empty() && Write();
    }

    bool Write() {
        bool ok = m_db.Exec("BEGIN IMMEDIATE");
        std::int64_t id = 100;
        for (const RawKey& key : m_keys) {
            ++id;
            sqlite3_bind_int64(m_insertKey, 1, id);
            Bind(m_insertKey, 2, key.name);
            Bind(m_insertKey, 3, key.folded);
            ok = Step(m_insertKey) && ok;
            for (const RawValue& value : key.values) {
                sqlite3_bind_int64(m_upsertValue, 1, id);
                Bind(m_upsertValue, 2, value.name);
                Bind(m_upsertValue, 3, value.folded);
                sqlite3_bind_int(m_upsertValue, 4, value.type);
                sqlite3_bind_blob(m_upsertValue, 5, value.data.data(), static_cast<int>(value.data.size()), SQLITE_STATIC);
                ok = Step(m_upsertValue) && ok;
            }
        }
        return m_db.Exec("COMMIT") && ok;
    }

private:
    static void Bind(sqlite3_stmt* s, int index, const std::u16string& text) {
        sqlite3_bind_text16(s, index, text.data(), static_cast<int>(text.size() * 2), SQLITE_STATIC);
    }
    static bool Step(sqlite3_stmt* s) {
        const bool done = sqlite3_step(s) == SQLITE_DONE;
        sqlite3_reset(s);
        return done;
    }

    RawSqlite m_db;
    sqlite3_stmt* m_insertKey = nullptr;
    sqlite3_stmt* m_upsertValue = nullptr;
    std::vector<RawKey> m_keys;
};

// A save of a catalogue whose items are all stored already (the usual save), flushed.
void BM_SaveItems5000(benchmark::State& state) {
    BenchStore store;
    if (!store.Create()) {
        state.SkipWithError("cannot create the store");
        return;
    }
    rep::vector<Item*> items;
    MakeItems(items);
    store.SaveItems(items);
    RegFlushKey(HKEY_LOCAL_MACHINE);
    RawSqlite file;
    RawInserts raw;
    if (!file.Open(RegistryStore::DatabasePath()) || !raw.Open(file, StoredItems(file))) {
        state.SkipWithError("cannot prepare the raw inserts");
        return;
    }
    RatioTimer timer;
    for (auto _ : state) {
        timer.Round(
            state,
            [&] {
                if (!store.SaveItems(items))
                    state.SkipWithError("SaveItems failed");
                // What a save costs includes getting it to disk.
                RegFlushKey(HKEY_LOCAL_MACHINE);
            },
            [&] {
                if (!raw.Write())
                    state.SkipWithError("raw inserts failed");
            });
    }
    timer.Report(state);
    rep::delete_objects(items);
}
BENCHMARK(BM_SaveItems5000)->Unit(benchmark::kMillisecond);

void BM_GetItems5000(benchmark::State& state) {
    BenchStore store;
    if (!store.Create()) {
        state.SkipWithError("cannot create the store");
        return;
    }
    rep::vector<Item*> items;
    MakeItems(items);
    store.SaveItems(items);
    rep::delete_objects(items);
    RegFlushKey(HKEY_LOCAL_MACHINE);
    // The limit: one query reading every item's key name and values.
    RawSqlite file;
    sqlite3_stmt* query = nullptr;
    sqlite3_stmt* touch = nullptr;
    if (file.Open(RegistryStore::DatabasePath())) {
        query = file.Prepare("SELECT k.name, v.name, v.type, v.data FROM keys k JOIN vals v ON v.key=k.id WHERE k.parent=?1");
        touch = file.Prepare(
            "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, 'Round', 'round', 4, ?2) "
            "ON CONFLICT(key, folded) DO UPDATE SET data=excluded.data");
    }
    if (!query || !touch) {
        state.SkipWithError("cannot prepare the raw query");
        return;
    }
    const std::int64_t itemsId = file.KeyId(kItemsPath);
    sqlite3_bind_int64(query, 1, itemsId);
    sqlite3_bind_int64(touch, 1, itemsId);
    RatioTimer timer;
    DWORD round = 0;
    for (auto _ : state) {
        // Each read starts cold on both sides, as at start-up: a value of "Items"
        // rewritten by another connection, and the store's read window closed, make the
        // store forget what it read there and both connections read the file again.
        state.PauseTiming();
        ++round;
        sqlite3_bind_blob(touch, 2, &round, sizeof round, SQLITE_TRANSIENT);
        if (sqlite3_step(touch) != SQLITE_DONE)
            state.SkipWithError("cannot touch the store");
        sqlite3_reset(touch);
        RegFlushKey(HKEY_LOCAL_MACHINE);
        state.ResumeTiming();
        timer.Round(
            state,
            [&] {
                rep::vector<Item*> read;
                if (!store.GetItems(read) || read.size() != kItems)
                    state.SkipWithError("GetItems failed");
                rep::delete_objects(read);
            },
            [&] {
                std::size_t bytes = 0;
                while (sqlite3_step(query) == SQLITE_ROW) {
                    sqlite3_column_text16(query, 0);
                    sqlite3_column_text16(query, 1);
                    sqlite3_column_blob(query, 3);
                    bytes += static_cast<std::size_t>(sqlite3_column_bytes16(query, 0) + sqlite3_column_bytes16(query, 1) +
                                                      sqlite3_column_int(query, 2) + sqlite3_column_bytes(query, 3));
                }
                sqlite3_reset(query);
                benchmark::DoNotOptimize(bytes);
            });
    }
    timer.Report(state);
}
BENCHMARK(BM_GetItems5000)->Unit(benchmark::kMillisecond);

}  // namespace
