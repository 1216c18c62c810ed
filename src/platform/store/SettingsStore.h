#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct sqlite3;

namespace platform {

// A durable key → bytes table in one SQLite file ("settings.sqlite" in the app's
// home folder for the standard store).
//
// Every set is one transaction in write-ahead-log mode, so a process killed in the
// middle of a save leaves the old value, and a second process reading at the same
// time sees the old or the new value, never a mixture. A file that is not a
// database, or a database that fails SQLite's quick integrity check on opening
// (a damaged page), is never overwritten: it is moved aside (its name gains
// ".unreadable-<time>") with a log line, and a fresh store is made; movedAsideTo()
// then names the moved file so the program can tell the user.
class SettingsStore {
public:
    explicit SettingsStore(std::string path);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The store in the current home folder; opened again when the home folder
    // changes (the --home option, tests).
    static SettingsStore& standard();
    static std::string standardPath();

    const std::string& path() const { return m_path; }
    bool isOpen() const { return m_database != nullptr; }
    // Where an unreadable or damaged file was moved when this store was opened.
    const std::optional<std::string>& movedAsideTo() const { return m_movedAsideTo; }
    // Why the last set() failed (SQLite's words), empty after a good one.
    const std::string& lastError() const { return m_lastError; }

    // Caps the file at about `bytes`; saves that would grow it further fail
    // as they would on a full disk.
    bool setSizeLimit(std::int64_t bytes);

    // Replaces the value under `key`; false (and logged) when it could not be written.
    bool set(const std::string& key, std::span<const std::uint8_t> bytes);
    // The value under `key`; std::nullopt when the key holds nothing.
    std::optional<std::vector<std::uint8_t>> get(const std::string& key) const;
    std::vector<std::string> keys() const;

private:
    bool open();
    void close();
    bool prepareSchema();
    bool passesQuickCheck();
    void moveAside();

    std::string m_path;
    sqlite3* m_database = nullptr;
    std::optional<std::string> m_movedAsideTo;
    std::string m_lastError;
};

} // namespace platform
