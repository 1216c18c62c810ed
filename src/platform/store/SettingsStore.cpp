#include "platform/store/SettingsStore.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <mutex>

#include <sqlite3.h>

#include "platform/Folders.h"
#include "platform/Log.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

Statement prepare(sqlite3* database, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    if (!database || sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) != SQLITE_OK)
        return nullptr;
    return Statement(statement);
}

void logError(sqlite3* database, const std::string& what)
{
    log::line("store", what + ": " + (database ? sqlite3_errmsg(database) : "no database"));
}

} // namespace

SettingsStore::SettingsStore(std::string path)
    : m_path(std::move(path))
{
    bool opened = open();
    bool damaged = opened && !passesQuickCheck();
    if (!opened || damaged) {
        // Only a file SQLite refuses as a database, or one with damaged pages,
        // is moved aside; a folder we cannot write to is left alone and the
        // store stays closed.
        int code = damaged ? SQLITE_CORRUPT : m_database ? sqlite3_errcode(m_database) : SQLITE_CANTOPEN;
        close();
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) {
            moveAside();
            if (!open())
                close();
        }
    }
}

SettingsStore::~SettingsStore() { close(); }

std::string SettingsStore::standardPath() { return folders::join(folders::homeFolder(), "settings.sqlite"); }

SettingsStore& SettingsStore::standard()
{
    static std::mutex mutex;
    static std::unique_ptr<SettingsStore> store;
    std::lock_guard lock(mutex);
    std::string path = standardPath();
    if (!store || store->path() != path)
        store = std::make_unique<SettingsStore>(path);
    return *store;
}

bool SettingsStore::open()
{
    fs::path file(m_path);
    if (file.has_parent_path())
        folders::makeFolders(file.parent_path().string());
    if (sqlite3_open_v2(m_path.c_str(), &m_database, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
        logError(m_database, "cannot open " + m_path);
        return false;
    }
    sqlite3_busy_timeout(m_database, 5000);
    return prepareSchema();
}

bool SettingsStore::prepareSchema()
{
    // Reading the schema is what reveals a file that is not a database.
    const char* setup = "PRAGMA journal_mode=WAL;"
                        "PRAGMA synchronous=FULL;"
                        "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY NOT NULL, value BLOB NOT NULL);"
                        "SELECT count(*) FROM settings;";
    if (sqlite3_exec(m_database, setup, nullptr, nullptr, nullptr) != SQLITE_OK) {
        logError(m_database, "cannot use " + m_path);
        return false;
    }
    return true;
}

bool SettingsStore::passesQuickCheck()
{
    // A damaged table page can leave the key list readable while the values
    // are lost; quick_check reads every page, which a settings store can afford.
    Statement statement = prepare(m_database, "PRAGMA quick_check");
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW) {
        logError(m_database, "cannot check " + m_path);
        return false;
    }
    const auto* verdict = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
    if (verdict && std::string(verdict) == "ok")
        return true;
    log::line("store", m_path + " is damaged: " + (verdict ? verdict : "?"));
    return false;
}

bool SettingsStore::setSizeLimit(std::int64_t bytes)
{
    Statement size = prepare(m_database, "PRAGMA page_size");
    if (!size || sqlite3_step(size.get()) != SQLITE_ROW)
        return false;
    std::int64_t pages = std::max<std::int64_t>(1, bytes / std::max<std::int64_t>(1, sqlite3_column_int64(size.get(), 0)));
    std::string sql = "PRAGMA max_page_count = " + std::to_string(pages);
    return sqlite3_exec(m_database, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

void SettingsStore::close()
{
    if (m_database)
        sqlite3_close_v2(m_database);
    m_database = nullptr;
}

void SettingsStore::moveAside()
{
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm parts {};
    gmtime_r(&now, &parts);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
    std::string aside = m_path + ".unreadable-" + stamp;
    std::error_code error;
    for (int n = 2; fs::exists(aside, error); ++n)
        aside = m_path + ".unreadable-" + stamp + "-" + std::to_string(n);
    fs::rename(m_path, aside, error);
    if (error) {
        log::line("store", m_path + " is unreadable and could not be moved aside: " + error.message());
        return;
    }
    m_movedAsideTo = aside;
    // The journal files belong to the unreadable file, not to the fresh store.
    for (const char* suffix : { "-wal", "-shm", "-journal" }) {
        if (fs::exists(m_path + suffix, error))
            fs::rename(m_path + suffix, aside + suffix, error);
    }
    log::line("store", m_path + " is unreadable; moved it to " + aside + " and made a fresh store");
}

bool SettingsStore::set(const std::string& key, std::span<const std::uint8_t> bytes)
{
    auto failed = [&] {
        m_lastError = m_database ? sqlite3_errmsg(m_database) : "the store could not be opened";
        logError(m_database, "cannot save \"" + key + "\"");
        return false;
    };
    Statement statement = prepare(m_database, "INSERT OR REPLACE INTO settings (key, value) VALUES (?1, ?2)");
    if (!statement)
        return failed();
    sqlite3_bind_text(statement.get(), 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
    // A zero-length blob bound from a null pointer would be stored as NULL.
    static const std::uint8_t empty = 0;
    sqlite3_bind_blob64(statement.get(), 2, bytes.empty() ? &empty : bytes.data(), bytes.size(), SQLITE_TRANSIENT);
    if (sqlite3_step(statement.get()) != SQLITE_DONE)
        return failed();
    m_lastError.clear();
    return true;
}

std::optional<std::vector<std::uint8_t>> SettingsStore::get(const std::string& key) const
{
    Statement statement = prepare(m_database, "SELECT value FROM settings WHERE key = ?1");
    if (!statement)
        return std::nullopt;
    sqlite3_bind_text(statement.get(), 1, key.data(), int(key.size()), SQLITE_TRANSIENT);
    int status = sqlite3_step(statement.get());
    if (status != SQLITE_ROW) {
        if (status != SQLITE_DONE)
            logError(m_database, "cannot read \"" + key + "\"");
        return std::nullopt;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement.get(), 0));
    int length = sqlite3_column_bytes(statement.get(), 0);
    return std::vector<std::uint8_t>(bytes, bytes + length);
}

std::vector<std::string> SettingsStore::keys() const
{
    std::vector<std::string> keys;
    Statement statement = prepare(m_database, "SELECT key FROM settings ORDER BY key");
    if (!statement)
        return keys;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0));
        keys.emplace_back(text ? text : "", std::size_t(sqlite3_column_bytes(statement.get(), 0)));
    }
    return keys;
}

} // namespace platform
