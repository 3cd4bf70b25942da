// Works on the tables of the registry's database (keys: id, parent, name, folded name,
// write time; vals: key, name, folded name, type, data) on a connection of its own, so
// a whole read or a whole replacement is one transaction.
#include "RegistrySnapshot.h"

#include "RegistryApi.h"
#include "RegistryFiles.h"
#include "TimeApi.h"
#include "WideString.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>

namespace {

using RegistryFiles::ColumnText;
using RegistryFiles::NowFileTime;

constexpr const char16_t* kRootNames[] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE",
                                          u"HKEY_USERS"};
constexpr std::size_t kMaxValueName = 16383;
constexpr std::size_t kProblemsShown = 20;

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

struct StmtCloser {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtCloser>;

std::u16string Describe(sqlite3* db, const char* what) {
    return FromUtf8(std::string(what) + " failed: " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

bool FileExists(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Db OpenDb(bool create, std::u16string& error) {
    const std::string path = RegistryStore::DatabasePath();
    if (!create && !FileExists(path)) {
        error = FromUtf8("there is no store at " + path);
        return nullptr;
    }
    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK) {
        error = FromUtf8("cannot open the store " + path + ": " + (raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)));
        return nullptr;
    }
    sqlite3_busy_timeout(db.get(), 10000);
    return db;
}

Stmt Prepare(sqlite3* db, const char* sql, std::u16string& error) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        error = Describe(db, "reading the store");
        return nullptr;
    }
    return Stmt(raw);
}

void BindText(sqlite3_stmt* s, int index, const std::u16string& text) {
    sqlite3_bind_text16(s, index, text.data(), static_cast<int>(text.size() * sizeof(char16_t)), SQLITE_STATIC);
}

struct KeyRow {
    std::int64_t parent = 0;
    std::u16string name;
    std::u16string folded;
};

// Every key and value of the store, as the tables hold them.
struct Tables {
    std::unordered_map<std::int64_t, KeyRow> keys;
    // By key id: each value with its folded name as stored.
    std::unordered_map<std::int64_t, std::vector<std::pair<RegistrySnapshot::Value, std::u16string>>> values;
    std::size_t valueCount = 0;
};

bool LoadTables(sqlite3* db, Tables& tables, std::u16string& error) {
    Stmt keys = Prepare(db, "SELECT id, parent, name, folded FROM keys", error);
    if (!keys)
        return false;
    int rc;
    while ((rc = sqlite3_step(keys.get())) == SQLITE_ROW)
        tables.keys[sqlite3_column_int64(keys.get(), 0)] = {sqlite3_column_int64(keys.get(), 1),
                                                            ColumnText(keys.get(), 2), ColumnText(keys.get(), 3)};
    if (rc != SQLITE_DONE) {
        error = Describe(db, "reading the keys");
        return false;
    }
    Stmt vals = Prepare(db, "SELECT key, name, folded, type, data FROM vals", error);
    if (!vals)
        return false;
    while ((rc = sqlite3_step(vals.get())) == SQLITE_ROW) {
        sqlite3_stmt* s = vals.get();
        RegistrySnapshot::Value value;
        value.name = ColumnText(s, 1);
        value.type = static_cast<DWORD>(sqlite3_column_int64(s, 3));
        const auto* bytes = static_cast<const BYTE*>(sqlite3_column_blob(s, 4));
        value.data.assign(bytes, bytes + sqlite3_column_bytes(s, 4));
        tables.values[sqlite3_column_int64(s, 0)].emplace_back(std::move(value), ColumnText(s, 2));
        ++tables.valueCount;
    }
    if (rc != SQLITE_DONE) {
        error = Describe(db, "reading the values");
        return false;
    }
    return true;
}

// Enumeration order: ignoring case, then exactly.
bool Before(const std::u16string& foldedA, const std::u16string& a, const std::u16string& foldedB,
            const std::u16string& b) {
    return foldedA != foldedB ? foldedA < foldedB : a < b;
}

// The keys reachable from the roots, parents first, each level sorted; ids in the same order.
void Walk(const Tables& tables, std::vector<RegistrySnapshot::Key>* out, std::vector<std::int64_t>& order) {
    std::unordered_map<std::int64_t, std::vector<std::int64_t>> children;
    for (const auto& [id, row] : tables.keys)
        children[row.parent].push_back(id);
    auto sorted = [&](std::vector<std::int64_t> ids) {
        std::sort(ids.begin(), ids.end(), [&](std::int64_t a, std::int64_t b) {
            const KeyRow& ka = tables.keys.at(a);
            const KeyRow& kb = tables.keys.at(b);
            return Before(ka.folded, ka.name, kb.folded, kb.name);
        });
        return ids;
    };
    // Depth first without recursion: a damaged store cannot make it run out of stack.
    struct Pending {
        std::int64_t id;
        std::vector<std::u16string> path;
    };
    std::vector<Pending> stack;
    std::unordered_set<std::int64_t> seen;
    const std::vector<std::int64_t> roots = sorted(children[0]);
    for (auto it = roots.rbegin(); it != roots.rend(); ++it)
        if (!RegistrySnapshot::RootName(tables.keys.at(*it).name).empty())
            stack.push_back({*it, {RegistrySnapshot::RootName(tables.keys.at(*it).name)}});
    while (!stack.empty()) {
        Pending current = std::move(stack.back());
        stack.pop_back();
        if (!seen.insert(current.id).second)
            continue;
        order.push_back(current.id);
        const auto found = children.find(current.id);
        if (found != children.end()) {
            const std::vector<std::int64_t> ids = sorted(found->second);
            for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
                std::vector<std::u16string> path = current.path;
                path.push_back(tables.keys.at(*it).name);
                stack.push_back({*it, std::move(path)});
            }
        }
        if (!out)
            continue;
        RegistrySnapshot::Key key;
        key.path = std::move(current.path);
        const auto values = tables.values.find(current.id);
        if (values != tables.values.end()) {
            for (const auto& [value, folded] : values->second)
                key.values.push_back(value);
            std::sort(key.values.begin(), key.values.end(),
                      [](const RegistrySnapshot::Value& a, const RegistrySnapshot::Value& b) {
                          return Before(FoldCase(a.name), a.name, FoldCase(b.name), b.name);
                      });
        }
        out->push_back(std::move(key));
    }
}

// Ends a transaction that was not committed.
class Transaction {
public:
    Transaction(sqlite3* db, const char* begin) : m_db(db) {
        m_open = sqlite3_exec(db, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~Transaction() {
        if (m_open)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    bool open() const { return m_open; }
    bool Commit() {
        m_open = false;
        if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
            return true;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }

private:
    sqlite3* m_db;
    bool m_open;
};

std::u16string Quoted(const std::u16string& name) { return u"'" + name + u"'"; }

}  // namespace

std::u16string RegistrySnapshot::RootName(const std::u16string& name) {
    for (const char16_t* root : kRootNames)
        if (EqualsNoCase(name, root))
            return root;
    return {};
}

bool RegistrySnapshot::IsValidKeyName(const std::u16string& name) {
    return !name.empty() && name.size() <= REG_MAX_KEY_NAME && name.find(u'\\') == std::u16string::npos &&
           name.find(u'\0') == std::u16string::npos;
}

bool RegistrySnapshot::Read(RegistrySnapshot& snapshot, std::u16string& error) {
    snapshot.keys.clear();
    Db db = OpenDb(false, error);
    if (!db)
        return false;
    Transaction read(db.get(), "BEGIN");
    Tables tables;
    if (!read.open()) {
        error = Describe(db.get(), "starting to read the store");
        return false;
    }
    if (!LoadTables(db.get(), tables, error))
        return false;
    std::vector<std::int64_t> order;
    Walk(tables, &snapshot.keys, order);
    if (snapshot.keys.empty()) {
        error = FromUtf8("the store " + RegistryStore::DatabasePath() + " holds no registry");
        return false;
    }
    return true;
}

bool RegistrySnapshot::Replace(std::u16string& error) const {
    // Check everything before anything is touched.
    for (const Key& key : keys) {
        if (key.path.empty() || RootName(key.path[0]).empty()) {
            error = u"a key does not start with one of the four roots";
            return false;
        }
        for (std::size_t i = 1; i < key.path.size(); ++i)
            if (!IsValidKeyName(key.path[i])) {
                error = u"the key name " + Quoted(key.path[i]) + u" cannot be stored";
                return false;
            }
        for (const Value& value : key.values)
            if (value.name.size() > kMaxValueName || value.name.find(u'\0') != std::u16string::npos) {
                error = u"the value name " + Quoted(value.name) + u" cannot be stored";
                return false;
            }
    }
    // The registry layer makes the store (and its tables) when there is none; its own
    // connection in this process is then closed so no handle of it outlives the change.
    HKEY probe = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, nullptr, 0, 0, &probe) == ERROR_SUCCESS)
        RegCloseKey(probe);
    RegistryStore::Shutdown();

    Db db = OpenDb(true, error);
    if (!db)
        return false;
    Transaction write(db.get(), "BEGIN IMMEDIATE");
    if (!write.open()) {
        error = Describe(db.get(), "starting to write the store");
        return false;
    }
    Stmt findRoot = Prepare(db.get(), "SELECT id FROM keys WHERE parent=0 AND folded=?1", error);
    Stmt insertKey =
        Prepare(db.get(), "INSERT INTO keys(parent, name, folded, written) VALUES(?1, ?2, ?3, ?4)", error);
    Stmt upsertValue = Prepare(db.get(),
                               "INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                               "ON CONFLICT(key, folded) DO UPDATE SET type=excluded.type, data=excluded.data",
                               error);
    if (!findRoot || !insertKey || !upsertValue)
        return false;
    if (sqlite3_exec(db.get(), "DELETE FROM vals; DELETE FROM keys WHERE parent<>0", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        error = Describe(db.get(), "emptying the store");
        return false;
    }
    const std::int64_t written = NowFileTime();
    // Folded path -> key id, so keys named twice (in any case) are one key.
    std::map<std::u16string, std::int64_t> ids;
    auto stepped = [&](sqlite3_stmt* s, const char* what) {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            error = Describe(db.get(), what);
        return rc == SQLITE_DONE || rc == SQLITE_ROW;
    };
    for (const Key& key : keys) {
        std::u16string folded;
        std::int64_t id = 0;
        for (std::size_t i = 0; i < key.path.size(); ++i) {
            const std::u16string name = i == 0 ? RootName(key.path[0]) : key.path[i];
            folded += (i ? u"\\" : u"") + FoldCase(name);
            if (const auto known = ids.find(folded); known != ids.end()) {
                id = known->second;
                continue;
            }
            if (i == 0) {
                const std::u16string rootFolded = FoldCase(name);
                BindText(findRoot.get(), 1, rootFolded);
                const bool found = sqlite3_step(findRoot.get()) == SQLITE_ROW;
                id = found ? sqlite3_column_int64(findRoot.get(), 0) : 0;
                sqlite3_reset(findRoot.get());
                if (!found) {
                    error = u"the store has no root " + name;
                    return false;
                }
            } else {
                const std::u16string nameFolded = FoldCase(name);
                sqlite3_bind_int64(insertKey.get(), 1, id);
                BindText(insertKey.get(), 2, name);
                BindText(insertKey.get(), 3, nameFolded);
                sqlite3_bind_int64(insertKey.get(), 4, written);
                if (!stepped(insertKey.get(), "writing a key"))
                    return false;
                id = sqlite3_last_insert_rowid(db.get());
            }
            ids.emplace(folded, id);
        }
        for (const Value& value : key.values) {
            const std::u16string nameFolded = FoldCase(value.name);
            static const BYTE kEmpty = 0;
            sqlite3_bind_int64(upsertValue.get(), 1, id);
            BindText(upsertValue.get(), 2, value.name);
            BindText(upsertValue.get(), 3, nameFolded);
            sqlite3_bind_int64(upsertValue.get(), 4, value.type);
            sqlite3_bind_blob(upsertValue.get(), 5, value.data.empty() ? &kEmpty : value.data.data(),
                              static_cast<int>(value.data.size()), SQLITE_STATIC);
            if (!stepped(upsertValue.get(), "writing a value"))
                return false;
        }
    }
    if (!write.Commit()) {
        error = Describe(db.get(), "committing the store");
        return false;
    }
    return true;
}

bool RegistrySnapshot::Check(std::vector<std::u16string>& problems, std::size_t& keyCount, std::size_t& valueCount,
                             std::u16string& error) {
    problems.clear();
    keyCount = valueCount = 0;
    Db db = OpenDb(false, error);
    if (!db)
        return false;
    {
        Stmt integrity = Prepare(db.get(), "PRAGMA integrity_check(20)", error);
        if (!integrity)
            return false;
        while (sqlite3_step(integrity.get()) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(integrity.get(), 0));
            const std::string line = text ? text : "";
            if (line != "ok")
                problems.push_back(FromUtf8("database: " + line));
        }
    }
    Transaction read(db.get(), "BEGIN");
    Tables tables;
    if (!read.open() || !LoadTables(db.get(), tables, error)) {
        if (error.empty())
            error = Describe(db.get(), "starting to read the store");
        return false;
    }
    keyCount = tables.keys.size();
    valueCount = tables.valueCount;
    auto report = [&](std::u16string problem) {
        if (problems.size() < kProblemsShown)
            problems.push_back(std::move(problem));
        else if (problems.size() == kProblemsShown)
            problems.push_back(u"(more problems not shown)");
    };
    for (const char16_t* root : kRootNames) {
        const bool present = std::any_of(tables.keys.begin(), tables.keys.end(), [&](const auto& entry) {
            return entry.second.parent == 0 && entry.second.name == root;
        });
        if (!present)
            report(std::u16string(u"the root ") + root + u" is missing");
    }
    std::vector<std::int64_t> reachable;
    Walk(tables, nullptr, reachable);
    const std::unordered_set<std::int64_t> reached(reachable.begin(), reachable.end());
    // Keys cut off from the tree: how many, and the tops of the cut-off parts by name.
    std::size_t cutOff = 0;
    std::vector<std::u16string> tops;
    for (const auto& [id, row] : tables.keys) {
        if (row.parent == 0)
            continue;
        if (!reached.count(id)) {
            ++cutOff;
            if (!tables.keys.count(row.parent))
                tops.push_back(row.name);
        }
    }
    std::sort(tops.begin(), tops.end());
    for (const std::u16string& top : tops)
        report(u"the key " + Quoted(top) + u" hangs on a key that is gone");
    if (cutOff > 0)
        report(FromUtf8(std::to_string(cutOff)) + u" keys cannot be reached from a root");
    for (const auto& [id, row] : tables.keys) {
        if (row.parent == 0)
            continue;
        if (!IsValidKeyName(row.name))
            report(u"the key name " + Quoted(row.name) + u" is not a valid name");
        if (row.folded != FoldCase(row.name))
            report(u"the key " + Quoted(row.name) + u" has a wrong folded name");
    }
    for (const auto& [key, values] : tables.values) {
        if (!tables.keys.count(key))
            report(FromUtf8(std::to_string(values.size())) + u" values belong to no key");
    }
    for (const auto& entry : tables.values)
        for (const auto& [value, folded] : entry.second)
            if (folded != FoldCase(value.name))
                report(u"the value " + Quoted(value.name) + u" has a wrong folded name");
    return true;
}
